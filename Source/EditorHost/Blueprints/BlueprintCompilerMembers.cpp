#include "Blueprints/BlueprintCompilerMembers.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintCompilerNodeKinds.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Text.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/NodeTitleNames.h"
#include "Graph/PinTypeFromProperty.h"
#include "Objects/Class.h"
#include "Objects/Function.h"

namespace
{
	/** Parent Blueprints nest only as deep as this; a deeper chain is a cycle in broken data. */
	constexpr int MaxBlueprintDepth = 64;

	bool HasFunctionGraph(const UBlueprint& Blueprint, std::string_view FunctionName)
	{
		for (const UEdGraph* const Graph : Blueprint.FunctionGraphs)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), FunctionName))
			{
				return true;
			}
		}
		return false;
	}

	bool HasCustomEvent(const UBlueprint& Blueprint, std::string_view FunctionName)
	{
		for (const UEdGraph* const Graph : Blueprint.UbergraphPages)
		{
			for (const UEdGraphNode* const Node : Graph != nullptr ? Graph->GetNodes() : std::vector<UEdGraphNode*>())
			{
				if (Node != nullptr && IsNodeOfClass(*Node, K2NodeClass::CustomEvent) && Text::EqualsIgnoreCase(GetCustomFunctionName(*Node), FunctionName))
				{
					return true;
				}
			}
		}
		return false;
	}

	bool HasOwnVariable(const UBlueprint& Blueprint, std::string_view VariableName)
	{
		if (Blueprint.FindVariable(VariableName) != nullptr)
		{
			return true;
		}
		const USimpleConstructionScript* const Script = Blueprint.SimpleConstructionScript;
		return Script != nullptr && Script->FindSCSNode(VariableName) != nullptr;
	}

	/** Calls Visit on the Blueprint and each parent Blueprint, nearest first, until it returns true. */
	template <typename TVisit>
	bool AnyBlueprintInLineage(const UBlueprint* Blueprint, TVisit&& Visit)
	{
		for (int Depth = 0; Blueprint != nullptr && Depth < MaxBlueprintDepth; ++Depth)
		{
			if (Visit(*Blueprint))
			{
				return true;
			}
			Blueprint = GetParentBlueprint(*Blueprint);
		}
		return false;
	}

	/** The path text the Blueprint's generated class has, or will have once compiled: `/Game/BP.BP_C`. */
	std::string GeneratedClassPath(const UBlueprint& Blueprint)
	{
		return Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass->GetPathName() : Blueprint.GetPathName() + "_C";
	}
}

const UBlueprint* GetParentBlueprint(const UBlueprint& Blueprint)
{
	const UBlueprint* const Parent = GetBlueprintFromClass(Blueprint.ParentClass);
	return Parent != &Blueprint ? Parent : nullptr;
}

const UClass* GetNativeParentClass(const UBlueprint& Blueprint)
{
	const UBlueprint* Current = &Blueprint;
	for (int Depth = 0; Depth < MaxBlueprintDepth; ++Depth)
	{
		const UBlueprint* const Parent = GetParentBlueprint(*Current);
		if (Parent == nullptr)
		{
			return Current->ParentClass;
		}
		Current = Parent;
	}
	return nullptr;
}

bool IsBlueprintChildOf(const UBlueprint& Blueprint, const UClass* Base)
{
	return Base != nullptr && (Blueprint.GeneratedClass == Base || (Blueprint.ParentClass != nullptr && Blueprint.ParentClass->IsChildOf(Base)));
}

FMemberScope ResolveMemberScope(const UBlueprint& Blueprint, const FMemberReference& Reference)
{
	const std::string ParentPath = ReferencedObjectPath(Reference.MemberParent);
	if (Reference.bSelfContext || ParentPath.empty() || ParentPath == GeneratedClassPath(Blueprint))
	{
		return {&Blueprint, GetNativeParentClass(Blueprint), Blueprint.GetName()};
	}
	const UClass* const Class = Reference.GetMemberParentClass();
	if (const UBlueprint* const Owner = GetBlueprintFromClass(Class))
	{
		return {Owner, GetNativeParentClass(*Owner), Owner->GetName()};
	}
	return {nullptr, Class, Class != nullptr ? Class->GetName() : ReferencedObjectName(Reference.MemberParent)};
}

