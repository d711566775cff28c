#pragma once

#include "Core/Delegate.h"
#include "Core/JsonObject.h"
#include "Core/Text.h"
#include "Runtime/GameThread.h"
#include "Slate/Attribute.h"
#include "Slate/DeclarativeSyntax.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/** What an active timer's callback asks for: to be called again after its period, or to stop. */
enum class EActiveTimerReturnType : uint8_t
{
	Stop,
	Continue,
};

/** An active timer's callback: the application time now, and the seconds since the last call. */
using FWidgetActiveTimerDelegate = TDelegate<EActiveTimerReturnType(double InCurrentTime, float InDeltaTime)>;

/** One active timer of a widget; the widget keeps it, and so may whoever wants to unregister it. */
class FActiveTimerHandle
{
public:
	FActiveTimerHandle(float InTickPeriod, FWidgetActiveTimerDelegate InTimerFunction, double InStartTime);

	float GetTickPeriod() const { return TickPeriod; }
	/** Whether the timer still runs (false once it asked to stop, was unregistered, or its widget died). */
	bool IsActive() const { return GameThreadTimer.IsValid(); }

private:
	friend class SWidget;

	float TickPeriod;
	FWidgetActiveTimerDelegate TimerFunction;
	double LastTime;
	FTimerHandle GameThreadTimer;
};

/**
 * The base of every widget of the retained UI tree. A widget is painted on demand: painting
 * evaluates its bound attributes (texts, colours, check states) at that moment and describes
 * what it shows as a JSON object (its type, its id, its own properties and its children).
 * Widgets may register active timers, which run on the game thread's timers for as long as
 * the widget lives. Widgets are made with SNew and owned by std::shared_ptr. Game thread only.
 */
class SWidget : public std::enable_shared_from_this<SWidget>
{
public:
	SWidget();
	virtual ~SWidget();
	SWidget(const SWidget&) = delete;
	SWidget& operator=(const SWidget&) = delete;

	/** The widget's class name as SNew saw it ("STextBlock", "SKorvaneStatusPanel"). */
	const std::string& GetTypeAsString() const { return WidgetTypeName; }
	/** A number unique to this widget in the process, never reused. */
	uint64_t GetId() const { return Id; }

	/**
	 * Paints the widget and its children: {"id", "type", "tooltip" (when it has one), then the
	 * widget's own keys}. The id is "w" and GetId().
	 */
	FJsonObject Paint() const;
	/** The widget's children, in the order they are painted. */
	virtual std::vector<std::shared_ptr<SWidget>> GetChildren() const { return {}; }
	/** This widget or a descendant with the id, or nullptr. */
	std::shared_ptr<SWidget> FindWidget(uint64_t WidgetId);

	void SetToolTipText(TAttribute<FText> InToolTipText) { ToolTipText = std::move(InToolTipText); }
	FText GetToolTipText() const { return ToolTipText.Get(); }

	/**
	 * Calls TimerFunction every TickPeriod seconds (the first call one period from now) until it
	 * answers Stop, it is unregistered, or the widget dies. A period below one frame (1/60 s),
	 * negative or not a number counts as one frame. Without a UI application the timer never runs.
	 */
	std::shared_ptr<FActiveTimerHandle> RegisterActiveTimer(float TickPeriod, FWidgetActiveTimerDelegate TimerFunction);
	void UnRegisterActiveTimer(const std::shared_ptr<FActiveTimerHandle>& Handle);
	/** The timers that still run. */
	std::size_t GetNumActiveTimers() const;

	/** Set by SNew. */
	void SetWidgetTypeName(const char* InWidgetTypeName) { WidgetTypeName = InWidgetTypeName; }

protected:
	/** Writes the widget's own keys (and its painted children) after id, type and tooltip. */
	virtual void OnPaint(FJsonObject& OutPainted) const;

private:
	void RunActiveTimer(const std::shared_ptr<FActiveTimerHandle>& Handle);
	void StopActiveTimer(FActiveTimerHandle& Handle);

	uint64_t Id;
	std::string WidgetTypeName = "SWidget";
	TAttribute<FText> ToolTipText;
	std::vector<std::shared_ptr<FActiveTimerHandle>> ActiveTimers;
};

/** The JSON forms painted widgets use: [l, t, r, b] margins, [r, g, b, a] colours, [x, y] sizes. */
namespace SlatePaint
{
	FJsonValue Margin(const struct FMargin& Margin);
	FJsonValue Color(const struct FLinearColor& Color);
	FJsonValue Size(double X, double Y);
	/** A child's painted form, or null for none. */
	FJsonValue Child(const std::shared_ptr<SWidget>& Widget);
	/** {"styleSet", "name", "size", "found"} of a brush (found false for none or the no-brush brush). */
	FJsonValue Brush(const struct FSlateBrush* Brush);
}
