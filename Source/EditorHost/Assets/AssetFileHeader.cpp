#include "Assets/AssetFileHeader.h"

#include "Objects/TopLevelAssetPath.h"

#include <simdjson.h>

#include <algorithm>

std::optional<FAssetFileHeader> ReadAssetFileHeader(std::string_view Text, std::string& OutError)
{
	// The whole text is validated (a truncated file must not pass), but only the
	// first two members are looked at; nothing is converted into JSON objects.
	thread_local simdjson::dom::parser Parser;
	thread_local std::string Padded;
	Padded.resize(Text.size() + simdjson::SIMDJSON_PADDING);
	std::copy(Text.begin(), Text.end(), Padded.begin());

	simdjson::dom::element Root;
	if (const simdjson::error_code Error = Parser.parse(Padded.data(), Text.size(), false).get(Root); Error != simdjson::SUCCESS)
	{
		OutError = std::string("not valid JSON (") + simdjson::error_message(Error) + ")";
		return std::nullopt;
	}
	simdjson::dom::object Object;
	if (Root.get_object().get(Object) != simdjson::SUCCESS)
	{
		OutError = "not a JSON object";
		return std::nullopt;
	}

	auto Member = Object.begin();
	std::string_view ClassPath;
	if (Member == Object.end() || Member.key() != "class" || Member.value().get_string().get(ClassPath) != simdjson::SUCCESS)
	{
		OutError = "the first member is not the \"class\" text";
		return std::nullopt;
	}
	if (!FTopLevelAssetPath::IsValidText(ClassPath))
	{
		OutError = "\"class\" is not a class path";
		return std::nullopt;
	}

	FAssetFileHeader Header;
	Header.ClassPath.assign(ClassPath);
	++Member;
	if (Member != Object.end() && Member.key() == "tags")
	{
		simdjson::dom::object Tags;
		if (Member.value().get_object().get(Tags) != simdjson::SUCCESS)
		{
			OutError = "\"tags\" is not an object";
			return std::nullopt;
		}
		for (const simdjson::dom::key_value_pair Tag : Tags)
		{
			std::string_view Value;
			if (Tag.value.get_string().get(Value) != simdjson::SUCCESS)
			{
				OutError = "tag \"" + std::string(Tag.key) + "\" is not text";
				return std::nullopt;
			}
			Header.Tags.push_back({std::string(Tag.key), std::string(Value)});
		}
	}
	return Header;
}
