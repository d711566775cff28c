#include "Objects/ObjectTable.h"

FObjectTable& FObjectTable::Get()
{
	static FObjectTable Table;
	return Table;
}

int32_t FObjectTable::Add(UObject* Object)
{
	std::lock_guard Lock(Mutex);
	int32_t Index;
	if (FreeSlots.empty())
	{
		Index = static_cast<int32_t>(Slots.size());
		Slots.emplace_back();
	}
	else
	{
		Index = FreeSlots.back();
		FreeSlots.pop_back();
	}
	Slots[Index] = {Object, NextSerialNumber++};
	return Index;
}

void FObjectTable::Remove(int32_t Index)
{
	std::lock_guard Lock(Mutex);
	Slots[Index] = {};
	FreeSlots.push_back(Index);
}

int32_t FObjectTable::GetSerialNumber(int32_t Index) const
{
	std::lock_guard Lock(Mutex);
	return Slots[Index].SerialNumber;
}

UObject* FObjectTable::Resolve(int32_t Index, int32_t SerialNumber) const
{
	std::lock_guard Lock(Mutex);
	if (Index < 0 || static_cast<std::size_t>(Index) >= Slots.size() || Slots[Index].SerialNumber != SerialNumber)
	{
		return nullptr;
	}
	return Slots[Index].Object;
}
