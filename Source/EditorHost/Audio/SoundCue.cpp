#include "Audio/SoundCue.h"

#include "Audio/SoundNode.h"
#include "Core/JsonObject.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace
{
	/** The editor's "kinda small number": a max distance below it means no node set one. */
	constexpr float KindaSmallNumber = 1.0e-4f;
}

float USoundCue::GetDuration() const
{
	return FirstNode != nullptr ? EvaluateFromFirstNode(&USoundNode::GetDuration) : Duration;
}

float USoundCue::GetMaxDistance() const
{
	const float NodesMaxDistance = FirstNode != nullptr ? EvaluateFromFirstNode(&USoundNode::GetMaxDistance) : 0.0f;
	return NodesMaxDistance > KindaSmallNumber ? NodesMaxDistance : Super::GetMaxDistance();
}

void USoundCue::RecursiveFindAllNodes(USoundNode* Node, std::vector<USoundNode*>& OutNodes)
{
	std::unordered_set<const USoundNode*> Seen(OutNodes.begin(), OutNodes.end());
	std::vector<USoundNode*> ToVisit{Node};
	while (!ToVisit.empty())
	{
		USoundNode* Current = ToVisit.back();
		ToVisit.pop_back();
		if (Current == nullptr || !Seen.insert(Current).second)
		{
			continue;
		}
		OutNodes.push_back(Current);
		const std::size_t Inputs = std::min<std::size_t>(Current->ChildNodes.size(), static_cast<std::size_t>(std::max(0, Current->GetMaxChildNodes())));
		// Pushed last to first so the first input is walked first, as a recursive walk would.
		for (std::size_t Index = Inputs; Index-- > 0;)
		{
			ToVisit.push_back(Current->ChildNodes[Index]);
		}
	}
}

float USoundCue::EvaluateFromFirstNode(FNodeRule Rule) const
{
	struct FFrame
	{
		const USoundNode* Node;
		std::size_t NextInput = 0;
		std::vector<float> InputValues;
	};
	std::unordered_map<const USoundNode*, float> Finished;
	std::unordered_set<const USoundNode*> InProgress{FirstNode};
	std::vector<FFrame> Stack{FFrame{FirstNode, 0, {}}};
	float Result = 0.0f;
	while (!Stack.empty())
	{
		FFrame& Top = Stack.back();
		if (Top.NextInput < Top.Node->ChildNodes.size())
		{
			const USoundNode* Input = Top.Node->ChildNodes[Top.NextInput++];
			const auto Known = Input != nullptr ? Finished.find(Input) : Finished.end();
			if (Input == nullptr || InProgress.contains(Input))
			{
				Top.InputValues.push_back(0.0f);
			}
			else if (Known != Finished.end())
			{
				Top.InputValues.push_back(Known->second);
			}
			else
			{
				InProgress.insert(Input);
				Stack.push_back(FFrame{Input, 0, {}});
			}
			continue;
		}
		const float Value = (Top.Node->*Rule)(Top.InputValues);
		Finished.emplace(Top.Node, Value);
		InProgress.erase(Top.Node);
		Stack.pop_back();
		if (Stack.empty())
		{
			Result = Value;
		}
		else
		{
			Stack.back().InputValues.push_back(Value);
		}
	}
	return Result;
}

bool USoundCue::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	const std::shared_ptr<FJsonValueArray> Entries = File.TryGetArrayField("nodes");
	FNodesByName NodesByName;
	return (!Entries || LoadNodes(*Entries, NodesByName, OutError)) && LinkNodes(File, NodesByName, OutError);
}

bool USoundCue::LoadNodes(const FJsonValueArray& Entries, FNodesByName& OutNodesByName, std::string& OutError)
{
	AllNodes.reserve(Entries.size());
	for (const FJsonValue& Value : Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
		const std::optional<std::string> ClassPath = Entry ? Entry->TryGetStringField("class") : std::nullopt;
		if (!Name || !ClassPath)
		{
			OutError = "a sound node needs a \"name\" and a \"class\"";
			return false;
		}
		UClass* Class = FClassDatabase::Get().FindClass(*ClassPath);
		if (Class == nullptr || !Class->IsChildOf(USoundNode::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			OutError = "sound node " + *Name + " has class " + *ClassPath + ", which is not a kind of sound node";
			return false;
		}
		if (OutNodesByName.contains(*Name))
		{
			OutError = "sound node " + *Name + " is declared twice";
			return false;
		}
		USoundNode* Node = NewObject<USoundNode>(this, Class, *Name);
		if (Node == nullptr || Node->GetName() != *Name)
		{
			OutError = "\"" + *Name + "\" cannot name a sound node";
			return false;
		}
		if (!Node->LoadAssetFields(*Entry, OutError))
		{
			OutError = "sound node " + *Name + ": " + OutError;
			return false;
		}
		AllNodes.push_back(Node);
		OutNodesByName.emplace(*Name, Node);
	}
	return true;
}

bool USoundCue::LinkNodes(const FJsonObject& File, const FNodesByName& NodesByName, std::string& OutError)
{
	const auto FindNode = [&NodesByName](const std::string& Name) -> USoundNode* {
		const auto Found = NodesByName.find(Name);
		return Found == NodesByName.end() ? nullptr : Found->second;
	};
	const std::shared_ptr<FJsonValueArray> Entries = File.TryGetArrayField("nodes");
	for (std::size_t Index = 0; Index < AllNodes.size(); ++Index)
	{
		USoundNode* Node = AllNodes[Index];
		const std::shared_ptr<FJsonValueArray> Children = (*Entries)[Index].TryGetObject()->TryGetArrayField("children");
		if (!Children)
		{
			continue;
		}
		for (const FJsonValue& Child : *Children)
		{
			const std::string* ChildName = Child.TryGetString();
			USoundNode* ChildNode = ChildName != nullptr ? FindNode(*ChildName) : nullptr;
			if (ChildName == nullptr || (!ChildName->empty() && ChildNode == nullptr))
			{
				OutError = "sound node " + Node->GetName() + " has an input that names no node of the cue";
				return false;
			}
			Node->ChildNodes.push_back(ChildNode);
		}
	}
	const std::string FirstNodeName = File.TryGetStringField("firstNode").value_or(std::string());
	FirstNode = FindNode(FirstNodeName);
	if (!FirstNodeName.empty() && FirstNode == nullptr)
	{
		OutError = "the first node " + FirstNodeName + " is not a node of the cue";
		return false;
	}
	return true;
}

void USoundCue::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	OutFile.SetStringField("firstNode", FirstNode != nullptr ? FirstNode->GetName() : std::string());
	FJsonValueArray Nodes;
	Nodes.reserve(AllNodes.size());
	for (const USoundNode* Node : AllNodes)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Node->GetName());
		Entry->SetStringField("class", Node->GetClass()->GetPathName());
		Node->SaveAssetFields(*Entry);
		Nodes.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("nodes", std::move(Nodes));
}
