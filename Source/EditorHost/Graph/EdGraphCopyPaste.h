#pragma once

#include <string>
#include <string_view>
#include <vector>

class UEdGraph;
class UEdGraphNode;

/**
 * Pastes the editor's node copy-paste text into Graph: one node per top-level object, in text
 * order (the created nodes are returned in that order). Names that clash in the graph are
 * renamed (K2Node_X_0 to K2Node_X_1...), and a name that links could not refer back to (one
 * holding brackets, commas, quotes or spaces) is replaced by the class name; NodeGuids and PinIds that clash are regenerated. Links
 * between pasted nodes are restored from LinkedTo, links to other nodes are dropped. Unknown
 * properties and child objects are kept. Pins stored as `EdGraphPin` sub-objects (older engines)
 * are read too and written back in that form. Once every node exists and is linked, each takes
 * its own last step (UEdGraphNode::PostPasteNode: a material node makes its expression there).
 * Malformed text gives the nodes that could be read.
 */
std::vector<UEdGraphNode*> ImportNodesFromText(UEdGraph& Graph, std::string_view Text);

/**
 * The nodes as copy-paste text; LinkedTo lists only links between the given nodes. A node renamed
 * on import has the object name at the end of its ExportPath changed to its new name.
 */
std::string ExportNodesToText(const std::vector<const UEdGraphNode*>& Nodes);
