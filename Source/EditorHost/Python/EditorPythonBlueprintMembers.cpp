#include "Python/EditorPythonBlueprints.h"
#include "Python/EditorPythonObjects.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Text.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/UserDefinedPins.h"
#include "Objects/Class.h"
#include "Objects/Enum.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Property.h"

#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;

namespace
{
	using EditorPythonBlueprints::ToBlueprint;
	using FNamedPinType = std::tuple<std::string, FEdGraphPinType>;

	constexpr std::string_view FunctionEntryClassPath = "/Script/BlueprintGraph.K2Node_FunctionEntry";
	constexpr std::string_view FunctionResultClassPath = "/Script/BlueprintGraph.K2Node_FunctionResult";

	py::dict VariableDetails(const FBPVariableDescription& Variable)
	{
		const UEnum* const Conditions = StaticEnum<ELifetimeCondition>();
		const bool bReplicated = (Variable.PropertyFlags & CPF_Net) != 0;
		py::dict Details;
		Details["name"] = Variable.VarName;
		Details["pin_type"] = Variable.VarType;
		Details["default_value"] = Variable.DefaultValue;
		Details["category"] = Variable.Category;
		Details["replicated"] = bReplicated;
		Details["replication_condition"] = Conditions != nullptr ? Conditions->GetNameStringByValue(Variable.ReplicationCondition) : std::string();
		Details["rep_notify_func"] = Variable.RepNotifyFunc == "None" ? std::string() : Variable.RepNotifyFunc;
		Details["expose_on_spawn"] = (Variable.PropertyFlags & CPF_ExposeOnSpawn) != 0;
		Details["tooltip"] = Variable.GetMetaData(FBlueprintMetadata::MD_Tooltip);
		return Details;
	}

	ELifetimeCondition ParseReplicationCondition(std::string_view Name)
	{
		const UEnum* const Conditions = StaticEnum<ELifetimeCondition>();
		const std::optional<int64_t> Value = Conditions != nullptr ? Conditions->GetValueByNameString(Name) : std::nullopt;
		if (!Value || *Value < COND_None || *Value >= COND_Max)
		{
			throw py::value_error("no replication condition '" + std::string(Name) + "'");
		}
		return static_cast<ELifetimeCondition>(*Value);
	}

	void SetReplicated(FBPVariableDescription& Variable, bool bReplicated)
	{
		if (bReplicated)
		{
			Variable.PropertyFlags |= CPF_Net;
			return;
		}
		Variable.PropertyFlags &= ~(CPF_Net | CPF_RepNotify);
		Variable.ReplicationCondition = COND_None;
		Variable.RepNotifyFunc.clear();
	}

	void SetRepNotifyFunc(FBPVariableDescription& Variable, std::string_view FunctionName)
	{
		if (FunctionName.empty() || FunctionName == "None")
		{
			Variable.PropertyFlags &= ~CPF_RepNotify;
			Variable.RepNotifyFunc.clear();
			return;
		}
		Variable.PropertyFlags |= CPF_Net | CPF_RepNotify;
		Variable.RepNotifyFunc = std::string(FunctionName);
	}

	/** An instance that is set on spawn must be editable on instances, as the Blueprint editor keeps it. */
	void SetExposeOnSpawn(FBPVariableDescription& Variable, bool bExpose)
	{
		if (bExpose)
		{
			Variable.PropertyFlags |= CPF_ExposeOnSpawn;
			Variable.PropertyFlags &= ~CPF_DisableEditOnInstance;
		}
		else
		{
			Variable.PropertyFlags &= ~CPF_ExposeOnSpawn;
		}
	}

	void SetTooltip(FBPVariableDescription& Variable, const std::string& Tooltip)
	{
		if (Tooltip.empty())
		{
			Variable.RemoveMetaData(FBlueprintMetadata::MD_Tooltip);
		}
		else
		{
			Variable.SetMetaData(FBlueprintMetadata::MD_Tooltip, Tooltip);
		}
	}

