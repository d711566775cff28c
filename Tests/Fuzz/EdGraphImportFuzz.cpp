#include "Fuzz/EdGraphImportProperty.h"
#include "Objects/ObjectStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Any text may be pasted into a graph, or into a material's graph: the import must never crash,
// and what it creates must export to text that pastes back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	// Graphs live in the transient package of the one object store, kept for the whole run.
	static FObjectStore ObjectStore;
	const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
	for (const std::string& Failure : {CheckImportRoundTrip(Text), CheckMaterialImportRoundTrip(Text)})
	{
		if (!Failure.empty())
		{
			std::fprintf(stderr, "%s\n", Failure.c_str());
			std::abort();
		}
	}
	return 0;
}
