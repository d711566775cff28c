#include "KorvaneStatusPanel.h"

#include "KorvaneConnectorModule.h"

#include "Editor/TabManager.h"
#include "Runtime/App.h"
#include "Runtime/EngineVersion.h"
#include "Runtime/ModuleManager.h"
#include "Runtime/PlatformProcess.h"
#include "Runtime/RemoteControlModule.h"
#include "Slate/AppStyle.h"
#include "Slate/Box.h"
#include "Slate/BoxPanel.h"
#include "Slate/CheckBox.h"
#include "Slate/CoreStyle.h"
#include "Slate/DockTab.h"
#include "Slate/Hyperlink.h"
#include "Slate/Image.h"
#include "Slate/Separator.h"
#include "Slate/Spacer.h"
#include "Slate/TextBlock.h"

#include <string>

#define LOCTEXT_NAMESPACE "KorvaneStatusPanel"

namespace
{
	constexpr float StatusRefreshSeconds = 5.0f;
	constexpr const char* EngineMcpServerUrl = "http://127.0.0.1:8000/mcp";
	constexpr const char* FallbackMcpUrl = "http://127.0.0.1:30010/korvane/mcp";

	const FLinearColor CheckingColor{0.3f, 0.3f, 0.3f, 1.0f};
	const FLinearColor ReadyColor{0.2f, 0.8f, 0.2f, 1.0f};
	const FLinearColor DisconnectedColor{0.8f, 0.2f, 0.2f, 1.0f};
	const FLinearColor InfoColor{0.6f, 0.6f, 0.6f, 1.0f};
	const FLinearColor VersionColor{0.4f, 0.4f, 0.4f, 1.0f};

	FKorvaneConnectorModule* FindConnector()
	{
		return FModuleManager::GetModulePtr<FKorvaneConnectorModule>(FKorvaneConnectorModule::ModuleName);
	}

	/** "5.7.0": major, minor and patch. */
	std::string EngineVersionText()
	{
		const FEngineVersion& Version = FEngineVersion::Current();
		return std::to_string(Version.GetMajor()) + "." + std::to_string(Version.GetMinor()) + "." + std::to_string(Version.GetPatch());
	}

	void OpenInBrowser(const char* Url)
	{
		FPlatformProcess::LaunchURL(Url, nullptr, nullptr);
	}
}

void SKorvaneStatusPanel::Construct([[maybe_unused]] const FArguments& InArgs)
{
	RegisterActiveTimer(StatusRefreshSeconds, FWidgetActiveTimerDelegate::CreateSP(this, &SKorvaneStatusPanel::UpdateStatus));

	const FText EngineInfo = FText::Format(LOCTEXT("EngineInfo", "Engine: UE {0}  |  Project: {1}"), FText::FromString(EngineVersionText()),
		FText::FromString(FApp::GetProjectName()));

	ChildSlot.Padding(FMargin(12.0f))
	[
		SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 0.0f, 0.0f, 8.0f))
		[
			SNew(STextBlock)
			.Text(LOCTEXT("PanelTitle", "Korvane Connector"))
			.Font(FCoreStyle::GetDefaultFontStyle("Bold", 14))
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 0.0f, 0.0f, 4.0f))
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(FMargin(0.0f, 0.0f, 6.0f, 0.0f))
			[
				SNew(SBox)
				.WidthOverride(10.0f)
				.HeightOverride(10.0f)
				[
					SAssignNew(StatusDot, SImage)
					.Image(FAppStyle::GetBrush("Icons.FilledCircle"))
					.ColorAndOpacity(CheckingColor)
				]
			]
			+ SHorizontalBox::Slot().FillWidth(1.0f).VAlign(VAlign_Center)
			[
				SAssignNew(StatusText, STextBlock)
				.Text(LOCTEXT("StatusChecking", "Checking connection..."))
			]
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 2.0f))
		[
			SNew(STextBlock)
			.Text(LOCTEXT("PortInfo", "Remote Control API: localhost:30010"))
			.ColorAndOpacity(InfoColor)
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 2.0f))
		[
			SNew(STextBlock)
			.Text(EngineInfo)
			.ColorAndOpacity(InfoColor)
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 8.0f))
		[
			SNew(SSeparator)
		]
		+ SVerticalBox::Slot().AutoHeight()
		[
			SNew(STextBlock)
			.Text(LOCTEXT("Instructions", "Open Korvane on your desktop. It will automatically\ndetect this running UE instance and connect."))
			.AutoWrapText(true)
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 8.0f))
		[
			SNew(SSeparator)
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 0.0f, 0.0f, 4.0f))
		[
			SNew(STextBlock)
			.Text(LOCTEXT("McpSectionTitle", "AI Agent Tools (MCP)"))
			.Font(FCoreStyle::GetDefaultFontStyle("Bold", 10))
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 2.0f))
		[
			SNew(SCheckBox)
			.IsChecked(this, &SKorvaneStatusPanel::GetMcpToolsCheckState)
			.OnCheckStateChanged(this, &SKorvaneStatusPanel::OnMcpToolsCheckStateChanged)
			.ToolTipText(LOCTEXT("McpToggleTip",
				"Expose Korvane tools to AI agents over MCP.\nTurning this off removes all MCP endpoints. The toolbar buttons\nand the Korvane desktop app are not "
				"affected either way."))
			[
				SNew(STextBlock)
				.Text(LOCTEXT("McpToggleLabel", "Enabled"))
			]
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 2.0f))
		[
			SNew(STextBlock)
			.Text(this, &SKorvaneStatusPanel::GetMcpModeText)
			.ColorAndOpacity(InfoColor)
			.Font(FCoreStyle::GetDefaultFontStyle("Regular", 9))
			.AutoWrapText(true)
		]
		+ SVerticalBox::Slot().FillHeight(1.0f)
		[
			SNew(SSpacer)
		]
		+ SVerticalBox::Slot().AutoHeight().Padding(FMargin(0.0f, 8.0f, 0.0f, 4.0f))
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth().Padding(FMargin(0.0f, 0.0f, 16.0f, 0.0f))
			[
				SNew(SHyperlink)
				.Text(LOCTEXT("DownloadLink", "Download Korvane"))
				.OnNavigate_Lambda([]() { OpenInBrowser(KorvaneDownloadUrl); })
			]
			+ SHorizontalBox::Slot().AutoWidth()
			[
				SNew(SHyperlink)
				.Text(LOCTEXT("DocsLink", "Documentation"))
				.OnNavigate_Lambda([]() { OpenInBrowser(KorvaneDocumentationUrl); })
			]
		]
		+ SVerticalBox::Slot().AutoHeight()
		[
			SNew(STextBlock)
			.Text(LOCTEXT("PluginVersion", "Korvane Connector v1.0.0"))
			.ColorAndOpacity(VersionColor)
			.Font(FCoreStyle::GetDefaultFontStyle("Regular", 8))
		]
	];
}

