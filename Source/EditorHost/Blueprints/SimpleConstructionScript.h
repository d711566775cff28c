#pragma once

#include "Objects/Object.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class UClass;
class USCS_Node;

/**
 * A Blueprint's component layout: a tree of nodes, each naming a component variable, its
 * class and its template. It lives inside the Blueprint; its nodes live inside it.
 */
class USimpleConstructionScript : public UObject
{
	DECLARE_ENGINE_CLASS(USimpleConstructionScript, UObject, "/Script/Engine.SimpleConstructionScript")

public:
	const std::vector<USCS_Node*>& GetRootNodes() const { return RootNodes; }
	/** Every node, in the order they were added to the script (parents before their children when loaded). */
	const std::vector<USCS_Node*>& GetAllNodes() const { return AllNodes; }
	/** The node whose children hold Node; nullptr for a root node or a node not in the script. */
	USCS_Node* FindParentNode(const USCS_Node* Node) const;
	/** The node with that variable name (ignoring case), or nullptr. */
	USCS_Node* FindSCSNode(std::string_view VariableName) const;

	/**
	 * A new node for a component of ComponentClass named VariableName (made unique among
	 * the script's nodes), with a template object of that class; not yet in the tree.
	 */
	USCS_Node* CreateNode(UClass* ComponentClass, std::string_view VariableName);
	void AddNode(USCS_Node* Node);
	/** Takes Node (and its children) out of the tree. */
	void RemoveNode(USCS_Node* Node);

private:
	friend class USCS_Node;

	std::vector<USCS_Node*> RootNodes;
	std::vector<USCS_Node*> AllNodes;
};

/**
 * One component of a construction script. The template is an object of the component class
 * (named `<Variable>_GEN_VARIABLE`) whose property values differ from the class defaults
 * where the Blueprint set them.
 */
class USCS_Node : public UObject
{
	DECLARE_ENGINE_CLASS(USCS_Node, UObject, "/Script/Engine.SCS_Node")

public:
	/** nullptr when the component's class is missing. */
	UClass* ComponentClass = nullptr;
	/** nullptr when the node has no template. */
	UObject* ComponentTemplate = nullptr;
	/**
	 * When the asset file named a component class that is not known here: that path and the
	 * template values it gave, kept as they were so saving loses nothing.
	 */
	std::string MissingComponentClassPath;
	std::vector<std::pair<std::string, std::string>> MissingClassPropertyValues;

	const std::string& GetVariableName() const { return InternalVariableName; }
	void SetVariableName(std::string Name) { InternalVariableName = std::move(Name); }

	const std::vector<USCS_Node*>& GetChildNodes() const { return ChildNodes; }
	void AddChildNode(USCS_Node* Child);
	void RemoveChildNode(USCS_Node* Child);

private:
	std::string InternalVariableName;
	std::vector<USCS_Node*> ChildNodes;
};
