#include "Python/EditorPythonObjects.h"

#include "Graph/PinTypeFromProperty.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyValues.h"
#include "Objects/WeakObjectPtr.h"

#include <pybind11/operators.h>
#include <pybind11/stl.h>

#include <map>
#include <string>
#include <vector>

namespace py = pybind11;

namespace
{
	/** An editor object held by a script; it does not keep the object alive. */
	class FPythonObject
	{
	public:
		explicit FPythonObject(UObject* Object) : Weak(Object) {}

		UObject& Get() const
		{
			UObject* Object = Weak.Get();
			if (Object == nullptr)
			{
				throw std::runtime_error("the editor object no longer exists");
			}
			return *Object;
		}
		bool IsValid() const { return Weak.IsValid(); }
		friend bool operator==(const FPythonObject&, const FPythonObject&) = default;

	private:
		FWeakObjectPtr Weak;
	};

	/** A class of the class database; classes live as long as the program. */
	class FPythonClass : public FPythonObject
	{
	public:
		explicit FPythonClass(UClass* Class) : FPythonObject(Class) {}
		UClass& GetClass() const { return static_cast<UClass&>(Get()); }
	};

	/** A reflected property; it belongs to its class and lives as long as the class. */
	struct FPythonProperty
	{
		const FProperty* Property = nullptr;
	};

	std::vector<FPythonProperty> GetProperties(const UClass& Class, bool bIncludeSuper)
	{
		std::vector<FPythonProperty> Properties;
		for (TFieldIterator<FProperty> It(&Class, bIncludeSuper ? EFieldIteratorFlags::IncludeSuper : EFieldIteratorFlags::ExcludeSuper); It; ++It)
		{
			Properties.push_back({*It});
		}
		return Properties;
	}

	std::vector<py::object> GetDerivedClasses(const UClass& Class, bool bRecursive)
	{
		std::vector<UClass*> Classes;
		::GetDerivedClasses(&Class, Classes, bRecursive);
		std::vector<py::object> Wrapped;
		Wrapped.reserve(Classes.size());
		for (UClass* Derived : Classes)
		{
			Wrapped.push_back(EditorPythonObjects::Wrap(Derived));
		}
		return Wrapped;
	}

	std::string Describe(const FPythonObject& Object)
	{
		if (!Object.IsValid())
		{
			return "<editor.Object (gone)>";
		}
		const UObject& Target = Object.Get();
		return "<editor." + std::string(Target.IsA<UClass>() ? "Class " : "Object ") + Target.GetPathName() + " (" + Target.GetClass()->GetName() + ")>";
	}

	void DefineObject(py::module_& Module)
	{
		py::class_<FPythonObject>(Module, "Object", "An editor object. It does not keep the object alive; using one that is gone raises RuntimeError.")
			.def("get_name", [](const FPythonObject& Object) { return Object.Get().GetName(); }, "The object's name.")
			.def("get_path_name", [](const FPythonObject& Object) { return Object.Get().GetPathName(); },
				"The object's path, '/Game/Folder/Asset.Asset' for an asset.")
			.def("get_class", [](const FPythonObject& Object) { return EditorPythonObjects::Wrap(Object.Get().GetClass()); }, "The object's class.")
			.def("get_outer", [](const FPythonObject& Object) { return EditorPythonObjects::Wrap(Object.Get().GetOuter()); },
				"The object this one lives in (its package for an asset), or None.")
			.def("is_a", [](const FPythonObject& Object, const py::object& Class) { return Object.Get().IsA(&EditorPythonObjects::ToClass(Class)); },
				py::arg("cls"), "Whether the object's class is the class or derives from it.")
			.def(
				"get_property_text",
				[](const FPythonObject& Object, std::string_view Name) {
					std::optional<std::string> Value = GetPropertyValueText(Object.Get(), Name);
					if (!Value)
					{
						throw py::attribute_error(Object.Get().GetClass()->GetName() + " has no property '" + std::string(Name) + "'");
					}
					return *Value;
				},
				py::arg("name"), "A reflected property's value as the editor exports it to text ('True', '(X=1.000000,Y=0.000000,Z=0.000000)').")
			.def(
				"set_property_text",
				[](const FPythonObject& Object, std::string_view Name, std::string_view Value) {
					if (!SetPropertyValueText(Object.Get(), Name, Value))
					{
						throw py::attribute_error(Object.Get().GetClass()->GetName() + " has no property '" + std::string(Name) + "'");
					}
				},
				py::arg("name"), py::arg("value"), "Sets a reflected property from export text.")
			.def(
				"get_changed_property_texts",
				[](const FPythonObject& Object) {
					py::dict Changed;
					for (const auto& [Name, Value] : GetChangedPropertyValues(Object.Get()))
					{
						Changed[py::str(Name)] = py::str(Value);
					}
					return Changed;
				},
				"The properties whose values on this object differ from the class defaults: name to export text, in the order they were set.")
			.def("is_valid", &FPythonObject::IsValid, "Whether the object still exists.")
			.def(py::self == py::self)
			.def("__hash__", [](const FPythonObject& Object) { return py::hash(py::cast(static_cast<const void*>(&Object.Get()))); })
			.def("__repr__", &Describe);

		Module.def(
			"find_object",
			[](std::string_view ObjectPath) {
				UObject* Found = StaticFindObject(nullptr, nullptr, ObjectPath);
				return EditorPythonObjects::Wrap(IsValid(Found) ? Found : nullptr);
			},
			py::arg("object_path"),
			"The live object in memory at a full path ('/Game/Folder/Asset.Asset', a sub-object 'Package.Outer:Sub'); None when there is none. Never loads.");
	}

