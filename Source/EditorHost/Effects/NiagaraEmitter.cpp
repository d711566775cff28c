#include "Effects/NiagaraEmitter.h"

#include "Core/JsonObject.h"

bool UNiagaraEmitter::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	SimTarget = File.TryGetStringField("simTarget").value_or("CPUSim");
	if (SimTarget != "CPUSim" && SimTarget != "GPUComputeSim")
	{
		OutError = "\"simTarget\" is neither CPUSim nor GPUComputeSim";
		return false;
	}
	bLocalSpace = File.TryGetBoolField("localSpace").value_or(false);
	return true;
}

void UNiagaraEmitter::SaveAssetFields(FJsonObject& OutFile) const
{
	OutFile.SetStringField("simTarget", SimTarget);
	OutFile.SetBoolField("localSpace", bLocalSpace);
}
