#pragma once

#include "Core/Vector2D.h"
#include "Objects/Object.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UClass;
struct FCopyPasteObject;
class URigVMGraph;
class URigVMLink;
class URigVMNode;
class URigVMPin;
class URigVMUnitNode;

/**
 * Edits one rig graph, as the rig editor does: adds unit nodes with the pins their unit
 * declares, links pins, sets default values, removes nodes, and copies nodes to and from the
 * rig editor's copy-paste text (docs/COPY_PASTE_FORMAT.md).
 */
class URigVMController : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMController, UObject, "/Script/RigVMDeveloper.RigVMController")

public:
	URigVMGraph* GetGraph() const { return Graph; }
	void SetGraph(URigVMGraph* InGraph) { Graph = InGraph; }

	/**
	 * A unit node of the structure at ScriptStructPath named Name (or a free name made from the
	 * unit's); the pins are the ones the host's rig VM declares for that unit. nullptr for a
	 * unit the host does not know.
	 */
	URigVMUnitNode* AddUnitNodeFromStructPath(std::string_view ScriptStructPath, std::string_view Method = "Execute", const FVector2D& Position = {},
		std::string_view NodeName = {});
	/** Links an output (or IO) pin to an input (or IO) pin by their paths; false when either is missing, the directions or types do not fit, or the link would close a loop. */
	bool AddLink(std::string_view OutputPinPath, std::string_view InputPinPath);
	/** Links two pins; false, with nothing changed, for the same reasons as AddLink. */
	bool AddLink(URigVMPin* OutputPin, URigVMPin* InputPin);
	/** Removes the link between the two pins; false when there is none. */
	bool BreakLink(std::string_view OutputPinPath, std::string_view InputPinPath);
	/**
	 * Sets a pin's default value from text: a structure pin takes the members the text names and
	 * its sub-pins follow, a sub-pin's structure pins follow it. False for a missing or execution
	 * pin and for text that is no value of the pin's type; a pin of a type the host does not know
	 * takes the text as it is.
	 */
	bool SetPinDefaultValue(std::string_view PinPath, std::string_view DefaultValue);
	/** Removes the node and every link to its pins. */
	bool RemoveNodeByName(std::string_view NodeName);

	/**
	 * The copy-paste text of the named nodes of the graph, with the links between them; with
	 * bIncludeExteriorLinks false, links to nodes outside the set are left out. Names the
	 * graph lacks are skipped.
	 */
	std::string ExportNodesToText(const std::vector<std::string>& NodeNames, bool bIncludeExteriorLinks = false) const;
	/** Whether Text holds at least one node this controller can paste. */
	bool CanImportNodesFromText(std::string_view Text) const;
	/**
	 * Pastes copy-paste text into the graph: the nodes (renamed when their name is taken) and
	 * the links between them. Returns the names of the new nodes; nothing for text that holds
	 * no node. Hostile text never crashes and leaves the graph as it was when nothing could be read.
	 */
	std::vector<std::string> ImportNodesFromText(std::string_view Text, bool bSetupUndoRedo = false);

private:
	/** A node of Class in the graph, named Name when it is free and valid, else after it ("Name_1") or after FallbackName. */
	URigVMNode* CreateNode(UClass& Class, std::string_view Name, std::string_view FallbackName);
	/** Why the link cannot be made, or nothing when it can. */
	std::optional<std::string> CheckLink(const URigVMPin& OutputPin, const URigVMPin& InputPin) const;
	/** Whether a chain of links already leads from a pin of From to a pin of To. */
	bool IsReachable(const URigVMNode& From, const URigVMNode& To) const;
	void RemoveLink(URigVMLink& Link);
	/** Makes the node a top-level block of copy-paste text describes; nullptr for a block that is no rig node. */
	URigVMNode* PasteNode(const FCopyPasteObject& Object);

	URigVMGraph* Graph = nullptr;
};
