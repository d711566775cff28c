#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphLegacyPins.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"
#include "Graph/EdGraphPinFields.h"
#include "Objects/ClassDatabase.h"

#include <algorithm>
#include <list>
#include <span>
#include <unordered_map>
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

	/** A pasted pin with what the text said of it, so links are found by the text's names and ids. */
	struct FPastedPin
	{
		UEdGraphPin* Pin;
		/** The pin's kept line as read, or how the text names a legacy pin. */
		const FCopyPastePin* Text;
		/** Text->PinId as a GUID; nothing for a legacy pin, which the text names by its sub-object. */
		std::optional<FGuid> TextGuid;
	};

	struct FPastedNode
	{
		UEdGraphNode* Node;
		std::vector<FPastedPin> Pins;
		/** How the text names the node's legacy pins; a list, so Pins can point into it. */
		std::list<FCopyPastePin> LegacyPinTexts;
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

	/**
	 * Reads the node from its object, which it then keeps: each `CustomProperties Pin` line that
	 * reads as a pin moves into that pin and leaves a slot where it stood.
	 */
	FPastedNode PasteNode(UEdGraphNode& Node, FCopyPasteObject Object, FGuidSet& UsedNodeGuids, FGuidSet& UsedPinIds)
	{
		Node.NodeClassPath = Object.Class;
		for (const FCopyPasteProperty& Property : Object.Properties)
		{
			ReadEdGraphNodeProperty(Node, Property);
		}
		Node.NodeGuid = ClaimGuid(Node.NodeGuid, UsedNodeGuids);
		FPastedNode Pasted{&Node, {}, {}};
		Pasted.Pins.reserve(Object.CustomProperties.size());
		for (FCopyPasteCustomProperty& Custom : Object.CustomProperties)
		{
			std::optional<FCopyPastePin> Parsed = Custom.Kind == "Pin" ? ParseCopyPastePin(Custom.Text) : std::nullopt;
			if (!Parsed)
			{
				continue;
			}
			UEdGraphPin& Pin = Node.CreatePin();
			ReadEdGraphPin(Pin, std::move(*Parsed), std::move(Custom.Text));
			Custom = {std::string(PinLineSlotKind), {}};
			// The pin read its id from the text; a zero one may also have been no GUID at all.
			const std::optional<FGuid> TextGuid = Pin.PinId.IsValid() ? std::optional(Pin.PinId) : FGuid::Parse(Pin.KeptLine->Read.PinId);
			Pasted.Pins.push_back({&Pin, &Pin.KeptLine->Read, TextGuid});
			Pin.PinId = ClaimGuid(Pin.PinId, UsedPinIds);
		}
		for (const FCopyPasteObject& Child : Object.Children)
		{
			if (IsLegacyPinObject(Child) && Node.FindLegacyPin(Child.Name) == nullptr)
			{
				UEdGraphPin& Pin = Node.CreatePin();
				const FCopyPastePin& Named = Pasted.LegacyPinTexts.emplace_back(ReadLegacyEdGraphPin(Pin, Child));
				Pin.PinId = ClaimGuid(FGuid::NewGuid(), UsedPinIds);
				Pasted.Pins.push_back({&Pin, &Named, std::nullopt});
			}
		}
		Node.KeptObject = std::move(Object);
		return Pasted;
	}

	/** The pin the text called PinId (before any regenerated id), or, for a legacy pin, its sub-object name. */
	UEdGraphPin* FindPinByTextId(const FPastedNode& Pasted, std::string_view PinId)
	{
		const std::optional<FGuid> Wanted = FGuid::Parse(PinId);
		for (const FPastedPin& Pin : Pasted.Pins)
		{
			if (Wanted ? Pin.TextGuid == Wanted : Pin.Text->PinId == PinId)
			{
				return Pin.Pin;
			}
		}
		return nullptr;
	}

	using FTextNameIndex = std::unordered_map<std::string_view, std::size_t>;

	/** The paste's nodes by the names their text gave them, for the nodes' own last paste step. */
	class FPastedNodesByTextName final : public FEdGraphPastedNodes
	{
	public:
		FPastedNodesByTextName(const FTextNameIndex& InByTextName, const std::vector<FPastedNode>& InPasted) : ByTextName(InByTextName), Pasted(InPasted) {}

		UEdGraphNode* FindByTextName(std::string_view TextName) const override
		{
			const auto Found = ByTextName.find(TextName);
			return Found != ByTextName.end() ? Pasted[Found->second].Node : nullptr;
		}

	private:
		const FTextNameIndex& ByTextName;
		const std::vector<FPastedNode>& Pasted;
	};

	/** Split pins name pins of their own node, so they are found there whatever the node is called now. */
	void RestoreSplitPins(const FPastedNode& Pasted)
	{
		for (const FPastedPin& Pin : Pasted.Pins)
		{
			for (const FCopyPastePinLink& Sub : Pin.Text->SubPins)
			{
				if (UEdGraphPin* const SubPin = FindPinByTextId(Pasted, Sub.PinId))
				{
					Pin.Pin->SubPins.push_back(SubPin);
				}
			}
			Pin.Pin->ParentPin = Pin.Text->ParentPin ? FindPinByTextId(Pasted, Pin.Text->ParentPin->PinId) : nullptr;
		}
	}
}

