#pragma once

#include "Core/Vector2D.h"
#include "Slate/Widget.h"

/** Empty space of a size. Painted as {"size"}. */
class SSpacer : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SSpacer)
		: _Size(FVector2D{0.0, 0.0})
	{}
	SLATE_ATTRIBUTE(FVector2D, Size)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	TAttribute<FVector2D> Size;
};
