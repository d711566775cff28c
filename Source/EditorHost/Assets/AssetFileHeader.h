#pragma once

#include "Objects/Object.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** What the asset registry reads from an asset file: the class path and the tags. */
struct FAssetFileHeader
{
	std::string ClassPath;
	std::vector<FAssetRegistryTag> Tags;
};

/**
 * Reads the header of an asset file without building any object: the text must
 * be one valid JSON object (UTF-8, not truncated) whose first member is "class"
 * (a class path such as "/Script/Engine.AnimSequence") and whose second member,
 * when it is "tags", is an object of text values. Anything else gives empty and
 * the reason in OutError.
 */
std::optional<FAssetFileHeader> ReadAssetFileHeader(std::string_view Text, std::string& OutError);
