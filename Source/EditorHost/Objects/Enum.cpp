#include "Objects/Enum.h"

#include <algorithm>

namespace
{
	/** "EType::Name" as "Name"; the engine writes scoped entries either way. */
	std::string_view WithoutScope(std::string_view Name)
	{
		const std::size_t Scope = Name.rfind("::");
		return Scope == std::string_view::npos ? Name : Name.substr(Scope + 2);
	}
}

UEnum::UEnum(std::vector<std::pair<std::string, int64_t>> InEntries)
	: Entries(std::move(InEntries))
{
}

std::string UEnum::GetNameStringByValue(int64_t Value) const
{
	const auto Found = std::find_if(Entries.begin(), Entries.end(), [Value](const auto& Entry) { return Entry.second == Value; });
	return Found == Entries.end() ? std::string() : std::string(WithoutScope(Found->first));
}

std::optional<int64_t> UEnum::GetValueByNameString(std::string_view Name) const
{
	const std::string_view Wanted = WithoutScope(Name);
	const auto Found = std::find_if(Entries.begin(), Entries.end(), [Wanted](const auto& Entry) { return WithoutScope(Entry.first) == Wanted; });
	return Found == Entries.end() ? std::nullopt : std::optional(Found->second);
}
