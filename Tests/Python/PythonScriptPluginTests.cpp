#include "Python/PythonTestSupport.h"
#include "Support/ChildProcess.h"

#include "Python/PythonScriptPluginModule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(PythonScriptPlugin, InterpreterIsUpAndGlobalsPersistBetweenCommands)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	ASSERT_NE(Python, nullptr);
	EXPECT_TRUE(Python->IsPythonAvailable());
	EXPECT_TRUE(Python->IsPythonInitialized());

	EXPECT_TRUE(Python->ExecPythonCommand("counter = 41"));
	EXPECT_TRUE(Python->ExecPythonCommand("def bump():\n    global counter\n    counter += 1\n"));
	EXPECT_TRUE(Python->ExecPythonCommand("bump()"));
	EXPECT_EQ(EvalPython(Editor, "counter"), "42");
	EXPECT_EQ(EvalPython(Editor, "__name__"), "'__main__'");
	// The interpreter is Debian's, isolated from the environment and the working directory.
	EXPECT_EQ(EvalPython(Editor, "__import__('sys').executable.startswith('/usr/bin/python3')"), "True");
	EXPECT_EQ(EvalPython(Editor, "'' in __import__('sys').path"), "False");
}

TEST(PythonScriptPlugin, ExceptionsAreLoggedWithTracebackAndReturnFalse)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	FLogCapture Log;

	EXPECT_FALSE(Python->ExecPythonCommand("def fail():\n    raise ValueError('boom')\nfail()"));
	const std::vector<std::string> Errors = PythonLines(Log, ELogVerbosity::Error);
	ASSERT_FALSE(Errors.empty());
	EXPECT_EQ(Errors.front(), "Traceback (most recent call last):");
	EXPECT_THAT(Errors, Contains(HasSubstr("line 2, in fail")));
	EXPECT_EQ(Errors.back(), "ValueError: boom");

	Log.Clear();
	EXPECT_FALSE(Python->ExecPythonCommand("if True print('x')"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), Contains(HasSubstr("SyntaxError")));

	// Neither sys.exit nor a null byte ends the editor; both are reported like any error.
	Log.Clear();
	EXPECT_FALSE(Python->ExecPythonCommand("import sys\nsys.exit(3)"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), Contains("SystemExit: 3"));
	EXPECT_FALSE(Python->ExecPythonCommand(std::string_view("x = 1\0x = 2", 11)));
	EXPECT_TRUE(Python->ExecPythonCommand("pass"));
}

TEST(PythonScriptPlugin, StandardOutputAndErrorGoToTheLogLineByLine)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	FLogCapture Log;

	EXPECT_TRUE(Python->ExecPythonCommand("print('hello')\nprint('two\\nlines')\nprint('no line end', end='')"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Log), ElementsAre("hello", "two", "lines", "no line end"));

	Log.Clear();
	EXPECT_TRUE(Python->ExecPythonCommand("import sys\nsys.stderr.write('careful\\n')"));
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), ElementsAre("careful"));
}

TEST(PythonScriptPlugin, DeferredStartFiresTheInitializedEventOnce)
{
	FTestEditorOptions Options = EmbeddedPythonOptions();
	Options.bPythonInitialized = false;
	FTestEditor Editor(Options);
	FPythonScriptPlugin* Python = Editor.EmbeddedPython();
	ASSERT_NE(Python, nullptr);
	EXPECT_FALSE(Python->IsPythonInitialized());
	EXPECT_FALSE(Python->ExecPythonCommand("pass"));

	int Fired = 0;
	Python->OnPythonInitialized().AddRaw(&Fired, [&Fired]() { ++Fired; });
	EXPECT_TRUE(Python->InitializePython());
	EXPECT_TRUE(Python->InitializePython());
	EXPECT_EQ(Fired, 1);
	EXPECT_TRUE(Python->ExecPythonCommand("pass"));
}

TEST(PythonScriptPlugin, ToolsetBootstrapRunsWhicheverComesUpFirst)
{
	const auto WriteToolset = [](FTestEditor& Editor) {
		Editor.Project().WriteFile("Plugin/Resources/korvane_mcp_toolset.py",
			"import __main__\n"
			"def enable():\n"
			"    __main__.toolset_enabled = getattr(__main__, 'toolset_enabled', 0) + 1\n");
		Editor.Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor.Project().PathOf("Plugin/"), true);
	};
	{
		FTestEditorOptions Options = EmbeddedPythonOptions();
		FTestEditor Editor(Options);
		WriteToolset(Editor);
		Editor.LoadConnector();
		EXPECT_EQ(EvalPython(Editor, "toolset_enabled"), "1");
	}
	{
		FTestEditorOptions Options = EmbeddedPythonOptions();
		Options.bPythonInitialized = false;
		FTestEditor Editor(Options);
		WriteToolset(Editor);
		Editor.LoadConnector();
		Editor.StartPython();
		EXPECT_EQ(EvalPython(Editor, "toolset_enabled"), "1");
	}
}

TEST(PythonScriptPlugin, EachEditorStartsAFreshInterpreterAndFinalizesIt)
{
	{
		FTestEditor Editor(EmbeddedPythonOptions());
		EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("left_behind = 1"));
	}
	FLogCapture Log;
	FTestEditor Editor(EmbeddedPythonOptions());
	EXPECT_EQ(EvalPython(Editor, "'left_behind' in globals()"), "False");
	EXPECT_THAT(PythonLines(Log, ELogVerbosity::Error), IsEmpty());
}

TEST(PythonScriptPlugin, HostLoadsPythonBeforePlugInsUnlessTurnedOff)
{
	FTestProject Project;
	for (const bool bPython : {true, false})
	{
		FEditorHostOptions Options;
		Options.ProjectDir = Project.Dir();
		Options.HttpPort = 0;
		Options.bPython = bPython;
		std::string Error;
		const std::unique_ptr<FEditorHost> Host = FEditorHost::Create(Options, Error);
		ASSERT_NE(Host, nullptr) << Error;
		const IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
		EXPECT_EQ(Python != nullptr, bPython);
		EXPECT_EQ(Python != nullptr && Python->IsPythonInitialized(), bPython);
	}
}

TEST(PythonScriptPlugin, ProgramReportsPythonUnlessRunWithNoPython)
{
	FTestProject Project("Sandbox");
	const FProgramResult WithPython = RunProgram(KORVANE_EDITOR_BINARY, {"request", "GET", "/korvane/status", "--project", Project.Dir()});
	EXPECT_THAT(WithPython.Output, HasSubstr("\"pythonAvailable\":true"));
	const FProgramResult WithoutPython = RunProgram(KORVANE_EDITOR_BINARY, {"request", "GET", "/korvane/status", "--project", Project.Dir(), "--no-python"});
	EXPECT_THAT(WithoutPython.Output, HasSubstr("\"pythonAvailable\":false"));
}
