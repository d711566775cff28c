#include "Python/EditorPythonScriptCallables.h"

#include "Objects/Class.h"
#include "Objects/ScriptCallableRegistry.h"
#include "Objects/ScriptNames.h"
#include "Python/EditorPythonObjects.h"
#include "Python/PythonText.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace
{
	/** A registered class as scripts see it; it names the class, which stays known for the whole process. */
	struct FPythonScriptClass
	{
		std::string ClassPath;
	};

	/** One function of a registered class, found again by its script name at every call. */
	struct FPythonScriptFunction
	{
		std::string ClassPath;
		std::string ScriptName;
	};

	const FScriptCallableClass& GetEntry(const std::string& ClassPath)
	{
		// Handles are only made for registered classes, and the registry never forgets one.
		return *ScriptCallableRegistry::FindByPath(ClassPath);
	}

	std::string QualifiedName(const FPythonScriptFunction& Function)
	{
		return GetEntry(Function.ClassPath).Class->GetName() + "." + Function.ScriptName + "()";
	}

	[[noreturn]] void ThrowPythonError(PyObject* Type, const std::string& Message)
	{
		PyErr_SetString(Type, Message.c_str());
		throw py::error_already_set();
	}

	std::string TypeNameOf(py::handle Value)
	{
		return Py_TYPE(Value.ptr())->tp_name;
	}

	bool IsInteger(py::handle Value)
	{
		return PyLong_Check(Value.ptr()) && !PyBool_Check(Value.ptr());
	}

	/** The argument as the parameter's type; TypeError (OverflowError for an int out of range) naming the argument otherwise. */
	FScriptValue ToScriptValue(py::handle Value, EScriptValueType Type, const std::string& What)
	{
		const std::string Expected = What + " must be " + std::string(Type == EScriptValueType::StringArray ? "a " : "") + std::string(GetScriptTypeName(Type));
		switch (Type)
		{
		case EScriptValueType::Bool:
			if (PyBool_Check(Value.ptr()))
			{
				return Value.ptr() == Py_True;
			}
			break;
		case EScriptValueType::Int:
			if (IsInteger(Value))
			{
				int Overflow = 0;
				const long long Integer = PyLong_AsLongLongAndOverflow(Value.ptr(), &Overflow);
				if (Overflow != 0)
				{
					ThrowPythonError(PyExc_OverflowError, What + " does not fit in a 64-bit integer");
				}
				return static_cast<int64_t>(Integer);
			}
			break;
		case EScriptValueType::Float:
			if (PyFloat_Check(Value.ptr()) || IsInteger(Value))
			{
				const double Number = PyFloat_AsDouble(Value.ptr());
				if (Number == -1.0 && PyErr_Occurred() != nullptr)
				{
					throw py::error_already_set();
				}
				return Number;
			}
			break;
		case EScriptValueType::String:
			if (PyUnicode_Check(Value.ptr()))
			{
				return PythonText::ToUtf8(Value);
			}
			break;
		case EScriptValueType::StringArray:
			if (PyList_Check(Value.ptr()) || PyTuple_Check(Value.ptr()))
			{
				std::vector<std::string> Strings;
				std::size_t Index = 0;
				for (py::handle Item : py::reinterpret_borrow<py::sequence>(Value))
				{
					if (!PyUnicode_Check(Item.ptr()))
					{
						throw py::type_error(Expected + ", but item " + std::to_string(Index) + " is " + TypeNameOf(Item));
					}
					Strings.push_back(PythonText::ToUtf8(Item));
					++Index;
				}
				return Strings;
			}
			break;
		}
		throw py::type_error(Expected + ", not " + TypeNameOf(Value));
	}

	py::object ToPython(const FScriptValue& Value)
	{
		if (const bool* Bool = std::get_if<bool>(&Value))
		{
			return py::bool_(*Bool);
		}
		if (const int64_t* Int = std::get_if<int64_t>(&Value))
		{
			return py::int_(*Int);
		}
		if (const double* Float = std::get_if<double>(&Value))
		{
			return py::float_(*Float);
		}
		if (const std::string* String = std::get_if<std::string>(&Value))
		{
			return PythonText::ToPythonString(*String);
		}
		py::list List;
		for (const std::string& Item : std::get<std::vector<std::string>>(Value))
		{
			List.append(PythonText::ToPythonString(Item));
		}
		return List;
	}

	/** One value per parameter, from the positional and keyword arguments and the defaults, as Python binds a call. */
	std::vector<FScriptValue> BindArguments(const FScriptFunction& Function, const std::string& Name, const py::args& Args, const py::kwargs& Kwargs)
	{
		const std::size_t ParamCount = Function.Params.size();
		if (Args.size() > ParamCount)
		{
			throw py::type_error(Name + " takes " + std::to_string(ParamCount) + " positional argument" + (ParamCount == 1 ? "" : "s") + " but "
				+ std::to_string(Args.size()) + (Args.size() == 1 ? " was" : " were") + " given");
		}
		std::vector<std::string> ParamNames;
		for (const FScriptParam& Param : Function.Params)
		{
			ParamNames.push_back(ToScriptParamName(Param));
		}
		std::vector<py::handle> Given(ParamCount);
		for (std::size_t Index = 0; Index < Args.size(); ++Index)
		{
			Given[Index] = Args[Index];
		}
		for (const auto& [Key, Value] : Kwargs)
		{
			const std::string KeyName = PythonText::ToUtf8(Key);
			const auto Found = std::find(ParamNames.begin(), ParamNames.end(), KeyName);
			if (Found == ParamNames.end())
			{
				throw py::type_error(Name + " got an unexpected keyword argument '" + KeyName + "'");
			}
			py::handle& Slot = Given[static_cast<std::size_t>(Found - ParamNames.begin())];
			if (Slot)
			{
				throw py::type_error(Name + " got multiple values for argument '" + KeyName + "'");
			}
			Slot = Value;
		}

		std::vector<FScriptValue> Arguments;
		Arguments.reserve(ParamCount);
		for (std::size_t Index = 0; Index < ParamCount; ++Index)
		{
			const FScriptParam& Param = Function.Params[Index];
			if (Given[Index])
			{
				Arguments.push_back(ToScriptValue(Given[Index], Param.Type, Name + " argument '" + ParamNames[Index] + "'"));
			}
			else if (Param.Default)
			{
				Arguments.push_back(*Param.Default);
			}
			else
			{
				throw py::type_error(Name + " missing required argument '" + ParamNames[Index] + "'");
			}
		}
		return Arguments;
	}

	py::object Call(const FPythonScriptFunction& Self, const py::args& Args, const py::kwargs& Kwargs)
	{
		const FScriptCallableClass& Entry = GetEntry(Self.ClassPath);
		const std::string Name = QualifiedName(Self);
		if (!Entry.bRegistered)
		{
			throw std::runtime_error(Name + " is no longer available: the functions of " + Entry.ClassPath + " were unregistered");
		}
		const FScriptFunction* Found = ScriptCallableRegistry::FindFunction(Entry, Self.ScriptName);
		if (Found == nullptr)
		{
			throw std::runtime_error(Name + " is no longer available: " + Entry.ClassPath + " was registered again without it");
		}
		// A copy: the function may register its own class again while it runs.
		const FScriptFunction Function = *Found;
		const std::vector<FScriptValue> Arguments = BindArguments(Function, Name, Args, Kwargs);
		return ToPython(Function.Invoke(Arguments));
	}

	std::string Signature(const FScriptFunction& Function)
	{
		std::string Text = ToScriptName(Function.Name) + "(";
		for (const FScriptParam& Param : Function.Params)
		{
			Text += (&Param == &Function.Params.front() ? "" : ", ") + ToScriptParamName(Param) + ": " + std::string(GetScriptTypeName(Param.Type));
			if (Param.Default)
			{
				Text += " = " + py::repr(ToPython(*Param.Default)).cast<std::string>();
			}
		}
		return Text + ") -> " + std::string(GetScriptTypeName(Function.ReturnType));
	}

	std::string Documentation(const FPythonScriptFunction& Self)
	{
		const FScriptCallableClass& Entry = GetEntry(Self.ClassPath);
		const FScriptFunction* Function = Entry.bRegistered ? ScriptCallableRegistry::FindFunction(Entry, Self.ScriptName) : nullptr;
		return Function == nullptr ? QualifiedName(Self) + " (no longer available)" : Signature(*Function) + "\n\n" + Function->ToolTip;
	}

	py::object GetFunction(const FPythonScriptClass& Self, const std::string& ScriptName)
	{
		const FScriptCallableClass& Entry = GetEntry(Self.ClassPath);
		const std::string ClassName = Entry.Class->GetName();
		if (!Entry.bRegistered)
		{
			throw py::attribute_error(ClassName + " has no function '" + ScriptName + "': the functions of " + Entry.ClassPath + " were unregistered");
		}
		if (ScriptCallableRegistry::FindFunction(Entry, ScriptName) == nullptr)
		{
			throw py::attribute_error(ClassName + " has no function '" + ScriptName + "'");
		}
		return py::cast(FPythonScriptFunction{Self.ClassPath, ScriptName});
	}

	std::vector<std::string> GetFunctionNames(const FPythonScriptClass& Self)
	{
		std::vector<std::string> Names{"static_class"};
		for (const FScriptFunction& Function : GetEntry(Self.ClassPath).Functions)
		{
			Names.push_back(ToScriptName(Function.Name));
		}
		return Names;
	}

	void DefineClassType(py::module_& Module)
	{
		py::class_<FPythonScriptClass>(Module, "ScriptCallableClass", "A native class whose static functions a plug-in offers to scripts.")
			.def("static_class", [](const FPythonScriptClass& Self) { return EditorPythonObjects::Wrap(GetEntry(Self.ClassPath).Class); },
				"The class in the class database, as an editor.Class.")
			.def("__getattr__", &GetFunction, py::arg("name"))
			.def("__dir__", &GetFunctionNames)
			.def("__repr__", [](const FPythonScriptClass& Self) { return "<editor." + GetEntry(Self.ClassPath).Class->GetName() + " " + Self.ClassPath + ">"; });
	}

	void DefineFunctionType(py::module_& Module)
	{
		py::class_<FPythonScriptFunction>(Module, "ScriptCallableFunction", "A static function of a native class, called with the class's arguments.")
			.def("__call__", &Call)
			.def_property_readonly("__doc__", &Documentation)
			.def("__repr__", [](const FPythonScriptFunction& Self) { return "<editor function " + QualifiedName(Self) + ">"; });
	}

	void DefineModuleLookup(py::module_& Module)
	{
		Module.def(
			"__getattr__",
			[](const std::string& Name) -> py::object {
				const FScriptCallableClass* Entry = ScriptCallableRegistry::FindByName(Name);
				if (Entry == nullptr)
				{
					throw py::attribute_error("module 'editor' has no attribute '" + Name + "'");
				}
				return py::cast(FPythonScriptClass{Entry->ClassPath});
			},
			py::arg("name"));
		Module.def("__dir__", []() {
			std::vector<std::string> Names;
			for (const auto& Item : py::module_::import("editor").attr("__dict__").cast<py::dict>())
			{
				Names.push_back(Item.first.cast<std::string>());
			}
			for (std::string& ClassName : ScriptCallableRegistry::GetClassNames())
			{
				Names.push_back(std::move(ClassName));
			}
			std::sort(Names.begin(), Names.end());
			Names.erase(std::unique(Names.begin(), Names.end()), Names.end());
			return Names;
		});
	}
}

void EditorPythonScriptCallables::DefineTypes(py::module_& Module)
{
	DefineClassType(Module);
	DefineFunctionType(Module);
	DefineModuleLookup(Module);
}
