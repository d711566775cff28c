#include "Blueprints/BlueprintEditorUtils.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintNames.h"
#include "Blueprints/EdGraphSchemaK2.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Text.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Class.h"
#include "Objects/Function.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"

namespace
{
	constexpr std::string_view K2SchemaPath = "/Script/BlueprintGraph.EdGraphSchema_K2";

	/** Whether a variable, component or graph of the Blueprint already has the name. */
	bool IsMemberNameTaken(const UBlueprint& Blueprint, std::string_view Name)
	{
		if (Blueprint.FindVariable(Name) != nullptr || FBlueprintEditorUtils::FindGraph(&Blueprint, Name) != nullptr)
		{
			return true;
		}
		return Blueprint.SimpleConstructionScript != nullptr && Blueprint.SimpleConstructionScript->FindSCSNode(Name) != nullptr;
	}

	constexpr std::string_view FunctionEntryClassPath = "/Script/BlueprintGraph.K2Node_FunctionEntry";

	/** The graph's first function entry node, or nullptr. */
	UEdGraphNode* FindFunctionEntry(const UEdGraph& Graph)
	{
		const UClass* const EntryClass = FindEngineClassChecked(FunctionEntryClassPath);
		for (UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node != nullptr && Node->IsA(EntryClass))
			{
				return Node;
			}
		}
		return nullptr;
	}

	/** Name, then Name_0, Name_1... until one the Blueprint does not use: the editor's unique member name. */
	std::string FindUniqueMemberName(const UBlueprint& Blueprint, std::string_view Name)
	{
		for (int Suffix = 0;; ++Suffix)
		{
			std::string Candidate = std::string(Name) + "_" + std::to_string(Suffix);
			if (!IsMemberNameTaken(Blueprint, Candidate) && Blueprint.FindInnerObject(Candidate) == nullptr)
			{
				return Candidate;
			}
		}
	}

	/** Every Blueprint in memory whose parent class derives from Parent's generated class. */
	std::vector<UBlueprint*> FindLoadedChildBlueprints(const UBlueprint& Parent)
	{
		std::vector<UBlueprint*> Children;
		if (Parent.GeneratedClass == nullptr)
		{
			return Children;
		}
		for (UPackage* const Package : FObjectStore::Get().GetPackages())
		{
			for (UObject* const Object : Package->GetInnerObjects())
			{
				UBlueprint* const Child = Cast<UBlueprint>(Object);
				if (Child != nullptr && Child != &Parent && IsValid(Child) && Child->ParentClass != nullptr && Child->ParentClass->IsChildOf(Parent.GeneratedClass))
				{
					Children.push_back(Child);
				}
			}
		}
		return Children;
	}

}

void FBlueprintEditorUtils::RemoveNode(UBlueprint* Blueprint, UEdGraphNode* Node, bool bDontRecompile)
{
	UEdGraph* const Graph = Node != nullptr ? Cast<UEdGraph>(Node->GetOuter()) : nullptr;
	if (Graph == nullptr)
	{
		return;
	}
	Graph->RemoveNode(*Node);
	if (Blueprint != nullptr && !bDontRecompile)
	{
		MarkBlueprintAsStructurallyModified(Blueprint);
	}
}

void FBlueprintEditorUtils::MarkBlueprintAsModified(UBlueprint* Blueprint)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	Blueprint->Status = BS_Dirty;
	Blueprint->MarkPackageDirty();
}

void FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	RefreshAllNodes(Blueprint);
	MarkBlueprintAsModified(Blueprint);
}

bool FBlueprintEditorUtils::AddMemberVariable(UBlueprint* Blueprint, std::string_view VarName, const FEdGraphPinType& PinType, std::string_view DefaultValue)
{
	if (Blueprint == nullptr || !IsValidBlueprintMemberName(VarName) || PinType.PinCategory.empty() || IsMemberNameTaken(*Blueprint, VarName))
	{
		return false;
	}
	FBPVariableDescription Variable;
	Variable.VarName = std::string(VarName);
	Variable.VarGuid = FGuid::NewGuid();
	Variable.VarType = PinType;
	Variable.FriendlyName = NameToDisplayString(VarName, PinType.PinCategory == "bool");
	Variable.PropertyFlags = CPF_Edit | CPF_BlueprintVisible | CPF_DisableEditOnInstance;
	Variable.DefaultValue = std::string(DefaultValue);
	Blueprint->NewVariables.push_back(std::move(Variable));
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}

bool FBlueprintEditorUtils::RemoveMemberVariable(UBlueprint* Blueprint, std::string_view VarName)
{
	const FBPVariableDescription* const Variable = Blueprint != nullptr ? Blueprint->FindVariable(VarName) : nullptr;
	if (Variable == nullptr)
	{
		return false;
	}
	Blueprint->NewVariables.erase(Blueprint->NewVariables.begin() + (Variable - Blueprint->NewVariables.data()));
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}