	bool SetMemberVariableDetails(const py::object& BlueprintValue, std::string_view Name, const std::optional<FEdGraphPinType>& PinType,
		const std::optional<std::string>& DefaultValue, const std::optional<std::string>& Category, std::optional<bool> bReplicated,
		const std::optional<std::string>& ReplicationCondition, const std::optional<std::string>& RepNotifyFunc, std::optional<bool> bExposeOnSpawn,
		const std::optional<std::string>& Tooltip)
	{
		UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
		FBPVariableDescription* const Variable = Blueprint.FindVariable(Name);
		if (Variable == nullptr)
		{
			return false;
		}
		if (PinType && PinType->PinCategory.empty())
		{
			throw py::value_error("a variable's type needs a category");
		}
		const std::optional<ELifetimeCondition> Condition = ReplicationCondition ? std::optional(ParseReplicationCondition(*ReplicationCondition)) : std::nullopt;
		const bool bTypeChanged = PinType && !(*PinType == Variable->VarType);
		if (PinType) Variable->VarType = *PinType;
		if (DefaultValue) Variable->DefaultValue = *DefaultValue;
		if (Category) Variable->Category = *Category;
		if (bReplicated) SetReplicated(*Variable, *bReplicated);
		if (Condition) Variable->ReplicationCondition = *Condition;
		if (RepNotifyFunc) SetRepNotifyFunc(*Variable, *RepNotifyFunc);
		if (bExposeOnSpawn) SetExposeOnSpawn(*Variable, *bExposeOnSpawn);
		if (Tooltip) SetTooltip(*Variable, *Tooltip);
		if (bTypeChanged)
		{
			FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(&Blueprint);
		}
		else
		{
			FBlueprintEditorUtils::MarkBlueprintAsModified(&Blueprint);
		}
		return true;
	}

	UEdGraph& FindFunctionGraph(UBlueprint& Blueprint, std::string_view FunctionName)
	{
		for (UEdGraph* const Graph : Blueprint.FunctionGraphs)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), FunctionName))
			{
				return *Graph;
			}
		}
		throw py::value_error("the Blueprint has no function graph '" + std::string(FunctionName) + "'");
	}

	UEdGraphNode* FindNodeOfClass(const UEdGraph& Graph, std::string_view ClassPath)
	{
		const UClass* const Class = FindEngineClassChecked(ClassPath);
		for (UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node != nullptr && Node->IsA(Class))
			{
				return Node;
			}
		}
		return nullptr;
	}

	/** Inputs are the entry's user-defined outputs, outputs the result's user-defined inputs. */
	UEdGraphNode* ParameterNode(UBlueprint& Blueprint, UEdGraph& Graph, bool bOutput, bool bCreateResult)
	{
		if (!bOutput)
		{
			UEdGraphNode* const Entry = FindNodeOfClass(Graph, FunctionEntryClassPath);
			if (Entry == nullptr)
			{
				throw py::value_error("the function graph '" + Graph.GetName() + "' has no entry node");
			}
			return Entry;
		}
		return bCreateResult ? FBlueprintEditorUtils::FindOrAddFunctionResultNode(&Blueprint, &Graph) : FindNodeOfClass(Graph, FunctionResultClassPath);
	}

	std::vector<FNamedPinType> UserPinsOf(const UEdGraphNode* Node)
	{
		std::vector<FNamedPinType> Pins;
		if (Node != nullptr)
		{
			for (FUserPinInfo& Info : GetUserDefinedPins(*Node))
			{
				Pins.emplace_back(std::move(Info.PinName), std::move(Info.PinType));
			}
		}
		return Pins;
	}

	bool AddParameter(UBlueprint& Blueprint, UEdGraph& Graph, std::string_view Name, const FEdGraphPinType& PinType, bool bOutput)
	{
		if (PinType.PinCategory.empty())
		{
			throw py::value_error("a parameter's type needs a category");
		}
		UEdGraphNode* const Node = ParameterNode(Blueprint, Graph, bOutput, true);
		const EEdGraphPinDirection Direction = bOutput ? EEdGraphPinDirection::Input : EEdGraphPinDirection::Output;
		if (Node == nullptr || CreateUserDefinedPin(*Node, Name, PinType, Direction) == nullptr)
		{
			return false;
		}
		FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(&Blueprint);
		return true;
	}
}

void EditorPythonBlueprintMembers::AddFunctionParameters(
	UBlueprint& Blueprint, UEdGraph& Graph, const std::vector<FNamedPinType>& Inputs, const std::vector<FNamedPinType>& Outputs)
{
	for (const auto& [Name, PinType] : Inputs)
	{
		AddParameter(Blueprint, Graph, Name, PinType, false);
	}
	for (const auto& [Name, PinType] : Outputs)
	{
		AddParameter(Blueprint, Graph, Name, PinType, true);
	}
}

