#include "Core/JsonSerializer.h"
#include "Editor/EditorUIModel.h"
#include "Editor/EditorUITestAssets.h"
#include "Editor/ExtensibilityManager.h"
#include "Editor/RigVMEditorModule.h"
#include "Editor/TabManager.h"
#include "Editor/ToolMenus.h"
#include "Runtime/PlatformProcess.h"
#include "Slate/BoxPanel.h"
#include "Slate/CheckBox.h"
#include "Slate/DockTab.h"
#include "Slate/Hyperlink.h"
#include "Slate/MultiBoxBuilder.h"
#include "Slate/TextBlock.h"

#include <gtest/gtest.h>

namespace
{
	/** An editor with a play-toolbar button, a material split button, a Control Rig extender and a panel tab. */
	class EditorUIModel : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			UToolMenu* Play = UToolMenus::Get()->ExtendMenu(UToolMenus::LevelEditorPlayToolBar);
			Play->FindOrAddSection("Test").AddEntry(FToolMenuEntry::InitToolBarButton("Panel", FUIAction(FExecuteAction::CreateLambda([this]() {
				FGlobalTabmanager::Get()->TryInvokeTab(FTabId("TestPanel"));
			})),
				FText::FromString("Panel"), FText::FromString("Open the panel"), FSlateIcon("NoSuchStyle", "Icon")));

			UToolMenu* Material = UToolMenus::Get()->ExtendMenu(UToolMenus::MaterialEditorToolBar);
			Material->FindOrAddSection("Test").AddEntry(FToolMenuEntry::InitComboButton("Send", FUIAction(FExecuteAction::CreateLambda([this]() { Sends.push_back("plain"); })),
				FOnGetContent::CreateLambda([this]() {
					FMenuBuilder Menu(true, nullptr);
					Menu.AddMenuEntry(FText::FromString("Plain"), FText(), FSlateIcon(), FUIAction(FExecuteAction::CreateLambda([this]() { Sends.push_back("menu plain"); })));
					Menu.AddMenuEntry(FText::FromString("Heavy"), FText(), FSlateIcon(), FUIAction(FExecuteAction::CreateLambda([this]() { Sends.push_back("menu heavy"); })));
					return Menu.MakeWidget();
				}),
				FText::FromString("Send"), FText::FromString("Send it"), FSlateIcon("EditorStyle", "Icons.Save")));

			RigExtender = std::make_shared<FExtender>();
			RigExtender->AddToolBarExtension("Asset", EExtensionHook::After, nullptr, FToolBarExtensionDelegate::CreateLambda([this](FToolBarBuilder& Builder) {
				Builder.BeginSection("Rig");
				Builder.AddToolBarButton(FUIAction(FExecuteAction::CreateLambda([this]() { Sends.push_back("rig"); })), {}, FText::FromString("Send rig"));
				Builder.EndSection();
			}));
			IRigVMEditorModule::Get()->GetToolBarExtensibilityManager()->AddExtender(RigExtender);

			FGlobalTabmanager::Get()->RegisterNomadTabSpawner("TestPanel", FOnSpawnTab::CreateLambda([this](const FSpawnTabArgs&) {
				return SNew(SDockTab).TabRole(ETabRole::NomadTab).Label(FText::FromString("Panel"))
					[
						SNew(SVerticalBox)
						+ SVerticalBox::Slot()
						[
							SNew(SCheckBox)
							.IsChecked_Lambda([this]() { return bEnabled ? ECheckBoxState::Checked : ECheckBoxState::Unchecked; })
							.OnCheckStateChanged_Lambda([this](ECheckBoxState State) { bEnabled = State == ECheckBoxState::Checked; })
						]
						+ SVerticalBox::Slot()[ SNew(SHyperlink).Text(FText::FromString("Docs")).OnNavigate_Lambda([]() { FPlatformProcess::LaunchURL("https://example.com/docs", nullptr, nullptr); }) ]
					];
			}));
		}

		void TearDown() override
		{
			IRigVMEditorModule::Get()->GetToolBarExtensibilityManager()->RemoveExtender(RigExtender);
		}

		std::shared_ptr<FJsonObject> Run(std::string_view ActionJson)
		{
			std::optional<FJsonObject> Action = ParseObject(ActionJson);
			EXPECT_TRUE(Action.has_value()) << ActionJson;
			return Model.RunAction(Action ? *Action : FJsonObject());
		}

		static std::optional<FJsonObject> ParseObject(std::string_view Text);

		static std::string ErrorOf(const std::shared_ptr<FJsonObject>& Result)
		{
			return Result->TryGetStringField("error").value_or("(succeeded)");
		}

		/** The first entry named Name in a painted toolbar. */
		static std::shared_ptr<FJsonObject> FindEntry(const FJsonObject& Toolbar, std::string_view Name)
		{
			for (const FJsonValue& Section : *Toolbar.TryGetArrayField("sections"))
			{
				for (const FJsonValue& Entry : *Section.TryGetObject()->TryGetArrayField("entries"))
				{
					if (Entry.TryGetObject()->TryGetStringField("name") == Name || Entry.TryGetObject()->TryGetStringField("label") == Name)
					{
						return Entry.TryGetObject();
					}
				}
			}
			return nullptr;
		}

		std::shared_ptr<FJsonObject> EditorView(std::size_t Index)
		{
			return (*Model.BuildView()->TryGetArrayField("assetEditors"))[Index].TryGetObject();
		}

		FTestEditor Editor{HostOnly()};
		FEditorUIModel Model;
		std::shared_ptr<FExtender> RigExtender;
		std::vector<std::string> Sends;
		bool bEnabled = true;
	};
}

