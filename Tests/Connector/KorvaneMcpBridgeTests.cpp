#include "Blueprints/BlueprintCompilerTestGraphs.h"

#include "KorvaneMcpBridge.h"
#include "PendingPickupStore.h"
#include "StatusEndpoints.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Editor/EditorEngine.h"
#include "Editor/Notifications.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Python/PythonScriptPlugin.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{
	class KorvaneMcpBridge : public ::testing::Test
	{
	protected:
		KorvaneMcpBridge() { ClearPickupSlots(); }
		~KorvaneMcpBridge() override { ClearPickupSlots(); }

		static std::shared_ptr<FJsonObject> Parse(const std::string& Text)
		{
			std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Text);
			EXPECT_NE(Object, nullptr) << Text;
			return Object ? Object : std::make_shared<FJsonObject>();
		}

		static UAssetEditorSubsystem& Editors() { return *GEditor->GetEditorSubsystem<UAssetEditorSubsystem>(); }

		/** The slot's payload, or nullptr when nothing is queued there. */
		static std::shared_ptr<FJsonObject> TakePending(EPickupSlot Slot)
		{
			return FPendingPickupStore::Get().Has(Slot) ? FPendingPickupStore::Get().Take(Slot) : nullptr;
		}

		/** A Blueprint under /Game/Tests whose event graph calls Count functions that do not exist, one compiler error each. */
		static UBlueprint* BlueprintWithBadCalls(std::string_view Name, int Count)
		{
			UBlueprint* const Blueprint =
				FKismetEditorUtilities::CreateBlueprint(FindEngineClassChecked("/Script/Engine.Actor"), CreatePackage("/Game/Tests/" + std::string(Name)), Name);
			std::string Text;
			for (int Index = 0; Index < Count; ++Index)
			{
				Text += TestGraphs::Node("K2Node_CallFunction", "K2Node_CallFunction_" + std::to_string(Index),
					TestGraphs::FunctionReference({}, "Missing" + std::to_string(Index)));
			}
			ImportNodesFromText(*Blueprint->UbergraphPages.front(), Text);
			return Blueprint;
		}

		FTestEditor Editor{[] { FTestEditorOptions Options = DemoProjectOptions(); Options.bEmbeddedPython = true; return Options; }()};
	};
}

TEST_F(KorvaneMcpBridge, SendingABlueprintQueuesItNotifiesAndCompletesThePackagePath)
{
	FLogCapture Log;
	const std::string Text = UKorvaneMcpBridge::SendBlueprintToKorvane("/Game/Blueprints/BP_Campfire");
	EXPECT_TRUE(Text.starts_with("{\r\n\t\"success\": true,\r\n")) << "pretty-printed with CR LF";
	const std::shared_ptr<FJsonObject> Result = Parse(Text);
	EXPECT_EQ(Result->TryGetStringField("blueprintName"), "BP_Campfire");
	EXPECT_EQ(Result->TryGetStringField("blueprintPath"), "/Game/Blueprints/BP_Campfire.BP_Campfire");
	EXPECT_EQ(Result->TryGetStringField("note"),
		"Queued for one-shot pickup. The Korvane app polls the connector and will import it within a few seconds if it is running and connected.");
	EXPECT_TRUE(Log.Contains("MCP: Blueprint 'BP_Campfire' queued for pickup."));

	const std::shared_ptr<FJsonObject> Pending = TakePending(EPickupSlot::Blueprint);
	ASSERT_NE(Pending, nullptr);
	EXPECT_EQ(Pending->TryGetStringField("name"), "BP_Campfire");

	const std::vector<FActiveNotification>& Toasts = FSlateNotificationManager::Get().GetActiveNotifications();
	ASSERT_EQ(Toasts.size(), 1u);
	EXPECT_EQ(Toasts.front().Text.ToString(), "Sent 'BP_Campfire' (via MCP)");
	EXPECT_EQ(Toasts.front().ExpireDuration, 3.0f);
	EXPECT_FALSE(Toasts.front().bUseLargeFont);
}

TEST_F(KorvaneMcpBridge, PathsAreCompletedOnlyWhenTheyHoldNoDot)
{
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendBlueprintToKorvane("/Game/Blueprints/BP_Campfire.BP_Typo"))->TryGetStringField("error"),
		"Blueprint not found at '/Game/Blueprints/BP_Campfire.BP_Typo'");
	EXPECT_EQ(Parse(UKorvaneMcpBridge::CompileBlueprintAndReport("/Game/No.Folder/BP_Campfire"))->TryGetStringField("error"),
		"Blueprint not found at '/Game/No.Folder/BP_Campfire'");
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendMaterialToKorvane("/Game/Materials/M_Nope", false))->TryGetStringField("error"),
		"Material not found at '/Game/Materials/M_Nope'");
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendMaterialToKorvane("/Game/Blueprints/BP_Campfire", false))->TryGetStringField("error"),
		"Material not found at '/Game/Blueprints/BP_Campfire'") << "an asset of another class is not a material";
	EXPECT_EQ(TakePending(EPickupSlot::Blueprint), nullptr) << "a failed send queues nothing";
	EXPECT_TRUE(FSlateNotificationManager::Get().GetActiveNotifications().empty()) << "and shows nothing";
}

