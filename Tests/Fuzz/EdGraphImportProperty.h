#pragma once

#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <string>
#include <string_view>
#include <vector>

/**
 * What pasting any text must give: no crash, and nodes whose copy-paste text is stable, so
 * pasting the exported text into an empty graph and exporting again gives the same text.
 * Returns an empty string when that holds, else what went wrong.
 */
inline std::string CheckImportRoundTrip(std::string_view Text)
{
	const auto ExportOf = [](const std::vector<UEdGraphNode*>& Nodes) { return ExportNodesToText(std::vector<const UEdGraphNode*>(Nodes.begin(), Nodes.end())); };

	UEdGraph* const First = NewObject<UEdGraph>();
	const std::string Exported = ExportOf(ImportNodesFromText(*First, Text));
	UEdGraph* const Second = NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Reimported = ImportNodesFromText(*Second, Exported);
	const std::string Reexported = ExportOf(Reimported);
	First->MarkAsGarbage();
	Second->MarkAsGarbage();
	CollectGarbage();
	if (Reexported != Exported)
	{
		return "exported text does not paste back to the same text:\n" + Exported + "\n---\n" + Reexported;
	}
	return {};
}
