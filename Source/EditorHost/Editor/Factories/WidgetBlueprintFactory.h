#pragma once

#include "Editor/Factories/Factory.h"

/**
 * Makes a new Widget Blueprint (the editor's "User Interface > Widget Blueprint" entry) with its
 * widget tree, the event graph page "EventGraph", the generated class and its default object. Its
 * reflected "ParentClass" property (set with FObjectPropertyBase) names the user widget class the
 * Blueprint derives from; unset, it is /Script/UMG.UserWidget.
 */
class UWidgetBlueprintFactory : public UFactory
{
	DECLARE_ENGINE_CLASS(UWidgetBlueprintFactory, UFactory, "/Script/UMGEditor.WidgetBlueprintFactory")

public:
	UWidgetBlueprintFactory();

	UObject* FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, EObjectFlags Flags, UObject* Context) override;
};

/**
 * Makes a new Editor Utility Widget Blueprint ("Editor Utilities > Editor Utility Widget"), whose
 * class derives from /Script/Blutility.EditorUtilityWidget unless "ParentClass" names another.
 */
class UEditorUtilityWidgetBlueprintFactory : public UFactory
{
	DECLARE_ENGINE_CLASS(UEditorUtilityWidgetBlueprintFactory, UFactory, "/Script/Blutility.EditorUtilityWidgetBlueprintFactory")

public:
	UEditorUtilityWidgetBlueprintFactory();

	UObject* FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, EObjectFlags Flags, UObject* Context) override;
};
