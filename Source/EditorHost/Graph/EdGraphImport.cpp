#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphLegacyPins.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"
#include "Graph/EdGraphPinFields.h"
#include "Objects/ClassDatabase.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace
{
	/**
	 * The class `Begin Object Class=` names: a full path, or a short name as older editors wrote
	 * it. A class the database does not know, or one that is not a concrete node class, gives a
	 * plain EdGraphNode: the node stays opaque and still copies back as it was read.
	 */
	UClass* ResolveNodeClass(std::string_view ClassText)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		UClass* const Class = ClassText.starts_with('/') ? Database.FindClass(ClassText) : Database.FindClassByName(ClassText);
		if (Class == nullptr || !Class->IsChildOf<UEdGraphNode>() || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			return UEdGraphNode::StaticClass();
		}
		return Class;
	}

	/**
	 * Whether copy-paste text can refer to a node by this name: LinkedTo, SubPins and ParentPin
	 * write `Name PinId` inside brackets and separated by commas, so a name holding a bracket,
	 * comma, quote, space or path separator would not read back as the same node.
	 */
	bool IsLinkableNodeName(std::string_view Name)
	{
		return !Name.empty() && Name.find_first_of("()\",' \t./:") == std::string_view::npos
			&& std::ranges::none_of(Name, [](char Character) { return static_cast<unsigned char>(Character) < 0x20; });
	}

	/** A pasted node keeps the name it was copied with when it can; otherwise it is named after its class. */
	std::string PastedNodeName(std::string_view TextName, const UClass& NodeClass)
	{
		return IsLinkableNodeName(TextName) ? std::string(TextName) : NodeClass.GetName() + "_0";
	}

	/** A pasted node, with what the text called it and its pins, so links are found by the text's names. */
	struct FPastedNode
	{
		UEdGraphNode* Node;
		std::vector<std::pair<FCopyPastePin, UEdGraphPin*>> Pins;
	};

	struct FGuidHash
	{
		std::size_t operator()(const FGuid& Guid) const
		{
			return std::hash<uint64_t>()((uint64_t(Guid.A) << 32 | Guid.B) ^ (uint64_t(Guid.C) << 32 | Guid.D));
		}
	};

	using FGuidSet = std::unordered_set<FGuid, FGuidHash>;

	/**
	 * The guid, or a new one when it is already used or zero (text without the id, which links
	 * and the graph's node ids could not tell apart); either way it counts as used from now on.
	 */
	FGuid ClaimGuid(const FGuid& Guid, FGuidSet& Used)
	{
		FGuid Claimed = Guid;
		while (!Claimed.IsValid() || Used.contains(Claimed))
		{
			Claimed = FGuid::NewGuid();
		}
		Used.insert(Claimed);
		return Claimed;
	}

	FPastedNode PasteNode(UEdGraphNode& Node, const FCopyPasteObject& Object, const FCopyPasteLayout& Layout, FGuidSet& UsedNodeGuids, FGuidSet& UsedPinIds)
	{
		Node.NodeClassPath = Object.Class;
		Node.KeptObject = Object;
		Node.KeptLayout = Layout;
		for (const FCopyPasteProperty& Property : Object.Properties)
		{
			ReadEdGraphNodeProperty(Node, Property);
		}
		Node.NodeGuid = ClaimGuid(Node.NodeGuid, UsedNodeGuids);
		FPastedNode Pasted{&Node, {}};
		for (const FCopyPasteCustomProperty& Custom : Object.CustomProperties)
		{
			std::optional<FCopyPastePin> Parsed = Custom.Kind == "Pin" ? ParseCopyPastePin(Custom.Text) : std::nullopt;
			if (!Parsed)
			{
				continue;
			}
			UEdGraphPin& Pin = Node.CreatePin();
			ReadEdGraphPin(Pin, *Parsed, Parsed->Fields);
			Pin.KeptFields = std::move(Parsed->Fields);
			Pin.KeptText = Custom.Text;
			Pin.PinId = ClaimGuid(Pin.PinId, UsedPinIds);
			Pasted.Pins.emplace_back(std::move(*Parsed), &Pin);
		}
		for (const FCopyPasteObject& Child : Object.Children)
		{
			if (IsLegacyPinObject(Child) && Node.FindLegacyPin(Child.Name) == nullptr)
			{
				UEdGraphPin& Pin = Node.CreatePin();
				FCopyPastePin Named = ReadLegacyEdGraphPin(Pin, Child);
				Pin.PinId = ClaimGuid(FGuid::NewGuid(), UsedPinIds);
				Pasted.Pins.emplace_back(std::move(Named), &Pin);
			}
		}
		return Pasted;
	}

	/** The pin the text called PinId (before any regenerated id), or, for a legacy pin, its sub-object name. */
	UEdGraphPin* FindPinByTextId(const FPastedNode& Pasted, std::string_view PinId)
	{
		const std::optional<FGuid> Wanted = FGuid::Parse(PinId);
		for (const auto& [Parsed, Pin] : Pasted.Pins)
		{
			if (Wanted ? FGuid::Parse(Parsed.PinId) == Wanted : Parsed.PinId == PinId)
			{
				return Pin;
			}
		}
		return nullptr;
	}

	UEdGraphPin* FindPastedPin(const std::map<std::string, FPastedNode, std::less<>>& ByTextName, const FCopyPastePinLink& Link)
	{
		const auto Found = ByTextName.find(Link.NodeName);
		return Found != ByTextName.end() ? FindPinByTextId(Found->second, Link.PinId) : nullptr;
	}

	/** Split pins name pins of their own node, so they are found there whatever the node is called now. */
	void RestoreSplitPins(const FPastedNode& Pasted)
	{
		for (const auto& [Parsed, Pin] : Pasted.Pins)
		{
			for (const FCopyPastePinLink& Sub : Parsed.SubPins)
			{
				if (UEdGraphPin* const SubPin = FindPinByTextId(Pasted, Sub.PinId))
				{
					Pin->SubPins.push_back(SubPin);
				}
			}
			Pin->ParentPin = Parsed.ParentPin ? FindPinByTextId(Pasted, Parsed.ParentPin->PinId) : nullptr;
		}
	}
}