std::optional<FJsonObject> EditorUIModel::ParseObject(std::string_view Text)
{
	const std::shared_ptr<FJsonObject> Parsed = FJsonSerializer::DeserializeObject(Text);
	return Parsed != nullptr ? std::optional<FJsonObject>(*Parsed) : std::nullopt;
}

TEST_F(EditorUIModel, TheViewShowsTheLevelEditorItsToolbarAndTheOpenEditors)
{
	AssetEditors().OpenEditorForAsset(MakeEditedAsset("M_View", "/Script/Engine.Material"));
	const std::shared_ptr<FJsonObject> View = Model.BuildView();

	const std::shared_ptr<FJsonObject> Level = View->TryGetObjectField("levelEditor");
	EXPECT_EQ(Level->TryGetStringField("tabId"), "LevelEditor");
	EXPECT_EQ(Level->TryGetBoolField("foreground"), false) << "the material editor is in front";
	EXPECT_EQ(Level->TryGetObjectField("toolbar")->TryGetStringField("menu"), "LevelEditor.LevelEditorToolBar.PlayToolBar");
	const std::shared_ptr<FJsonObject> Panel = FindEntry(*Level->TryGetObjectField("toolbar"), "Panel");
	ASSERT_NE(Panel, nullptr);
	EXPECT_TRUE(Panel->TryGetStringField("id")->starts_with("m"));
	EXPECT_EQ(Panel->TryGetStringField("kind"), "button");
	EXPECT_EQ(Panel->TryGetStringField("tooltip"), "Open the panel");
	EXPECT_EQ(Panel->TryGetObjectField("icon")->TryGetBoolField("found"), false) << "an icon of a style set that is not registered";

	const std::shared_ptr<FJsonObject> Material = EditorView(0);
	EXPECT_EQ(Material->TryGetStringField("editorName"), "MaterialEditor");
	EXPECT_EQ(Material->TryGetStringField("assetPath"), "/Game/UI/M_View.M_View");
	EXPECT_EQ(Material->TryGetBoolField("foreground"), true);
	const std::shared_ptr<FJsonObject> Send = FindEntry(*Material->TryGetObjectField("toolbar"), "Send");
	ASSERT_NE(Send, nullptr);
	EXPECT_EQ(Send->TryGetStringField("kind"), "comboButton");
	EXPECT_EQ(Send->TryGetBoolField("simpleComboBox"), false);
	EXPECT_EQ(Send->TryGetObjectField("icon")->TryGetBoolField("found"), true);
	EXPECT_NE(FindEntry(*Material->TryGetObjectField("toolbar"), "SaveAsset"), nullptr);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Model.BuildView()), FJsonSerializer::SerializeCondensed(*View)) << "nothing changed, nothing differs: ids are stable";
}

