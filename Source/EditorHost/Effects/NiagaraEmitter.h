#pragma once

#include "Objects/Object.h"

#include <string>

/**
 * A Niagara emitter asset that systems use through their handles: where it
 * simulates ("CPUSim" or "GPUComputeSim") and whether its particles live in the
 * owner's space. File fields: `simTarget`, `localSpace`.
 */
class UNiagaraEmitter : public UObject
{
	DECLARE_ENGINE_CLASS(UNiagaraEmitter, UObject, "/Script/Niagara.NiagaraEmitter")

public:
	std::string SimTarget = "CPUSim";
	bool bLocalSpace = false;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
};
