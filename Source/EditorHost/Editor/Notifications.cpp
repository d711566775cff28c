#include "Editor/Notifications.h"

#include "Core/LogHost.h"
#include "Runtime/GameThread.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{
	FSlateNotificationManager* GNotificationManager = nullptr;
}

FSlateNotificationManager::FSlateNotificationManager(FGameThread& InGameThread)
	: GameThread(InGameThread)
{
	assert(GNotificationManager == nullptr && "one notification manager at a time");
	GNotificationManager = this;
}

FSlateNotificationManager::~FSlateNotificationManager()
{
	GNotificationManager = nullptr;
}

FSlateNotificationManager& FSlateNotificationManager::Get()
{
	assert(GNotificationManager != nullptr && "no editor host is running");
	return *GNotificationManager;
}

void FSlateNotificationManager::AddNotification(const FNotificationInfo& Info)
{
	const uint64_t Id = ++LastId;
	Active.push_back({Id, Info.Text, Info.ExpireDuration, Info.bUseLargeFont});
	UE_LOG(LogHost, Display, "Notification: %s", Info.Text.ToString().c_str());

	const float Seconds = std::isfinite(Info.ExpireDuration) ? std::clamp(Info.ExpireDuration, 0.0f, 86400.0f) : 0.0f;
	const auto Delay = std::chrono::milliseconds(static_cast<int64_t>(Seconds * 1000.0f));
	GameThread.SetTimer(Delay, false, [this, Id]() { std::erase_if(Active, [Id](const FActiveNotification& Toast) { return Toast.Id == Id; }); });
}
