#include "Python/PythonScriptPluginModule.h"

#include "Python/EditorPythonModule.h"
#include "Python/LogPython.h"

#include <pybind11/embed.h>

#include <algorithm>
#include <optional>
#include <string>

namespace py = pybind11;

namespace
{
	/**
	 * What Python writes to sys.stdout or sys.stderr, cut into lines for the log.
	 * Text without a line end waits for the rest of its line, or for a flush.
	 */
	class FPythonOutputStream
	{
	public:
		explicit FPythonOutputStream(ELogVerbosity InVerbosity) : Verbosity(InVerbosity) {}

		void Write(std::string_view Text)
		{
			Pending += Text;
			std::size_t LineStart = 0;
			for (std::size_t LineEnd = Pending.find('\n'); LineEnd != std::string::npos; LineEnd = Pending.find('\n', LineStart))
			{
				FLog::Write(LogPython, Verbosity, std::string_view(Pending).substr(LineStart, LineEnd - LineStart));
				LineStart = LineEnd + 1;
			}
			Pending.erase(0, LineStart);
		}

		void Flush()
		{
			if (!Pending.empty())
			{
				FLog::Write(LogPython, Verbosity, Pending);
				Pending.clear();
			}
		}

	private:
		ELogVerbosity Verbosity;
		std::string Pending;
	};

	/** Logs an exception as Python prints it, the traceback and then the exception, one log line per line. */
	void LogPythonException(const py::error_already_set& Error)
	{
		std::string Text;
		try
		{
			const auto OrNone = [](const py::object& Part) -> py::object { return Part ? Part : py::none(); };
			const py::object Format = py::module_::import("traceback").attr("format_exception");
			Text = py::str("").attr("join")(Format(OrNone(Error.type()), OrNone(Error.value()), OrNone(Error.trace()))).cast<std::string>();
		}
		catch (const std::exception&)
		{
			Text = Error.what();
		}
		std::string_view Rest = Text;
		while (!Rest.empty())
		{
			const std::size_t LineEnd = std::min(Rest.find('\n'), Rest.size());
			FLog::Write(LogPython, ELogVerbosity::Error, Rest.substr(0, LineEnd));
			Rest.remove_prefix(std::min(LineEnd + 1, Rest.size()));
		}
	}

	/** Starts CPython as this editor embeds it; the reason when it does not start. */
	std::optional<std::string> StartCPython()
	{
		PyConfig Config;
		// Isolated: PYTHONPATH, PYTHONHOME and the user's site folder do not leak in, no
		// signal handlers are installed, and the working directory is not on sys.path.
		PyConfig_InitIsolatedConfig(&Config);
		PyStatus Status = PyConfig_SetBytesString(&Config, &Config.program_name, KORVANE_PYTHON_EXECUTABLE);
		if (!PyStatus_Exception(Status))
		{
			Status = Py_InitializeFromConfig(&Config);
		}
		PyConfig_Clear(&Config);
		if (PyStatus_Exception(Status))
		{
			return std::string(Status.err_msg != nullptr ? Status.err_msg : "unknown error");
		}
		return std::nullopt;
	}
}

/**
 * The running interpreter. While it lives, the interpreter is up and the game
 * thread does not hold the GIL between calls; each call takes it for its
 * duration, so the game thread may move to another OS thread (as it does in
 * tests) without confusing CPython's thread states.
 */
class FPythonScriptPlugin::FInterpreter
{
public:
	/** Starts CPython and redirects its output; nullptr and the reason when it fails. */
	static std::unique_ptr<FInterpreter> Start(std::string& OutError)
	{
		RegisterEditorPythonModule();
		if (std::optional<std::string> Error = StartCPython())
		{
			OutError = std::move(*Error);
			return nullptr;
		}
		std::unique_ptr<FInterpreter> Interpreter(new FInterpreter());
		try
		{
			Interpreter->RedirectOutput();
			Interpreter->MainGlobals = py::module_::import("__main__").attr("__dict__");
		}
		catch (const py::error_already_set& Error)
		{
			OutError = Error.what();
			return nullptr;
		}
		Interpreter->MainThreadState = PyEval_SaveThread();
		return Interpreter;
	}

