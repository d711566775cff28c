#include "Slate/SlateApplication.h"

#include "Editor/TabManager.h"

#include <cassert>

namespace
{
	FSlateApplication* GSlateApplication = nullptr;
}

FSlateApplication::FSlateApplication(FGameThread& InGameThread)
	: GameThread(InGameThread)
	, StartTime(std::chrono::steady_clock::now())
{
	assert(GSlateApplication == nullptr && "one UI application at a time");
	GSlateApplication = this;
	GlobalTabManager = std::make_shared<FGlobalTabmanager>();
}

FSlateApplication::~FSlateApplication()
{
	// Tabs close while the application still counts as running, so their widgets can stop their timers.
	GlobalTabManager->CloseAllTabs();
	GSlateApplication = nullptr;
}

bool FSlateApplication::IsInitialized()
{
	return GSlateApplication != nullptr;
}

FSlateApplication& FSlateApplication::Get()
{
	assert(GSlateApplication != nullptr && "no UI application is running");
	return *GSlateApplication;
}

double FSlateApplication::GetCurrentTime() const
{
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - StartTime).count();
}
