#include "Widgets/WidgetNativeClasses.h"

#include "Editor/Factories/WidgetBlueprintFactory.h"
#include "Objects/ClassDatabase.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/UserWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

void BindWidgetNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UVisual>();
	Database.BindNativeClass<UWidget>();
	Database.BindNativeClass<UPanelWidget>();
	Database.BindNativeClass<UContentWidget>();
	Database.BindNativeClass<UPanelSlot>();
	Database.BindNativeClass<UUserWidget>();
	Database.BindNativeClass<UEditorUtilityWidget>();
	Database.BindNativeClass<UWidgetTree>();
	Database.BindNativeClass<UWidgetAnimation>();
	Database.BindNativeClass<UWidgetBlueprint>();
	Database.BindNativeClass<UEditorUtilityWidgetBlueprint>();
	Database.BindNativeClass<UWidgetBlueprintFactory>();
	Database.BindNativeClass<UEditorUtilityWidgetBlueprintFactory>();
}
