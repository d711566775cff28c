#include "Assets/AssetFiles.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/Log.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	class DemoWidgetAsset : public ::testing::Test
	{
	protected:
		FTestEditor Editor{[] { FTestEditorOptions Options = DemoProjectOptions(); Options.bLoadConnector = false; return Options; }()};
	};

	constexpr const char* DemoWidgetBlueprints[] = {"UI/WBP_GameHUD", "UI/EUW_AssetTools"};

	std::string ObjectPath(std::string_view Relative)
	{
		const std::string Path = "/Game/" + std::string(Relative);
		return Path + "." + Path.substr(Path.rfind('/') + 1);
	}
}

TEST_F(DemoWidgetAsset, LoadWithoutWarningsCompileAndSaveBackByteForByte)
{
	for (const char* Name : DemoWidgetBlueprints)
	{
		FLogCapture Log;
		UWidgetBlueprint* Blueprint = LoadObject<UWidgetBlueprint>(ObjectPath(Name));
		ASSERT_NE(Blueprint, nullptr) << Name;
		for (const FLogLine& Line : Log.Lines())
		{
			EXPECT_GT(Line.Verbosity, ELogVerbosity::Warning) << Name << ": " << Line.Category << ": " << Line.Message;
		}
		FKismetEditorUtilities::CompileBlueprint(Blueprint);
		EXPECT_EQ(Blueprint->Status, BS_UpToDate) << Name;

		const std::string Relative = std::string("Content/") + Name + ".asset.json";
		const std::string Before = Editor.Project().ReadFile(Relative);
		ASSERT_TRUE(UPackage::SavePackage(Blueprint->GetPackage(), Blueprint, Editor.Project().PathOf(Relative))) << Name;
		EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Name;
	}
}

TEST_F(DemoWidgetAsset, HudTreeHoldsEveryWidgetUnderTheCanvas)
{
	UWidgetBlueprint* Hud = LoadObject<UWidgetBlueprint>(ObjectPath("UI/WBP_GameHUD"));
	ASSERT_NE(Hud, nullptr);
	const auto* Canvas = Cast<UPanelWidget>(Hud->WidgetTree->RootWidget.Get());
	ASSERT_NE(Canvas, nullptr);
	EXPECT_EQ(Canvas->GetName(), "RootCanvas");
	EXPECT_EQ(Canvas->GetChildrenCount(), 7);
	std::vector<UWidget*> All;
	Hud->WidgetTree->GetAllWidgets(All);
	EXPECT_EQ(All.size(), 13u) << "the canvas, seven children, two button labels and three entries";
	EXPECT_EQ(Hud->GetTopLevelWidgets().size(), 1u) << "nothing unattached";
	ASSERT_EQ(Hud->Animations.size(), 1u);
	EXPECT_EQ(Hud->Animations[0]->GetName(), "FadeIn_INST");
}