std::optional<FFoundFunction> FindFunctionInScope(const FMemberScope& Scope, std::string_view FunctionName)
{
	FFoundFunction Found;
	AnyBlueprintInLineage(Scope.Blueprint, [&](const UBlueprint& Blueprint) {
		if (HasFunctionGraph(Blueprint, FunctionName) || HasCustomEvent(Blueprint, FunctionName))
		{
			Found.DeclaringBlueprint = &Blueprint;
		}
		return Found.DeclaringBlueprint != nullptr;
	});
	if (Found.DeclaringBlueprint == nullptr)
	{
		Found.NativeFunction = FindFunctionByName(Scope.NativeClass, FunctionName);
	}
	if (Found.DeclaringBlueprint == nullptr && Found.NativeFunction == nullptr)
	{
		return std::nullopt;
	}
	return Found;
}

bool HasVariableInScope(const FMemberScope& Scope, std::string_view VariableName)
{
	if (AnyBlueprintInLineage(Scope.Blueprint, [&](const UBlueprint& Blueprint) { return HasOwnVariable(Blueprint, VariableName); }))
	{
		return true;
	}
	return Scope.NativeClass != nullptr && Scope.NativeClass->FindPropertyByName(VariableName) != nullptr;
}

std::optional<FEdGraphPinType> FindVariablePinType(const FMemberScope& Scope, std::string_view VariableName)
{
	std::optional<FEdGraphPinType> PinType;
	AnyBlueprintInLineage(Scope.Blueprint, [&](const UBlueprint& Blueprint) {
		if (const FBPVariableDescription* const Variable = Blueprint.FindVariable(VariableName))
		{
			PinType = Variable->VarType;
		}
		else if (const USCS_Node* const Component = Blueprint.SimpleConstructionScript != nullptr ? Blueprint.SimpleConstructionScript->FindSCSNode(VariableName) : nullptr)
		{
			PinType = Component->ComponentClass != nullptr ? std::optional(ObjectPinTypeOf(*Component->ComponentClass)) : std::nullopt;
			return true;
		}
		return PinType.has_value();
	});
	if (PinType || Scope.NativeClass == nullptr)
	{
		return PinType;
	}
	const FProperty* const Property = Scope.NativeClass->FindPropertyByName(VariableName);
	return Property != nullptr ? PinTypeFromProperty(*Property) : std::nullopt;
}

bool HasLocalVariable(const UEdGraph& Graph, std::string_view VariableName)
{
	for (const UEdGraphNode* const Node : Graph.GetNodes())
	{
		if (Node == nullptr || !IsNodeOfClass(*Node, K2NodeClass::FunctionEntry))
		{
			continue;
		}
		for (const FCopyPasteProperty& Property : Node->KeptObject.Properties)
		{
			if (Property.Name != "LocalVariables")
			{
				continue;
			}
			const FCopyPasteValue LocalVariable = ParseCopyPasteValue(Property.Value);
			const FCopyPasteValue* const Name = LocalVariable.Find("VarName");
			if (Name != nullptr && Text::EqualsIgnoreCase(Name->AsPlainText(), VariableName))
			{
				return true;
			}
		}
		for (const FCopyPasteCustomProperty& Custom : Node->KeptObject.CustomProperties)
		{
			if (Custom.Kind != "UserDefinedPin")
			{
				continue;
			}
			const FCopyPasteValue UserDefinedPin = ParseCopyPasteValue(Custom.Text);
			const FCopyPasteValue* const Name = UserDefinedPin.Find("PinName");
			if (Name != nullptr && Text::EqualsIgnoreCase(Name->AsPlainText(), VariableName))
			{
				return true;
			}
		}
	}
	return false;
}

std::string GetNodePropertyText(const UEdGraphNode& Node, std::string_view PropertyName)
{
	const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(PropertyName);
	return Property != nullptr ? ParseCopyPasteValue(Property->Value).AsPlainText() : std::string();
}

std::string GetNodePropertyField(const UEdGraphNode& Node, std::string_view PropertyName, std::string_view FieldName)
{
	const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(PropertyName);
	if (Property == nullptr)
	{
		return {};
	}
	const FCopyPasteValue Value = ParseCopyPasteValue(Property->Value);
	const FCopyPasteValue* const Field = Value.Find(FieldName);
	return Field != nullptr ? Field->AsPlainText() : std::string();
}
