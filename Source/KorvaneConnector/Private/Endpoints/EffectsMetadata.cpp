#include "Endpoints/AssetMetadata.h"

#include "Effects/NiagaraSystem.h"

std::shared_ptr<FJsonObject> BuildNiagaraSystemMetadata(const UObject& System)
{
	FJsonValueArray EmitterNames;
	if (const UNiagaraSystem* NiagaraSystem = Cast<UNiagaraSystem>(&System))
	{
		for (const FNiagaraEmitterHandle& Handle : NiagaraSystem->GetEmitterHandles())
		{
			EmitterNames.emplace_back(Handle.GetName());
		}
	}
	auto Metadata = std::make_shared<FJsonObject>();
	Metadata->SetNumberField("emitterCount", EmitterNames.size());
	Metadata->SetArrayField("emitters", std::move(EmitterNames));
	return Metadata;
}
