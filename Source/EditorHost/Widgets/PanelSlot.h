#pragma once

#include "Widgets/Widget.h"

/**
 * Where a widget sits inside its panel: the panel (Parent), the widget (Content) and the
 * layout the panel's slot class declares as reflected properties (anchors, offsets,
 * padding, size rules, alignment, z-order).
 */
class UPanelSlot : public UVisual
{
	DECLARE_ENGINE_CLASS(UPanelSlot, UVisual, "/Script/UMG.PanelSlot")

public:
	UPanelWidget* Parent = nullptr;
	UWidget* Content = nullptr;

	/** "Parent" and "Content": references to a panel and a widget of the same text. */
	bool ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context) override;
};