std::vector<UEdGraphNode*> ImportNodesFromText(UEdGraph& Graph, std::string_view Text)
{
	const FCopyPasteParse Parse = ParseCopyPasteText(Text);
	FGuidSet UsedNodeGuids;
	FGuidSet UsedPinIds;
	for (const UEdGraphNode* const Existing : Graph.GetNodes())
	{
		UsedNodeGuids.insert(Existing->NodeGuid);
		for (const auto& Pin : Existing->GetPins())
		{
			UsedPinIds.insert(Pin->PinId);
		}
	}

	std::vector<UEdGraphNode*> Created;
	std::map<std::string, FPastedNode, std::less<>> ByTextName;
	for (const FCopyPasteObject& Object : Parse.Document.Objects)
	{
		if (Object.Class.empty() || Object.Name.empty() || ByTextName.contains(Object.Name))
		{
			continue;
		}
		UClass* const NodeClass = ResolveNodeClass(Object.Class);
		UEdGraphNode* const Node = Graph.CreateNode(PastedNodeName(Object.Name, *NodeClass), NodeClass);
		if (Node == nullptr)
		{
			continue;
		}
		ByTextName.emplace(Object.Name, PasteNode(*Node, Object, Parse.Document.Layout, UsedNodeGuids, UsedPinIds));
		Created.push_back(Node);
	}

	// Links go both ways, so a pin's list fills up in whatever order its partners are met;
	// once all are made, each pin's list is put back in the order its own text gave.
	std::vector<std::pair<UEdGraphPin*, std::vector<UEdGraphPin*>>> TextLinkOrders;
	for (const auto& [TextName, Pasted] : ByTextName)
	{
		RestoreSplitPins(Pasted);
		for (const auto& [Parsed, Pin] : Pasted.Pins)
		{
			std::vector<UEdGraphPin*> Linked;
			for (const FCopyPastePinLink& Link : Parsed.LinkedTo)
			{
				if (UEdGraphPin* const Other = FindPastedPin(ByTextName, Link))
				{
					Pin->MakeLinkTo(*Other);
					Linked.push_back(Other);
				}
			}
			TextLinkOrders.emplace_back(Pin, std::move(Linked));
		}
	}
	for (const auto& [Pin, Order] : TextLinkOrders)
	{
		Pin->SortLinks(Order);
	}
	return Created;
}