UEdGraph* FBlueprintEditorUtils::CreateNewGraph(UBlueprint* Blueprint, std::string_view GraphName)
{
	if (Blueprint == nullptr || !IsValidBlueprintMemberName(GraphName) || Blueprint->FindInnerObject(GraphName) != nullptr || FindGraph(Blueprint, GraphName) != nullptr)
	{
		return nullptr;
	}
	UEdGraph* const Graph = NewObject<UEdGraph>(Blueprint, GraphName, RF_Transactional);
	if (Graph != nullptr)
	{
		Graph->Schema = std::string(K2SchemaPath);
	}
	return Graph;
}

UEdGraph* FBlueprintEditorUtils::CreateNewGraph(UObject* ParentScope, std::string_view GraphName, UClass* GraphClass, UClass* SchemaClass)
{
	if (ParentScope == nullptr || GraphClass == nullptr || !GraphClass->IsChildOf<UEdGraph>() || (!GraphName.empty() && ParentScope->FindInnerObject(GraphName) != nullptr))
	{
		return nullptr;
	}
	UEdGraph* const Graph = NewObject<UEdGraph>(ParentScope, GraphClass, GraphName, RF_Transactional);
	if (Graph != nullptr && SchemaClass != nullptr)
	{
		Graph->Schema = SchemaClass->GetPathName();
	}
	return Graph;
}

void FBlueprintEditorUtils::AddFunctionGraph(UBlueprint* Blueprint, UEdGraph* Graph, bool bAddResultNode)
{
	if (Blueprint == nullptr || Graph == nullptr || std::find(Blueprint->FunctionGraphs.begin(), Blueprint->FunctionGraphs.end(), Graph) != Blueprint->FunctionGraphs.end())
	{
		return;
	}
	Blueprint->FunctionGraphs.push_back(Graph);
	UEdGraphNode* const Entry = UEdGraphSchema_K2::CreateFunctionTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionEntry", "then", EEdGraphPinDirection::Output, 0);
	if (bAddResultNode && Entry != nullptr)
	{
		if (UEdGraphNode* const Result = UEdGraphSchema_K2::CreateFunctionTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionResult", "execute", EEdGraphPinDirection::Input, 400))
		{
			Entry->GetPins().front()->MakeLinkTo(*Result->GetPins().front());
		}
	}
	MarkBlueprintAsStructurallyModified(Blueprint);
}

void FBlueprintEditorUtils::AddUserCreatedFunctionGraph(UBlueprint* Blueprint, UEdGraph* Graph)
{
	if (Blueprint == nullptr || Graph == nullptr || std::find(Blueprint->FunctionGraphs.begin(), Blueprint->FunctionGraphs.end(), Graph) != Blueprint->FunctionGraphs.end())
	{
		return;
	}
	UEdGraphSchema_K2::CreateDefaultNodesForGraph(*Graph);
	UEdGraphSchema_K2::MarkFunctionEntryAsEditable(Graph, true);
	if (IsEditorUtilityBlueprint(Blueprint))
	{
		if (std::optional<FKismetUserDeclaredFunctionMetadata> MetaData = GetGraphFunctionMetaData(Graph))
		{
			MetaData->bCallInEditor = true;
			SetGraphFunctionMetaData(Graph, *MetaData);
		}
	}
	uint32_t ExtraFunctionFlags = FUNC_BlueprintCallable | FUNC_BlueprintEvent | FUNC_Public;
	if (Blueprint->BlueprintType == BPTYPE_FunctionLibrary)
	{
		ExtraFunctionFlags |= FUNC_Static;
	}
	if (Blueprint->BlueprintType == BPTYPE_Const)
	{
		ExtraFunctionFlags |= FUNC_Const;
	}
	UEdGraphSchema_K2::AddExtraFunctionFlags(Graph, ExtraFunctionFlags);
	Blueprint->FunctionGraphs.push_back(Graph);
	ValidateBlueprintChildVariables(Blueprint, Graph->GetName());
	MarkBlueprintAsStructurallyModified(Blueprint);
}

UEdGraphNode* FBlueprintEditorUtils::FindOrAddFunctionResultNode(UBlueprint* Blueprint, UEdGraph* Graph)
{
	if (Blueprint == nullptr || Graph == nullptr || std::find(Blueprint->FunctionGraphs.begin(), Blueprint->FunctionGraphs.end(), Graph) == Blueprint->FunctionGraphs.end())
	{
		return nullptr;
	}
	const auto FindNodeOfClass = [Graph](std::string_view ClassPath) -> UEdGraphNode* {
		const UClass* const Class = FindEngineClassChecked(ClassPath);
		const auto Found = std::find_if(Graph->GetNodes().begin(), Graph->GetNodes().end(), [Class](const UEdGraphNode* Node) { return Node != nullptr && Node->IsA(Class); });
		return Found != Graph->GetNodes().end() ? *Found : nullptr;
	};
	if (UEdGraphNode* const Existing = FindNodeOfClass("/Script/BlueprintGraph.K2Node_FunctionResult"))
	{
		return Existing;
	}
	UEdGraphNode* const Result = UEdGraphSchema_K2::CreateFunctionTerminatorNode(*Graph, "/Script/BlueprintGraph.K2Node_FunctionResult", "execute", EEdGraphPinDirection::Input, 400);
	UEdGraphNode* const Entry = FindNodeOfClass("/Script/BlueprintGraph.K2Node_FunctionEntry");
	UEdGraphPin* const Then = Entry != nullptr ? Entry->FindPin("then") : nullptr;
	if (Result != nullptr && Then != nullptr && Then->GetLinkedTo().empty())
	{
		Then->MakeLinkTo(*Result->GetPins().front());
	}
	MarkBlueprintAsStructurallyModified(Blueprint);
	return Result;
}

UEdGraph* FBlueprintEditorUtils::FindGraph(const UBlueprint* Blueprint, std::string_view GraphName)
{
	if (Blueprint == nullptr)
	{
		return nullptr;
	}
	for (UEdGraph* const Graph : Blueprint->GetAllGraphs())
	{
		if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), GraphName))
		{
			return Graph;
		}
	}
	return nullptr;
}

