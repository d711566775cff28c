#pragma once

#include "Assets/AssetFiles.h"
#include "Editor/EditorEngine.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <string>
#include <string_view>

/** A new asset "/Game/UI/<Name>.<Name>" of the class, in memory. */
inline UObject* MakeEditedAsset(std::string_view Name, std::string_view ClassPath)
{
	UPackage* Package = CreatePackage("/Game/UI/" + std::string(Name));
	return NewObject<UObject>(Package, FindEngineClassChecked(ClassPath), Name);
}

inline UAssetEditorSubsystem& AssetEditors()
{
	return *GEditor->GetEditorSubsystem<UAssetEditorSubsystem>();
}
