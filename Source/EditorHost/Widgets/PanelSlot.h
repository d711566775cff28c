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
	~UPanelSlot() override;

	/** The panel the slot belongs to; reads nullptr once that panel is destroyed. */
	TObjectPtr<UPanelWidget> Parent;
	/** The widget in the slot; reads nullptr once that widget is destroyed. */
	TObjectPtr<UWidget> Content;

	/** "Parent" and "Content": references to a panel and a widget of the same text. */
	bool ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context) override;
	/** A slot moved out of its panel is no longer one of the panel's slots. */
	void PostRename(UObject* OldOuter, std::string_view OldName) override;
};
