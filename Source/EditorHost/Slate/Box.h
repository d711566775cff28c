#pragma once

#include "Slate/Margin.h"
#include "Slate/Widget.h"

#include <optional>

/** A size that may be left to the content. */
struct FOptionalSize
{
	FOptionalSize() = default;
	FOptionalSize(float InSize) : Size(InSize) {}

	bool IsSet() const { return Size.has_value(); }
	float Get() const { return Size.value_or(0.0f); }

	std::optional<float> Size;
};

/**
 * One child with padding, alignment and an optional fixed width and height. Painted as
 * {"padding", "hAlign", "vAlign", "width" and "height" (each when overridden), "content"}.
 */
class SBox : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SBox)
		: _HAlign(HAlign_Fill)
		, _VAlign(VAlign_Fill)
	{}
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_ATTRIBUTE(FOptionalSize, WidthOverride)
	SLATE_ATTRIBUTE(FOptionalSize, HeightOverride)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);
	void SetContent(std::shared_ptr<SWidget> InContent) { Content = std::move(InContent); }
	std::vector<std::shared_ptr<SWidget>> GetChildren() const override;

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	EHorizontalAlignment HAlign = HAlign_Fill;
	EVerticalAlignment VAlign = VAlign_Fill;
	TAttribute<FMargin> Padding;
	TAttribute<FOptionalSize> WidthOverride;
	TAttribute<FOptionalSize> HeightOverride;
	std::shared_ptr<SWidget> Content;
};
