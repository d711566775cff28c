#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphExportPath.h"
#include "Graph/EdGraphLegacyPins.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"
#include "Graph/EdGraphPinFields.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

namespace
{
	/** A renamed node's ExportPath names it by its new name; an unrenamed one keeps the path as written. */
	void RenameExportPath(FCopyPasteObject& Object, const std::string& NewName)
	{
		if (Object.Name == NewName)
		{
			return;
		}
		for (FCopyPasteAttribute& Attribute : Object.Attributes)
		{
			if (Attribute.Key == "ExportPath" && Attribute.Value)
			{
				Attribute.Value = RenameExportPathObject(*Attribute.Value, NewName).value_or(*Attribute.Value);
			}
		}
	}

	using FIsExported = std::function<bool(const UEdGraphNode&)>;

	/** The node's pins that are written as `CustomProperties Pin` lines, in order. */
	std::vector<const UEdGraphPin*> PinLinePins(const UEdGraphNode& Node)
	{
		std::vector<const UEdGraphPin*> Pins;
		Pins.reserve(Node.GetPins().size());
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin->LegacyObjectName.empty())
			{
				Pins.push_back(Pin.get());
			}
		}
		return Pins;
	}

	/** Whether the node's kept object can be written as it stands, its slots taking the pins' lines. */
	bool IsKeptObjectCurrent(const UEdGraphNode& Node, std::size_t PinLineCount)
	{
		const FCopyPasteObject& Kept = Node.KeptObject;
		const auto Slots = static_cast<std::size_t>(std::ranges::count(Kept.CustomProperties, PinLineSlotKind, &FCopyPasteCustomProperty::Kind));
		return Kept.Class == Node.NodeClassPath && Kept.Name == Node.GetName() && Slots >= PinLineCount && std::ranges::none_of(Kept.Children, IsLegacyPinObject)
			&& HasEdGraphNodeProperties(Node, Kept);
	}

	/**
	 * The node's kept object brought up to date (class, name, typed properties, legacy pins), its
	 * pin lines still slots, with a slot added at the end for each pin beyond them.
	 */
	FCopyPasteObject NodeObject(const UEdGraphNode& Node, std::size_t PinLineCount, const FIsExported& IsExported)
	{
		FCopyPasteObject Object = Node.KeptObject;
		Object.Class = Node.NodeClassPath;
		RenameExportPath(Object, Node.GetName());
		Object.Name = Node.GetName();
		WriteEdGraphNodeProperties(Node, Object);
		for (FCopyPasteObject& Child : Object.Children)
		{
			const UEdGraphPin* const Legacy = IsLegacyPinObject(Child) ? Node.FindLegacyPin(Child.Name) : nullptr;
			if (Legacy != nullptr)
			{
				WriteLegacyEdGraphPin(*Legacy, Child, IsExported);
			}
		}
		const auto Slots = static_cast<std::size_t>(std::ranges::count(Object.CustomProperties, PinLineSlotKind, &FCopyPasteCustomProperty::Kind));
		for (std::size_t Added = Slots; Added < PinLineCount; ++Added)
		{
			Object.AddCustomProperty({std::string(PinLineSlotKind), {}});
		}
		return Object;
	}

	void WriteNode(FCopyPasteTextWriter& Writer, const UEdGraphNode& Node, const FIsExported& IsExported)
	{
		const std::vector<const UEdGraphPin*> Pins = PinLinePins(Node);
		std::size_t PinIndex = 0;
		std::string Buffer;
		// Each slot takes the next pin's line, written straight from the pin; slots left over
		// (pins removed since the node was read) write nothing.
		const FCopyPasteTextWriter::FSlotLine NextPinLine = [&]() -> std::optional<FCopyPasteCustomPropertyView> {
			if (PinIndex == Pins.size())
			{
				return std::nullopt;
			}
			return FCopyPasteCustomPropertyView{"Pin", WriteEdGraphPinText(*Pins[PinIndex++], IsExported, Buffer)};
		};
		// A node as it was read is written from its kept object without copying it.
		if (IsKeptObjectCurrent(Node, Pins.size()))
		{
			Writer.WriteObject(Node.KeptObject, PinLineSlotKind, NextPinLine);
		}
		else
		{
			Writer.WriteObject(NodeObject(Node, Pins.size(), IsExported), PinLineSlotKind, NextPinLine);
		}
	}

	/** About the size of the nodes' text (their kept pin lines and a little more), so writing it does not grow it many times. */
	std::size_t ExpectedTextSize(const std::vector<const UEdGraphNode*>& Nodes)
	{
		constexpr std::size_t PerNode = 512;
		std::size_t Size = 0;
		for (const UEdGraphNode* const Node : Nodes)
		{
			Size += PerNode;
			for (const auto& Pin : Node->GetPins())
			{
				Size += (Pin->KeptLine ? Pin->KeptLine->Text.size() : 0) + 32;
			}
		}
		return Size;
	}
}

std::string ExportNodesToText(const std::vector<const UEdGraphNode*>& Nodes)
{
	FCopyPasteTextWriter Writer(Nodes.empty() ? FCopyPasteLayout() : Nodes.front()->KeptLayout, ExpectedTextSize(Nodes));
	const std::unordered_set<const UEdGraphNode*> Exported(Nodes.begin(), Nodes.end());
	const FIsExported IsExported = [&Exported](const UEdGraphNode& Other) { return Exported.contains(&Other); };
	for (const UEdGraphNode* const Node : Nodes)
	{
		WriteNode(Writer, *Node, IsExported);
	}
	return std::move(Writer).Finish();
}
