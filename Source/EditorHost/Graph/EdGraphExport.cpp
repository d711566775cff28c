#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"
#include "Graph/EdGraphPinFields.h"

#include <algorithm>

namespace
{
	FCopyPasteObject ExportNode(const UEdGraphNode& Node, const std::vector<const UEdGraphNode*>& Exported)
	{
		FCopyPasteObject Object = Node.KeptObject;
		Object.Class = Node.NodeClassPath;
		Object.Name = Node.GetName();
		WriteEdGraphNodeProperties(Node, Object);

		const auto IsExported = [&Exported](const UEdGraphNode& Other) { return std::ranges::find(Exported, &Other) != Exported.end(); };
		const auto& Pins = Node.GetPins();
		std::size_t PinIndex = 0;
		for (FCopyPasteCustomProperty& Custom : Object.CustomProperties)
		{
			if (Custom.Kind == "Pin" && PinIndex < Pins.size() && ParseCopyPastePin(Custom.Text))
			{
				Custom.Text = WriteCopyPasteValue(WriteEdGraphPinFields(*Pins[PinIndex++], IsExported));
			}
		}
		for (; PinIndex < Pins.size(); ++PinIndex)
		{
			Object.AddCustomProperty({"Pin", WriteCopyPasteValue(WriteEdGraphPinFields(*Pins[PinIndex], IsExported))});
		}
		return Object;
	}
}

std::string ExportNodesToText(const std::vector<const UEdGraphNode*>& Nodes)
{
	FCopyPasteDocument Document;
	if (!Nodes.empty())
	{
		Document.Layout = Nodes.front()->KeptLayout;
	}
	for (const UEdGraphNode* const Node : Nodes)
	{
		Document.Objects.push_back(ExportNode(*Node, Nodes));
	}
	return WriteCopyPasteText(Document);
}
