#include "Graph/EdGraphNodeProperties.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"

#include <array>
#include <charconv>
#include <variant>

namespace
{
	using FNodeMember = std::variant<int32_t UEdGraphNode::*, FGuid UEdGraphNode::*, std::string UEdGraphNode::*, bool UEdGraphNode::*>;

	struct FTypedNodeProperty
	{
		std::string_view Name;
		FNodeMember Member;
	};

	const std::array<FTypedNodeProperty, 8> TypedNodeProperties = {{
		{"NodePosX", &UEdGraphNode::NodePosX},
		{"NodePosY", &UEdGraphNode::NodePosY},
		{"NodeWidth", &UEdGraphNode::NodeWidth},
		{"NodeHeight", &UEdGraphNode::NodeHeight},
		{"NodeGuid", &UEdGraphNode::NodeGuid},
		{"NodeComment", &UEdGraphNode::NodeComment},
		{"bCommentBubbleVisible", &UEdGraphNode::bCommentBubbleVisible},
		{"bCommentBubblePinned", &UEdGraphNode::bCommentBubblePinned},
	}};

	const FTypedNodeProperty* FindTypedProperty(const FCopyPasteProperty& Property)
	{
		if (Property.ArrayIndex)
		{
			return nullptr;
		}
		for (const FTypedNodeProperty& Typed : TypedNodeProperties)
		{
			if (Typed.Name == Property.Name)
			{
				return &Typed;
			}
		}
		return nullptr;
	}

	std::optional<int32_t> ParseValue(std::string_view Text, int32_t*)
	{
		int32_t Value = 0;
		const auto [Ptr, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		return Error == std::errc() && Ptr == Text.data() + Text.size() ? std::optional(Value) : std::nullopt;
	}
	std::optional<FGuid> ParseValue(std::string_view Text, FGuid*) { return FGuid::Parse(Text); }
	std::optional<std::string> ParseValue(std::string_view Text, std::string*) { return UnquoteCopyPasteString(Text); }
	std::optional<bool> ParseValue(std::string_view Text, bool*)
	{
		if (Text == "True" || Text == "true")
		{
			return true;
		}
		if (Text == "False" || Text == "false")
		{
			return false;
		}
		return std::nullopt;
	}

	std::string FormatValue(int32_t Value) { return std::to_string(Value); }
	std::string FormatValue(const FGuid& Value) { return Value.ToString(); }
	std::string FormatValue(const std::string& Value) { return QuoteCopyPasteString(Value); }
	std::string FormatValue(bool bValue) { return bValue ? "True" : "False"; }

	/** The node's value as text, and whether that is the value an absent line means. */
	std::pair<std::string, bool> FormatMember(const UEdGraphNode& Node, const FNodeMember& Member)
	{
		return std::visit(
			[&Node](auto Pointer) {
				const auto& Value = Node.*Pointer;
				return std::pair(FormatValue(Value), Value == std::remove_cvref_t<decltype(Value)>{});
			},
			Member);
	}

	/** The kept text in the form FormatValue writes, to tell an unchanged value spelled otherwise. */
	std::optional<std::string> Canonical(std::string_view Text, const FNodeMember& Member)
	{
		return std::visit(
			[Text](auto Pointer) -> std::optional<std::string> {
				using FValue = std::remove_cvref_t<decltype(std::declval<UEdGraphNode&>().*Pointer)>;
				const std::optional<FValue> Value = ParseValue(Text, static_cast<FValue*>(nullptr));
				return Value ? std::optional(FormatValue(*Value)) : std::nullopt;
			},
			Member);
	}
}

bool ReadEdGraphNodeProperty(UEdGraphNode& Node, const FCopyPasteProperty& Property)
{
	const FTypedNodeProperty* const Typed = FindTypedProperty(Property);
	if (Typed == nullptr)
	{
		return false;
	}
	return std::visit(
		[&Node, &Property](auto Pointer) {
			auto& Target = Node.*Pointer;
			const auto Value = ParseValue(Property.Value, &Target);
			if (Value)
			{
				Target = *Value;
			}
			return Value.has_value();
		},
		Typed->Member);
}

void WriteEdGraphNodeProperties(const UEdGraphNode& Node, FCopyPasteObject& Object)
{
	std::array<bool, TypedNodeProperties.size()> Written{};
	for (FCopyPasteProperty& Property : Object.Properties)
	{
		const FTypedNodeProperty* const Typed = FindTypedProperty(Property);
		if (Typed == nullptr)
		{
			continue;
		}
		Written[Typed - TypedNodeProperties.data()] = true;
		std::string Text = FormatMember(Node, Typed->Member).first;
		if (Canonical(Property.Value, Typed->Member) != Text)
		{
			Property.Value = std::move(Text);
		}
	}
	for (std::size_t Index = 0; Index < TypedNodeProperties.size(); ++Index)
	{
		auto [Text, bIsDefault] = FormatMember(Node, TypedNodeProperties[Index].Member);
		if (!Written[Index] && !bIsDefault)
		{
			Object.AddPropertyBeforeCustomProperties({std::string(TypedNodeProperties[Index].Name), std::nullopt, std::move(Text)});
		}
	}
}
