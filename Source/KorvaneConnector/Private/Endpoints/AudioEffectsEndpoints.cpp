#include "Endpoints/AudioEffectsEndpoints.h"

#include "Endpoints/GameAssetQuery.h"

#include <cstddef>
#include <string_view>

namespace
{
	/** The registry entries of one Niagara class as `name`, `path`, `packagePath`, followed by `count`. */
	std::shared_ptr<FJsonObject> ListNiagaraAssets(std::string_view ClassName, std::string_view ArrayKey)
	{
		FJsonValueArray Entries;
		for (const FAssetData& Asset : GetGameAssetsOfClass("/Script/Niagara", ClassName, true))
		{
			std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
			Entry->SetStringField("packagePath", Asset.PackagePath);
			Entries.emplace_back(std::move(Entry));
		}
		auto Response = std::make_shared<FJsonObject>();
		const std::size_t Count = Entries.size();
		Response->SetArrayField(ArrayKey, std::move(Entries));
		Response->SetNumberField("count", Count);
		return Response;
	}
}

std::shared_ptr<FJsonObject> ListMetaSounds()
{
	FJsonValueArray MetaSounds;
	// Every source first, then every patch.
	for (const auto& [ClassName, Type] : {std::pair<std::string_view, std::string_view>{"MetaSoundSource", "Source"}, {"MetaSoundPatch", "Patch"}})
	{
		for (const FAssetData& Asset : GetGameAssetsOfClass("/Script/MetasoundEngine", ClassName, true))
		{
			std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
			Entry->SetStringField("type", Type);
			MetaSounds.emplace_back(std::move(Entry));
		}
	}
	auto Response = std::make_shared<FJsonObject>();
	const std::size_t Count = MetaSounds.size();
	Response->SetArrayField("metasounds", std::move(MetaSounds));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> ListNiagaraSystems()
{
	return ListNiagaraAssets("NiagaraSystem", "systems");
}

std::shared_ptr<FJsonObject> ListNiagaraEmitters()
{
	return ListNiagaraAssets("NiagaraEmitter", "emitters");
}
