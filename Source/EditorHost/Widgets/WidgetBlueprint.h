#pragma once

#include "Blueprints/Blueprint.h"

#include <vector>

class UWidgetAnimation;
class UWidgetTree;

/**
 * A Blueprint whose class is a user widget: the designer's widget tree and animations on top
 * of the Blueprint's variables and graphs. Its generated class derives from UserWidget (or
 * EditorUtilityWidget), whose default object carries "DesignTimeSize" and "DesignSizeMode".
 */
class UWidgetBlueprint : public UBlueprint
{
	DECLARE_ENGINE_CLASS(UWidgetBlueprint, UBlueprint, "/Script/UMGEditor.WidgetBlueprint")

public:
	/** Made with the Blueprint; never nullptr for a Blueprint the factory or the loader made. */
	UWidgetTree* WidgetTree = nullptr;
	std::vector<UWidgetAnimation*> Animations;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
};

/** A Widget Blueprint that runs in the editor as an editor utility. */
class UEditorUtilityWidgetBlueprint : public UWidgetBlueprint
{
	DECLARE_ENGINE_CLASS(UEditorUtilityWidgetBlueprint, UWidgetBlueprint, "/Script/Blutility.EditorUtilityWidgetBlueprint")
};