EActiveTimerReturnType SKorvaneStatusPanel::UpdateStatus([[maybe_unused]] double InCurrentTime, [[maybe_unused]] float InDeltaTime)
{
	if (FModuleManager::Get().IsModuleLoaded(FRemoteControlModule::ModuleName))
	{
		StatusText->SetText(LOCTEXT("StatusReady", "Ready — waiting for Korvane"));
		StatusDot->SetColorAndOpacity(ReadyColor);
	}
	else
	{
		StatusText->SetText(LOCTEXT("StatusDisconnected", "Remote Control API not loaded"));
		StatusDot->SetColorAndOpacity(DisconnectedColor);
	}
	return EActiveTimerReturnType::Continue;
}

ECheckBoxState SKorvaneStatusPanel::GetMcpToolsCheckState() const
{
	const FKorvaneConnectorModule* const Connector = FindConnector();
	return Connector != nullptr && Connector->IsMcpToolsEnabled() ? ECheckBoxState::Checked : ECheckBoxState::Unchecked;
}

void SKorvaneStatusPanel::OnMcpToolsCheckStateChanged(ECheckBoxState NewState)
{
	if (FKorvaneConnectorModule* const Connector = FindConnector())
	{
		Connector->SetMcpToolsEnabled(NewState == ECheckBoxState::Checked);
	}
}

FText SKorvaneStatusPanel::GetMcpModeText() const
{
	const FKorvaneConnectorModule* const Connector = FindConnector();
	if (Connector == nullptr || !Connector->IsMcpToolsEnabled())
	{
		return LOCTEXT("McpModeOff", "Off — no MCP endpoints are exposed. Everything else works as normal.");
	}
	if (Connector->IsBuiltInMcpAvailable())
	{
		return FText::Format(LOCTEXT("McpModeUeServer",
								 "Serving via Unreal's built-in MCP server as 'KorvaneToolset' (5 tools: send Blueprints/Materials to Korvane, compile-check, "
								 "verify assets, status).\nConnect AI hosts to {0} — start the server under Editor Preferences > Model Context Protocol."),
			FText::FromString(EngineMcpServerUrl));
	}
	return FText::Format(LOCTEXT("McpModeFallback",
							 "Serving from the Connector (5 tools: send Blueprints/Materials to Korvane, compile-check, verify assets, status).\nConnect AI hosts "
							 "to {0} — no extra setup needed."),
		FText::FromString(FallbackMcpUrl));
}

std::shared_ptr<SDockTab> SpawnStatusTab([[maybe_unused]] const FSpawnTabArgs& Args)
{
	return SNew(SDockTab)
		.TabRole(ETabRole::NomadTab)
		.Label(NSLOCTEXT("KorvaneConnector", "KorvaneTabLabel", "Korvane"))
		[
			SNew(SKorvaneStatusPanel)
		];
}

#undef LOCTEXT_NAMESPACE
