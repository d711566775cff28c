#pragma once

#include "Widgets/Widget.h"

/**
 * The base of the classes Widget Blueprints generate: a widget made of a designer's widget tree.
 * Its default object carries the designer's preview size ("DesignTimeSize", "DesignSizeMode"); a
 * user widget placed inside another Blueprint's tree is an object of this type too.
 */
class UUserWidget : public UWidget
{
	DECLARE_ENGINE_CLASS(UUserWidget, UWidget, "/Script/UMG.UserWidget")
};

/** The base of the classes Editor Utility Widget Blueprints generate: a user widget that runs as an editor tool. */
class UEditorUtilityWidget : public UUserWidget
{
	DECLARE_ENGINE_CLASS(UEditorUtilityWidget, UUserWidget, "/Script/Blutility.EditorUtilityWidget")
};
