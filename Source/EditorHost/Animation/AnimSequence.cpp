#include "Animation/AnimSequence.h"

#include "Animation/AnimFieldReader.h"
#include "Meshes/AssetGltfSource.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr double MaxSampleRate = 1000.0;
	constexpr int32_t MaxFrames = 1 << 20;

	FFrameRate MakeFrameRate(double FramesPerSecond)
	{
		if (FramesPerSecond == std::floor(FramesPerSecond))
		{
			return {static_cast<int32_t>(FramesPerSecond), 1};
		}
		return {static_cast<int32_t>(std::lround(FramesPerSecond * 1000.0)), 1000};
	}

	/** A glTF float curve (one value per sampled key) as a curve with a key per frame. */
	FFloatCurve MakeFloatCurve(const FFloatCurveData& Sampled, double FrameRate)
	{
		FFloatCurve Curve{Sampled.Name, {}};
		for (std::size_t Key = 0; Key < Sampled.Values.size(); ++Key)
		{
			FRichCurveKey& CurveKey = Curve.FloatCurve.Keys.emplace_back();
			CurveKey.Time = static_cast<float>(Key / FrameRate);
			CurveKey.Value = Sampled.Values[Key];
		}
		return Curve;
	}
}

bool UAnimSequence::IsValidAdditive() const
{
	if (AdditiveAnimType == AAT_None)
	{
		return false;
	}
	switch (RefPoseType)
	{
	case ABPT_RefPose:
		return true;
	case ABPT_AnimScaled:
		return GetRefPoseSequence() != nullptr;
	case ABPT_AnimFrame:
	case ABPT_LocalAnimFrame:
		return GetRefPoseSequence() != nullptr && RefFrameIndex >= 0;
	default:
		return false;
	}
}

bool UAnimSequence::ReadTracks(FAnimFieldReader& Fields)
{
	const double SampleRate = Fields.Number("sampleRate", 30.0);
	const std::string Source = Fields.String("source");
	const std::string AnimationName = Fields.String("animation");
	const int32_t Frames = Fields.Int("frames", 0);
	if (!Fields.IsOk())
	{
		return false;
	}
	if (!(SampleRate > 0.0 && SampleRate <= MaxSampleRate))
	{
		return Fields.Fail("'sampleRate' must lie in (0, 1000]");
	}
	SamplingFrameRate = MakeFrameRate(SampleRate);
	if (Source.empty())
	{
		if (Frames < 0 || Frames > MaxFrames)
		{
			return Fields.Fail("'frames' must lie in [0, 1048576]");
		}
		Data.FrameRate = SampleRate;
		Data.NumberOfFrames = Frames;
		Data.NumberOfKeys = Frames + 1;
		Data.PlayLength = Frames / SampleRate;
		return true;
	}

	std::string Error;
	const std::optional<FGltfFile> Gltf = LoadAssetGltfSource(*this, Source, Error);
	if (!Gltf)
	{
		return Fields.Fail(Error);
	}
	std::optional<std::vector<FAnimSequenceData>> Animations = Gltf->BuildAnimations(SampleRate);
	if (!Animations || Animations->empty())
	{
		return Fields.Fail("source '" + Source + "' has no usable animation");
	}
	const auto Found = AnimationName.empty() ? Animations->begin()
		: std::find_if(Animations->begin(), Animations->end(), [&](const FAnimSequenceData& Candidate) { return Candidate.Name == AnimationName; });
	if (Found == Animations->end())
	{
		return Fields.Fail("source '" + Source + "' has no animation named '" + AnimationName + "'");
	}
	Data = std::move(*Found);
	for (const FFloatCurveData& Sampled : Data.Curves)
	{
		FloatCurves.push_back(MakeFloatCurve(Sampled, SampleRate));
	}
	return true;
}

bool UAnimSequence::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	FAnimFieldReader Fields(File, OutError);
	if (!ReadTracks(Fields))
	{
		return false;
	}
	bEnableRootMotion = Fields.Bool("enableRootMotion", false);
	const std::string AdditiveType = Fields.String("additiveAnimType", "AAT_None");
	const std::string BasePoseType = Fields.String("refPoseType", "ABPT_None");
	RefFrameIndex = Fields.Int("refFrameIndex", 0);
	RefPoseSeq = Fields.Asset<UAnimSequence>("refPoseSeq");
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("curves"))
	{
		const std::string Name = Fields.Inner(*Entry).String("name", "None");
		std::string Error;
		std::optional<FRichCurve> Keys = FRichCurve::FromJson(*Entry, Error);
		if (!Keys)
		{
			return Fields.Fail("curve '" + Name + "': " + Error);
		}
		FloatCurves.push_back({Name, std::move(*Keys)});
	}
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("syncMarkers"))
	{
		FAnimFieldReader MarkerFields = Fields.Inner(*Entry);
		AuthoredSyncMarkers.push_back({MarkerFields.String("name", "None"), static_cast<float>(MarkerFields.Number("time", 0.0))});
	}
	const std::optional<EAdditiveAnimationType> ParsedAdditiveType = ParseAdditiveAnimationType(AdditiveType);
	const std::optional<EAdditiveBasePoseType> ParsedBasePoseType = ParseAdditiveBasePoseType(BasePoseType);
	if (!ParsedAdditiveType || !ParsedBasePoseType)
	{
		return Fields.Fail("unknown additive settings '" + AdditiveType + "', '" + BasePoseType + "'");
	}
	AdditiveAnimType = *ParsedAdditiveType;
	RefPoseType = *ParsedBasePoseType;
	return Fields.IsOk();
}