TEST_F(KorvaneMcpBridge, AnEmptyPathSendsTheAssetWhoseEditorIsInFront)
{
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendBlueprintToKorvane(""))->TryGetStringField("error"),
		"No Blueprint editor tab is in the foreground. Pass an explicit blueprint_path (e.g. /Game/Blueprints/BP_MyActor) or focus a Blueprint editor.");

	UObject* const Campfire = LoadObject<UBlueprint>("/Game/Blueprints/BP_Campfire.BP_Campfire");
	UObject* const NoParent = LoadObject<UBlueprint>("/Game/Blueprints/BP_NoParent.BP_NoParent");
	UObject* const Master = LoadObject<UMaterial>("/Game/Materials/M_Master.M_Master");
	ASSERT_TRUE(Editors().OpenEditorForAsset(Campfire));
	ASSERT_TRUE(Editors().OpenEditorForAsset(NoParent));
	EXPECT_EQ(UKorvaneMcpBridge::FindFocusedBlueprint(), NoParent) << "the second editor is in front";
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendBlueprintToKorvane(""))->TryGetStringField("blueprintName"), "BP_NoParent");

	Editors().FindEditorForAsset(Campfire, true);
	EXPECT_EQ(UKorvaneMcpBridge::FindFocusedBlueprint(), Campfire);

	ASSERT_TRUE(Editors().OpenEditorForAsset(Master));
	EXPECT_EQ(UKorvaneMcpBridge::FindFocusedBlueprint(), nullptr) << "a material editor in front hides both Blueprint editors";
	EXPECT_EQ(UKorvaneMcpBridge::FindFocusedMaterial(), Master);
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendMaterialToKorvane("", false))->TryGetStringField("materialName"), "M_Master");

	Editors().CloseAllEditorsForAsset(Master);
	EXPECT_EQ(UKorvaneMcpBridge::FindFocusedMaterial(), nullptr);
	EXPECT_EQ(Parse(UKorvaneMcpBridge::SendMaterialToKorvane("", true))->TryGetStringField("error"),
		"No Material editor tab is in the foreground. Pass an explicit material_path (e.g. /Game/Materials/M_MyMaterial) or focus a Material editor.");
}

TEST_F(KorvaneMcpBridge, SendingAMaterialCarriesTheGraphTextOfBaseMaterialsOnly)
{
	FLogCapture Log;
	std::shared_ptr<FJsonObject> Result = Parse(UKorvaneMcpBridge::SendMaterialToKorvane("/Game/Materials/M_Master", false));
	EXPECT_EQ(Result->TryGetStringField("materialPath"), "/Game/Materials/M_Master.M_Master");
	EXPECT_EQ(Result->TryGetBoolField("bundledTextures"), false);
	EXPECT_TRUE(Log.Contains("Material 'M_Master' queued for pickup."));
	std::shared_ptr<FJsonObject> Pending = TakePending(EPickupSlot::Material);
	ASSERT_NE(Pending, nullptr);
	const std::string Clipboard = Pending->TryGetStringField("clipboardText").value_or("");
	EXPECT_TRUE(Clipboard.starts_with("Begin Object Class=/Script/UnrealEd.MaterialGraphNode")) << Clipboard.substr(0, 80);
	EXPECT_THAT(Clipboard, HasSubstr("MaterialExpressionCustom"));
	EXPECT_EQ(FSlateNotificationManager::Get().GetActiveNotifications().back().Text.ToString(), "Sent 'M_Master'");

	Result = Parse(UKorvaneMcpBridge::SendMaterialToKorvane("/Game/Materials/Instances/MI_EngineGrid", true));
	EXPECT_EQ(Result->TryGetBoolField("bundledTextures"), true) << "the flag is echoed though nothing was bundled";
	Pending = TakePending(EPickupSlot::Material);
	ASSERT_NE(Pending, nullptr);
	EXPECT_FALSE(Pending->HasField("clipboardText")) << "an instance has no graph of its own";
	EXPECT_FALSE(Pending->HasField("bundledAssets"));
	EXPECT_EQ(FSlateNotificationManager::Get().GetActiveNotifications().back().Text.ToString(), "Sent 'MI_EngineGrid' with bundled textures");

	UMaterial* const Empty = NewObject<UMaterial>(CreatePackage("/Game/Tests/M_Empty"), "M_Empty");
	ASSERT_NE(Empty, nullptr);
	Parse(UKorvaneMcpBridge::SendMaterialToKorvane("/Game/Tests/M_Empty.M_Empty", false));
	Pending = TakePending(EPickupSlot::Material);
	ASSERT_NE(Pending, nullptr);
	const std::string RootOnly = Pending->TryGetStringField("clipboardText").value_or("");
	EXPECT_TRUE(RootOnly.starts_with("Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Root")) << "a material without expressions still has its root node";
	EXPECT_EQ(RootOnly.find("Begin Object Class=/Script/UnrealEd.MaterialGraphNode "), std::string::npos) << RootOnly;
}

