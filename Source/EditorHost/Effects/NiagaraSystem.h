#pragma once

#include "Effects/NiagaraEmitterHandle.h"
#include "Objects/Object.h"

#include <vector>

/**
 * A Niagara particle system: its emitter handles in order, and whether its
 * bounds are fixed. File fields: `emitterHandles` (objects with `name`,
 * `emitter` (the emitter asset's object path) and `enabled`, default true) and
 * `fixedBounds`. Handle names are unique within a system, as the editor keeps
 * them; a file naming two handles alike does not load.
 */
class UNiagaraSystem : public UObject
{
	DECLARE_ENGINE_CLASS(UNiagaraSystem, UObject, "/Script/Niagara.NiagaraSystem")

public:
	const std::vector<FNiagaraEmitterHandle>& GetEmitterHandles() const { return EmitterHandles; }
	bool bFixedBounds = false;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	std::vector<FNiagaraEmitterHandle> EmitterHandles;
};
