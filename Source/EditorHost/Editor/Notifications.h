#pragma once

#include "Core/Text.h"

#include <chrono>
#include <cstdint>
#include <vector>

class FGameThread;

/** What a toast shows and for how long. */
struct FNotificationInfo
{
	explicit FNotificationInfo(FText InText) : Text(std::move(InText)) {}

	FText Text;
	/** Seconds the toast stays up. */
	float ExpireDuration = 5.0f;
	bool bUseLargeFont = true;
};

/** A toast on screen. */
struct FActiveNotification
{
	uint64_t Id = 0;
	FText Text;
	float ExpireDuration = 0.0f;
	bool bUseLargeFont = true;
};

/**
 * The editor's toast notifications: each one is listed while it is up, written to
 * the log when it appears, and taken down by a game-thread timer when it expires.
 * Game thread only.
 */
class FSlateNotificationManager
{
public:
	explicit FSlateNotificationManager(FGameThread& GameThread);
	~FSlateNotificationManager();
	FSlateNotificationManager(const FSlateNotificationManager&) = delete;
	FSlateNotificationManager& operator=(const FSlateNotificationManager&) = delete;

	/** The notification manager of the running host. */
	static FSlateNotificationManager& Get();

	void AddNotification(const FNotificationInfo& Info);
	const std::vector<FActiveNotification>& GetActiveNotifications() const { return Active; }

private:
	FGameThread& GameThread;
	std::vector<FActiveNotification> Active;
	uint64_t LastId = 0;
};
