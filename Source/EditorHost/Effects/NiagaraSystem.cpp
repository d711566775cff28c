#include "Effects/NiagaraSystem.h"

#include "Core/JsonObject.h"

#include <algorithm>

bool UNiagaraSystem::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	EmitterHandles.clear();
	const FJsonValue* HandlesValue = File.TryGetField("emitterHandles");
	const std::shared_ptr<FJsonValueArray> Entries = HandlesValue != nullptr ? HandlesValue->TryGetArray() : std::make_shared<FJsonValueArray>();
	if (!Entries)
	{
		OutError = "\"emitterHandles\" is not an array";
		return false;
	}
	for (const FJsonValue& Value : *Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
		if (!Name || Name->empty())
		{
			OutError = "an emitter handle has no \"name\"";
			return false;
		}
		const bool bTaken = std::any_of(EmitterHandles.begin(), EmitterHandles.end(), [&Name](const FNiagaraEmitterHandle& Handle) { return Handle.Name == *Name; });
		if (bTaken)
		{
			OutError = "two emitter handles are named " + *Name;
			return false;
		}
		EmitterHandles.push_back({*Name, Entry->TryGetStringField("emitter").value_or(std::string()), Entry->TryGetBoolField("enabled").value_or(true)});
	}
	bFixedBounds = File.TryGetBoolField("fixedBounds").value_or(false);
	return true;
}

void UNiagaraSystem::SaveAssetFields(FJsonObject& OutFile) const
{
	FJsonValueArray Handles;
	for (const FNiagaraEmitterHandle& Handle : EmitterHandles)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Handle.Name);
		Entry->SetStringField("emitter", Handle.EmitterPath);
		Entry->SetBoolField("enabled", Handle.bIsEnabled);
		Handles.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("emitterHandles", std::move(Handles));
	OutFile.SetBoolField("fixedBounds", bFixedBounds);
}
