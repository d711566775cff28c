#include "KorvaneMcpBridge.h"

#include "Objects/ScriptCallable.h"

namespace
{
	constexpr const char* Category = "Korvane|MCP";

	const std::string& StringArgument(const std::vector<FScriptValue>& Arguments, std::size_t Index)
	{
		return std::get<std::string>(Arguments[Index]);
	}

	FScriptFunction StringFunction(std::string Name, std::string ToolTip, std::string ParamName, std::string (*Operation)(const std::string&))
	{
		return {std::move(Name), Category, std::move(ToolTip), {FScriptParam{std::move(ParamName), EScriptValueType::String, std::nullopt}}, EScriptValueType::String,
			[Operation](const std::vector<FScriptValue>& Arguments) { return FScriptValue(Operation(StringArgument(Arguments, 0))); }};
	}
}

void UKorvaneMcpBridge::RegisterScriptFunctions()
{
	std::vector<FScriptFunction> Functions;
	Functions.push_back(StringFunction("SendBlueprintToKorvane", "Queue a Blueprint for the Korvane desktop app (empty path: the foreground Blueprint editor's).",
		"BlueprintPath", &UKorvaneMcpBridge::SendBlueprintToKorvane));
	Functions.push_back({"SendMaterialToKorvane", Category,
		"Queue a Material for the Korvane desktop app (empty path: the foreground Material editor's), optionally with its textures bundled.",
		{FScriptParam{"MaterialPath", EScriptValueType::String, std::nullopt}, FScriptParam{"bBundleTextures", EScriptValueType::Bool, FScriptValue(false)}},
		EScriptValueType::String,
		[](const std::vector<FScriptValue>& Arguments) {
			return FScriptValue(SendMaterialToKorvane(StringArgument(Arguments, 0), std::get<bool>(Arguments[1])));
		}});
	Functions.push_back(StringFunction("CompileBlueprintAndReport", "Compile a Blueprint and report the compiler's status, counts and messages.", "BlueprintPath",
		&UKorvaneMcpBridge::CompileBlueprintAndReport));
	Functions.push_back({"CheckAssetsExist", Category, "Check whether assets exist in the asset registry, without loading them.",
		{FScriptParam{"AssetPaths", EScriptValueType::StringArray, std::nullopt}}, EScriptValueType::String,
		[](const std::vector<FScriptValue>& Arguments) { return FScriptValue(CheckAssetsExist(std::get<std::vector<std::string>>(Arguments[0]))); }});
	Functions.push_back({"GetStatusJson", Category, "The Korvane connector's status as JSON text.", {}, EScriptValueType::String,
		[](const std::vector<FScriptValue>&) { return FScriptValue(GetStatusJson()); }});
	RegisterScriptCallableClass(StaticClassPath, UObject::StaticClassPath, std::move(Functions));
}

void UKorvaneMcpBridge::UnregisterScriptFunctions()
{
	UnregisterScriptCallableClass(StaticClassPath);
}
