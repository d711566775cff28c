#include "Render/SceneTargets.h"

#include <epoxy/gl.h>

namespace
{
	FGlTexture MakeTexture(GLenum InternalFormat, int32_t Width, int32_t Height)
	{
		GLuint Name = 0;
		glCreateTextures(GL_TEXTURE_2D, 1, &Name);
		glTextureStorage2D(Name, 1, InternalFormat, Width, Height);
		glTextureParameteri(Name, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
		glTextureParameteri(Name, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
		glTextureParameteri(Name, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
		glTextureParameteri(Name, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
		return FGlTexture(Name);
	}

	bool IsComplete(GLuint Framebuffer, std::string& OutError)
	{
		const GLenum Status = glCheckNamedFramebufferStatus(Framebuffer, GL_FRAMEBUFFER);
		if (Status != GL_FRAMEBUFFER_COMPLETE)
		{
			OutError = "the framebuffer is incomplete (status " + std::to_string(Status) + ")";
			return false;
		}
		return true;
	}

	bool MakeGBuffer(FSceneTargets::FGBuffer& GBuffer, int32_t Width, int32_t Height, std::string& OutError)
	{
		GLuint Name = 0;
		glCreateFramebuffers(1, &Name);
		GBuffer.Framebuffer = FGlFramebuffer(Name);
		GLenum DrawBuffers[4];
		for (int Index = 0; Index < 4; ++Index)
		{
			GBuffer.Colors[Index] = MakeTexture(GL_RGBA16F, Width, Height);
			glNamedFramebufferTexture(Name, GL_COLOR_ATTACHMENT0 + Index, GBuffer.Colors[Index].Get(), 0);
			DrawBuffers[Index] = GL_COLOR_ATTACHMENT0 + Index;
		}
		GBuffer.Depth = MakeTexture(GL_DEPTH_COMPONENT32F, Width, Height);
		glNamedFramebufferTexture(Name, GL_DEPTH_ATTACHMENT, GBuffer.Depth.Get(), 0);
		glNamedFramebufferDrawBuffers(Name, 4, DrawBuffers);
		return IsComplete(Name, OutError);
	}
}

bool FSceneTargets::Prepare(int32_t InWidth, int32_t InHeight, bool bInSRGB, std::string& OutError)
{
	if (OutputFramebuffer && Width == InWidth && Height == InHeight && bSRGB == bInSRGB)
	{
		return true;
	}
	*this = FSceneTargets();
	if (!MakeGBuffer(Opaque, InWidth, InHeight, OutError) || !MakeGBuffer(Translucent, InWidth, InHeight, OutError))
	{
		*this = FSceneTargets();
		return false;
	}
	const GLenum ColorFormat = bInSRGB ? GL_SRGB8_ALPHA8 : GL_RGBA8;
	Output = MakeTexture(ColorFormat, InWidth, InHeight);
	GLuint Name = 0;
	glCreateFramebuffers(1, &Name);
	OutputFramebuffer = FGlFramebuffer(Name);
	glNamedFramebufferTexture(Name, GL_COLOR_ATTACHMENT0, Output.Get(), 0);
	glNamedFramebufferTexture(Name, GL_DEPTH_ATTACHMENT, Opaque.Depth.Get(), 0);
	if (!IsComplete(Name, OutError))
	{
		*this = FSceneTargets();
		return false;
	}
	Width = InWidth;
	Height = InHeight;
	bSRGB = bInSRGB;
	return true;
}
