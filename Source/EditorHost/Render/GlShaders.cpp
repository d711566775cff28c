#include "Render/GlShaders.h"

#include <epoxy/gl.h>

#include <vector>

namespace
{
	std::string ReadInfoLog(GLuint Object, bool bProgram)
	{
		GLint Length = 0;
		bProgram ? glGetProgramiv(Object, GL_INFO_LOG_LENGTH, &Length) : glGetShaderiv(Object, GL_INFO_LOG_LENGTH, &Length);
		std::vector<char> Log(static_cast<std::size_t>(std::max(Length, 1)), '\0');
		bProgram ? glGetProgramInfoLog(Object, Length, nullptr, Log.data()) : glGetShaderInfoLog(Object, Length, nullptr, Log.data());
		std::string Text(Log.data());
		while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\0'))
		{
			Text.pop_back();
		}
		return Text;
	}

	GLuint CompileShader(GLenum Stage, std::string_view Source, std::string& OutError)
	{
		const GLuint Shader = glCreateShader(Stage);
		const GLchar* Text = Source.data();
		const GLint Length = static_cast<GLint>(Source.size());
		glShaderSource(Shader, 1, &Text, &Length);
		glCompileShader(Shader);
		GLint bCompiled = GL_FALSE;
		glGetShaderiv(Shader, GL_COMPILE_STATUS, &bCompiled);
		if (bCompiled != GL_TRUE)
		{
			OutError = (Stage == GL_VERTEX_SHADER ? "vertex shader: " : "pixel shader: ") + ReadInfoLog(Shader, false);
			glDeleteShader(Shader);
			return 0;
		}
		return Shader;
	}
}

std::optional<FGlProgram> LinkGlProgram(std::string_view VertexSource, std::string_view FragmentSource, std::string& OutError)
{
	const GLuint Vertex = CompileShader(GL_VERTEX_SHADER, VertexSource, OutError);
	if (Vertex == 0)
	{
		return std::nullopt;
	}
	const GLuint Fragment = CompileShader(GL_FRAGMENT_SHADER, FragmentSource, OutError);
	if (Fragment == 0)
	{
		glDeleteShader(Vertex);
		return std::nullopt;
	}
	FGlProgram Program(glCreateProgram());
	glAttachShader(Program.Get(), Vertex);
	glAttachShader(Program.Get(), Fragment);
	glLinkProgram(Program.Get());
	glDetachShader(Program.Get(), Vertex);
	glDetachShader(Program.Get(), Fragment);
	glDeleteShader(Vertex);
	glDeleteShader(Fragment);
	GLint bLinked = GL_FALSE;
	glGetProgramiv(Program.Get(), GL_LINK_STATUS, &bLinked);
	if (bLinked != GL_TRUE)
	{
		OutError = "link: " + ReadInfoLog(Program.Get(), true);
		return std::nullopt;
	}
	return Program;
}
