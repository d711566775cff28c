#include "Level/EditorWorld.h"

#include "Assets/AssetRegistry.h"
#include "Core/Config.h"
#include "Core/LogHost.h"
#include "Core/Paths.h"
#include "Level/World.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PackageName.h"
#include "Runtime/EditorHost.h"

std::optional<std::string> GetConfiguredEditorStartupMap()
{
	if (GConfig == nullptr)
	{
		return std::nullopt;
	}
	std::optional<std::string> Map =
		GConfig->GetString("/Script/EngineSettings.GameMapsSettings", "EditorStartupMap", FPaths::Combine(FPaths::ProjectConfigDir(), "DefaultEngine.ini"));
	if (!Map || Map->empty())
	{
		return std::nullopt;
	}
	if (Map->find('.') == std::string::npos)
	{
		const std::string AssetName(FPackageName::GetShortName(*Map));
		Map->append(".").append(AssetName);
	}
	return Map;
}

UWorld* GetEditorWorld()
{
	if (FEditorHost::Get() == nullptr)
	{
		return nullptr;
	}
	if (const std::optional<std::string> Configured = GetConfiguredEditorStartupMap())
	{
		UWorld* World = LoadObject<UWorld>(*Configured);
		if (World == nullptr)
		{
			UE_LOG(LogHost, Warning, "The editor start-up map %s does not load; the editor has no world", Configured->c_str());
		}
		return World;
	}
	IAssetRegistry* Registry = IAssetRegistry::Get();
	std::vector<FAssetData> Worlds;
	if (Registry == nullptr || !Registry->GetAssetsByClass(UWorld::StaticClass()->GetClassPathName(), Worlds) || Worlds.empty())
	{
		return nullptr;
	}
	return LoadObject<UWorld>(Worlds.front().GetObjectPathString());
}
