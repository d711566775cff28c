#pragma once

#include "Slate/Widget.h"

/** A link text; a click calls OnNavigate. Painted as {"text"}. */
class SHyperlink : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SHyperlink) {}
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_EVENT(FSimpleDelegate, OnNavigate)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	FText GetText() const { return Text.Get(); }
	/** What a click does; false when nothing is bound. */
	bool Navigate() const;

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	TAttribute<FText> Text;
	FSimpleDelegate OnNavigate;
};
