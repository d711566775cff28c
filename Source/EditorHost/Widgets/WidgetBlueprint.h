#pragma once

#include "Blueprints/Blueprint.h"
#include "Objects/ObjectPtr.h"

#include <string_view>
#include <vector>

class UWidget;
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
	/** Made with the Blueprint (its "WidgetTree" sub-object); reads nullptr only once that object is destroyed. */
	TObjectPtr<UWidgetTree> WidgetTree;
	/** The designer animations, objects inside the Blueprint, in order. */
	std::vector<UWidgetAnimation*> Animations;

	/** Makes the widget tree, as the engine's constructor makes its default sub-object. */
	void PostInitProperties() override;

	/** The widget tree's top-level widgets: the root first, then the unattached widgets in creation order. */
	std::vector<UWidget*> GetTopLevelWidgets() const;
	/** A new animation named Name ("<Name>_INST" as the object's name); nullptr when that name is taken or not valid. */
	UWidgetAnimation* AddAnimation(std::string_view Name, double StartTime, double EndTime);

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	/** The Blueprint's tags, plus NativeParentClass: the nearest engine class up the parent chain. */
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;
};

/** A Widget Blueprint that runs in the editor as an editor utility. */
class UEditorUtilityWidgetBlueprint : public UWidgetBlueprint
{
	DECLARE_ENGINE_CLASS(UEditorUtilityWidgetBlueprint, UWidgetBlueprint, "/Script/Blutility.EditorUtilityWidgetBlueprint")
};
