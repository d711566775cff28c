#pragma once

#include "ControlRig/RigElementKey.h"

#include <optional>
#include <string>
#include <string_view>

/** The enumerator's name as the class database spells it ("Control", "Float"); empty for a value it lacks. */
template <typename TEnum>
std::string GetRigEnumName(TEnum Value)
{
	const UEnum* const Enum = StaticEnum<TEnum>();
	return Enum != nullptr ? Enum->GetNameStringByValue(static_cast<int64_t>(Value)) : std::string();
}

/**
 * The enumerator of that exact name; nothing for an unknown name, a scoped one ("ERigControlType::Float"),
 * an alias the enumeration lists under another name first, and the counting "_MAX" entry.
 */
template <typename TEnum>
std::optional<TEnum> ParseRigEnumName(std::string_view Name)
{
	const UEnum* const Enum = StaticEnum<TEnum>();
	const std::optional<int64_t> Value = Enum != nullptr && Name.find(':') == std::string_view::npos ? Enum->GetValueByNameString(Name) : std::nullopt;
	if (!Value || Name.ends_with("_MAX") || Enum->GetNameStringByValue(*Value) != Name)
	{
		return std::nullopt;
	}
	return static_cast<TEnum>(*Value);
}