TEST_F(EditorUIModel, AnEditorsEntryRunsInThatEditorAndNotOnceItHasClosed)
{
	UObject* Material = MakeEditedAsset("M_Click", "/Script/Engine.Material");
	AssetEditors().OpenEditorForAsset(Material);
	const std::string EditorId = *EditorView(0)->TryGetStringField("id");
	const std::string SendId = *FindEntry(*EditorView(0)->TryGetObjectField("toolbar"), "Send")->TryGetStringField("id");
	AssetEditors().GetLevelEditorTab()->ActivateInParent();

	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":")" + SendId + R"(","editor":")" + EditorId + R"("})")), "(succeeded)");
	EXPECT_EQ(Sends, std::vector<std::string>{"plain"}) << "a split button's main part runs its action";
	EXPECT_EQ(EditorView(0)->TryGetBoolField("foreground"), true) << "the click brought its editor to the front";

	EXPECT_EQ(ErrorOf(Run(R"({"action":"closeEditor","id":")" + EditorId + R"("})")), "(succeeded)");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":")" + SendId + R"(","editor":")" + EditorId + R"("})")), "That editor has been closed.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"focusEditor","id":")" + EditorId + R"("})")), "That editor has been closed.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":"m999999"})")), "That toolbar entry is no longer there.");
	EXPECT_EQ(Sends.size(), 1u);
}

TEST_F(EditorUIModel, ASplitButtonsMenuOpensRunsOneEntryAndCloses)
{
	AssetEditors().OpenEditorForAsset(MakeEditedAsset("M_Menu", "/Script/Engine.Material"));
	const std::string EditorId = *EditorView(0)->TryGetStringField("id");
	const std::string SendId = *FindEntry(*EditorView(0)->TryGetObjectField("toolbar"), "Send")->TryGetStringField("id");
	const std::string SaveId = *FindEntry(*EditorView(0)->TryGetObjectField("toolbar"), "SaveAsset")->TryGetStringField("id");

	EXPECT_EQ(ErrorOf(Run(R"({"action":"openComboMenu","id":")" + SaveId + R"("})")), "That entry has no menu.");
	const std::shared_ptr<FJsonObject> Opened = Run(R"({"action":"openComboMenu","id":")" + SendId + R"(","editor":")" + EditorId + R"("})");
	ASSERT_EQ(ErrorOf(Opened), "(succeeded)");
	const std::shared_ptr<FJsonObject> Menu = Opened->TryGetObjectField("menu");
	EXPECT_EQ(Menu->TryGetStringField("owner"), SendId);
	EXPECT_EQ(Menu->TryGetStringField("editor"), EditorId);
	const FJsonValueArray Entries = *Menu->TryGetArrayField("entries");
	ASSERT_EQ(Entries.size(), 2u);
	EXPECT_EQ(Entries[1].TryGetObject()->TryGetStringField("label"), "Heavy");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Model.BuildView()->TryGetObjectField("openMenu")), FJsonSerializer::SerializeCondensed(*Menu)) << "the view shows the open menu";

	const std::string HeavyId = *Entries[1].TryGetObject()->TryGetStringField("id");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickMenuEntry","id":")" + HeavyId + R"("})")), "(succeeded)");
	EXPECT_EQ(Sends, std::vector<std::string>{"menu heavy"});
	EXPECT_FALSE(Model.BuildView()->HasField("openMenu"));
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickMenuEntry","id":")" + HeavyId + R"("})")), "That menu has been closed.") << "one click, one send";

	Run(R"({"action":"openComboMenu","id":")" + SendId + R"("})");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickMenuEntry","id":")" + HeavyId + R"("})")), "That menu has been closed.") << "the id of an older menu";
	EXPECT_EQ(ErrorOf(Run(R"({"action":"dismissMenu"})")), "(succeeded)");
	EXPECT_FALSE(Model.BuildView()->HasField("openMenu"));
	EXPECT_EQ(Sends.size(), 1u);
}

TEST_F(EditorUIModel, TheControlRigEditorsExtenderEntryIsClickableWhileItsEditorIsOpen)
{
	AssetEditors().OpenEditorForAsset(MakeEditedAsset("CR_Click", "/Script/ControlRigDeveloper.ControlRigBlueprint"));
	const std::string EditorId = *EditorView(0)->TryGetStringField("id");
	const std::shared_ptr<FJsonObject> Entry = FindEntry(*EditorView(0)->TryGetObjectField("toolbar"), "Send rig");
	ASSERT_NE(Entry, nullptr);
	const std::string RigId = *Entry->TryGetStringField("id");
	EXPECT_EQ(RigId, EditorId + ".1.0");
	EXPECT_FALSE(EditorView(0)->TryGetObjectField("toolbar")->HasField("menu")) << "the Control Rig editor has no tool menu";

	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":")" + RigId + R"("})")), "(succeeded)");
	EXPECT_EQ(Sends, std::vector<std::string>{"rig"});
	Run(R"({"action":"closeEditor","id":")" + EditorId + R"("})");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":")" + RigId + R"("})")), "That editor has been closed.");
}

