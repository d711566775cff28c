#include "Assets/AssetFileHeader.h"
#include "Core/Text.h"
#include "Objects/TopLevelAssetPath.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes may reach the header reader (a damaged or hostile asset file). It
// must never crash, and whatever it accepts must be a usable header: a class
// path that parses and tags that are valid UTF-8 text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
	std::string Error;
	const std::optional<FAssetFileHeader> Header = ReadAssetFileHeader(Text, Error);
	if (!Header)
	{
		if (Error.empty())
		{
			std::fprintf(stderr, "refused without a reason\n");
			std::abort();
		}
		return 0;
	}
	if (!FTopLevelAssetPath(Header->ClassPath).IsValid())
	{
		std::fprintf(stderr, "accepted a class that is not a path: %s\n", Header->ClassPath.c_str());
		std::abort();
	}
	for (const FAssetRegistryTag& Tag : Header->Tags)
	{
		if (!Text::IsValidUtf8(Tag.Name) || !Text::IsValidUtf8(Tag.Value))
		{
			std::fprintf(stderr, "accepted a tag that is not text\n");
			std::abort();
		}
	}
	return 0;
}
