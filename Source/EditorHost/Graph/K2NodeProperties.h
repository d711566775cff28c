#pragma once

#include "Core/Color.h"
#include "Core/Guid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class UClass;
class UEdGraphNode;
class UFunction;

/**
 * The Blueprint node properties that the editor's tools read and write, over the node's kept
 * copy-paste properties: reading parses the kept value, writing replaces (or adds) the property
 * line, so export writes the change and leaves every other line as it was.
 */

/** A reference to a function, variable or event: `(MemberParent=...,MemberName="X",MemberGuid=...,bSelfContext=True)`. */
struct FMemberReference
{
	/** The parent class reference as written (`/Script/CoreUObject.Class'"/Script/Engine.Actor"'`); empty when absent. */
	std::string MemberParent;
	std::string MemberName;
	std::optional<FGuid> MemberGuid;
	bool bSelfContext = false;

	/** The class MemberParent names (class database or a loaded Blueprint's generated class), or nullptr. */
	UClass* GetMemberParentClass() const;
};

/** A member reference as written in copy-paste text; empty when the text is not a `(...)` list. */
std::optional<FMemberReference> ParseMemberReference(std::string_view Written);

/** `FunctionReference` of call, event, function entry and result nodes. */
std::optional<FMemberReference> GetFunctionReference(const UEdGraphNode& Node);
/** `VariableReference` of variable get and set nodes. */
std::optional<FMemberReference> GetVariableReference(const UEdGraphNode& Node);
/** Points a variable node's VariableReference at another member name, keeping the rest of the reference. */
void SetVariableReferenceMemberName(UEdGraphNode& Node, std::string_view MemberName);
/** `EventReference` of event nodes. */
std::optional<FMemberReference> GetEventReference(const UEdGraphNode& Node);

/**
 * FMemberReference::SetExternalMember: points the node's FunctionReference at MemberName declared
 * by OwnerClass (MemberParent set to the class, no self context, no guid).
 */
void SetFunctionReferenceExternalMember(UEdGraphNode& Node, std::string_view MemberName, const UClass& OwnerClass);

/** `CustomFunctionName` of custom event nodes; empty when absent. */
std::string GetCustomFunctionName(const UEdGraphNode& Node);

/** `bIsEditable` of function entry, result and custom event nodes (false when absent). */
bool IsUserEditable(const UEdGraphNode& Node);
void SetUserEditable(UEdGraphNode& Node, bool bEditable);

/** `CustomFunctionName` of event nodes written (a custom event's name, a bound event's handler name). */
void SetCustomFunctionName(UEdGraphNode& Node, std::string_view Name);

/** `ExtraFlags` of function entry nodes: the function flags the user's function adds (EFunctionFlags); 0 when absent. */
uint32_t GetExtraFlags(const UEdGraphNode& Node);
void SetExtraFlags(UEdGraphNode& Node, uint32_t Flags);

/**
 * The metadata a user declares on a function (the entry node's `MetaData=(Category=...,bCallInEditor=True)`).
 * bCallInEditor is the one member the editor's tools set; every other member is kept as written.
 */
struct FKismetUserDeclaredFunctionMetadata
{
	/** Whether the function shows as a button in the editor (editor utility Blueprints). */
	bool bCallInEditor = false;
	/** The members as read, bCallInEditor included. */
	std::string WrittenMembers;
};

FKismetUserDeclaredFunctionMetadata GetUserDeclaredFunctionMetadata(const UEdGraphNode& Node);
/** Writes the metadata back: bCallInEditor replaces its member, or is added when true. */
void SetUserDeclaredFunctionMetadata(UEdGraphNode& Node, const FKismetUserDeclaredFunctionMetadata& MetaData);

/** `CommentColor` of comment nodes; white when absent. */
FLinearColor GetCommentColor(const UEdGraphNode& Node);
