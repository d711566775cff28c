#include "Blueprints/SimpleConstructionScript.h"

#include "Blueprints/BlueprintNames.h"
#include "Core/LogHost.h"
#include "Core/Text.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

namespace
{
	/** Whether Candidate is Node or lies below it. */
	bool IsInSubtree(const USCS_Node& Node, const USCS_Node* Candidate)
	{
		if (&Node == Candidate)
		{
			return true;
		}
		return std::any_of(Node.GetChildNodes().begin(), Node.GetChildNodes().end(), [Candidate](const USCS_Node* Child) { return IsInSubtree(*Child, Candidate); });
	}

	void CollectSubtree(USCS_Node& Node, std::vector<USCS_Node*>& OutNodes)
	{
		OutNodes.push_back(&Node);
		for (USCS_Node* const Child : Node.GetChildNodes())
		{
			CollectSubtree(*Child, OutNodes);
		}
	}

	/** Lists Node and everything below it in AllNodes, parents first, each once. */
	void ListSubtree(USCS_Node& Node, std::vector<USCS_Node*>& AllNodes)
	{
		std::vector<USCS_Node*> Subtree;
		CollectSubtree(Node, Subtree);
		for (USCS_Node* const Added : Subtree)
		{
			if (std::find(AllNodes.begin(), AllNodes.end(), Added) == AllNodes.end())
			{
				AllNodes.push_back(Added);
			}
		}
	}

	/** Takes Node and everything below it out of AllNodes; they and their templates die at the next garbage collection. */
	void DiscardSubtree(USCS_Node& Node, std::vector<USCS_Node*>* AllNodes)
	{
		std::vector<USCS_Node*> Subtree;
		CollectSubtree(Node, Subtree);
		for (USCS_Node* const Removed : Subtree)
		{
			if (AllNodes != nullptr)
			{
				std::erase(*AllNodes, Removed);
			}
			if (Removed->ComponentTemplate != nullptr)
			{
				Removed->ComponentTemplate->MarkAsGarbage();
			}
			Removed->MarkAsGarbage();
		}
	}
}

USCS_Node* USimpleConstructionScript::FindParentNode(const USCS_Node* Node) const
{
	const auto Found = std::find_if(AllNodes.begin(), AllNodes.end(), [Node](const USCS_Node* Candidate) {
		const std::vector<USCS_Node*>& Children = Candidate->GetChildNodes();
		return std::find(Children.begin(), Children.end(), Node) != Children.end();
	});
	return Found == AllNodes.end() ? nullptr : *Found;
}

USCS_Node* USimpleConstructionScript::FindSCSNode(std::string_view VariableName) const
{
	const auto Found = std::find_if(AllNodes.begin(), AllNodes.end(), [VariableName](const USCS_Node* Node) { return Text::EqualsIgnoreCase(Node->GetVariableName(), VariableName); });
	return Found == AllNodes.end() ? nullptr : *Found;
}

USCS_Node* USimpleConstructionScript::CreateNode(UClass* ComponentClass, std::string_view VariableName)
{
	if (!IsValidBlueprintMemberName(VariableName))
	{
		UE_LOG(LogHost, Warning, "Cannot add a component named '%.*s' to %s", static_cast<int>(VariableName.size()), VariableName.data(), GetPathName().c_str());
		return nullptr;
	}
	// Names are unique among the script's nodes, in the tree or not yet, as the editor numbers them: Light, Light1, Light2...
	const auto IsTaken = [this](std::string_view Candidate) {
		const std::vector<UObject*> Inners = GetInnerObjects();
		return std::any_of(Inners.begin(), Inners.end(), [Candidate](const UObject* Inner) {
			const USCS_Node* const Node = Cast<USCS_Node>(Inner);
			return Node != nullptr && !Node->IsGarbage() && Text::EqualsIgnoreCase(Node->GetVariableName(), Candidate);
		});
	};
	std::string Name(VariableName);
	for (int Number = 1; IsTaken(Name); ++Number)
	{
		Name = std::string(VariableName) + std::to_string(Number);
	}
	USCS_Node* const Node = NewObject<USCS_Node>(this);
	Node->SetVariableName(Name);
	Node->ComponentClass = ComponentClass;
	if (ComponentClass != nullptr)
	{
		// Templates live in the Blueprint rather than in its generated class, which each compile replaces.
		UObject* const TemplateOuter = GetOuter() != nullptr ? GetOuter() : this;
		Node->ComponentTemplate = NewObject<UObject>(TemplateOuter, ComponentClass, Name + "_GEN_VARIABLE");
	}
	return Node;
}

void USimpleConstructionScript::AddNode(USCS_Node* Node)
{
	if (Node == nullptr || std::find(RootNodes.begin(), RootNodes.end(), Node) != RootNodes.end() || FindParentNode(Node) != nullptr)
	{
		return;
	}
	RootNodes.push_back(Node);
	ListSubtree(*Node, AllNodes);
}

void USimpleConstructionScript::RemoveNode(USCS_Node* Node)
{
	if (Node == nullptr)
	{
		return;
	}
	if (USCS_Node* const Parent = FindParentNode(Node))
	{
		Parent->RemoveChildNode(Node);
		return;
	}
	if (std::erase(RootNodes, Node) != 0)
	{
		DiscardSubtree(*Node, &AllNodes);
	}
}

void USCS_Node::AddChildNode(USCS_Node* Child)
{
	if (Child == nullptr || IsInSubtree(*Child, this))
	{
		return;
	}
	USimpleConstructionScript* const Script = Cast<USimpleConstructionScript>(GetOuter());
	if (Script != nullptr && (Script->FindParentNode(Child) != nullptr || std::find(Script->RootNodes.begin(), Script->RootNodes.end(), Child) != Script->RootNodes.end()))
	{
		return;
	}
	ChildNodes.push_back(Child);
	// Nodes join the script's list once they hang below a root, so the list keeps parents first.
	if (Script != nullptr && std::find(Script->AllNodes.begin(), Script->AllNodes.end(), this) != Script->AllNodes.end())
	{
		ListSubtree(*Child, Script->AllNodes);
	}
}

void USCS_Node::RemoveChildNode(USCS_Node* Child)
{
	if (std::erase(ChildNodes, Child) != 0)
	{
		USimpleConstructionScript* const Script = Cast<USimpleConstructionScript>(GetOuter());
		DiscardSubtree(*Child, Script != nullptr ? &Script->AllNodes : nullptr);
	}
}
