#pragma once

#include "Objects/Object.h"
#include "Objects/ObjectPtr.h"

#include <string>
#include <vector>

class UPanelSlot;
class UPanelWidget;

/**
 * The base of widgets and slots. Holds the property lines of a widget copy-paste text that
 * name no reflected property of the class, in the order read, so copying the object back to
 * text writes them again and nothing a newer editor wrote is lost.
 */
class UVisual : public UObject
{
	DECLARE_ENGINE_CLASS(UVisual, UObject, "/Script/UMG.Visual")

public:
	/** Property lines ("Name=Value", without indentation) that the class does not declare. */
	std::vector<std::string> KeptTextLines;

	bool KeepTextLine(std::string_view Line) override;
};

/**
 * One element of a user interface (a text, a button, a panel). Its reflected properties
 * live in the object's property values (Objects/PropertyValues.h) as export text; the
 * slot that places it inside its parent panel is a native reference.
 */
class UWidget : public UVisual
{
	DECLARE_ENGINE_CLASS(UWidget, UVisual, "/Script/UMG.Widget")

public:
	/** The slot of the panel holding this widget; nullptr for a root or unattached widget (and once the slot is destroyed). */
	TObjectPtr<UPanelSlot> Slot;

	/** The "bIsVariable" property: whether the Blueprint exposes the widget as a member variable. */
	bool GetIsVariable() const;
	void SetIsVariable(bool bIsVariable);

	/** The panel holding this widget (its slot's parent), or nullptr. */
	UPanelWidget* GetParent() const;
	/** Takes the widget out of the panel holding it; false when it has none. */
	bool RemoveFromParent();

	/** A "Slot" line is ignored: the panel's slot, which names the widget as its content, places it. */
	bool ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context) override;
	/** A widget moved out of its widget tree leaves the hierarchy: nothing that stays behind points at it, nor it at them. */
	void PostRename(UObject* OldOuter, std::string_view OldName) override;
};

/** The widget tree an object lives in (its nearest outer that is one), or nullptr. */
class UWidgetTree* FindOwningWidgetTree(const UObject* Object);
