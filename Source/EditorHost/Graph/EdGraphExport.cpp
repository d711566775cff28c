#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphExportPath.h"
#include "Graph/EdGraphLegacyPins.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphNodeProperties.h"
#include "Graph/EdGraphPinFields.h"

#include <algorithm>
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

	FCopyPasteObject ExportNode(const UEdGraphNode& Node, const std::unordered_set<const UEdGraphNode*>& Exported)
	{
		FCopyPasteObject Object = Node.KeptObject;
		Object.Class = Node.NodeClassPath;
		RenameExportPath(Object, Node.GetName());
		Object.Name = Node.GetName();
		WriteEdGraphNodeProperties(Node, Object);

		const auto IsExported = [&Exported](const UEdGraphNode& Other) { return Exported.contains(&Other); };
		std::vector<const UEdGraphPin*> Pins;
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin->LegacyObjectName.empty())
			{
				Pins.push_back(Pin.get());
			}
		}
		for (FCopyPasteObject& Child : Object.Children)
		{
			const UEdGraphPin* const Legacy = IsLegacyPinObject(Child) ? Node.FindLegacyPin(Child.Name) : nullptr;
			if (Legacy != nullptr)
			{
				WriteLegacyEdGraphPin(*Legacy, Child, IsExported);
			}
		}
		std::size_t PinIndex = 0;
		for (FCopyPasteCustomProperty& Custom : Object.CustomProperties)
		{
			if (Custom.Kind == "Pin" && PinIndex < Pins.size() && IsCopyPasteList(Custom.Text))
			{
				Custom.Text = WriteEdGraphPinText(*Pins[PinIndex++], IsExported);
			}
		}
		for (; PinIndex < Pins.size(); ++PinIndex)
		{
			Object.AddCustomProperty({"Pin", WriteEdGraphPinText(*Pins[PinIndex], IsExported)});
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
	const std::unordered_set<const UEdGraphNode*> Exported(Nodes.begin(), Nodes.end());
	Document.Objects.reserve(Nodes.size());
	for (const UEdGraphNode* const Node : Nodes)
	{
		Document.Objects.push_back(ExportNode(*Node, Exported));
	}
	return WriteCopyPasteText(Document);
}
