#pragma once

#include "Editor/AssetEditorSubsystem.h"

/** The editor engine, as far as plug-ins reach it: its subsystems. Owned by the editor host. */
class UEditorEngine
{
public:
	template <typename TSubsystem>
	TSubsystem* GetEditorSubsystem();

private:
	UAssetEditorSubsystem AssetEditorSubsystem;
};

template <>
inline UAssetEditorSubsystem* UEditorEngine::GetEditorSubsystem<UAssetEditorSubsystem>()
{
	return &AssetEditorSubsystem;
}

/** The running editor, or nullptr outside one (set by the editor host while it lives). */
extern UEditorEngine* GEditor;
