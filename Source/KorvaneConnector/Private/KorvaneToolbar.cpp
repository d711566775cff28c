#include "KorvaneToolbar.h"

#include "KorvaneLog.h"
#include "KorvaneStyle.h"

#include "Core/Text.h"
#include "Editor/ExtensibilityManager.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/ToolMenus.h"
#include "Runtime/ModuleManager.h"
#include "Slate/AppStyle.h"
#include "Slate/MultiBoxBuilder.h"
#include "Slate/MultiBoxExtender.h"
#include "Slate/SlateStyle.h"

#define LOCTEXT_NAMESPACE "KorvaneConnector"

namespace
{
	constexpr const char* SectionName = "Korvane";
	/** The Control Rig editor's toolbar section the rig button follows. */
	constexpr const char* ControlRigToolBarHook = "Asset";

	FSlateIcon KorvaneIcon()
	{
		return FSlateIcon(FKorvaneStyle::GetStyleSetName(), FKorvaneStyle::SmallIconName);
	}

	FUIAction Action(void (*Click)())
	{
		return FUIAction(FExecuteAction::CreateStatic(Click));
	}

	FUIAction Action(void (*Click)(bool), bool bArgument)
	{
		return FUIAction(FExecuteAction::CreateStatic(Click, bArgument));
	}

	/** The section Korvane of the menu, or nullptr when the editor has no such menu. */
	FToolMenuSection* ExtendToKorvaneSection(UToolMenus& ToolMenus, std::string_view MenuName)
	{
		UToolMenu* const Menu = ToolMenus.ExtendMenu(MenuName);
		return Menu != nullptr ? &Menu->FindOrAddSection(SectionName) : nullptr;
	}

	std::shared_ptr<SWidget> MakeMaterialMenu()
	{
		FMenuBuilder MenuBuilder(true, nullptr, nullptr, false, &FAppStyle::Get());
		MenuBuilder.AddMenuEntry(LOCTEXT("SendPlainLabel", "Send to Korvane"),
			LOCTEXT("SendPlainTip", "Send the material structure (no texture data). Fast and lightweight"), FSlateIcon(),
			Action(&KorvaneToolbar::SendFocusedMaterial, false));
		MenuBuilder.AddMenuEntry(LOCTEXT("SendWithAssetsLabel", "Send to Korvane with Assets"),
			LOCTEXT("SendWithAssetsTip",
				"Send the material plus all referenced textures and their settings (sRGB, compression, etc.). Best for sharing materials across projects."),
			FSlateIcon(), Action(&KorvaneToolbar::SendFocusedMaterial, true));
		return MenuBuilder.MakeWidget();
	}

	std::shared_ptr<SWidget> MakeControlRigMenu()
	{
		FMenuBuilder MenuBuilder(true, nullptr, nullptr, false, &FAppStyle::Get());
		MenuBuilder.AddMenuEntry(LOCTEXT("SendRigPlainLabel", "Send to Korvane"),
			LOCTEXT("SendRigPlainTip", "Send the rig (graphs, controls, hierarchy). The mesh loads lazily when the Korvane viewport asks for it."),
			FSlateIcon(), Action(&KorvaneToolbar::SendFocusedControlRig, false));
		MenuBuilder.AddMenuEntry(LOCTEXT("SendRigMeshLabel", "Send with Mesh"),
			LOCTEXT("SendRigMeshTip", "Also stream the preview mesh geometry so Korvane's 3D view shows the character immediately."), FSlateIcon(),
			Action(&KorvaneToolbar::SendFocusedControlRig, true));
		return MenuBuilder.MakeWidget();
	}

	void AddControlRigButton(FToolBarBuilder& Builder)
	{
		Builder.BeginSection(SectionName);
		Builder.AddComboButton(Action(&KorvaneToolbar::SendFocusedControlRig, false), FOnGetContent::CreateStatic(&MakeControlRigMenu),
			LOCTEXT("SendRigToKVBtn", "Send to Korvane"),
			LOCTEXT("SendRigToKVTip", "Send this Control Rig to Korvane. Click the arrow for the with-mesh option."), KorvaneIcon(), false);
		Builder.EndSection();
	}

