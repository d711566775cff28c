#include "Runtime/EngineVersion.h"

const FEngineVersion& FEngineVersion::Current()
{
	static constexpr FEngineVersion Version(5, 7, 0);
	return Version;
}

std::string FEngineVersion::ToString() const
{
	return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Patch);
}
