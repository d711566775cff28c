#include "Core/Memory.h"

#if KORVANE_WITH_MIMALLOC
#include <mimalloc.h>
#endif

namespace FMemory
{
	std::string GetAllocatorName()
	{
#if KORVANE_WITH_MIMALLOC
		const int Version = mi_version();
		return "mimalloc " + std::to_string(Version / 100) + "." + std::to_string(Version / 10 % 10) + "." + std::to_string(Version % 10);
#else
		return "system";
#endif
	}
}
