#include "Python/EditorPythonWidgets.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonObjects.h"

#include "Assets/AssetToolsModule.h"
#include "Core/TextHelpers.h"
#include "Editor/Factories/WidgetBlueprintFactory.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectPropertyBase.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Objects/Vector2DPropertyValue.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

#include <pybind11/stl.h>

#include <optional>
#include <string>

namespace py = pybind11;

namespace
{
	UWidgetBlueprint& ToWidgetBlueprint(py::handle Value)
	{
		UWidgetBlueprint* const Blueprint = Cast<UWidgetBlueprint>(&EditorPythonObjects::ToObject(Value));
		if (Blueprint == nullptr)
		{
			throw py::type_error("expected a Widget Blueprint");
		}
		return *Blueprint;
	}

	UWidgetTree& TreeOf(UWidgetBlueprint& Blueprint)
	{
		if (Blueprint.WidgetTree == nullptr)
		{
			throw py::value_error("the Widget Blueprint " + Blueprint.GetPathName() + " has no widget tree");
		}
		return *Blueprint.WidgetTree;
	}

	UWidget& FindWidget(UWidgetBlueprint& Blueprint, std::string_view Name)
	{
		UWidget* const Widget = TreeOf(Blueprint).FindWidget(Name);
		if (Widget == nullptr)
		{
			throw py::value_error("the Widget Blueprint has no widget '" + std::string(Name) + "'");
		}
		return *Widget;
	}

	/** The values of Object that differ from its class defaults, each exported against the default (a structure lists only the members that differ). */
	py::dict ChangedProperties(const UObject& Object)
	{
		py::dict Properties;
		for (const auto& [Name, Value] : GetChangedPropertyValues(Object))
		{
			const FProperty* const Property = Object.GetClass()->FindPropertyByName(Name);
			const std::string Text = Property != nullptr ? ExportPropertyTextDelta(*Property, Value, Object.GetClass()->GetDefaultValueText(*Property)) : Value;
			if (!Text.empty())
			{
				Properties[py::str(Name)] = Text;
			}
		}
		return Properties;
	}

	/** A widget as a dict: class, name, is_variable, properties, slot_properties and, to any depth, children. */
	py::dict WidgetNode(const UWidget& Widget, std::size_t Depth = 0)
	{
		py::dict Node;
		Node["class"] = Widget.GetClass()->GetName();
		Node["name"] = Widget.GetName();
		Node["is_variable"] = Widget.GetIsVariable();
		Node["properties"] = ChangedProperties(Widget);
		const UPanelSlot* const Slot = Widget.Slot;
		Node["slot_properties"] = Slot != nullptr ? ChangedProperties(*Slot) : py::dict();
		py::list Children;
		const UPanelWidget* const Panel = Cast<UPanelWidget>(&Widget);
		// The tree's own hierarchy has no loops (AddChild and the text factory refuse them); the depth bound guards the walk all the same.
		for (int32_t Index = 0; Panel != nullptr && Depth < 1024 && Index < Panel->GetChildrenCount(); ++Index)
		{
			if (const UWidget* const Child = Panel->GetChildAt(Index))
			{
				Children.append(WidgetNode(*Child, Depth + 1));
			}
		}
		Node["children"] = Children;
		return Node;
	}

	py::object CreateWidgetBlueprint(std::string_view FolderPath, std::string_view Name, std::string_view Kind, const py::object& ParentClass)
	{
		const bool bUserWidget = Text::EqualsIgnoreCase(Kind, "UserWidget");
		if (!bUserWidget && !Text::EqualsIgnoreCase(Kind, "EditorUtilityWidget"))
		{
			throw py::value_error("kind must be 'UserWidget' or 'EditorUtilityWidget', not '" + std::string(Kind) + "'");
		}
		const std::string PackageName = std::string(FolderPath) + "/" + std::string(Name);
		if (!FPackageName::IsValidPath(FolderPath) || !FPackageName::IsValidLongPackageName(PackageName))
		{
			throw py::value_error("not a valid asset path: '" + PackageName + "'");
		}
		if (EditorAssetLibrary::DoesAssetExist(PackageName))
		{
			throw py::value_error("an asset already exists at '" + PackageName + "'");
		}
		UFactory* const Factory = bUserWidget ? static_cast<UFactory*>(NewObject<UWidgetBlueprintFactory>(GetTransientPackage()))
											  : static_cast<UFactory*>(NewObject<UEditorUtilityWidgetBlueprintFactory>(GetTransientPackage()));
		if (!ParentClass.is_none())
		{
			UClass& Parent = EditorPythonObjects::ToClass(ParentClass);
			FObjectPropertyBase::From(Factory->GetClass()->FindPropertyByName("ParentClass"))->SetObjectPropertyValue_InContainer(Factory, &Parent);
		}
		UObject* const Asset = FAssetToolsModule::GetModule().Get().CreateAsset(Name, FolderPath, nullptr, Factory);
		Factory->MarkAsGarbage();
		if (Asset == nullptr)
		{
			throw py::value_error("cannot create a " + std::string(bUserWidget ? "Widget Blueprint" : "Editor Utility Widget") + " deriving from "
				+ (ParentClass.is_none() ? std::string("its default parent") : EditorPythonObjects::ToClass(ParentClass).GetName()));
		}
		return EditorPythonObjects::Wrap(Asset);
	}

