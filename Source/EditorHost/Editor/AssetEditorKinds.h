#pragma once

#include <string_view>

class UClass;

/**
 * The kind of asset editor the editor opens for assets of a class: "WidgetBlueprintEditor",
 * "ControlRigEditor", "BlueprintEditor", "MaterialEditor" or "GenericAssetEditor".
 */
std::string_view ChooseAssetEditorName(const UClass* AssetClass);