std::vector<UEdGraphNode*> ImportNodesFromText(UEdGraph& Graph, std::string_view Text)
{
	// A pasted node's text is a few hundred bytes at least; the estimate only saves rehashing.
	const std::size_t ExpectedNodes = Text.size() / 256 + 1;
	FGuidSet UsedNodeGuids;
	FGuidSet UsedPinIds;
	UsedNodeGuids.reserve(Graph.GetNodes().size() + ExpectedNodes);
	UsedPinIds.reserve(4 * (Graph.GetNodes().size() + ExpectedNodes));
	for (const UEdGraphNode* const Existing : Graph.GetNodes())
	{
		UsedNodeGuids.insert(Existing->NodeGuid);
		for (const auto& Pin : Existing->GetPins())
		{
			UsedPinIds.insert(Pin->PinId);
		}
	}

	std::vector<UEdGraphNode*> Created;
	std::vector<FPastedNode> Pasted;
	// Keys view the names kept in each node's object, which stay put while the nodes live.
	FTextNameIndex ByTextName;
	ByTextName.reserve(ExpectedNodes);
	// Each node is made as soon as its block is read, while its text is still in the caches.
	const FCopyPasteParse Parse = ReadCopyPasteText(Text, [&](FCopyPasteObject&& Object) {
		if (Object.Class.empty() || Object.Name.empty() || ByTextName.contains(Object.Name))
		{
			return;
		}
		UClass* const NodeClass = ResolveNodeClass(Object.Class);
		UEdGraphNode* const Node = Graph.CreateNode(PastedNodeName(Object.Name, *NodeClass), NodeClass);
		if (Node == nullptr)
		{
			return;
		}
		Pasted.push_back(PasteNode(*Node, std::move(Object), UsedNodeGuids, UsedPinIds));
		ByTextName.emplace(Node->KeptObject.Name, Pasted.size() - 1);
		Created.push_back(Node);
	});
	for (UEdGraphNode* const Node : Created)
	{
		Node->KeptLayout = Parse.Document.Layout;
	}
	const auto FindPastedPin = [&](const FCopyPastePinLink& Link) -> UEdGraphPin* {
		const auto Found = ByTextName.find(Link.NodeName);
		return Found != ByTextName.end() ? FindPinByTextId(Pasted[Found->second], Link.PinId) : nullptr;
	};

	// Links go both ways, so a pin's list fills up in whatever order its partners are met;
	// once all are made, each pin's list is put back in the order its own text gave.
	// The orders are kept end to end in one list: each pin's starts where the one before ended.
	std::vector<UEdGraphPin*> LinkedInTextOrder;
	std::vector<std::pair<UEdGraphPin*, std::size_t>> TextOrderEnds;
	for (const FPastedNode& Node : Pasted)
	{
		RestoreSplitPins(Node);
		for (const FPastedPin& Pin : Node.Pins)
		{
			const std::size_t Before = LinkedInTextOrder.size();
			for (const FCopyPastePinLink& Link : Pin.Text->LinkedTo)
			{
				if (UEdGraphPin* const Other = FindPastedPin(Link))
				{
					Pin.Pin->MakeLinkTo(*Other);
					LinkedInTextOrder.push_back(Other);
				}
			}
			if (LinkedInTextOrder.size() > Before)
			{
				TextOrderEnds.emplace_back(Pin.Pin, LinkedInTextOrder.size());
			}
		}
	}
	std::size_t OrderStart = 0;
	for (const auto& [Pin, OrderEnd] : TextOrderEnds)
	{
		Pin->SortLinks(std::span(LinkedInTextOrder).subspan(OrderStart, OrderEnd - OrderStart));
		OrderStart = OrderEnd;
	}

	const FPastedNodesByTextName PastedNodes(ByTextName, Pasted);
	for (UEdGraphNode* const Node : Created)
	{
		Node->PostPasteNode(PastedNodes);
	}
	return Created;
}
