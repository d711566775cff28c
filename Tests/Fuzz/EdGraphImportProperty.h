#pragma once

#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <string>
#include <string_view>
#include <vector>

/** What a pasted graph holds: each node's name, class and pins, and each pin's links, in order. */
inline std::string DescribePastedNodes(const std::vector<UEdGraphNode*>& Nodes)
{
	std::string Description;
	for (const UEdGraphNode* const Node : Nodes)
	{
		Description += Node->GetName() + " " + Node->GetClass()->GetName() + " " + Node->NodeClassPath + "\n";
		for (const auto& Pin : Node->GetPins())
		{
			Description += "  " + Pin->PinName + (Pin->Direction == EEdGraphPinDirection::Input ? " in " : " out ") + Pin->PinType.PinCategory + " ->";
			for (const UEdGraphPin* const Linked : Pin->GetLinkedTo())
			{
				Description += " " + Linked->GetOwningNode().GetName() + "." + Linked->PinName;
			}
			Description += "\n";
		}
	}
	return Description;
}

/**
 * What pasting any text must give: no crash, and nodes that copy to text which pastes back to
 * the same nodes, pins and links. Returns an empty string when that holds, else what went wrong.
 */
inline std::string CheckImportRoundTrip(std::string_view Text)
{
	UEdGraph* const First = NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Imported = ImportNodesFromText(*First, Text);
	const std::string Exported = ExportNodesToText(std::vector<const UEdGraphNode*>(Imported.begin(), Imported.end()));
	UEdGraph* const Second = NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Reimported = ImportNodesFromText(*Second, Exported);
	const std::string Before = DescribePastedNodes(Imported);
	const std::string After = DescribePastedNodes(Reimported);
	First->MarkAsGarbage();
	Second->MarkAsGarbage();
	CollectGarbage();
	if (After != Before)
	{
		return "the copied text does not paste back to the same nodes:\n" + Before + "---\n" + After;
	}
	return {};
}
