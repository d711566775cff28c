#include "Editor/AssetEditorKinds.h"

#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

#include <array>

namespace
{
	struct FAssetEditorKind
	{
		std::string_view ClassPath;
		std::string_view EditorName;
	};

	/** Checked in order, so the Blueprint kinds with editors of their own come before Blueprints. */
	constexpr std::array<FAssetEditorKind, 5> AssetEditorKinds{{
		{"/Script/UMGEditor.WidgetBlueprint", "WidgetBlueprintEditor"},
		{"/Script/ControlRigDeveloper.ControlRigBlueprint", "ControlRigEditor"},
		{"/Script/Engine.Blueprint", "BlueprintEditor"},
		{"/Script/Engine.MaterialInterface", "MaterialEditor"},
		{"/Script/Engine.MaterialFunctionInterface", "MaterialEditor"},
	}};
	constexpr std::string_view GenericAssetEditorName = "GenericAssetEditor";
}

std::string_view ChooseAssetEditorName(const UClass* AssetClass)
{
	if (AssetClass == nullptr)
	{
		return GenericAssetEditorName;
	}
	for (const FAssetEditorKind& Kind : AssetEditorKinds)
	{
		const UClass* KindClass = FClassDatabase::Get().FindClass(Kind.ClassPath);
		if (KindClass != nullptr && AssetClass->IsChildOf(KindClass))
		{
			return Kind.EditorName;
		}
	}
	return GenericAssetEditorName;
}
