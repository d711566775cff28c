#pragma once

#include <cstdint>
#include <string>

/** The version of the engine this host stands in for. */
class FEngineVersion
{
public:
	static const FEngineVersion& Current();

	uint16_t GetMajor() const { return Major; }
	uint16_t GetMinor() const { return Minor; }
	uint16_t GetPatch() const { return Patch; }
	/** "5.7.0". */
	std::string ToString() const;

private:
	constexpr FEngineVersion(uint16_t InMajor, uint16_t InMinor, uint16_t InPatch) : Major(InMajor), Minor(InMinor), Patch(InPatch) {}

	uint16_t Major;
	uint16_t Minor;
	uint16_t Patch;
};
