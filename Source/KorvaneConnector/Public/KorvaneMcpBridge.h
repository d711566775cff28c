#pragma once

#include "Objects/Object.h"

#include <memory>
#include <string>
#include <vector>

class FJsonObject;
class UBlueprint;
class UMaterialInterface;

/**
 * The five operations behind the agent tools. Each takes plain strings, booleans or string
 * lists, runs on the game thread and returns one JSON text; a failure is a JSON text with
 * `success` false and an `error`, never an exception. Scripts reach the static functions as
 * `editor.KorvaneMcpBridge.<name>` (category "Korvane|MCP"); the fallback MCP server calls
 * them directly.
 */
class UKorvaneMcpBridge : public UObject
{
	DECLARE_ENGINE_CLASS(UKorvaneMcpBridge, UObject, "/Script/KorvaneConnector.KorvaneMcpBridge")

public:
	/** Queues the Blueprint (the foreground Blueprint editor's for an empty path) for the desktop app. */
	static std::string SendBlueprintToKorvane(const std::string& BlueprintPath);
	/** Queues the material (the foreground Material editor's for an empty path), its textures bundled when asked. */
	static std::string SendMaterialToKorvane(const std::string& MaterialPath, bool bBundleTextures = false);
	/** Compiles the Blueprint and reports the compiler's status, counts and first 50 messages. */
	static std::string CompileBlueprintAndReport(const std::string& BlueprintPath);
	/** Whether the asset registry knows each path, without loading anything. */
	static std::string CheckAssetsExist(const std::vector<std::string>& AssetPaths);
	/** The connector's status object, pretty-printed. */
	static std::string GetStatusJson();

	/** The Blueprint whose editor tab is in the foreground, or nullptr. */
	static UBlueprint* FindFocusedBlueprint();
	/** The material or material instance whose editor tab is in the foreground, or nullptr. */
	static UMaterialInterface* FindFocusedMaterial();

	/** Offers the static functions to scripts (at module start-up) and withdraws them (at shut-down). */
	static void RegisterScriptFunctions();
	static void UnregisterScriptFunctions();

private:
	/** The editor's pretty JSON text: a member per line, tab indentation, CR LF line ends. */
	static std::string SerializeJson(const FJsonObject& Object);
};
