#include "Python/EditorPythonToolsets.h"

#include "Core/JsonObject.h"
#include "Mcp/ToolsetRegistryModule.h"
#include "Python/EditorPythonJson.h"
#include "Python/LogPython.h"
#include "Python/PythonText.h"
#include "Runtime/EditorHost.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace py = pybind11;

namespace
{
	/** Counts interpreters: a callable kept from an earlier one is never touched again. */
	uint64_t GInterpreterGeneration = 0;
	/** The toolsets scripts of the running interpreter registered. */
	std::vector<std::string> GScriptToolsets;

	constexpr std::array<std::string_view, 4> ToolKeys = {"name", "description", "input_schema", "function"};

	/** A script's callable held by a tool; released with the GIL, and only while its interpreter runs. */
	class FPythonCallable
	{
	public:
		explicit FPythonCallable(py::object InCallable) : Callable(InCallable.release().ptr()), Generation(GInterpreterGeneration) {}
		~FPythonCallable()
		{
			if (Generation == GInterpreterGeneration && Py_IsInitialized())
			{
				const py::gil_scoped_acquire Gil;
				Py_DECREF(Callable);
			}
		}
		FPythonCallable(const FPythonCallable&) = delete;
		FPythonCallable& operator=(const FPythonCallable&) = delete;

		py::handle Get() const { return Callable; }

	private:
		PyObject* Callable;
		uint64_t Generation;
	};

	FToolsetRegistry* FindRegistry()
	{
		FToolsetRegistryModule* Module = FEditorHost::Get() != nullptr ? FToolsetRegistryModule::Get() : nullptr;
		return Module != nullptr ? &Module->GetRegistry() : nullptr;
	}

	FToolsetRegistry& GetRegistry()
	{
		FToolsetRegistry* Registry = FindRegistry();
		if (Registry == nullptr)
		{
			throw std::runtime_error("ToolsetRegistry plug-in is not enabled");
		}
		return *Registry;
	}

	std::string ExceptionTypeName(const py::error_already_set& Error)
	{
		return Error.type() ? py::str(Error.type().attr("__name__")).cast<std::string>() : std::string("Exception");
	}

	/** What a tool's exception tells the agent: its message, or its type when it has none. */
	std::string DescribeException(const py::error_already_set& Error)
	{
		try
		{
			const std::string Message = py::str(Error.value()).cast<std::string>();
			return Message.empty() ? ExceptionTypeName(Error) : Message;
		}
		catch (const std::exception&)
		{
			return Error.what();
		}
	}

	void FlushScriptOutput()
	{
		try
		{
			py::module_::import("sys").attr("stdout").attr("flush")();
		}
		catch (py::error_already_set&)
		{
			// A script that replaced sys.stdout with something unflushable keeps its output.
		}
	}

	FMcpToolResult CallScriptTool(const FPythonCallable& Callable, const std::string& ToolName, const FJsonObject& Arguments)
	{
		const py::gil_scoped_acquire Gil;
		FMcpToolResult Result;
		try
		{
			const py::object Returned = Callable.Get()(EditorPythonJson::ToPython(Arguments));
			if (PyUnicode_Check(Returned.ptr()))
			{
				Result.Text = PythonText::ToUtf8(Returned);
			}
			else
			{
				Result = {"tool '" + ToolName + "' returned " + std::string(Py_TYPE(Returned.ptr())->tp_name) + ", not str", true};
			}
		}
		catch (py::error_already_set& Error)
		{
			Result = {DescribeException(Error), true};
			UE_LOG(LogPython, Warning, "MCP tool '%s' raised %s: %s", ToolName.c_str(), ExceptionTypeName(Error).c_str(), Result.Text.c_str());
		}
		FlushScriptOutput();
		return Result;
	}

	std::string ToolLabel(std::size_t Index, const std::string& ToolsetName)
	{
		return "tool " + std::to_string(Index) + " of toolset '" + ToolsetName + "'";
	}

