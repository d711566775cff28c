#include "Python/EditorPythonBlueprints.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonObjects.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Graph/EdGraph.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <pybind11/stl.h>

#include <tuple>
#include <vector>

namespace py = pybind11;

UBlueprint& EditorPythonBlueprints::ToBlueprint(py::handle Value)
{
	UBlueprint* Blueprint = Cast<UBlueprint>(&EditorPythonObjects::ToObject(Value));
	if (Blueprint == nullptr)
	{
		throw py::type_error("expected a Blueprint");
	}
	return *Blueprint;
}

namespace
{
	using EditorPythonBlueprints::ToBlueprint;

	USimpleConstructionScript& ConstructionScriptOf(UBlueprint& Blueprint)
	{
		if (Blueprint.SimpleConstructionScript == nullptr)
		{
			throw py::value_error("the Blueprint " + Blueprint.GetPathName() + " has no construction script (its parent is not an actor)");
		}
		return *Blueprint.SimpleConstructionScript;
	}

	USCS_Node& FindComponentNode(UBlueprint& Blueprint, std::string_view Name)
	{
		USCS_Node* Node = ConstructionScriptOf(Blueprint).FindSCSNode(Name);
		if (Node == nullptr)
		{
			throw py::value_error("the Blueprint has no component '" + std::string(Name) + "'");
		}
		return *Node;
	}

	const char* StatusName(EBlueprintStatus Status)
	{
		switch (Status)
		{
		case BS_Dirty: return "Dirty";
		case BS_Error: return "Error";
		case BS_UpToDate: return "UpToDate";
		case BS_BeingCreated: return "BeingCreated";
		case BS_UpToDateWithWarnings: return "UpToDateWithWarnings";
		case BS_Unknown: break;
		}
		return "Unknown";
	}

	const char* SeverityName(EMessageSeverity Severity)
	{
		switch (Severity)
		{
		case EMessageSeverity::Error: return "Error";
		case EMessageSeverity::PerformanceWarning: return "PerformanceWarning";
		case EMessageSeverity::Warning: return "Warning";
		case EMessageSeverity::Info: break;
		}
		return "Info";
	}

	py::object CreateBlueprint(const py::object& ParentClass, std::string_view FolderPath, std::string_view Name)
	{
		UClass& Parent = EditorPythonObjects::ToClass(ParentClass);
		const std::string PackageName = std::string(FolderPath) + "/" + std::string(Name);
		if (!FPackageName::IsValidPath(FolderPath) || !FPackageName::IsValidLongPackageName(PackageName))
		{
			throw py::value_error("not a valid asset path: '" + PackageName + "'");
		}
		if (EditorAssetLibrary::DoesAssetExist(PackageName))
		{
			throw py::value_error("an asset already exists at '" + PackageName + "'");
		}
		UPackage* Package = CreatePackage(PackageName);
		return EditorPythonObjects::Wrap(Package != nullptr ? FKismetEditorUtilities::CreateBlueprint(&Parent, Package, Name) : nullptr);
	}

	std::string AddComponent(const py::object& BlueprintValue, const py::object& ComponentClass, std::string_view Name, const std::optional<std::string>& ParentName)
	{
		UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
		USimpleConstructionScript& Script = ConstructionScriptOf(Blueprint);
		UClass& Class = EditorPythonObjects::ToClass(ComponentClass);
		if (!Class.IsChildOf(FindEngineClassChecked("/Script/Engine.ActorComponent")))
		{
			throw py::value_error(Class.GetName() + " is not a component class");
		}
		USCS_Node* Parent = ParentName ? &FindComponentNode(Blueprint, *ParentName) : nullptr;
		USCS_Node* Node = Script.CreateNode(&Class, Name);
		if (Node == nullptr)
		{
			throw py::value_error("cannot add a component named '" + std::string(Name) + "'");
		}
		if (Parent != nullptr)
		{
			Parent->AddChildNode(Node);
		}
		else
		{
			Script.AddNode(Node);
		}
		FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(&Blueprint);
		return Node->GetVariableName();
	}

