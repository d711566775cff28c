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

	/** Whether the kept text reads as the node's value; text that does not read as the type's value never does. */
	bool KeptTextHasValue(const UEdGraphNode& Node, std::string_view Text, const FNodeMember& Member)
	{
		return std::visit(
			[&Node, Text](auto Pointer) {
				const auto& Value = Node.*Pointer;
				const auto Kept = ParseValue(Text, static_cast<std::remove_cvref_t<decltype(Value)>*>(nullptr));
				return Kept.has_value() && *Kept == Value;
			},
			Member);
	}

	/** Whether the node's value of a typed property is the one an absent line means. */
	bool IsDefaultValue(const UEdGraphNode& Node, const FNodeMember& Member)
	{
		return std::visit(
			[&Node](auto Pointer) {
				const auto& Value = Node.*Pointer;
				return Value == std::remove_cvref_t<decltype(Value)>{};
			},
			Member);
	}

	std::string FormatMember(const UEdGraphNode& Node, const FNodeMember& Member)
	{
		return std::visit([&Node](auto Pointer) { return FormatValue(Node.*Pointer); }, Member);
	}

	/** Calls OnStale for each typed property line whose value the node no longer has, and OnMissing for each typed property with no line whose value is not the default. */
	template <typename TObject, typename TOnStale, typename TOnMissing>
	void ForEachOutdatedProperty(const UEdGraphNode& Node, TObject& Object, TOnStale&& OnStale, TOnMissing&& OnMissing)
	{
		std::array<bool, TypedNodeProperties.size()> Written{};
		for (auto& Property : Object.Properties)
		{
			const FTypedNodeProperty* const Typed = FindTypedProperty(Property);
			if (Typed == nullptr)
			{
				continue;
			}
			Written[static_cast<std::size_t>(Typed - TypedNodeProperties.data())] = true;
			if (!KeptTextHasValue(Node, Property.Value, Typed->Member))
			{
				OnStale(Property, *Typed);
			}
		}
		for (std::size_t Index = 0; Index < TypedNodeProperties.size(); ++Index)
		{
			if (!Written[Index] && !IsDefaultValue(Node, TypedNodeProperties[Index].Member))
			{
				OnMissing(TypedNodeProperties[Index]);
			}
		}
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
	std::vector<FCopyPasteProperty> Added;
	ForEachOutdatedProperty(
		Node, Object, [&Node](FCopyPasteProperty& Property, const FTypedNodeProperty& Typed) { Property.Value = FormatMember(Node, Typed.Member); },
		[&Node, &Added](const FTypedNodeProperty& Typed) { Added.push_back({std::string(Typed.Name), std::nullopt, FormatMember(Node, Typed.Member)}); });
	for (FCopyPasteProperty& Property : Added)
	{
		Object.AddPropertyBeforeCustomProperties(std::move(Property));
	}
}

bool HasEdGraphNodeProperties(const UEdGraphNode& Node, const FCopyPasteObject& Object)
{
	bool bCurrent = true;
	const auto Outdated = [&bCurrent](auto&&...) { bCurrent = false; };
	ForEachOutdatedProperty(Node, Object, Outdated, Outdated);
	return bCurrent;
}
