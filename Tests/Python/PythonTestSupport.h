#pragma once

#include "Support/TestEditor.h"

#include "Core/Log.h"

#include <string>
#include <string_view>

/** An editor with the embedded interpreter on a copy of the demo project (or an empty project), without the connector. */
inline FTestEditorOptions EmbeddedPythonOptions(bool bDemoProject = false)
{
	FTestEditorOptions Options;
	Options.bDemoProject = bDemoProject;
	Options.bLoadConnector = false;
	Options.bEmbeddedPython = true;
	return Options;
}

/** The lines Python wrote at one verbosity (LogPython). */
inline std::vector<std::string> PythonLines(const FLogCapture& Log, ELogVerbosity Verbosity)
{
	std::vector<std::string> Lines;
	for (const FLogLine& Line : Log.Lines())
	{
		if (Line.Category == "LogPython" && Line.Verbosity == Verbosity)
		{
			Lines.push_back(Line.Message);
		}
	}
	return Lines;
}

/**
 * Evaluates a Python expression in the editor's interpreter and returns its
 * repr() as the script would print it; "<error>" when it raised.
 */
std::string EvalPython(FTestEditor& Editor, std::string_view Expression);
