#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class UEdGraphNode;

/** Which of a node's titles: the one on the node in the graph, or the one in lists (search results, bookmarks). */
enum class ENodeTitleType
{
	FullTitle,
	ListView,
};

/**
 * A node's title as the editor shows it, worked out from its class and the properties it
 * was pasted with (copy-paste text carries no titles). Per node class, without the
 * K2Node_ prefix:
 * - CallFunction, CallArrayFunction: the function's DisplayName metadata when the class
 *   database knows it (MemberParent, else any class declaring MemberName), else MemberName
 *   split into words ("Print String"). K2_ functions carry DisplayName ("GetActorLocation").
 *   The editor's "Target is ..." line needs the blueprint's class, so it is left out.
 * - Event: "Event " and the event function's DisplayName ("Event BeginPlay"), else its name.
 * - CustomEvent: CustomFunctionName; the full title adds the line "Custom Event".
 * - VariableGet: the variable name; in lists "Get <name>".
 * - VariableSet: "SET" on the node; in lists "Set <name>".
 * - FunctionEntry: the function's name as written; FunctionResult: "Return Node".
 * - IfThenElse "Branch", ExecutionSequence "Sequence", Select "Select", Self "Self",
 *   SwitchInteger "Switch on Int", SwitchEnum "Switch on <enum>", DynamicCast
 *   "Cast To <class>" (a blueprint class without its _C), MakeStruct / BreakStruct
 *   "Make <struct>" / "Break <struct>", MacroInstance the macro graph's name, Timeline its
 *   TimelineName, InputKey the key's name, CreateWidget "Create Widget".
 * - EdGraphNode_Comment: the comment text (NodeComment).
 * - Any other class: its name without the K2Node_ prefix.
 */
std::string GetNodeTitle(const UEdGraphNode& Node, ENodeTitleType TitleType);

/**
 * Titles the nodes of one pass over a graph (an export), working out the display name of each
 * distinct function reference once instead of for every node and title that names it. Its
 * titles are GetNodeTitle's for as long as the classes and Blueprints it has looked up stay as
 * they are, so a cache lives no longer than the pass.
 */
class FNodeTitleCache
{
public:
	std::string GetNodeTitle(const UEdGraphNode& Node, ENodeTitleType TitleType);

private:
	/** The display name of the function a member reference, as written, names. */
	const std::string& CachedFunctionDisplayName(std::string_view WrittenReference);

	/** Hashes std::string and std::string_view alike, so lookups need no temporary string. */
	struct FTextHash
	{
		using is_transparent = void;
		std::size_t operator()(std::string_view Text) const noexcept { return std::hash<std::string_view>{}(Text); }
	};

	/** Function display names by the member reference's text as written. */
	std::unordered_map<std::string, std::string, FTextHash, std::equal_to<>> FunctionDisplayNames;
};
