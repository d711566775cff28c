#pragma once

#include "Objects/Object.h"
#include "Objects/ObjectPtr.h"

#include <functional>
#include <string_view>
#include <vector>

class UClass;
class UWidget;

/**
 * The widgets of a Widget Blueprint: every widget is an object inside the tree, the root
 * widget is the top of the hierarchy. Widgets not reachable from the root (unattached ones)
 * still belong to the tree.
 */
class UWidgetTree : public UObject
{
	DECLARE_ENGINE_CLASS(UWidgetTree, UObject, "/Script/UMG.WidgetTree")

public:
	/** The top of the hierarchy; reads nullptr once that widget is destroyed, and is cleared when it moves out of the tree. */
	TObjectPtr<UWidget> RootWidget;

	/** Every widget inside the tree, the root's hierarchy first (depth first), then the rest in creation order. */
	void GetAllWidgets(std::vector<UWidget*>& OutWidgets) const;
	/** The widget of that object name inside the tree, or nullptr. */
	UWidget* FindWidget(std::string_view Name) const;
	/**
	 * A new widget of WidgetClass inside the tree (a unique name from the class when Name is empty).
	 * nullptr when WidgetClass is not a concrete widget class or Name is not a free, valid object name.
	 */
	UWidget* ConstructWidget(UClass* WidgetClass, std::string_view Name = {});
};
