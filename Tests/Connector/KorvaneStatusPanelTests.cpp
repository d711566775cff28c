#include "Support/TestEditor.h"

#include "KorvaneConnectorModule.h"
#include "KorvaneToolbar.h"
#include "KorvaneUITestSupport.h"

#include "Editor/TabManager.h"
#include "Runtime/EngineVersion.h"
#include "Slate/CheckBox.h"
#include "Slate/DockTab.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
	using namespace KorvaneUITest;

	constexpr const char* Checking = "Checking connection...";
	constexpr const char* OffText = "Off \u2014 no MCP endpoints are exposed. Everything else works as normal.";
	constexpr const char* FallbackText =
		"Serving from the Connector (5 tools: send Blueprints/Materials to Korvane, compile-check, verify assets, status).\nConnect AI hosts to "
		"http://127.0.0.1:30010/korvane/mcp \u2014 no extra setup needed.";
	constexpr const char* EngineServerText =
		"Serving via Unreal's built-in MCP server as 'KorvaneToolset' (5 tools: send Blueprints/Materials to Korvane, compile-check, verify assets, "
		"status).\nConnect AI hosts to http://127.0.0.1:8000/mcp \u2014 start the server under Editor Preferences > Model Context Protocol.";

	std::shared_ptr<SDockTab> OpenPanel()
	{
		KorvaneToolbar::OpenStatusPanel();
		return FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId("KorvaneStatus"));
	}

	/** What the panel shows now: its painted texts in order, and the status dot's colour. */
	struct FPaintedPanel
	{
		std::vector<std::string> Texts;
		std::vector<float> DotColor;
		bool bChecked = false;

		const std::string& Status() const { return Texts.at(1); }
		const std::string& ModeText() const { return Texts.at(7); }
	};

	FPaintedPanel Paint(const SDockTab& Tab)
	{
		const FJsonObject Painted = Tab.Paint();
		FPaintedPanel Panel;
		for (const std::shared_ptr<FJsonObject>& Text : PaintedOfType(Painted, "STextBlock"))
		{
			Panel.Texts.push_back(Text->TryGetStringField("text").value_or(""));
		}
		for (const FJsonValue& Channel : *PaintedOfType(Painted, "SImage").at(0)->TryGetArrayField("color"))
		{
			Panel.DotColor.push_back(static_cast<float>(*Channel.TryGetNumber()));
		}
		Panel.bChecked = PaintedOfType(Painted, "SCheckBox").at(0)->TryGetBoolField("checked").value_or(false);
		return Panel;
	}
}

TEST(KorvaneStatusPanel, ChecksForFiveSecondsThenShowsWhetherRemoteControlIsLoaded)
{
	for (const bool bRemoteControl : {true, false})
	{
		SCOPED_TRACE(bRemoteControl ? "Remote Control loaded" : "Remote Control not loaded");
		FTestEditorOptions Options;
		Options.bRemoteControl = bRemoteControl;
		FTestEditor Editor(Options);
		const std::shared_ptr<SDockTab> Tab = OpenPanel();
		ASSERT_NE(Tab, nullptr);
		EXPECT_EQ(Paint(*Tab).Status(), Checking);
		EXPECT_EQ(Paint(*Tab).DotColor, (std::vector<float>{0.3f, 0.3f, 0.3f, 1.0f}));

		const auto Start = std::chrono::steady_clock::now();
		Editor.Host().GetGameThread().RunUntil([&Tab]() { return Paint(*Tab).Status() != Checking; }, Start + std::chrono::seconds(8));
		const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
		EXPECT_GE(Seconds, 4.5);
		EXPECT_LE(Seconds, 7.0);
		const FPaintedPanel Settled = Paint(*Tab);
		EXPECT_EQ(Settled.Status(), bRemoteControl ? "Ready \u2014 waiting for Korvane" : "Remote Control API not loaded");
		EXPECT_EQ(Settled.DotColor, bRemoteControl ? (std::vector<float>{0.2f, 0.8f, 0.2f, 1.0f}) : (std::vector<float>{0.8f, 0.2f, 0.2f, 1.0f}));
		EXPECT_EQ(Tab->GetContent()->GetNumActiveTimers(), 1u) << "the timer keeps running";
	}
}

TEST(KorvaneStatusPanel, TheCheckBoxSwitchesTheAgentToolsAndTheModeTextFollowsOnPaint)
{
	FTestEditor Editor;
	FKorvaneConnectorModule& Connector = *Editor.Connector();
	const std::shared_ptr<SDockTab> Tab = OpenPanel();
	ASSERT_NE(Tab, nullptr);
	const uint64_t ToggleId = std::stoull(PaintedOfType(Tab->Paint(), "SCheckBox").at(0)->TryGetStringField("id")->substr(1));
	const auto Toggle = std::dynamic_pointer_cast<SCheckBox>(Tab->FindWidget(ToggleId));
	ASSERT_NE(Toggle, nullptr);
	EXPECT_TRUE(Paint(*Tab).bChecked);
	EXPECT_EQ(Paint(*Tab).ModeText(), FallbackText);

	Toggle->ToggleCheckedState();
	EXPECT_FALSE(Connector.IsMcpToolsEnabled());
	EXPECT_FALSE(Connector.IsFallbackMcpBound());
	EXPECT_FALSE(Paint(*Tab).bChecked);
	EXPECT_EQ(Paint(*Tab).ModeText(), OffText);

	// Quick clicks follow the setting each time and leave the route bound once.
	for (int Click = 1; Click <= 5; ++Click)
	{
		Toggle->ToggleCheckedState();
		EXPECT_EQ(Connector.IsMcpToolsEnabled(), Click % 2 == 1);
	}
	EXPECT_EQ(Connector.GetMcpRouteHandles().size(), 2u);
	EXPECT_EQ(Paint(*Tab).ModeText(), FallbackText);
}

TEST(KorvaneStatusPanel, WithTheEnginesMcpPluginsTheModeTextNamesItsServer)
{
	FTestEditorOptions Options;
	Options.bBuiltInMcp = true;
	FTestEditor Editor(Options);
	const std::shared_ptr<SDockTab> Tab = OpenPanel();
	ASSERT_NE(Tab, nullptr);
	EXPECT_EQ(Paint(*Tab).ModeText(), EngineServerText);
	Editor.Connector()->SetMcpToolsEnabled(false);
	EXPECT_EQ(Paint(*Tab).ModeText(), OffText) << "the box's setting, whoever changed it";
	EXPECT_FALSE(Paint(*Tab).bChecked);
}

TEST(KorvaneStatusPanel, AClosedTabEndsItsPanelAndReopeningStartsANewOne)
{
	FTestEditor Editor;
	std::shared_ptr<SDockTab> Tab = OpenPanel();
	ASSERT_NE(Tab, nullptr);
	const std::weak_ptr<SWidget> FirstPanel = Tab->GetContent();
	Tab->RequestCloseTab();
	Tab.reset();
	EXPECT_TRUE(FirstPanel.expired()) << "the panel and its timer end with the tab";

	const std::shared_ptr<SDockTab> Reopened = OpenPanel();
	ASSERT_NE(Reopened, nullptr);
	EXPECT_EQ(Paint(*Reopened).Status(), Checking);
	EXPECT_EQ(Paint(*Reopened).Texts.at(3), "Engine: UE " + FEngineVersion::Current().ToString() + "  |  Project: TestProject");
}