	py::object AddWidget(const py::object& BlueprintValue, const py::object& WidgetClass, std::string_view Name, const std::optional<std::string>& ParentName)
	{
		UWidgetBlueprint& Blueprint = ToWidgetBlueprint(BlueprintValue);
		UWidgetTree& Tree = TreeOf(Blueprint);
		UClass& Class = EditorPythonObjects::ToClass(WidgetClass);
		UPanelWidget* Parent = nullptr;
		if (ParentName)
		{
			Parent = Cast<UPanelWidget>(&FindWidget(Blueprint, *ParentName));
			if (Parent == nullptr)
			{
				throw py::value_error("'" + *ParentName + "' is not a panel");
			}
			if (!Parent->CanHaveMultipleChildren() && Parent->GetChildrenCount() > 0)
			{
				throw py::value_error("'" + *ParentName + "' holds its one child already");
			}
		}
		UWidget* const Widget = Tree.ConstructWidget(&Class, Name);
		if (Widget == nullptr)
		{
			throw py::value_error("cannot add a " + Class.GetName() + " named '" + std::string(Name) + "' (not a concrete widget class, or the name is taken or not valid)");
		}
		if (Parent != nullptr)
		{
			Parent->AddChild(Widget);
		}
		else if (Tree.RootWidget == nullptr)
		{
			Tree.RootWidget = Widget;
		}
		Blueprint.MarkPackageDirty();
		return EditorPythonObjects::Wrap(Widget);
	}

	void SetWidgetProperty(const py::object& BlueprintValue, std::string_view WidgetName, std::string_view PropertyName, std::string_view ValueText, bool bSlot)
	{
		UWidgetBlueprint& Blueprint = ToWidgetBlueprint(BlueprintValue);
		UWidget& Widget = FindWidget(Blueprint, WidgetName);
		UObject* const Target = bSlot ? static_cast<UObject*>(Widget.Slot.Get()) : &Widget;
		if (Target == nullptr)
		{
			throw py::value_error("the widget '" + std::string(WidgetName) + "' has no slot (it sits in no panel)");
		}
		const FProperty* const Property = Target->GetClass()->FindPropertyByName(PropertyName);
		if (Property == nullptr)
		{
			throw py::attribute_error(Target->GetClass()->GetName() + " has no property '" + std::string(PropertyName) + "'");
		}
		// As the editor imports text: a structure text sets the members it names and keeps the others.
		const std::optional<std::string> Imported = ImportPropertyText(*Property, GetPropertyValueText(*Target, PropertyName).value_or(std::string()), ValueText);
		if (!Imported)
		{
			throw py::value_error("'" + std::string(ValueText) + "' is not a value of " + Target->GetClass()->GetName() + "." + std::string(PropertyName));
		}
		Target->Modify();
		SetPropertyValueText(*Target, PropertyName, *Imported);
	}

	UObject& DefaultObjectOf(UWidgetBlueprint& Blueprint)
	{
		UObject* const Defaults = Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass->GetDefaultObject() : nullptr;
		if (Defaults == nullptr)
		{
			throw py::value_error("the Widget Blueprint " + Blueprint.GetPathName() + " has no generated class");
		}
		return *Defaults;
	}

	py::dict GetDesignSize(const py::object& BlueprintValue)
	{
		UObject& Defaults = DefaultObjectOf(ToWidgetBlueprint(BlueprintValue));
		py::dict Size;
		if (const FProperty* const Property = Defaults.GetClass()->FindPropertyByName("DesignTimeSize"))
		{
			if (const std::optional<FVector2D> Value = GetVector2DPropertyValue(Defaults, *Property))
			{
				Size["x"] = Value->X;
				Size["y"] = Value->Y;
			}
		}
		if (const std::optional<std::string> Mode = GetPropertyValueText(Defaults, "DesignSizeMode"))
		{
			Size["mode"] = *Mode;
		}
		return Size;
	}

	void SetDesignSize(const py::object& BlueprintValue, std::optional<double> X, std::optional<double> Y, const std::optional<std::string>& Mode)
	{
		UWidgetBlueprint& Blueprint = ToWidgetBlueprint(BlueprintValue);
		UObject& Defaults = DefaultObjectOf(Blueprint);
		if (X.has_value() != Y.has_value())
		{
			throw py::value_error("give both x and y, or neither");
		}
		const FProperty* const SizeProperty = Defaults.GetClass()->FindPropertyByName("DesignTimeSize");
		const FProperty* const ModeProperty = Defaults.GetClass()->FindPropertyByName("DesignSizeMode");
		if (SizeProperty == nullptr || ModeProperty == nullptr)
		{
			throw py::value_error("the Widget Blueprint's class has no design size");
		}
		const std::optional<std::string> ModeText = Mode ? ImportPropertyText(*ModeProperty, GetPropertyValueText(Defaults, "DesignSizeMode").value_or(std::string()), *Mode) : std::nullopt;
		if (Mode && !ModeText)
		{
			throw py::value_error("'" + *Mode + "' is not a design size mode");
		}
		if (X)
		{
			if (!(*X > 0.0) || !(*Y > 0.0))
			{
				throw py::value_error("a design size is greater than 0 in both directions");
			}
			SetVector2DPropertyValue(Defaults, *SizeProperty, FVector2D{*X, *Y});
		}
		if (ModeText)
		{
			SetPropertyValueText(Defaults, "DesignSizeMode", *ModeText);
		}
		Blueprint.MarkPackageDirty();
	}
}

