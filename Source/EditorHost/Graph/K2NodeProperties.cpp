#include "Graph/K2NodeProperties.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cmath>

namespace
{
	std::optional<FCopyPasteValue> NodeProperty(const UEdGraphNode& Node, std::string_view Name)
	{
		const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(Name);
		return Property != nullptr ? std::optional(ParseCopyPasteValue(Property->Value)) : std::nullopt;
	}

	/** Replaces the value of the node's first property of that name, or adds the property. */
	void SetNodeProperty(UEdGraphNode& Node, std::string_view Name, std::string Value)
	{
		for (FCopyPasteProperty& Property : Node.KeptObject.Properties)
		{
			if (Property.Name == Name && !Property.ArrayIndex)
			{
				Property.Value = std::move(Value);
				return;
			}
		}
		Node.KeptObject.AddPropertyBeforeCustomProperties({std::string(Name), std::nullopt, std::move(Value)});
	}

	std::optional<FMemberReference> ReadMemberReference(const UEdGraphNode& Node, std::string_view PropertyName)
	{
		const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(PropertyName);
		return Property != nullptr ? ParseMemberReference(Property->Value) : std::nullopt;
	}

	bool ReadBool(const UEdGraphNode& Node, std::string_view Name)
	{
		const std::optional<FCopyPasteValue> Value = NodeProperty(Node, Name);
		return Value && (Value->AsPlainText() == "True" || Value->AsPlainText() == "true");
	}

	std::optional<float> ParseFloat(std::string_view Text)
	{
		float Number = 0.0f;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
		const bool bParsed = Error == std::errc() && End == Text.data() + Text.size() && std::isfinite(Number);
		return bParsed ? std::optional(Number) : std::nullopt;
	}
}

std::optional<FMemberReference> ParseMemberReference(std::string_view Written)
{
	const FCopyPasteValue Value = ParseCopyPasteValue(Written);
	if (Value.Kind != FCopyPasteValue::EKind::List)
	{
		return std::nullopt;
	}
	FMemberReference Reference;
	if (const FCopyPasteValue* const Parent = Value.Find("MemberParent"))
	{
		Reference.MemberParent = WriteCopyPasteValue(*Parent);
	}
	if (const FCopyPasteValue* const Name = Value.Find("MemberName"))
	{
		Reference.MemberName = Name->AsPlainText();
	}
	if (const FCopyPasteValue* const Guid = Value.Find("MemberGuid"))
	{
		Reference.MemberGuid = FGuid::Parse(Guid->AsPlainText());
	}
	if (const FCopyPasteValue* const SelfContext = Value.Find("bSelfContext"))
	{
		Reference.bSelfContext = SelfContext->AsPlainText() == "True";
	}
	return Reference;
}

UClass* FMemberReference::GetMemberParentClass() const
{
	const std::string Path = ReferencedObjectPath(MemberParent);
	if (Path.empty())
	{
		return nullptr;
	}
	if (UClass* const Native = FClassDatabase::Get().FindClass(Path))
	{
		return Native;
	}
	// A Blueprint's generated class: loading its package loads the Blueprint, which makes the class.
	return Path.starts_with("/Script/") ? nullptr : Cast<UClass>(StaticLoadObject(UClass::StaticClass(), Path));
}

std::optional<FMemberReference> GetFunctionReference(const UEdGraphNode& Node)
{
	return ReadMemberReference(Node, "FunctionReference");
}

std::optional<FMemberReference> GetVariableReference(const UEdGraphNode& Node)
{
	return ReadMemberReference(Node, "VariableReference");
}

void SetVariableReferenceMemberName(UEdGraphNode& Node, std::string_view MemberName)
{
	const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty("VariableReference");
	FCopyPasteValue Value = ParseCopyPasteValue(Property != nullptr ? std::string_view(Property->Value) : std::string_view("()"));
	if (Value.Kind != FCopyPasteValue::EKind::List)
	{
		Value = ParseCopyPasteValue("()");
	}
	const auto Found = std::find_if(Value.Items.begin(), Value.Items.end(), [](const FCopyPasteValueItem& Item) { return Item.Key == "MemberName"; });
	if (Found != Value.Items.end())
	{
		Found->Value = ParseCopyPasteValue(QuoteCopyPasteString(MemberName));
	}
	else
	{
		Value.Items.push_back({{}, std::string("MemberName"), ParseCopyPasteValue(QuoteCopyPasteString(MemberName))});
	}
	SetNodeProperty(Node, "VariableReference", WriteCopyPasteValue(Value));
}

std::optional<FMemberReference> GetEventReference(const UEdGraphNode& Node)
{
	return ReadMemberReference(Node, "EventReference");
}

