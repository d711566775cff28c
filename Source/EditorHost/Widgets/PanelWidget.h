#pragma once

#include "Widgets/Widget.h"

#include <cstdint>
#include <optional>
#include <vector>

class UPanelSlot;

/**
 * A widget that holds other widgets, each through a slot of the panel's slot class
 * (a canvas panel's CanvasPanelSlot, a vertical box's VerticalBoxSlot). The slots are
 * objects inside the panel, in child order.
 */
class UPanelWidget : public UWidget
{
	DECLARE_ENGINE_CLASS(UPanelWidget, UWidget, "/Script/UMG.PanelWidget")

public:
	int32_t GetChildrenCount() const;
	/** The content of the slot at Index, or nullptr when out of range or the slot is empty. */
	UWidget* GetChildAt(int32_t Index) const;
	const std::vector<UPanelSlot*>& GetSlots() const { return Slots; }
	/** Whether the panel takes more than one child (a content widget such as a button takes one). */
	virtual bool CanHaveMultipleChildren() const { return true; }
	/**
	 * Adds Content at the end in a new slot of the panel's slot class, taking it out of the panel
	 * it was in; nullptr when the panel holds its one child already or Content is this panel or
	 * contains it.
	 */
	UPanelSlot* AddChild(UWidget* Content);
	/** Removes the widget's slot (the slot object is destroyed); false when the widget is not a child of this panel. */
	bool RemoveChild(UWidget* Content);
	/** The index of the widget's slot, or nothing when the widget is not a child of this panel. */
	std::optional<int32_t> GetChildIndex(const UWidget* Content) const;
	/**
	 * The class of the slots this panel makes: the engine's slot class of the nearest panel class in
	 * its class chain (CanvasPanel → CanvasPanelSlot, GridPanel → GridSlot), PanelSlot for the rest.
	 */
	UClass* GetSlotClass() const;

	/** "Slots(i)": references to the panel's own slot objects, in child order. */
	bool ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context) override;

	/** The slots in child order; written by the text factory and by AddChild/RemoveChild. A slot that is destroyed or moved out leaves the list. */
	std::vector<UPanelSlot*> Slots;

private:
	/** Takes the slot out of the list, unlinks it from its content and destroys it. */
	void DestroySlot(UPanelSlot& PanelSlot);
};

/** A panel of one child (button, border, size box, scale box, named slot...). */
class UContentWidget : public UPanelWidget
{
	DECLARE_ENGINE_CLASS(UContentWidget, UPanelWidget, "/Script/UMG.ContentWidget")

public:
	bool CanHaveMultipleChildren() const override { return false; }
};