void EditorPythonBlueprintMembers::DefineFunctions(py::module_& Module)
{
	Module.def(
		"get_member_variable_details",
		[](const py::object& BlueprintValue, std::string_view Name) -> std::optional<py::dict> {
			const FBPVariableDescription* const Variable = ToBlueprint(BlueprintValue).FindVariable(Name);
			return Variable != nullptr ? std::optional(VariableDetails(*Variable)) : std::nullopt;
		},
		py::arg("blueprint"), py::arg("name"),
		"A dict of the variable's name, pin_type, default_value, category, replicated, replication_condition, rep_notify_func, expose_on_spawn and tooltip; None when there is no such variable.");
	Module.def("set_member_variable_details", &SetMemberVariableDetails, py::arg("blueprint"), py::arg("name"), py::kw_only(), py::arg("pin_type") = py::none(),
		py::arg("default_value") = py::none(), py::arg("category") = py::none(), py::arg("replicated") = py::none(), py::arg("replication_condition") = py::none(),
		py::arg("rep_notify_func") = py::none(), py::arg("expose_on_spawn") = py::none(), py::arg("tooltip") = py::none(),
		"Changes the details given (the others stay); False when there is no such variable.");

	Module.def("get_parent_class", [](const py::object& Blueprint) { return EditorPythonObjects::Wrap(ToBlueprint(Blueprint).ParentClass); }, py::arg("blueprint"),
		"The class the Blueprint derives from; None when its parent class is missing.");
	Module.def(
		"add_event_graph",
		[](const py::object& BlueprintValue, std::string_view Name) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			UEdGraph* const Graph = FBlueprintEditorUtils::FindGraph(&Blueprint, Name) == nullptr ? FBlueprintEditorUtils::CreateNewGraph(&Blueprint, Name) : nullptr;
			if (Graph == nullptr)
			{
				throw py::value_error("cannot add an event graph named '" + std::string(Name) + "'");
			}
			Blueprint.UbergraphPages.push_back(Graph);
			FBlueprintEditorUtils::MarkBlueprintAsModified(&Blueprint);
			return EditorPythonObjects::Wrap(Graph);
		},
		py::arg("blueprint"), py::arg("name"), "Adds an empty event graph page; returns the graph.");

	Module.def(
		"get_function_parameters",
		[](const py::object& BlueprintValue, std::string_view FunctionName) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			UEdGraph& Graph = FindFunctionGraph(Blueprint, FunctionName);
			return std::make_tuple(UserPinsOf(ParameterNode(Blueprint, Graph, false, false)), UserPinsOf(ParameterNode(Blueprint, Graph, true, false)));
		},
		py::arg("blueprint"), py::arg("function_name"), "(inputs, outputs) of a function graph, each a list of (name, PinType).");
	Module.def(
		"add_function_parameter",
		[](const py::object& BlueprintValue, std::string_view FunctionName, std::string_view Name, const FEdGraphPinType& PinType, bool bOutput) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			return AddParameter(Blueprint, FindFunctionGraph(Blueprint, FunctionName), Name, PinType, bOutput);
		},
		py::arg("blueprint"), py::arg("function_name"), py::arg("name"), py::arg("pin_type"), py::arg("output") = false,
		"Adds an input (or, with output, a return value, adding the result node when needed); False when the name is taken.");
	Module.def(
		"remove_function_parameter",
		[](const py::object& BlueprintValue, std::string_view FunctionName, std::string_view Name, bool bOutput) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			UEdGraphNode* const Node = ParameterNode(Blueprint, FindFunctionGraph(Blueprint, FunctionName), bOutput, false);
			if (Node == nullptr || !RemoveUserDefinedPin(*Node, Name))
			{
				return false;
			}
			FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(&Blueprint);
			return true;
		},
		py::arg("blueprint"), py::arg("function_name"), py::arg("name"), py::arg("output") = false, "Removes an input (or return value); False when there is none of that name.");

	Module.def(
		"remove_component",
		[](const py::object& BlueprintValue, std::string_view Name) {
			UBlueprint& Blueprint = ToBlueprint(BlueprintValue);
			USimpleConstructionScript* const Script = Blueprint.SimpleConstructionScript;
			USCS_Node* const Node = Script != nullptr ? Script->FindSCSNode(Name) : nullptr;
			if (Node == nullptr)
			{
				return false;
			}
			Script->RemoveNode(Node);
			FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(&Blueprint);
			return true;
		},
		py::arg("blueprint"), py::arg("name"), "Removes a component and the components below it; False when there is none of that name.");
}