void EditorPythonWidgets::DefineFunctions(py::module_& Module)
{
	Module.def("create_widget_blueprint", &CreateWidgetBlueprint, py::arg("folder_path"), py::arg("name"), py::arg("kind") = "UserWidget",
		py::arg("parent_class") = py::none(),
		"A new Widget Blueprint ('UserWidget') or Editor Utility Widget ('EditorUtilityWidget') in memory at folder_path/name, deriving from parent_class when given.");
	Module.def(
		"get_widget_tree",
		[](const py::object& Blueprint) -> py::object {
			UWidgetBlueprint& WidgetBlueprint = ToWidgetBlueprint(Blueprint);
			const UWidget* const Root = WidgetBlueprint.WidgetTree != nullptr ? WidgetBlueprint.WidgetTree->RootWidget.Get() : nullptr;
			return Root != nullptr ? py::object(WidgetNode(*Root)) : py::none();
		},
		py::arg("widget_blueprint"), "The root widget as a dict (class, name, is_variable, properties, slot_properties, children), or None.");
	Module.def(
		"get_unattached_widgets",
		[](const py::object& Blueprint) {
			UWidgetBlueprint& WidgetBlueprint = ToWidgetBlueprint(Blueprint);
			const UWidget* const Root = WidgetBlueprint.WidgetTree != nullptr ? WidgetBlueprint.WidgetTree->RootWidget.Get() : nullptr;
			py::list Nodes;
			for (const UWidget* const Widget : WidgetBlueprint.GetTopLevelWidgets())
			{
				if (Widget != Root)
				{
					Nodes.append(WidgetNode(*Widget));
				}
			}
			return Nodes;
		},
		py::arg("widget_blueprint"), "The widgets of the tree outside the root's hierarchy that sit in no panel, as dicts like get_widget_tree's.");
	Module.def(
		"find_widget", [](const py::object& Blueprint, std::string_view Name) { return EditorPythonObjects::Wrap(TreeOf(ToWidgetBlueprint(Blueprint)).FindWidget(Name)); },
		py::arg("widget_blueprint"), py::arg("name"), "The widget of that name, or None.");
	Module.def("add_widget", &AddWidget, py::arg("widget_blueprint"), py::arg("widget_class"), py::arg("name") = "", py::arg("parent") = py::none(),
		"Adds a widget to the panel named parent; without a parent it becomes the root when the tree has none, else an unattached widget. Returns the widget.");
	Module.def("set_widget_property", &SetWidgetProperty, py::arg("widget_blueprint"), py::arg("widget_name"), py::arg("property_name"), py::arg("value"),
		py::arg("slot") = false, "Sets a property of the widget (or, with slot, of its slot) from export text, as the editor imports it.");
	Module.def(
		"add_widget_animation",
		[](const py::object& Blueprint, std::string_view Name, double StartTime, double EndTime) {
			UWidgetAnimation* const Animation = ToWidgetBlueprint(Blueprint).AddAnimation(Name, StartTime, EndTime);
			if (Animation == nullptr)
			{
				throw py::value_error("cannot add an animation named '" + std::string(Name) + "' (taken or not valid)");
			}
			return EditorPythonObjects::Wrap(Animation);
		},
		py::arg("widget_blueprint"), py::arg("name"), py::arg("start_time") = 0.0, py::arg("end_time") = 0.0,
		"Adds a designer animation (its object is named '<name>_INST'); returns it.");
	Module.def(
		"get_widget_animations",
		[](const py::object& Blueprint) {
			std::vector<std::tuple<std::string, double, double>> Animations;
			for (const UWidgetAnimation* const Animation : ToWidgetBlueprint(Blueprint).Animations)
			{
				if (Animation != nullptr)
				{
					const std::string& Name = Animation->GetName();
					Animations.emplace_back(Name.ends_with("_INST") ? Name.substr(0, Name.size() - 5) : Name, Animation->StartTime, Animation->EndTime);
				}
			}
			return Animations;
		},
		py::arg("widget_blueprint"), "(name, start time, end time) of each animation, in order.");
	Module.def("get_design_size", &GetDesignSize, py::arg("widget_blueprint"), "The design size of the generated class's default object: a dict with x, y and mode.");
	Module.def("set_design_size", &SetDesignSize, py::arg("widget_blueprint"), py::arg("x") = py::none(), py::arg("y") = py::none(), py::arg("mode") = py::none(),
		"Sets the design size (x and y, both greater than 0) and/or the mode ('FillScreen', 'Custom', 'CustomOnScreen', 'Desired', 'DesiredOnScreen').");
}
