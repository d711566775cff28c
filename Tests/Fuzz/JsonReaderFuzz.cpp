#include "Core/JsonSerializer.h"
#include "Core/JsonValue.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
	std::string WriteCondensed(const FJsonValue& Value)
	{
		std::string Out;
		FJsonSerializer::AppendCondensed(Out, Value);
		return Out;
	}

	[[noreturn]] void Fail(const char* What, std::string_view First, std::string_view Second)
	{
		std::fprintf(stderr, "%s\nfirst:  %.*s\nsecond: %.*s\n", What, static_cast<int>(First.size()), First.data(), static_cast<int>(Second.size()), Second.data());
		std::abort();
	}
}

// Whatever parses must write out as text that parses back to the very same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
	const std::optional<FJsonValue> Value = FJsonSerializer::Deserialize(Text);
	if (!Value)
	{
		return 0;
	}
	const std::string First = WriteCondensed(*Value);
	const std::optional<FJsonValue> Reread = FJsonSerializer::Deserialize(First);
	if (!Reread)
	{
		Fail("written text does not parse", First, "");
	}
	const std::string Second = WriteCondensed(*Reread);
	if (First != Second)
	{
		Fail("round trip changed the text", First, Second);
	}
	return 0;
}