TEST_F(KorvaneMcpBridge, CompilingReportsAtMostFiftyMessages)
{
	BlueprintWithBadCalls("BP_Fifty", 50);
	BlueprintWithBadCalls("BP_FiftyOne", 51);

	std::shared_ptr<FJsonObject> Report = Parse(UKorvaneMcpBridge::CompileBlueprintAndReport("/Game/Tests/BP_Fifty"));
	EXPECT_EQ(Report->TryGetBoolField("success"), false);
	EXPECT_EQ(Report->TryGetStringField("status"), "Error");
	EXPECT_EQ(Report->TryGetNumberField("numErrors"), 50.0);
	EXPECT_EQ(Report->TryGetArrayField("messages")->size(), 50u);
	EXPECT_FALSE(Report->HasField("messagesTruncatedFrom"));

	FLogCapture Log;
	Report = Parse(UKorvaneMcpBridge::CompileBlueprintAndReport("/Game/Tests/BP_FiftyOne.BP_FiftyOne"));
	EXPECT_EQ(Report->TryGetArrayField("messages")->size(), 50u);
	EXPECT_EQ(Report->TryGetNumberField("messagesTruncatedFrom"), 51.0);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Report->TryGetArrayField("messages")->front().TryGetObject()),
		R"({"severity":"error","text":"Could not find a function named \"Missing0\" in 'BP_FiftyOne'.\nMake sure 'BP_FiftyOne' has been compiled for Missing 0"})");
	EXPECT_TRUE(Log.Contains("MCP: compiled 'BP_FiftyOne' - 51 error(s), 0 warning(s)."));

	Report = Parse(UKorvaneMcpBridge::CompileBlueprintAndReport("/Game/Blueprints/BP_Campfire"));
	EXPECT_EQ(Report->TryGetBoolField("success"), true);
	EXPECT_EQ(Report->TryGetStringField("status"), "UpToDate");
	std::vector<std::string> Keys;
	for (const FJsonObject::FMember& Member : Report->Values())
	{
		Keys.push_back(Member.first);
	}
	EXPECT_EQ(Keys, (std::vector<std::string>{"success", "blueprintName", "status", "numErrors", "numWarnings", "messages"}));
}

TEST_F(KorvaneMcpBridge, CheckingAssetsNeverLoadsThem)
{
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Parse(UKorvaneMcpBridge::CheckAssetsExist({}))), R"({"allExist":true,"checked":0,"results":[]})");
	const std::string Text = UKorvaneMcpBridge::CheckAssetsExist({"/Game/Materials/M_Master", "/Game/Materials/M_Master.M_Master"});
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Parse(Text)),
		R"({"allExist":true,"checked":2,"results":[{"path":"/Game/Materials/M_Master","exists":true},{"path":"/Game/Materials/M_Master.M_Master","exists":true}]})");
	EXPECT_EQ(FindObject<UObject>(nullptr, "/Game/Materials/M_Master.M_Master"), nullptr) << "nothing was loaded";

	NewObject<UMaterial>(CreatePackage("/Game/Tests/M_InMemory"), "M_InMemory");
	EXPECT_EQ(Parse(UKorvaneMcpBridge::CheckAssetsExist({"/Game/Tests/M_InMemory"}))->TryGetBoolField("allExist"), true) << "assets only in memory count";
}

TEST_F(KorvaneMcpBridge, StatusIsTheStatusRoutesObjectPrettyPrinted)
{
	EXPECT_EQ(UKorvaneMcpBridge::GetStatusJson(), FJsonSerializer::SerializePretty(*GetStatus()));
}

TEST_F(KorvaneMcpBridge, ScriptsCallTheFunctionsByTheirPythonNames)
{
	IPythonScriptPlugin* const Python = IPythonScriptPlugin::Get();
	ASSERT_NE(Python, nullptr);
	ASSERT_TRUE(Python->ExecPythonCommand("import editor, json\n"
										  "r = json.loads(editor.KorvaneMcpBridge.check_assets_exist(['/Game/Blueprints/BP_Campfire', '/Game/Nope']))\n"
										  "assert r['checked'] == 2 and r['results'][0]['exists'] and not r['allExist'], r\n"
										  "m = json.loads(editor.KorvaneMcpBridge.send_material_to_korvane('/Game/Materials/M_Master', bundle_textures=False))\n"
										  "assert m['success'] and m['bundledTextures'] is False, m\n"
										  "assert json.loads(editor.KorvaneMcpBridge.get_status_json())['connected']\n"));
	EXPECT_NE(TakePending(EPickupSlot::Material), nullptr);
}