	void AddBlueprintEditorButton(UToolMenus& ToolMenus)
	{
		FToolMenuSection* const Section = ExtendToKorvaneSection(ToolMenus, UToolMenus::BlueprintEditorToolBar);
		if (Section == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "Could not find Blueprint editor toolbar menu. Button not registered.");
			return;
		}
		Section->AddEntry(FToolMenuEntry::InitToolBarButton("SendToKorvane", Action(&KorvaneToolbar::SendFocusedBlueprint),
			LOCTEXT("SendToKorvaneBtn", "Send to Korvane"), LOCTEXT("SendToKorvaneTip", "Send this Blueprint to Korvane for visualization"), KorvaneIcon(),
			EUserInterfaceActionType::Button));
		UE_LOG(LogKorvane, Log, "Blueprint editor toolbar button registered.");
	}

	void AddMaterialEditorButton(UToolMenus& ToolMenus)
	{
		FToolMenuSection* const Section = ExtendToKorvaneSection(ToolMenus, UToolMenus::MaterialEditorToolBar);
		if (Section == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "Could not find Material editor toolbar menu. Button not registered.");
			return;
		}
		Section->AddEntry(FToolMenuEntry::InitComboButton("SendMaterialToKorvane", Action(&KorvaneToolbar::SendFocusedMaterial, false),
			FOnGetContent::CreateStatic(&MakeMaterialMenu), LOCTEXT("SendMatToKVBtn", "Send to Korvane"),
			LOCTEXT("SendMatToKVTip", "Send this Material to Korvane. Click the arrow for bundling options."), KorvaneIcon(), false));
		UE_LOG(LogKorvane, Log, "Material editor toolbar combo button registered.");
	}

	void AddWidgetBlueprintEditorButton(UToolMenus& ToolMenus)
	{
		FToolMenuSection* const Section = ExtendToKorvaneSection(ToolMenus, UToolMenus::WidgetBlueprintEditorToolBar);
		if (Section == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "Could not find Widget Blueprint editor toolbar menu. Button not registered.");
			return;
		}
		Section->AddEntry(FToolMenuEntry::InitToolBarButton("SendWidgetToKorvane", Action(&KorvaneToolbar::SendFocusedWidget),
			LOCTEXT("SendWidgetToKVBtn", "Send to Korvane"),
			LOCTEXT("SendWidgetToKVTip", "Send this Widget Blueprint to Korvane for visualization and editing"), KorvaneIcon(),
			EUserInterfaceActionType::Button));
		UE_LOG(LogKorvane, Log, "Widget Blueprint editor toolbar button registered.");
	}

	std::shared_ptr<FExtender> AddControlRigEditorButton()
	{
		auto* const RigVMEditor = dynamic_cast<IRigVMEditorModule*>(FModuleManager::Get().LoadModule(IRigVMEditorModule::ModuleName));
		const std::shared_ptr<FExtensibilityManager> Manager = RigVMEditor != nullptr ? RigVMEditor->GetToolBarExtensibilityManager() : nullptr;
		if (Manager == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "RigVMEditor module unavailable. Control Rig button not registered.");
			return nullptr;
		}
		auto Extender = std::make_shared<FExtender>();
		Extender->AddToolBarExtension(ControlRigToolBarHook, EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateStatic(&AddControlRigButton));
		Manager->AddExtender(Extender);
		UE_LOG(LogKorvane, Log, "Control Rig editor toolbar extender registered.");
		return Extender;
	}
}

std::shared_ptr<FExtender> KorvaneToolbar::RegisterToolbarExtensions()
{
	UToolMenus* const ToolMenus = UToolMenus::Get();
	FToolMenuSection* const PlayToolBar = ToolMenus != nullptr ? ExtendToKorvaneSection(*ToolMenus, UToolMenus::LevelEditorPlayToolBar) : nullptr;
	if (PlayToolBar == nullptr)
	{
		return nullptr;
	}
	PlayToolBar->AddEntry(FToolMenuEntry::InitToolBarButton("OpenKorvanePanel", Action(&KorvaneToolbar::OpenStatusPanel),
		LOCTEXT("KorvaneButton", "Korvane"), LOCTEXT("KorvaneButtonTooltip", "Open the Korvane connection panel"), KorvaneIcon(),
		EUserInterfaceActionType::Button));

	AddBlueprintEditorButton(*ToolMenus);
	AddMaterialEditorButton(*ToolMenus);
	AddWidgetBlueprintEditorButton(*ToolMenus);
	return AddControlRigEditorButton();
}

void KorvaneToolbar::RemoveControlRigExtender(const std::shared_ptr<FExtender>& Extender)
{
	IRigVMEditorModule* const RigVMEditor = Extender != nullptr ? IRigVMEditorModule::Get() : nullptr;
	if (const std::shared_ptr<FExtensibilityManager> Manager = RigVMEditor != nullptr ? RigVMEditor->GetToolBarExtensibilityManager() : nullptr)
	{
		Manager->RemoveExtender(Extender);
	}
}

#undef LOCTEXT_NAMESPACE
