#pragma once

#include "Objects/Object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/**
 * An engine enumeration from the class database's `enums` array: an object named after the
 * enumeration ("ELifetimeCondition") in its script package, so its path name is
 * `/Script/Engine.ELifetimeCondition`, holding its entries, names and values in declaration order.
 */
class UEnum : public UObject
{
	DECLARE_ENGINE_CLASS(UEnum, UObject, "/Script/CoreUObject.Enum")

public:
	UEnum() = default;
	explicit UEnum(std::vector<std::pair<std::string, int64_t>> InEntries);

	/** The entry name of Value ("COND_OwnerOnly"), without any `Enum::` prefix; empty when no entry has it. */
	std::string GetNameStringByValue(int64_t Value) const;
	/** The value of the entry with that name (with or without the `Enum::` prefix), or nothing. */
	std::optional<int64_t> GetValueByNameString(std::string_view Name) const;
	int32_t NumEnums() const { return static_cast<int32_t>(Entries.size()); }
	const std::vector<std::pair<std::string, int64_t>>& GetEntries() const { return Entries; }

private:
	std::vector<std::pair<std::string, int64_t>> Entries;
};

/** The enumeration the class database declares for T, or nullptr when it has none. Specialised per enum type. */
template <typename T>
const UEnum* StaticEnum();
