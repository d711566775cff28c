#pragma once

#include "Slate/Margin.h"
#include "Slate/Widget.h"

/** How much of a box a slot takes along the box: what its child needs, or a share of what is left. */
enum class ESizeRule : uint8_t
{
	Auto,
	Fill,
};

/** A slot of a box panel. */
struct FBoxSlotLayout
{
	ESizeRule SizeRule = ESizeRule::Fill;
	float FillValue = 1.0f;
	/** 0: no limit. */
	float MaxSize = 0.0f;
	FMargin Padding;
	EHorizontalAlignment HAlign = HAlign_Fill;
	EVerticalAlignment VAlign = VAlign_Fill;
	std::shared_ptr<SWidget> Widget;
};

/** The chainable part every box slot shares: padding, alignment and the child. */
template <typename TDerived>
class TBoxSlotArguments
{
public:
	TDerived& Padding(const FMargin& InPadding)
	{
		Layout.Padding = InPadding;
		return Self();
	}
	TDerived& HAlign(EHorizontalAlignment InAlignment)
	{
		Layout.HAlign = InAlignment;
		return Self();
	}
	TDerived& VAlign(EVerticalAlignment InAlignment)
	{
		Layout.VAlign = InAlignment;
		return Self();
	}
	TDerived& operator[](std::shared_ptr<SWidget> InWidget)
	{
		Layout.Widget = std::move(InWidget);
		return Self();
	}

	FBoxSlotLayout Layout;

protected:
	TDerived& Self() { return static_cast<TDerived&>(*this); }
};

/**
 * A row or column of slots. Painted as {"slots": [{"padding", "hAlign", "vAlign",
 * "size": "auto" or {"fill": n}, "maxSize" (when limited), "widget"}]}.
 */
class SBoxPanel : public SWidget
{
public:
	std::vector<std::shared_ptr<SWidget>> GetChildren() const override;
	std::size_t NumSlots() const { return Slots.size(); }

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

	std::vector<FBoxSlotLayout> Slots;
};

/** A column: its slots top to bottom. */
class SVerticalBox : public SBoxPanel
{
public:
	class FSlot
	{
	public:
		class FSlotArguments : public TBoxSlotArguments<FSlotArguments>
		{
		public:
			FSlotArguments& AutoHeight()
			{
				Layout.SizeRule = ESizeRule::Auto;
				return *this;
			}
			FSlotArguments& FillHeight(float InFillValue)
			{
				Layout.SizeRule = ESizeRule::Fill;
				Layout.FillValue = InFillValue;
				return *this;
			}
			FSlotArguments& MaxHeight(float InMaxHeight)
			{
				Layout.MaxSize = InMaxHeight;
				return *this;
			}
		};
	};

	static FSlot::FSlotArguments Slot() { return {}; }

	SLATE_BEGIN_ARGS(SVerticalBox) {}
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	/** Adds a slot after the others. */
	void AddSlot(const FSlot::FSlotArguments& InSlot) { Slots.push_back(InSlot.Layout); }
};

/** A row: its slots left to right. */
class SHorizontalBox : public SBoxPanel
{
public:
	class FSlot
	{
	public:
		class FSlotArguments : public TBoxSlotArguments<FSlotArguments>
		{
		public:
			FSlotArguments& AutoWidth()
			{
				Layout.SizeRule = ESizeRule::Auto;
				return *this;
			}
			FSlotArguments& FillWidth(float InFillValue)
			{
				Layout.SizeRule = ESizeRule::Fill;
				Layout.FillValue = InFillValue;
				return *this;
			}
			FSlotArguments& MaxWidth(float InMaxWidth)
			{
				Layout.MaxSize = InMaxWidth;
				return *this;
			}
		};
	};

	static FSlot::FSlotArguments Slot() { return {}; }

	SLATE_BEGIN_ARGS(SHorizontalBox) {}
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	void AddSlot(const FSlot::FSlotArguments& InSlot) { Slots.push_back(InSlot.Layout); }
};