	~FInterpreter()
	{
		if (MainThreadState != nullptr)
		{
			PyEval_RestoreThread(MainThreadState);
		}
		if (StdOut && StdErr)
		{
			FlushOutput();
		}
		MainGlobals = py::object();
		StdOut = py::object();
		StdErr = py::object();
		py::finalize_interpreter();
	}

	bool Exec(std::string_view Command)
	{
		const py::gil_scoped_acquire Gil;
		const bool bSucceeded = Run(Command);
		FlushOutput();
		return bSucceeded;
	}

private:
	FInterpreter() = default;

	bool Run(std::string_view Command)
	{
		try
		{
			if (Command.find('\0') != std::string_view::npos)
			{
				PyErr_SetString(PyExc_ValueError, "source code string cannot contain null bytes");
				throw py::error_already_set();
			}
			const std::string Source(Command);
			const py::object Code = py::reinterpret_steal<py::object>(Py_CompileString(Source.c_str(), "<string>", Py_file_input));
			if (!Code)
			{
				throw py::error_already_set();
			}
			const py::object Result = py::reinterpret_steal<py::object>(PyEval_EvalCode(Code.ptr(), MainGlobals.ptr(), MainGlobals.ptr()));
			if (!Result)
			{
				throw py::error_already_set();
			}
			return true;
		}
		catch (py::error_already_set& Error)
		{
			FlushOutput();
			LogPythonException(Error);
			return false;
		}
	}

	void RedirectOutput()
	{
		py::module_ Scope = py::reinterpret_steal<py::module_>(PyModule_New("_editor_output"));
		py::class_<FPythonOutputStream>(Scope, "OutputStream")
			.def("write", [](FPythonOutputStream& Stream, std::string_view Text) {
				Stream.Write(Text);
				return Text.size();
			})
			.def("flush", &FPythonOutputStream::Flush)
			.def("isatty", [](const FPythonOutputStream&) { return false; });

		StdOut = py::cast(FPythonOutputStream(ELogVerbosity::Log));
		StdErr = py::cast(FPythonOutputStream(ELogVerbosity::Error));
		const py::object Sys = py::module_::import("sys");
		Sys.attr("stdout") = StdOut;
		Sys.attr("stderr") = StdErr;
	}

	/** Writes what is left of a line to the log (commands end their output with it). */
	void FlushOutput()
	{
		StdOut.cast<FPythonOutputStream&>().Flush();
		StdErr.cast<FPythonOutputStream&>().Flush();
	}

	py::object MainGlobals;
	/** The streams the interpreter started with (kept even when a script replaces sys.stdout). */
	py::object StdOut;
	py::object StdErr;
	PyThreadState* MainThreadState = nullptr;
};

FPythonScriptPlugin::FPythonScriptPlugin(EInitialization InInitialization)
	: Initialization(InInitialization)
{
}

FPythonScriptPlugin::~FPythonScriptPlugin() = default;

void FPythonScriptPlugin::StartupModule()
{
	if (Initialization == EInitialization::AtStartup)
	{
		InitializePython();
	}
}

void FPythonScriptPlugin::ShutdownModule()
{
	if (Interpreter)
	{
		Interpreter.reset();
		UE_LOG(LogPython, Log, "Python interpreter finalized.");
	}
}

bool FPythonScriptPlugin::InitializePython()
{
	if (Interpreter)
	{
		return true;
	}
	if (!bAvailable)
	{
		return false;
	}
	if (Py_IsInitialized())
	{
		UE_LOG(LogPython, Error, "Python could not start: another interpreter is running in this process.");
		bAvailable = false;
		return false;
	}

	std::string Error;
	Interpreter = FInterpreter::Start(Error);
	if (!Interpreter)
	{
		UE_LOG(LogPython, Error, "Python could not start: %s", Error.c_str());
		bAvailable = false;
		return false;
	}
	UE_LOG(LogPython, Log, "Python %s initialized.", Py_GetVersion());
	PythonInitialized.Broadcast();
	return true;
}

bool FPythonScriptPlugin::ExecPythonCommand(std::string_view Command)
{
	if (!Interpreter)
	{
		UE_LOG(LogPython, Error, "Python is not initialized; the command was not run.");
		return false;
	}
	return Interpreter->Exec(Command);
}
