#pragma once

#include "Graph/EdGraphPinType.h"
#include "Graph/K2NodeProperties.h"

#include <optional>

#include <string>
#include <string_view>

class UBlueprint;
class UClass;
class UEdGraph;
class UEdGraphNode;
class UObject;

/** Edits of a Blueprint as the Blueprint editor makes them. */
namespace FBlueprintEditorUtils
{
	/** Takes Node out of its graph (breaking its links); unless told not to, the Blueprint is then marked as structurally modified. */
	void RemoveNode(UBlueprint* Blueprint, UEdGraphNode* Node, bool bDontRecompile = false);
	/** The Blueprint changed in a way that needs a compile: status Dirty, package dirty. */
	void MarkBlueprintAsModified(UBlueprint* Blueprint);
	/** The Blueprint's layout changed (variables, components, functions): nodes are refreshed, then as MarkBlueprintAsModified. */
	void MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint);
	/** Brings every node's pins up to date with what it refers to (function signatures, variable types). */
	void RefreshAllNodes(UBlueprint* Blueprint);

	/** Adds a member variable; false when the name is taken or not a valid name. */
	bool AddMemberVariable(UBlueprint* Blueprint, std::string_view VarName, const FEdGraphPinType& PinType, std::string_view DefaultValue = {});
	/** Removes the member variable of that name; false when there is none. */
	bool RemoveMemberVariable(UBlueprint* Blueprint, std::string_view VarName);
	/** A new empty graph inside the Blueprint with the Blueprint graph schema; not yet in any list. */
	UEdGraph* CreateNewGraph(UBlueprint* Blueprint, std::string_view GraphName);
	/**
	 * A new empty graph of GraphClass inside ParentScope (any object: a material makes its editor
	 * graph this way) with SchemaClass as its schema. An empty name gets a unique one
	 * ("MaterialGraph_0"); nullptr when ParentScope is null, GraphClass is no graph class, or an
	 * object inside ParentScope already has the name.
	 */
	UEdGraph* CreateNewGraph(UObject* ParentScope, std::string_view GraphName, UClass* GraphClass, UClass* SchemaClass);
	/**
	 * Adds a new graph as a function the user made, as the editor's function tool does: the schema's
	 * default nodes (the entry), the signature user-editable, call-in-editor in an editor utility
	 * Blueprint, the flags of a user function (callable, event, public; static in a function library,
	 * const in a const Blueprint), then child Blueprints' variables of that name renamed.
	 */
	void AddUserCreatedFunctionGraph(UBlueprint* Blueprint, UEdGraph* Graph);
	/** Adds Graph to the function graphs with an entry node named after it (and a result node when bAddResultNode). */
	void AddFunctionGraph(UBlueprint* Blueprint, UEdGraph* Graph, bool bAddResultNode = false);
	/**
	 * The result node of one of the Blueprint's function graphs; when it has none, adds one as
	 * AddFunctionGraph does, fed by the entry's exec output when that is free. nullptr when Graph
	 * is not one of the Blueprint's function graphs.
	 */
	UEdGraphNode* FindOrAddFunctionResultNode(UBlueprint* Blueprint, UEdGraph* Graph);
	/** The graph of that name in any of the Blueprint's lists, or nullptr. */
	UEdGraph* FindGraph(const UBlueprint* Blueprint, std::string_view GraphName);

	/** Whether the Blueprint runs in the editor as an editor utility (an Editor Utility Blueprint or Editor Utility Widget Blueprint). */
	bool IsEditorUtilityBlueprint(const UBlueprint* Blueprint);
	/**
	 * The user-declared metadata of a function graph, held by its entry node (so it travels with the
	 * graph's copy-paste text and its asset file); nothing when the graph has no entry node.
	 */
	std::optional<FKismetUserDeclaredFunctionMetadata> GetGraphFunctionMetaData(const UEdGraph* Graph);
	/** Writes the metadata into the graph's entry node; false when it has none. */
	bool SetGraphFunctionMetaData(UEdGraph* Graph, const FKismetUserDeclaredFunctionMetadata& MetaData);
	/**
	 * A Blueprint member named VariableName was added to Blueprint: every loaded Blueprint deriving
	 * from it that has a variable of that name gets that variable renamed to a free name
	 * (VariableName_0, _1...), its variable nodes following, so the child no longer hides it.
	 */
	void ValidateBlueprintChildVariables(UBlueprint* Blueprint, std::string_view VariableName);
	/** Renames a member variable and the self-context variable nodes that refer to it; false when there is none or the new name is taken. */
	bool RenameMemberVariable(UBlueprint* Blueprint, std::string_view OldName, std::string_view NewName);
}
