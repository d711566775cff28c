#include "Python/PythonTestSupport.h"

#include "Python/PythonScriptPluginModule.h"

std::string EvalPython(FTestEditor& Editor, std::string_view Expression)
{
	FLogCapture Log;
	const bool bSucceeded = Editor.EmbeddedPython()->ExecPythonCommand("import editor\neditor.log(repr(" + std::string(Expression) + "))");
	const std::vector<std::string> Lines = PythonLines(Log, ELogVerbosity::Log);
	return bSucceeded && !Lines.empty() ? Lines.back() : "<error>";
}
