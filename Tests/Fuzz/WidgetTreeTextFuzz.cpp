#include "Fuzz/WidgetTextImportProperty.h"
#include "Objects/ObjectStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Any text may be pasted into the widget designer: the paste must never crash nor build a tree
// that loops, and the widgets it makes must copy to text that pastes back to an equal tree.
// Seed it with the widget copies of ../shared/samples/copy-paste/widget.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	// Trees live in the transient package of the one object store, kept for the whole run.
	static FObjectStore ObjectStore;
	const std::string Failure = CheckWidgetTextRoundTrip(std::string_view(reinterpret_cast<const char*>(Data), Size));
	if (!Failure.empty())
	{
		std::fprintf(stderr, "%s\n", Failure.c_str());
		std::abort();
	}
	return 0;
}
