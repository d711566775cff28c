#pragma once

#include "Core/JsonObject.h"

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>

/** The four one-shot slots through which the editor hands assets to the desktop app. */
enum class EPickupSlot : std::size_t
{
	Blueprint,
	Material,
	Widget,
	ControlRig
};

/**
 * One payload per slot, from its set until its take. A newer set replaces a payload
 * nobody took. One lock guards all four slots; producers on the game thread and
 * takers on the HTTP thread may meet here.
 */
class FPendingPickupStore
{
public:
	/** The store of the process. */
	static FPendingPickupStore& Get();

	/** The slot refers to Payload from now on; a null payload empties it. */
	void Set(EPickupSlot Slot, std::shared_ptr<FJsonObject> Payload);
	bool Has(EPickupSlot Slot) const;
	/**
	 * Empties the slot and answers its payload with `pending` true set on the payload
	 * itself (appended, or replaced where the key already stands), or a new object
	 * {"pending": false} when the slot was empty.
	 */
	std::shared_ptr<FJsonObject> Take(EPickupSlot Slot);

private:
	static constexpr std::size_t SlotCount = 4;

	mutable std::mutex Mutex;
	std::array<std::shared_ptr<FJsonObject>, SlotCount> Slots;
};

void SetPendingBlueprint(std::shared_ptr<FJsonObject> Payload);
void SetPendingMaterial(std::shared_ptr<FJsonObject> Payload);
void SetPendingWidget(std::shared_ptr<FJsonObject> Payload);
void SetPendingControlRig(std::shared_ptr<FJsonObject> Payload);

bool HasPendingBlueprint();
bool HasPendingMaterial();
bool HasPendingWidget();
bool HasPendingControlRig();

/** Handlers of GET /korvane/{blueprint,material,widget,controlrig}/pending. */
std::shared_ptr<FJsonObject> TakePendingBlueprint();
std::shared_ptr<FJsonObject> TakePendingMaterial();
std::shared_ptr<FJsonObject> TakePendingWidget();
std::shared_ptr<FJsonObject> TakePendingControlRig();