TEST_F(EditorUIModel, APanelTabsWidgetsAreClickableUntilTheTabCloses)
{
	const std::string PanelId = *FindEntry(*Model.BuildView()->TryGetObjectField("levelEditor")->TryGetObjectField("toolbar"), "Panel")->TryGetStringField("id");
	Run(R"({"action":"clickEntry","id":")" + PanelId + R"("})");
	FJsonValueArray Tabs = *Model.BuildView()->TryGetArrayField("tabs");
	ASSERT_EQ(Tabs.size(), 1u);
	const std::shared_ptr<FJsonObject> Tab = Tabs[0].TryGetObject();
	EXPECT_EQ(Tab->TryGetStringField("tabId"), "TestPanel");
	EXPECT_EQ(Tab->TryGetStringField("role"), "NomadTab");
	EXPECT_EQ(Tab->TryGetBoolField("foreground"), true);
	const FJsonValueArray Slots = *Tab->TryGetObjectField("content")->TryGetArrayField("slots");
	const std::shared_ptr<FJsonObject> CheckBox = Slots[0].TryGetObject()->TryGetObjectField("widget");
	const std::string CheckBoxId = *CheckBox->TryGetStringField("id");
	const std::string LinkId = *Slots[1].TryGetObject()->TryGetObjectField("widget")->TryGetStringField("id");
	EXPECT_EQ(CheckBox->TryGetBoolField("checked"), true);

	EXPECT_EQ(ErrorOf(Run(R"({"action":"toggleCheckBox","id":")" + CheckBoxId + R"("})")), "(succeeded)");
	EXPECT_FALSE(bEnabled);
	const std::shared_ptr<FJsonObject> Repainted = (*Model.BuildView()->TryGetArrayField("tabs"))[0].TryGetObject();
	EXPECT_EQ((*Repainted->TryGetObjectField("content")->TryGetArrayField("slots"))[0].TryGetObject()->TryGetObjectField("widget")->TryGetBoolField("checked"), false);
	EXPECT_EQ(ErrorOf(Run(R"({"action":"toggleCheckBox","id":")" + LinkId + R"("})")), "That widget is not a check box.");

	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickHyperlink","id":")" + LinkId + R"("})")), "(succeeded)");
	const FJsonValueArray Urls = *Model.BuildView()->TryGetArrayField("launchedUrls");
	ASSERT_FALSE(Urls.empty());
	EXPECT_EQ(Urls.back().TryGetObject()->TryGetStringField("url"), "https://example.com/docs");

	Run(R"({"action":"closeTab","id":")" + *Tab->TryGetStringField("id") + R"("})");
	EXPECT_TRUE(Model.BuildView()->TryGetArrayField("tabs")->empty());
	EXPECT_EQ(ErrorOf(Run(R"({"action":"toggleCheckBox","id":")" + CheckBoxId + R"("})")), "That widget is no longer shown.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"focusTab","id":")" + *Tab->TryGetStringField("id") + R"("})")), "That tab has been closed.");
	EXPECT_FALSE(bEnabled) << "the stale click changed nothing";

	const std::shared_ptr<FJsonObject> Reopened = Run(R"({"action":"invokeTab","tabId":"TestPanel"})");
	EXPECT_NE(Reopened->TryGetStringField("tab"), Tab->TryGetStringField("id")) << "a reopened tab is a new tab with a new id";
}

TEST_F(EditorUIModel, BadActionsGetClearErrors)
{
	const std::string LevelTabId = *Model.BuildView()->TryGetObjectField("levelEditor")->TryGetStringField("id");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"closeTab","id":")" + LevelTabId + R"("})")), "The level editor cannot be closed.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"focusTab","id":")" + LevelTabId + R"("})")), "(succeeded)");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"explode"})")), "Unknown action 'explode'.");
	EXPECT_EQ(ErrorOf(Run(R"({"id":"m1"})")), "Missing field 'action'.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry"})")), "Missing field 'id'.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickEntry","id":7})")), "Missing field 'id'.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"toggleCheckBox","id":"w18446744073709551616"})")), "That widget is no longer shown.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"invokeTab","tabId":"Nope"})")), "No tab could be opened for 'Nope'.");
	EXPECT_EQ(ErrorOf(Run(R"({"action":"clickMenuEntry","id":"u1.0"})")), "That menu has been closed.");
}