	/** (name, class name, parent name or None) for every component, in the script's order. */
	std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> GetComponents(const py::object& BlueprintValue)
	{
		USimpleConstructionScript& Script = ConstructionScriptOf(ToBlueprint(BlueprintValue));
		std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> Components;
		for (const USCS_Node* Node : Script.GetAllNodes())
		{
			const USCS_Node* Parent = Script.FindParentNode(Node);
			Components.emplace_back(Node->GetVariableName(), Node->ComponentClass != nullptr ? Node->ComponentClass->GetName() : std::string(),
				Parent != nullptr ? std::optional<std::string>(Parent->GetVariableName()) : std::nullopt);
		}
		return Components;
	}

	void DefinePinType(py::module_& Module)
	{
		py::class_<FEdGraphPinType>(Module, "PinType", "A variable's or pin's type, as the editor's graphs spell it.")
			.def(py::init([](std::string Category, std::string SubCategory, std::string SubCategoryObject, std::string ContainerType) {
				FEdGraphPinType PinType;
				PinType.PinCategory = std::move(Category);
				PinType.PinSubCategory = std::move(SubCategory);
				PinType.PinSubCategoryObject = SubCategoryObject.empty() ? "None" : std::move(SubCategoryObject);
				PinType.ContainerType = std::move(ContainerType);
				return PinType;
			}),
				py::arg("category"), py::arg("sub_category") = "", py::arg("sub_category_object") = "", py::arg("container_type") = "None")
			.def_readwrite("category", &FEdGraphPinType::PinCategory)
			.def_readwrite("sub_category", &FEdGraphPinType::PinSubCategory)
			.def_readwrite("sub_category_object", &FEdGraphPinType::PinSubCategoryObject)
			.def_readwrite("container_type", &FEdGraphPinType::ContainerType)
			.def("__eq__", [](const FEdGraphPinType& A, const FEdGraphPinType& B) { return A == B; })
			.def("__repr__", [](const FEdGraphPinType& PinType) {
				return "<editor.PinType " + PinType.PinCategory + (PinType.PinSubCategoryObject != "None" ? " " + PinType.PinSubCategoryObject : "")
					+ (PinType.ContainerType != "None" ? " (" + PinType.ContainerType + ")" : "") + ">";
			});
	}
}

