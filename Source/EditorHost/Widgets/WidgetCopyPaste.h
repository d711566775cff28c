#pragma once

#include "Editor/Factories/CustomizableTextObjectFactory.h"

#include <string>
#include <vector>

class UWidget;
class UWidgetTree;

/**
 * The factory the widget designer pastes with: it constructs widgets and the "WidgetSlotPair"
 * objects newer editors write (so the text imports cleanly) and keeps the widgets, in
 * construction order.
 */
class FWidgetTreeTextFactory : public FCustomizableTextObjectFactory
{
public:
	std::vector<UWidget*> NewWidgets;

protected:
	bool CanCreateClass(UClass* ObjectClass, bool& bOmitSubObjects) const override;
	/** Joins the widgets into their hierarchy through the panels' slots (Widgets/WidgetTextLinks.h). */
	void PostImportObjects(const std::vector<UObject*>& TopLevelObjects) override;
	/** Keeps a widget; a slot pair, which only carries what the designer's own paste uses, is discarded. */
	void ProcessConstructedObject(UObject* NewObject) override;
};

/**
 * The designer's copy of a widget selection: each selected widget with its hierarchy, slots as
 * sub-objects, as the editor writes it, so pasting the text gives an equal tree.
 */
std::string ExportWidgetsToText(const std::vector<UWidget*>& Widgets);
