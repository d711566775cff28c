#include "Connector/WidgetHttpTestSupport.h"

#include <gmock/gmock.h>

#include <vector>

using ::testing::HasSubstr;

namespace
{
	class DemoWidgetReadOverHttp : public WidgetRouteTest
	{
	};

	std::vector<std::string> ChildNames(const FJsonObject& Widget)
	{
		std::vector<std::string> Names;
		if (const std::shared_ptr<FJsonValueArray> Children = Widget.TryGetArrayField("children"))
		{
			for (const FJsonValue& Child : *Children)
			{
				Names.push_back(Child.TryGetObject()->TryGetStringField("name").value_or(""));
			}
		}
		return Names;
	}
}

TEST_F(DemoWidgetReadOverHttp, TheGameHudReadsItsTreeMembersAndGraphs)
{
	Start();
	const std::shared_ptr<FJsonObject> Hud = Read("/Game/UI/WBP_GameHUD.WBP_GameHUD");
	EXPECT_EQ(Hud->TryGetBoolField("success"), true) << Condensed(Hud);
	EXPECT_EQ(Hud->TryGetStringField("widgetType"), "UserWidget");

	const std::shared_ptr<FJsonObject> Root = Hud->TryGetObjectField("hierarchy");
	ASSERT_NE(Root, nullptr);
	EXPECT_EQ(Root->TryGetStringField("widgetClass"), "CanvasPanel");
	EXPECT_EQ(Root->TryGetStringField("name"), "RootCanvas");
	EXPECT_EQ(ChildNames(*Root), (std::vector<std::string>{"ScoreText", "TimerText", "HealthBar", "StartButton", "QuitButton", "Crosshair", "EntryList"}));
	const FJsonValueArray Children = *Root->TryGetArrayField("children");
	const std::shared_ptr<FJsonObject> Start = Children[3].TryGetObject();
	EXPECT_EQ(Start->TryGetBoolField("isVariable"), true);
	EXPECT_EQ(ChildNames(*Start), (std::vector<std::string>{"StartLabel"}));
	EXPECT_EQ(Condensed(Start->TryGetObjectField("properties")), R"J({"BackgroundColor":"(R=0.100000,G=0.600000,B=0.200000,A=1.000000)"})J");
	EXPECT_THAT(*Start->TryGetObjectField("slotProperties")->TryGetStringField("LayoutData"), HasSubstr("Anchors=(Minimum=(X=1.000000,Y=1.000000)"));
	EXPECT_EQ(ChildNames(*Children[6].TryGetObject()), (std::vector<std::string>{"Entry0", "Entry1", "Entry2"}));

	std::vector<std::string> Variables;
	for (const FJsonValue& Variable : *Hud->TryGetArrayField("variables"))
	{
		Variables.push_back(Variable.TryGetObject()->TryGetStringField("name").value_or("") + ":" + Variable.TryGetObject()->TryGetStringField("type").value_or(""));
	}
	EXPECT_EQ(Variables, (std::vector<std::string>{"Score:int", "Health:float", "bPaused:bool", "PlayerName:string", "AccentColor:linearcolor",
		"CrosshairOffset:vector2d", "FadeIn:object"}));
	EXPECT_EQ(Hud->TryGetArrayField("variables")->back().TryGetObject()->TryGetBoolField("isAnimation"), true);

	EXPECT_EQ(Keys(*Hud->TryGetObjectField("graphs")), "EventGraph,UpdateScore");
	EXPECT_THAT(*Hud->TryGetObjectField("graphs")->TryGetStringField("EventGraph"), HasSubstr("ComponentPropertyName=\"StartButton\""));
	FJsonObject FunctionGraphs;
	FunctionGraphs.SetArrayField("v", *Hud->TryGetArrayField("functionGraphs"));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(FunctionGraphs), R"({"v":["UpdateScore"]})");
}

TEST_F(DemoWidgetReadOverHttp, TheAssetToolsWidgetReadsItsDesignSize)
{
	Start();
	const std::shared_ptr<FJsonObject> Tools = Read("/Game/UI/EUW_AssetTools.EUW_AssetTools");
	EXPECT_EQ(Tools->TryGetStringField("widgetType"), "EditorUtilityWidget");
	EXPECT_EQ(Condensed(Tools->TryGetObjectField("designSize")), R"({"x":800,"y":600,"mode":"Custom"})");
	const std::shared_ptr<FJsonObject> Root = Tools->TryGetObjectField("hierarchy");
	ASSERT_NE(Root, nullptr);
	EXPECT_EQ(Root->TryGetStringField("widgetClass"), "VerticalBox");
	EXPECT_EQ(ChildNames(*Root), (std::vector<std::string>{"RunButton", "StatusText"}));
}