void EditorPythonBlueprints::DefineFunctions(py::module_& Module)
{
	DefinePinType(Module);
	Module.def("create_blueprint", &CreateBlueprint, py::arg("parent_class"), py::arg("folder_path"), py::arg("name"),
		"A new Blueprint deriving from parent_class, in memory at folder_path/name (save it with save_asset).");

	Module.def(
		"add_member_variable",
		[](const py::object& Blueprint, std::string_view Name, const FEdGraphPinType& PinType, std::string_view DefaultValue) {
			return FBlueprintEditorUtils::AddMemberVariable(&ToBlueprint(Blueprint), Name, PinType, DefaultValue);
		},
		py::arg("blueprint"), py::arg("name"), py::arg("pin_type"), py::arg("default_value") = "",
		"Adds a member variable; False when the name is taken or not a valid name.");
	Module.def(
		"remove_member_variable", [](const py::object& Blueprint, std::string_view Name) { return FBlueprintEditorUtils::RemoveMemberVariable(&ToBlueprint(Blueprint), Name); },
		py::arg("blueprint"), py::arg("name"), "Removes a member variable; False when there is none of that name.");
	Module.def(
		"get_member_variables",
		[](const py::object& Blueprint) {
			std::vector<std::tuple<std::string, FEdGraphPinType, std::string>> Variables;
			for (const FBPVariableDescription& Variable : ToBlueprint(Blueprint).NewVariables)
			{
				Variables.emplace_back(Variable.VarName, Variable.VarType, Variable.DefaultValue);
			}
			return Variables;
		},
		py::arg("blueprint"), "(name, PinType, default value) of each member variable, in order.");

	Module.def("add_component", &AddComponent, py::arg("blueprint"), py::arg("component_class"), py::arg("name"), py::arg("parent") = py::none(),
		"Adds a component to the construction script, under the component named parent (a root component when None); returns its (unique) name.");
	Module.def("get_components", &GetComponents, py::arg("blueprint"), "(name, class name, parent name or None) of each component.");
	Module.def(
		"get_component_template",
		[](const py::object& Blueprint, std::string_view Name) { return EditorPythonObjects::Wrap(FindComponentNode(ToBlueprint(Blueprint), Name).ComponentTemplate); },
		py::arg("blueprint"), py::arg("name"), "The template object of a component, whose property values the Blueprint's instances start with.");

	Module.def(
		"add_function_graph",
		[](const py::object& BlueprintValue, std::string_view Name, bool bAddResultNode, const std::vector<std::tuple<std::string, FEdGraphPinType>>& Inputs,
			const std::vector<std::tuple<std::string, FEdGraphPinType>>& Outputs) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			if (FBlueprintEditorUtils::FindGraph(&Blueprint, Name) != nullptr)
			{
				throw py::value_error("the Blueprint already has a graph named '" + std::string(Name) + "'");
			}
			UEdGraph* Graph = FBlueprintEditorUtils::CreateNewGraph(&Blueprint, Name);
			if (Graph == nullptr)
			{
				throw py::value_error("cannot create a graph named '" + std::string(Name) + "'");
			}
			FBlueprintEditorUtils::AddFunctionGraph(&Blueprint, Graph, bAddResultNode || !Outputs.empty());
			EditorPythonBlueprintMembers::AddFunctionParameters(Blueprint, *Graph, Inputs, Outputs);
			return EditorPythonObjects::Wrap(Graph);
		},
		py::arg("blueprint"), py::arg("name"), py::arg("add_result_node") = false, py::arg("inputs") = std::vector<std::tuple<std::string, FEdGraphPinType>>(),
		py::arg("outputs") = std::vector<std::tuple<std::string, FEdGraphPinType>>(),
		"Adds a function graph with its entry node (and a result node, always when there are outputs), with the (name, PinType) inputs and outputs as its parameters; returns the graph.");
	Module.def(
		"get_graph_names",
		[](const py::object& Blueprint) {
			std::vector<std::string> Names;
			for (const UEdGraph* Graph : ToBlueprint(Blueprint).GetAllGraphs())
			{
				Names.push_back(Graph->GetName());
			}
			return Names;
		},
		py::arg("blueprint"), "The names of the event graph pages, function graphs and macro graphs, in that order.");

	Module.def(
		"compile_blueprint",
		[](const py::object& BlueprintValue) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			FKismetEditorUtilities::CompileBlueprint(&Blueprint);
			return std::string(StatusName(Blueprint.Status));
		},
		py::arg("blueprint"), "Compiles the Blueprint; returns its status: 'UpToDate', 'UpToDateWithWarnings' or 'Error'.");
	Module.def("get_blueprint_status", [](const py::object& Blueprint) { return std::string(StatusName(ToBlueprint(Blueprint).Status)); }, py::arg("blueprint"),
		"'Dirty', 'Error', 'UpToDate', 'UpToDateWithWarnings', 'BeingCreated' or 'Unknown'.");
	Module.def(
		"get_compile_messages",
		[](const py::object& Blueprint) {
			std::vector<std::tuple<std::string, std::string>> Messages;
			for (const FCompilerResultsMessage& Message : ToBlueprint(Blueprint).LastCompileResults.Messages)
			{
				Messages.emplace_back(SeverityName(Message.Severity), Message.Text);
			}
			return Messages;
		},
		py::arg("blueprint"), "(severity, text) of each message of the last compile.");

	EditorPythonBlueprintMembers::DefineFunctions(Module);
}
