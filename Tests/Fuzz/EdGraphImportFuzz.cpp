#include "Fuzz/EdGraphImportProperty.h"
#include "Objects/ObjectStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Any text may be pasted into a graph: the import must never crash, and what it creates must
// export to text that pastes back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	// Graphs live in the transient package of the one object store, kept for the whole run.
	static FObjectStore ObjectStore;
	const std::string Failure = CheckImportRoundTrip(std::string_view(reinterpret_cast<const char*>(Data), Size));
	if (!Failure.empty())
	{
		std::fprintf(stderr, "%s\n", Failure.c_str());
		std::abort();
	}
	return 0;
}
