#include "Audio/SoundNodes.h"

#include "Audio/SoundBase.h"
#include "Core/JsonObject.h"
#include "Data/AssetFieldReaders.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

float USoundNodeWavePlayer::GetDuration([[maybe_unused]] std::span<const float> ChildDurations) const
{
	const USoundWave* Wave = GetSoundWave();
	if (Wave == nullptr)
	{
		return 0.0f;
	}
	return bLooping ? USoundBase::IndefinitelyLoopingDuration : Wave->GetSourceDuration();
}

bool USoundNodeWavePlayer::LoadAssetFields(const FJsonObject& Entry, std::string& OutError)
{
	if (!Super::LoadAssetFields(Entry, OutError))
	{
		return false;
	}
	bLooping = Entry.TryGetBoolField("looping").value_or(false);
	SoundWavePath = Entry.TryGetStringField("soundWave").value_or(std::string());
	SoundWave = SoundWavePath.empty() ? nullptr : LoadObject<USoundWave>(SoundWavePath);
	return true;
}

void USoundNodeWavePlayer::SaveAssetFields(FJsonObject& OutEntry) const
{
	Super::SaveAssetFields(OutEntry);
	OutEntry.SetStringField("soundWave", SoundWavePath);
	OutEntry.SetBoolField("looping", bLooping);
}

float USoundNodeLooping::GetDuration(std::span<const float> ChildDurations) const
{
	if (ChildDurations.empty())
	{
		return 0.0f;
	}
	return bLoopIndefinitely ? USoundBase::IndefinitelyLoopingDuration : ChildDurations.front() * static_cast<float>(LoopCount);
}

bool USoundNodeLooping::LoadAssetFields(const FJsonObject& Entry, std::string& OutError)
{
	if (!Super::LoadAssetFields(Entry, OutError))
	{
		return false;
	}
	bLoopIndefinitely = Entry.TryGetBoolField("loopIndefinitely").value_or(true);
	LoopCount = std::max(1, Entry.TryGetInt32Field("loopCount").value_or(1));
	return true;
}

void USoundNodeLooping::SaveAssetFields(FJsonObject& OutEntry) const
{
	Super::SaveAssetFields(OutEntry);
	OutEntry.SetBoolField("loopIndefinitely", bLoopIndefinitely);
	OutEntry.SetNumberField("loopCount", LoopCount);
}

float USoundNodeAttenuation::GetMaxDistance(std::span<const float> ChildMaxDistances) const
{
	float MaxDistance = bOverrideAttenuation ? InnerRadius + FalloffDistance : USoundBase::MaxWorldDistance;
	for (const float ChildMaxDistance : ChildMaxDistances)
	{
		MaxDistance = std::max(MaxDistance, ChildMaxDistance);
	}
	return MaxDistance;
}

bool USoundNodeAttenuation::LoadAssetFields(const FJsonObject& Entry, std::string& OutError)
{
	if (!Super::LoadAssetFields(Entry, OutError))
	{
		return false;
	}
	bOverrideAttenuation = Entry.TryGetBoolField("overrideAttenuation").value_or(false);
	if (const std::shared_ptr<FJsonObject> Overrides = Entry.TryGetObjectField("attenuationOverrides"))
	{
		InnerRadius = TryGetFloatField(*Overrides, "innerRadius").value_or(InnerRadius);
		FalloffDistance = TryGetFloatField(*Overrides, "falloffDistance").value_or(FalloffDistance);
	}
	return true;
}

void USoundNodeAttenuation::SaveAssetFields(FJsonObject& OutEntry) const
{
	Super::SaveAssetFields(OutEntry);
	OutEntry.SetBoolField("overrideAttenuation", bOverrideAttenuation);
	auto Overrides = std::make_shared<FJsonObject>();
	Overrides->SetNumberField("innerRadius", InnerRadius);
	Overrides->SetNumberField("falloffDistance", FalloffDistance);
	OutEntry.SetObjectField("attenuationOverrides", std::move(Overrides));
}