bool FBlueprintEditorUtils::IsEditorUtilityBlueprint(const UBlueprint* Blueprint)
{
	if (Blueprint == nullptr)
	{
		return false;
	}
	for (const std::string_view ClassPath : {"/Script/Blutility.EditorUtilityBlueprint", "/Script/Blutility.EditorUtilityWidgetBlueprint"})
	{
		const UClass* const UtilityClass = FClassDatabase::Get().FindClass(ClassPath);
		if (UtilityClass != nullptr && Blueprint->GetClass()->IsChildOf(UtilityClass))
		{
			return true;
		}
	}
	return false;
}

std::optional<FKismetUserDeclaredFunctionMetadata> FBlueprintEditorUtils::GetGraphFunctionMetaData(const UEdGraph* Graph)
{
	const UEdGraphNode* const Entry = Graph != nullptr ? FindFunctionEntry(*Graph) : nullptr;
	return Entry != nullptr ? std::optional(GetUserDeclaredFunctionMetadata(*Entry)) : std::nullopt;
}

bool FBlueprintEditorUtils::SetGraphFunctionMetaData(UEdGraph* Graph, const FKismetUserDeclaredFunctionMetadata& MetaData)
{
	UEdGraphNode* const Entry = Graph != nullptr ? FindFunctionEntry(*Graph) : nullptr;
	if (Entry == nullptr)
	{
		return false;
	}
	SetUserDeclaredFunctionMetadata(*Entry, MetaData);
	return true;
}

void FBlueprintEditorUtils::ValidateBlueprintChildVariables(UBlueprint* Blueprint, std::string_view VariableName)
{
	if (Blueprint == nullptr)
	{
		return;
	}
	for (UBlueprint* const Child : FindLoadedChildBlueprints(*Blueprint))
	{
		if (Child->FindVariable(VariableName) != nullptr)
		{
			RenameMemberVariable(Child, VariableName, FindUniqueMemberName(*Child, VariableName));
		}
	}
}

bool FBlueprintEditorUtils::RenameMemberVariable(UBlueprint* Blueprint, std::string_view OldName, std::string_view NewName)
{
	FBPVariableDescription* const Variable = Blueprint != nullptr ? Blueprint->FindVariable(OldName) : nullptr;
	if (Variable == nullptr || !IsValidBlueprintMemberName(NewName) || (IsMemberNameTaken(*Blueprint, NewName) && !Text::EqualsIgnoreCase(OldName, NewName)))
	{
		return false;
	}
	const std::string Previous = Variable->VarName;
	Variable->VarName = std::string(NewName);
	Variable->FriendlyName = NameToDisplayString(NewName, Variable->VarType.PinCategory == "bool");
	const UClass* const VariableNodeClass = FClassDatabase::Get().FindClass("/Script/BlueprintGraph.K2Node_Variable");
	for (UEdGraph* const Graph : Blueprint->GetAllGraphs())
	{
		if (Graph == nullptr || VariableNodeClass == nullptr)
		{
			continue;
		}
		for (UEdGraphNode* const Node : Graph->GetNodes())
		{
			const std::optional<FMemberReference> Reference = Node != nullptr && Node->IsA(VariableNodeClass) ? GetVariableReference(*Node) : std::nullopt;
			if (Reference && Reference->MemberParent.empty() && Text::EqualsIgnoreCase(Reference->MemberName, Previous))
			{
				SetVariableReferenceMemberName(*Node, NewName);
			}
		}
	}
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}
