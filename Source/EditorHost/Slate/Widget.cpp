#include "Slate/Widget.h"

#include "Slate/SlateApplication.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace
{
	std::atomic<uint64_t> LastWidgetId{0};

	constexpr double OneFrameSeconds = 1.0 / 60.0;
	constexpr double LongestPeriodSeconds = 86400.0;

	std::chrono::milliseconds ToTimerDelay(float TickPeriod)
	{
		const double Seconds = std::isfinite(TickPeriod) ? std::clamp(static_cast<double>(TickPeriod), OneFrameSeconds, LongestPeriodSeconds) : OneFrameSeconds;
		return std::chrono::milliseconds(static_cast<int64_t>(std::llround(Seconds * 1000.0)));
	}
}

FActiveTimerHandle::FActiveTimerHandle(float InTickPeriod, FWidgetActiveTimerDelegate InTimerFunction, double InStartTime)
	: TickPeriod(InTickPeriod)
	, TimerFunction(std::move(InTimerFunction))
	, LastTime(InStartTime)
{
}

SWidget::SWidget()
	: Id(++LastWidgetId)
{
}

SWidget::~SWidget()
{
	for (const std::shared_ptr<FActiveTimerHandle>& Handle : ActiveTimers)
	{
		StopActiveTimer(*Handle);
	}
}

FJsonObject SWidget::Paint() const
{
	FJsonObject Painted;
	Painted.SetStringField("id", "w" + std::to_string(Id));
	Painted.SetStringField("type", WidgetTypeName);
	if (ToolTipText.IsSet())
	{
		const FText ToolTip = ToolTipText.Get();
		if (!ToolTip.IsEmpty())
		{
			Painted.SetStringField("tooltip", ToolTip.ToString());
		}
	}
	OnPaint(Painted);
	return Painted;
}

void SWidget::OnPaint(FJsonObject&) const
{
}

std::shared_ptr<SWidget> SWidget::FindWidget(uint64_t WidgetId)
{
	if (Id == WidgetId)
	{
		return shared_from_this();
	}
	for (const std::shared_ptr<SWidget>& Child : GetChildren())
	{
		if (Child == nullptr)
		{
			continue;
		}
		if (std::shared_ptr<SWidget> Found = Child->FindWidget(WidgetId))
		{
			return Found;
		}
	}
	return nullptr;
}

std::shared_ptr<FActiveTimerHandle> SWidget::RegisterActiveTimer(float TickPeriod, FWidgetActiveTimerDelegate TimerFunction)
{
	const bool bApplication = FSlateApplication::IsInitialized();
	auto Handle = std::make_shared<FActiveTimerHandle>(TickPeriod, std::move(TimerFunction), bApplication ? FSlateApplication::Get().GetCurrentTime() : 0.0);
	ActiveTimers.push_back(Handle);
	if (!bApplication)
	{
		return Handle;
	}
	// The game thread's timer holds the widget and the handle weakly: a widget that dies stops its timers itself.
	std::weak_ptr<SWidget> WeakWidget = weak_from_this();
	std::weak_ptr<FActiveTimerHandle> WeakHandle = Handle;
	Handle->GameThreadTimer = FSlateApplication::Get().GetGameThread().SetTimer(ToTimerDelay(TickPeriod), true, [WeakWidget, WeakHandle]() {
		const std::shared_ptr<SWidget> Widget = WeakWidget.lock();
		const std::shared_ptr<FActiveTimerHandle> Timer = WeakHandle.lock();
		if (Widget != nullptr && Timer != nullptr)
		{
			Widget->RunActiveTimer(Timer);
		}
	});
	return Handle;
}

void SWidget::RunActiveTimer(const std::shared_ptr<FActiveTimerHandle>& Handle)
{
	if (!Handle->IsActive())
	{
		return;
	}
	const double Now = FSlateApplication::IsInitialized() ? FSlateApplication::Get().GetCurrentTime() : Handle->LastTime;
	const float DeltaTime = static_cast<float>(Now - Handle->LastTime);
	Handle->LastTime = Now;
	if (Handle->TimerFunction.Execute(Now, DeltaTime) == EActiveTimerReturnType::Stop)
	{
		UnRegisterActiveTimer(Handle);
	}
}

void SWidget::UnRegisterActiveTimer(const std::shared_ptr<FActiveTimerHandle>& Handle)
{
	const auto Found = std::find(ActiveTimers.begin(), ActiveTimers.end(), Handle);
	if (Found == ActiveTimers.end())
	{
		return;
	}
	// The handle may be the caller's only reference to itself (a timer stopping from its own callback).
	const std::shared_ptr<FActiveTimerHandle> Removed = *Found;
	ActiveTimers.erase(Found);
	StopActiveTimer(*Removed);
}

void SWidget::StopActiveTimer(FActiveTimerHandle& Handle)
{
	if (Handle.GameThreadTimer.IsValid() && FSlateApplication::IsInitialized())
	{
		FSlateApplication::Get().GetGameThread().ClearTimer(Handle.GameThreadTimer);
	}
	Handle.GameThreadTimer = FTimerHandle();
}

std::size_t SWidget::GetNumActiveTimers() const
{
	return static_cast<std::size_t>(std::count_if(ActiveTimers.begin(), ActiveTimers.end(), [](const std::shared_ptr<FActiveTimerHandle>& Handle) { return Handle->IsActive(); }));
}
