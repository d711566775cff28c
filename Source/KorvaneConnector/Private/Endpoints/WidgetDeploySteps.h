#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class UWidget;
class UWidgetBlueprint;

/** The phases of the widget deploy (WidgetDeploy.cpp runs them in order). */

/**
 * Empties an existing Widget Blueprint for an overwrite: the nodes of every event graph page,
 * every member variable and every widget of its tree go; function graphs and animations stay.
 */
void ClearWidgetBlueprintForOverwrite(UWidgetBlueprint& Blueprint);

/** A new Widget Blueprint (bEditorUtility: an Editor Utility one) from the editor's factory, or the failure message. */
struct FWidgetBlueprintCreation
{
	UWidgetBlueprint* Blueprint = nullptr;
	std::string Error;
};
FWidgetBlueprintCreation CreateWidgetBlueprintAsset(std::string_view PackagePath, std::string_view Name, bool bEditorUtility);

/** The tree the hierarchy text made: the widgets in construction order, the root and the widgets without a parent after it. */
struct FWidgetHierarchyImport
{
	std::vector<UWidget*> Widgets;
	UWidget* Root = nullptr;
	std::vector<std::string> UnattachedWidgetNames;
	/** Set when the import failed; the deploy answers with it. */
	std::string Error;
};
/** Imports the widget copy-paste text into the Blueprint's tree, repairs the slot links and sets the root. */
FWidgetHierarchyImport ImportWidgetHierarchy(UWidgetBlueprint& Blueprint, std::string_view HierarchyText);

/** Writes the request's design size into the generated class's default object; missing properties are skipped. */
void ApplyDesignSize(UWidgetBlueprint& Blueprint, const FJsonObject& DesignSize);

/** The `variables` step: each entry added as a member variable, failures listed. */
std::shared_ptr<FJsonObject> AddRequestedVariables(UWidgetBlueprint& Blueprint, const FJsonValueArray& Variables);

/** The `script` step: the script written under the project's Content/Python, and that folder put on Python's sys.path. */
std::shared_ptr<FJsonObject> DeployWidgetScript(const FJsonObject& Script);

/** The `functions` step: a user function graph made for each name the Blueprint lacks. */
std::shared_ptr<FJsonObject> EnsureRequestedFunctions(UWidgetBlueprint& Blueprint, const FJsonValueArray& Functions);

/** Gives every bound event of the event graph pages that has no handler name the editor's "BndEvt__" name; how many were named. */
int NameBoundEventHandlers(UWidgetBlueprint& Blueprint);
