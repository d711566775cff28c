#include "Audio/SoundWave.h"

#include "Audio/WaveReader.h"
#include "Core/JsonObject.h"
#include "Data/AssetSourceFile.h"

#include <algorithm>
#include <limits>

bool USoundWave::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	bLooping = File.TryGetBoolField("looping").value_or(false);
	SourceFileName = File.TryGetStringField("source").value_or(std::string());
	if (SourceFileName.empty())
	{
		return true;
	}
	const std::optional<std::string> SourcePath = ResolveAssetSourceFile(*this, SourceFileName, OutError);
	if (!SourcePath)
	{
		return false;
	}
	const std::optional<FWaveData> Wave = LoadWaveFile(*SourcePath);
	if (!Wave)
	{
		OutError = "source file " + SourceFileName + " is not a readable WAVE file";
		return false;
	}
	NumChannels = Wave->NumChannels;
	SampleRate = static_cast<int32_t>(std::min<uint32_t>(Wave->SampleRate, std::numeric_limits<int32_t>::max()));
	Duration = static_cast<float>(Wave->GetDuration());
	return true;
}

void USoundWave::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (!SourceFileName.empty())
	{
		OutFile.SetStringField("source", SourceFileName);
	}
	OutFile.SetBoolField("looping", bLooping);
}