	void DefineClass(py::module_& Module)
	{
		py::class_<FPythonClass, FPythonObject>(Module, "Class", "A class of the editor's class database.")
			.def("get_super_class", [](const FPythonClass& Class) { return EditorPythonObjects::Wrap(Class.GetClass().GetSuperClass()); },
				"The class this one derives from, or None for Object.")
			.def("is_child_of", [](const FPythonClass& Class, const py::object& Base) { return Class.GetClass().IsChildOf(&EditorPythonObjects::ToClass(Base)); },
				py::arg("base"), "Whether this class is the base or derives from it.")
			.def("is_abstract", [](const FPythonClass& Class) { return Class.GetClass().HasAnyClassFlags(CLASS_Abstract); },
				"Whether the class is abstract (it has no objects: a component library offers only its subclasses).")
			.def("get_derived_classes", [](const FPythonClass& Class, bool bRecursive) { return GetDerivedClasses(Class.GetClass(), bRecursive); },
				py::arg("recursive") = true, "The classes derived from this one (at every level unless recursive is False), in the database's order.")
			.def("get_properties", [](const FPythonClass& Class, bool bIncludeSuper) { return GetProperties(Class.GetClass(), bIncludeSuper); },
				py::arg("include_super") = true, "The class's properties, its own first, then those of each super class.")
			.def(
				"find_property",
				[](const FPythonClass& Class, std::string_view Name) -> std::optional<FPythonProperty> {
					const FProperty* Property = Class.GetClass().FindPropertyByName(Name);
					return Property != nullptr ? std::optional<FPythonProperty>(FPythonProperty{Property}) : std::nullopt;
				},
				py::arg("name"), "The property of that name, declared by the class or a super class; None when there is none.");
	}

	void DefineProperty(py::module_& Module)
	{
		py::class_<FPythonProperty>(Module, "Property", "A reflected property of a class.")
			.def_property_readonly("name", [](const FPythonProperty& Property) { return Property.Property->GetName(); })
			.def_property_readonly("cpp_type", [](const FPythonProperty& Property) { return Property.Property->GetCPPType(); },
				"The declared C++ type text, such as 'FVector' or 'TObjectPtr<UStaticMesh>'.")
			.def_property_readonly("flags", [](const FPythonProperty& Property) { return Property.Property->GetPropertyFlags(); },
				"The 64-bit property flags with the editor's values (CPF_Edit is 0x1).")
			.def_property_readonly("metadata",
				[](const FPythonProperty& Property) {
					std::map<std::string, std::string> MetaData;
					for (const auto& [Key, Value] : Property.Property->GetMetaDataMap())
					{
						MetaData.emplace(Key, Value);
					}
					return MetaData;
				},
				"The metadata, such as {'Category': 'Rendering'}.")
			.def_property_readonly("default_value", [](const FPythonProperty& Property) { return Property.Property->GetDefaultValueText(); },
				"The class default's value as export text; empty when not recorded.")
			.def_property_readonly("owner_class", [](const FPythonProperty& Property) { return EditorPythonObjects::Wrap(Property.Property->GetOwnerClass()); })
			.def_property_readonly("pin_type",
				[](const FPythonProperty& Property) -> py::object {
					const std::optional<FEdGraphPinType> PinType = PinTypeFromProperty(*Property.Property);
					return PinType ? py::cast(*PinType) : py::none();
				},
				"The editor.PinType a Blueprint graph gives the property ('bool' for a bit-field uint8 named bX, 'struct' with the structure "
				"for FVector...); None for types without a pin.")
			.def("has_any_flags", [](const FPythonProperty& Property, uint64_t Mask) { return Property.Property->HasAnyPropertyFlags(Mask); }, py::arg("mask"))
			.def("__repr__", [](const FPythonProperty& Property) { return "<editor.Property " + Property.Property->GetName() + ": " + Property.Property->GetCPPType() + ">"; });
	}
}

void EditorPythonObjects::DefineTypes(py::module_& Module)
{
	DefineObject(Module);
	DefineClass(Module);
	DefineProperty(Module);
}

UClass* EditorPythonObjects::FindClass(std::string_view PathOrName)
{
	FClassDatabase& Classes = FClassDatabase::Get();
	return PathOrName.starts_with("/") ? Classes.FindClass(PathOrName) : Classes.FindClassByName(PathOrName);
}

py::object EditorPythonObjects::Wrap(UObject* Object)
{
	if (Object == nullptr)
	{
		return py::none();
	}
	if (UClass* Class = Cast<UClass>(Object))
	{
		return py::cast(FPythonClass(Class));
	}
	return py::cast(FPythonObject(Object));
}

UObject& EditorPythonObjects::ToObject(py::handle Value)
{
	if (!py::isinstance<FPythonObject>(Value))
	{
		throw py::type_error("expected an editor.Object");
	}
	return Value.cast<const FPythonObject&>().Get();
}

UClass& EditorPythonObjects::ToClass(py::handle Value)
{
	if (py::isinstance<FPythonClass>(Value))
	{
		return Value.cast<const FPythonClass&>().GetClass();
	}
	if (!py::isinstance<py::str>(Value))
	{
		throw py::type_error("expected an editor.Class or a class path");
	}
	const std::string Text = Value.cast<std::string>();
	UClass* Class = FindClass(Text);
	if (Class == nullptr)
	{
		throw py::value_error("no class '" + Text + "'");
	}
	return *Class;
}
