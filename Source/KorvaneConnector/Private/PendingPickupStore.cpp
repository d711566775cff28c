#include "PendingPickupStore.h"

#include <utility>

FPendingPickupStore& FPendingPickupStore::Get()
{
	static FPendingPickupStore Store;
	return Store;
}

void FPendingPickupStore::Set(EPickupSlot Slot, std::shared_ptr<FJsonObject> Payload)
{
	std::shared_ptr<FJsonObject> Released;
	{
		const std::lock_guard Lock(Mutex);
		Released = std::exchange(Slots[static_cast<std::size_t>(Slot)], std::move(Payload));
	}
	// The earlier payload is released outside the lock.
}

bool FPendingPickupStore::Has(EPickupSlot Slot) const
{
	const std::lock_guard Lock(Mutex);
	return Slots[static_cast<std::size_t>(Slot)] != nullptr;
}

std::shared_ptr<FJsonObject> FPendingPickupStore::Take(EPickupSlot Slot)
{
	const std::lock_guard Lock(Mutex);
	std::shared_ptr<FJsonObject> Payload = std::exchange(Slots[static_cast<std::size_t>(Slot)], nullptr);
	if (Payload)
	{
		Payload->SetBoolField("pending", true);
		return Payload;
	}
	auto Empty = std::make_shared<FJsonObject>();
	Empty->SetBoolField("pending", false);
	return Empty;
}

void SetPendingBlueprint(std::shared_ptr<FJsonObject> Payload) { FPendingPickupStore::Get().Set(EPickupSlot::Blueprint, std::move(Payload)); }
void SetPendingMaterial(std::shared_ptr<FJsonObject> Payload) { FPendingPickupStore::Get().Set(EPickupSlot::Material, std::move(Payload)); }
void SetPendingWidget(std::shared_ptr<FJsonObject> Payload) { FPendingPickupStore::Get().Set(EPickupSlot::Widget, std::move(Payload)); }
void SetPendingControlRig(std::shared_ptr<FJsonObject> Payload) { FPendingPickupStore::Get().Set(EPickupSlot::ControlRig, std::move(Payload)); }

bool HasPendingBlueprint() { return FPendingPickupStore::Get().Has(EPickupSlot::Blueprint); }
bool HasPendingMaterial() { return FPendingPickupStore::Get().Has(EPickupSlot::Material); }
bool HasPendingWidget() { return FPendingPickupStore::Get().Has(EPickupSlot::Widget); }
bool HasPendingControlRig() { return FPendingPickupStore::Get().Has(EPickupSlot::ControlRig); }

std::shared_ptr<FJsonObject> TakePendingBlueprint() { return FPendingPickupStore::Get().Take(EPickupSlot::Blueprint); }
std::shared_ptr<FJsonObject> TakePendingMaterial() { return FPendingPickupStore::Get().Take(EPickupSlot::Material); }
std::shared_ptr<FJsonObject> TakePendingWidget() { return FPendingPickupStore::Get().Take(EPickupSlot::Widget); }
std::shared_ptr<FJsonObject> TakePendingControlRig() { return FPendingPickupStore::Get().Take(EPickupSlot::ControlRig); }
