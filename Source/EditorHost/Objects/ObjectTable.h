#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

class UObject;

/**
 * The process-wide table of live objects that weak pointers resolve through.
 * Each object holds one slot; a slot carries a serial number that changes when
 * its object dies, so a weak pointer to a dead object never resolves, even when
 * the slot (or the memory) is reused by a newer object.
 */
class FObjectTable
{
public:
	static FObjectTable& Get();

	/** Gives the object a slot; returns its index. */
	int32_t Add(UObject* Object);
	/** Frees the slot of a dying object; weak pointers to it stop resolving. */
	void Remove(int32_t Index);
	/** The serial number of the slot's current occupant. */
	int32_t GetSerialNumber(int32_t Index) const;
	/** The object when the slot still holds the one with this serial number, else nullptr. */
	UObject* Resolve(int32_t Index, int32_t SerialNumber) const;

private:
	struct FSlot
	{
		UObject* Object = nullptr;
		int32_t SerialNumber = 0;
	};

	mutable std::mutex Mutex;
	std::vector<FSlot> Slots;
	std::vector<int32_t> FreeSlots;
	int32_t NextSerialNumber = 1;
};
