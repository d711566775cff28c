#include "Python/EditorPythonJson.h"

#include "Core/JsonObject.h"
#include "Python/PythonText.h"

#include <cmath>

namespace py = pybind11;

namespace
{
	constexpr int MaxDepth = 100;
	/** Doubles hold every whole number up to 2^53 exactly. */
	constexpr double LargestExactInteger = 9007199254740992.0;

	std::string TypeNameOf(py::handle Value)
	{
		return Py_TYPE(Value.ptr())->tp_name;
	}

	FJsonValue Convert(py::handle Value, const std::string& Path, int Depth)
	{
		if (Depth > MaxDepth)
		{
			throw py::value_error(Path + " is nested more than " + std::to_string(MaxDepth) + " levels deep");
		}
		if (Value.is_none())
		{
			return FJsonValue();
		}
		if (PyBool_Check(Value.ptr()))
		{
			return FJsonValue(Value.ptr() == Py_True);
		}
		if (PyLong_Check(Value.ptr()) || PyFloat_Check(Value.ptr()))
		{
			const double Number = PyFloat_AsDouble(Value.ptr());
			if (Number == -1.0 && PyErr_Occurred() != nullptr)
			{
				throw py::error_already_set();
			}
			if (!std::isfinite(Number))
			{
				throw py::value_error(Path + " is " + py::repr(Value).cast<std::string>() + ", which JSON cannot hold");
			}
			return FJsonValue(Number);
		}
		if (PyUnicode_Check(Value.ptr()))
		{
			return FJsonValue(PythonText::ToUtf8(Value));
		}
		if (PyList_Check(Value.ptr()) || PyTuple_Check(Value.ptr()))
		{
			FJsonValueArray Items;
			std::size_t Index = 0;
			for (py::handle Item : py::reinterpret_borrow<py::sequence>(Value))
			{
				Items.push_back(Convert(Item, Path + "[" + std::to_string(Index++) + "]", Depth + 1));
			}
			return FJsonValue(std::move(Items));
		}
		if (PyDict_Check(Value.ptr()))
		{
			auto Object = std::make_shared<FJsonObject>();
			for (const auto& [Key, Item] : py::reinterpret_borrow<py::dict>(Value))
			{
				if (!PyUnicode_Check(Key.ptr()))
				{
					throw py::type_error(Path + " has a key of type " + TypeNameOf(Key) + "; JSON keys are str");
				}
				const std::string KeyText = PythonText::ToUtf8(Key);
				Object->SetField(KeyText, Convert(Item, Path + "['" + KeyText + "']", Depth + 1));
			}
			return FJsonValue(std::move(Object));
		}
		throw py::type_error(Path + " is of type " + TypeNameOf(Value) + ", which has no JSON form");
	}
}

FJsonValue EditorPythonJson::ToJson(py::handle Value, const std::string& Where)
{
	return Convert(Value, Where, 0);
}

py::object EditorPythonJson::ToPython(const FJsonValue& Value)
{
	switch (Value.Type())
	{
	case EJson::Null:
		return py::none();
	case EJson::Boolean:
		return py::bool_(*Value.TryGetBool());
	case EJson::Number:
	{
		const double Number = *Value.TryGetNumber();
		if (std::trunc(Number) == Number && std::abs(Number) <= LargestExactInteger)
		{
			return py::int_(static_cast<long long>(Number));
		}
		return py::float_(Number);
	}
	case EJson::String:
		return PythonText::ToPythonString(*Value.TryGetString());
	case EJson::Array:
	{
		py::list List;
		for (const FJsonValue& Item : *Value.TryGetArray())
		{
			List.append(ToPython(Item));
		}
		return List;
	}
	case EJson::Object:
		return ToPython(*Value.TryGetObject());
	}
	return py::none();
}

py::dict EditorPythonJson::ToPython(const FJsonObject& Object)
{
	py::dict Dict;
	for (const FJsonObject::FMember& Member : Object.Values())
	{
		Dict[PythonText::ToPythonString(Member.first)] = ToPython(Member.second);
	}
	return Dict;
}
