#include "Core/Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Format patterns come from localised texts and from callers' strings. Any pattern must format
// without a crash; with no arguments every reference stays as written, so the pattern comes
// back unchanged; and UTF-8 patterns with UTF-8 arguments give UTF-8 text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
	const FText Pattern = FText::FromString(std::string(Bytes));

	if (FText::Format(Pattern, std::vector<FText>{}).ToString() != Bytes)
	{
		std::fprintf(stderr, "formatting without arguments changed the pattern\n");
		std::abort();
	}

	const FText Formatted = FText::Format(Pattern, FText::FromString("\xC3\xA9"), FText::FromString(""), FText::FromString("{0}"));
	if (Text::IsValidUtf8(Bytes) && !Text::IsValidUtf8(Formatted.ToString()))
	{
		std::fprintf(stderr, "formatting UTF-8 text gave bytes that are not UTF-8\n");
		std::abort();
	}
	return 0;
}
