#pragma once

#include "Slate/CompoundWidget.h"

#include <memory>

class SDockTab;
class SImage;
class STextBlock;
struct FSpawnTabArgs;
enum class ECheckBoxState : uint8_t;
enum class EActiveTimerReturnType : uint8_t;

/** The nomad tab that hosts the status panel; hidden from the Window menu, opened by the level editor's "Korvane" button. */
inline constexpr const char* KorvaneStatusTabId = "KorvaneStatus";

/** Where the panel's links lead: the product's download page and the connector's documentation. */
inline constexpr const char* KorvaneDownloadUrl = "https://korvane.app/download";
inline constexpr const char* KorvaneDocumentationUrl = "https://korvane.app/docs/unreal-connector";

/**
 * The connector's status panel: whether the editor's Remote Control API is up for the desktop
 * app, which engine and project the editor reports, how to connect, and the switch and mode of
 * the MCP agent tools. A 5-second timer refreshes the connection state, which reads "Checking
 * connection..." until it first fires.
 */
class SKorvaneStatusPanel : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SKorvaneStatusPanel) {}
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

private:
	/** Shows ready or disconnected, from whether the module "RemoteControl" is loaded; keeps the timer running. */
	EActiveTimerReturnType UpdateStatus(double InCurrentTime, float InDeltaTime);
	ECheckBoxState GetMcpToolsCheckState() const;
	void OnMcpToolsCheckStateChanged(ECheckBoxState NewState);
	FText GetMcpModeText() const;

	std::shared_ptr<SImage> StatusDot;
	std::shared_ptr<STextBlock> StatusText;
};

/** The status tab's spawner: a nomad tab labelled "Korvane" holding a new panel. */
std::shared_ptr<SDockTab> SpawnStatusTab(const FSpawnTabArgs& Args);