void SetFunctionReferenceExternalMember(UEdGraphNode& Node, std::string_view MemberName, const UClass& OwnerClass)
{
	// The editor writes a class reference with the path of the referenced object's class first.
	const std::string Parent = OwnerClass.GetClass()->GetPathName() + "'\"" + OwnerClass.GetPathName() + "\"'";
	SetNodeProperty(Node, "FunctionReference", "(MemberParent=" + Parent + ",MemberName=" + QuoteCopyPasteString(MemberName) + ")");
}

std::string GetCustomFunctionName(const UEdGraphNode& Node)
{
	const std::optional<FCopyPasteValue> Value = NodeProperty(Node, "CustomFunctionName");
	return Value ? Value->AsPlainText() : std::string();
}

void SetCustomFunctionName(UEdGraphNode& Node, std::string_view Name)
{
	SetNodeProperty(Node, "CustomFunctionName", QuoteCopyPasteString(Name));
}

uint32_t GetExtraFlags(const UEdGraphNode& Node)
{
	const std::optional<FCopyPasteValue> Value = NodeProperty(Node, "ExtraFlags");
	if (!Value)
	{
		return 0;
	}
	// The editor writes the flags as a signed 32-bit number (FUNC_Const makes some negative).
	const std::string Text = Value->AsPlainText();
	int64_t Number = 0;
	const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
	const bool bParsed = Error == std::errc() && End == Text.data() + Text.size() && Number >= INT32_MIN && Number <= UINT32_MAX;
	return bParsed ? static_cast<uint32_t>(Number) : 0;
}

void SetExtraFlags(UEdGraphNode& Node, uint32_t Flags)
{
	SetNodeProperty(Node, "ExtraFlags", std::to_string(static_cast<int32_t>(Flags)));
}

FKismetUserDeclaredFunctionMetadata GetUserDeclaredFunctionMetadata(const UEdGraphNode& Node)
{
	FKismetUserDeclaredFunctionMetadata MetaData;
	const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty("MetaData");
	if (Property == nullptr)
	{
		return MetaData;
	}
	const FCopyPasteValue Value = ParseCopyPasteValue(Property->Value);
	if (Value.Kind == FCopyPasteValue::EKind::List)
	{
		MetaData.WrittenMembers = Property->Value;
		const FCopyPasteValue* const CallInEditor = Value.Find("bCallInEditor");
		MetaData.bCallInEditor = CallInEditor != nullptr && CallInEditor->AsPlainText() == "True";
	}
	return MetaData;
}

void SetUserDeclaredFunctionMetadata(UEdGraphNode& Node, const FKismetUserDeclaredFunctionMetadata& MetaData)
{
	FCopyPasteValue Value = ParseCopyPasteValue(MetaData.WrittenMembers.empty() ? std::string_view("()") : std::string_view(MetaData.WrittenMembers));
	if (Value.Kind != FCopyPasteValue::EKind::List)
	{
		Value = ParseCopyPasteValue("()");
	}
	const auto Found = std::find_if(Value.Items.begin(), Value.Items.end(), [](const FCopyPasteValueItem& Item) { return Item.Key == "bCallInEditor"; });
	if (Found != Value.Items.end())
	{
		Found->Value = ParseCopyPasteValue(MetaData.bCallInEditor ? "True" : "False");
	}
	else if (MetaData.bCallInEditor)
	{
		Value.Items.push_back({{}, std::string("bCallInEditor"), ParseCopyPasteValue("True")});
	}
	else if (Node.KeptObject.FindProperty("MetaData") == nullptr)
	{
		// Nothing to say: the editor writes no MetaData line for a function without metadata.
		return;
	}
	SetNodeProperty(Node, "MetaData", WriteCopyPasteValue(Value));
}

bool IsUserEditable(const UEdGraphNode& Node)
{
	return ReadBool(Node, "bIsEditable");
}

void SetUserEditable(UEdGraphNode& Node, bool bEditable)
{
	// An absent line already means "not editable"; one is only written when there is something to say.
	if (bEditable || Node.KeptObject.FindProperty("bIsEditable") != nullptr)
	{
		SetNodeProperty(Node, "bIsEditable", bEditable ? "True" : "False");
	}
}

FLinearColor GetCommentColor(const UEdGraphNode& Node)
{
	FLinearColor Color{1.0f, 1.0f, 1.0f, 1.0f};
	const std::optional<FCopyPasteValue> Value = NodeProperty(Node, "CommentColor");
	if (!Value)
	{
		return Color;
	}
	const auto ReadChannel = [&Value](std::string_view Key, float& Channel) {
		if (const FCopyPasteValue* const Item = Value->Find(Key))
		{
			Channel = ParseFloat(Item->AsPlainText()).value_or(Channel);
		}
	};
	ReadChannel("R", Color.R);
	ReadChannel("G", Color.G);
	ReadChannel("B", Color.B);
	ReadChannel("A", Color.A);
	return Color;
}