	FMcpTool ReadTool(py::handle Entry, std::size_t Index, const std::string& ToolsetName)
	{
		const std::string Label = ToolLabel(Index, ToolsetName);
		if (!PyDict_Check(Entry.ptr()))
		{
			throw py::type_error(Label + " must be a dict, not " + std::string(Py_TYPE(Entry.ptr())->tp_name));
		}
		const py::dict Fields = py::reinterpret_borrow<py::dict>(Entry);
		for (const auto& [Key, Value] : Fields)
		{
			const bool bKnown = PyUnicode_Check(Key.ptr()) && std::find(ToolKeys.begin(), ToolKeys.end(), PythonText::ToUtf8(Key)) != ToolKeys.end();
			if (!bKnown)
			{
				throw py::value_error(Label + " has the unknown key " + py::repr(Key).cast<std::string>() + " (a tool has name, description, input_schema and function)");
			}
		}
		const auto Text = [&](const char* Key, bool bRequired) -> std::string {
			if (!Fields.contains(Key))
			{
				if (bRequired)
				{
					throw py::value_error(Label + " needs a '" + Key + "'");
				}
				return std::string();
			}
			const py::handle Value = Fields[Key];
			if (!PyUnicode_Check(Value.ptr()))
			{
				throw py::type_error(Label + ": '" + Key + "' must be str, not " + std::string(Py_TYPE(Value.ptr())->tp_name));
			}
			return PythonText::ToUtf8(Value);
		};

		FMcpTool Tool;
		Tool.Name = Text("name", true);
		if (Tool.Name.empty())
		{
			throw py::value_error(Label + " has an empty name");
		}
		const std::string Named = "tool '" + Tool.Name + "'";
		Tool.Description = Text("description", false);

		if (Fields.contains("input_schema"))
		{
			const py::handle Schema = Fields["input_schema"];
			if (!PyDict_Check(Schema.ptr()))
			{
				throw py::type_error(Named + ": 'input_schema' must be a dict, not " + std::string(Py_TYPE(Schema.ptr())->tp_name));
			}
			Tool.InputSchema = EditorPythonJson::ToJson(Schema, Named + " input_schema").TryGetObject();
		}
		else
		{
			Tool.InputSchema = std::make_shared<FJsonObject>();
			Tool.InputSchema->SetStringField("type", "object");
		}
		if (Tool.InputSchema->TryGetStringField("type") != std::optional<std::string>("object"))
		{
			throw py::value_error(Named + ": 'input_schema' must describe an object ({'type': 'object', ...})");
		}

		if (!Fields.contains("function") || !PyCallable_Check(py::handle(Fields["function"]).ptr()))
		{
			throw py::type_error(Named + " needs a 'function' that can be called with the arguments dict");
		}
		auto Callable = std::make_shared<FPythonCallable>(py::reinterpret_borrow<py::object>(Fields["function"]));
		Tool.Call = [Callable, ToolName = Tool.Name](const FJsonObject& Arguments) { return CallScriptTool(*Callable, ToolName, Arguments); };
		return Tool;
	}

	void RegisterToolset(const std::string& Name, const py::handle& Tools)
	{
		FToolsetRegistry& Registry = GetRegistry();
		if (Name.empty())
		{
			throw py::value_error("a toolset needs a name");
		}
		if (!PyList_Check(Tools.ptr()) && !PyTuple_Check(Tools.ptr()))
		{
			throw py::type_error("the tools of toolset '" + Name + "' must be a list of dicts, not " + std::string(Py_TYPE(Tools.ptr())->tp_name));
		}
		std::vector<FMcpTool> Read;
		std::size_t Index = 0;
		for (py::handle Entry : py::reinterpret_borrow<py::sequence>(Tools))
		{
			Read.push_back(ReadTool(Entry, Index++, Name));
		}
		if (const std::optional<std::string> Refusal = Registry.RegisterToolset(Name, std::move(Read)))
		{
			throw py::value_error(*Refusal);
		}
		if (std::find(GScriptToolsets.begin(), GScriptToolsets.end(), Name) == GScriptToolsets.end())
		{
			GScriptToolsets.push_back(Name);
		}
	}

	bool UnregisterToolset(const std::string& Name)
	{
		const bool bWithdrawn = GetRegistry().UnregisterToolset(Name);
		GScriptToolsets.erase(std::remove(GScriptToolsets.begin(), GScriptToolsets.end(), Name), GScriptToolsets.end());
		return bWithdrawn;
	}

	/** Runs as the interpreter ends (atexit), while the callables can still be released. */
	void WithdrawScriptToolsets()
	{
		if (FToolsetRegistry* Registry = FindRegistry())
		{
			for (const std::string& Name : GScriptToolsets)
			{
				Registry->UnregisterToolset(Name);
			}
		}
		GScriptToolsets.clear();
		++GInterpreterGeneration;
	}
}

void EditorPythonToolsets::DefineFunctions(py::module_& Module)
{
	++GInterpreterGeneration;
	GScriptToolsets.clear();
	py::module_::import("atexit").attr("register")(py::cpp_function(&WithdrawScriptToolsets));

	Module.def("is_toolset_registry_available", []() { return FindRegistry() != nullptr; },
		"Whether the editor has the ToolsetRegistry plug-in (its own MCP server serves the toolsets).");
	Module.def("register_toolset", &RegisterToolset, py::arg("name"), py::arg("tools"),
		"Registers the toolset, replacing one of the same name. Each tool is a dict: 'name' (str), 'description' (str, default ''), "
		"'input_schema' (the JSON Schema of its arguments, a dict with 'type': 'object'; default {'type': 'object'}) and 'function' "
		"(called with the arguments dict, returns the result text as a str). TypeError or ValueError when a tool is not one; "
		"RuntimeError without the ToolsetRegistry plug-in.");
	Module.def("unregister_toolset", &UnregisterToolset, py::arg("name"),
		"Withdraws the toolset; False when none has that name. RuntimeError without the ToolsetRegistry plug-in.");
	Module.def("get_registered_toolsets", []() { return GetRegistry().GetToolsetNames(); },
		"The names of the registered toolsets, in registration order. RuntimeError without the ToolsetRegistry plug-in.");
}
