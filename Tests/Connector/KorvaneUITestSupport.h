#pragma once

#include "Core/JsonObject.h"
#include "Editor/AssetEditorToolkit.h"
#include "Editor/EditorEngine.h"
#include "Editor/ToolMenus.h"
#include "Slate/MultiBox.h"

#include <memory>
#include <string_view>
#include <vector>

namespace KorvaneUITest
{
	inline UAssetEditorSubsystem& Editors()
	{
		return *GEditor->GetEditorSubsystem<UAssetEditorSubsystem>();
	}

	/** The connector's entry in section Korvane of the tool menu, or nullptr. */
	inline FToolMenuEntry* FindKorvaneEntry(std::string_view MenuName, std::string_view EntryName)
	{
		UToolMenu* const Menu = UToolMenus::Get()->FindMenu(MenuName);
		FToolMenuSection* const Section = Menu != nullptr ? Menu->FindSection("Korvane") : nullptr;
		return Section != nullptr ? Section->FindEntry(EntryName) : nullptr;
	}

	/** Runs the entry's click; false when there is no such entry. */
	inline bool Click(std::string_view MenuName, std::string_view EntryName)
	{
		const FToolMenuEntry* const Entry = FindKorvaneEntry(MenuName, EntryName);
		return Entry != nullptr && Entry->Action.Execute();
	}

	/** The entries of a drop-down menu as its generator builds it. */
	inline std::vector<FMultiBlock> MenuBlocks(const FOnGetContent& Generator)
	{
		const auto Widget = std::dynamic_pointer_cast<SMultiBoxWidget>(Generator.Execute());
		std::vector<FMultiBlock> Blocks;
		for (const FMultiBoxSection& Section : Widget != nullptr && Widget->GetMultiBox() != nullptr ? Widget->GetMultiBox()->Sections : std::vector<FMultiBoxSection>())
		{
			Blocks.insert(Blocks.end(), Section.Blocks.begin(), Section.Blocks.end());
		}
		return Blocks;
	}

	/** Section Korvane of the toolbar that the asset's open editor builds now. */
	inline std::vector<FMultiBlock> KorvaneToolbarBlocks(UObject* Asset)
	{
		const auto* const Editor = dynamic_cast<FAssetEditorToolkit*>(Editors().FindEditorForAsset(Asset, false));
		for (const FMultiBoxSection& Section : Editor != nullptr ? Editor->GenerateToolbar().Sections : std::vector<FMultiBoxSection>())
		{
			if (Section.Name == "Korvane")
			{
				return Section.Blocks;
			}
		}
		return {};
	}

	/** The widgets of the type in a painted tree, in paint order (a widget before its children). */
	inline std::vector<std::shared_ptr<FJsonObject>> PaintedOfType(const FJsonObject& Painted, std::string_view Type)
	{
		std::vector<std::shared_ptr<FJsonObject>> Found;
		const auto Visit = [&Found, Type](const auto& Self, const FJsonValue& Value) -> void {
			if (const std::shared_ptr<FJsonObject> Object = Value.TryGetObject())
			{
				if (Object->TryGetStringField("type") == Type)
				{
					Found.push_back(Object);
				}
				for (const auto& Member : Object->Values())
				{
					Self(Self, Member.second);
				}
			}
			else if (const std::shared_ptr<FJsonValueArray> Array = Value.TryGetArray())
			{
				for (const FJsonValue& Element : *Array)
				{
					Self(Self, Element);
				}
			}
		};
		for (const auto& Member : Painted.Values())
		{
			Visit(Visit, Member.second);
		}
		return Found;
	}
}
