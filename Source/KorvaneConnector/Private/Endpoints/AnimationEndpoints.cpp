#include "Endpoints/AnimationEndpoints.h"

#include "Endpoints/AnimationJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "RequestConventions.h"

#include "Animation/AnimMontage.h"
#include "Animation/AnimSequence.h"
#include "Animation/BlendSpace.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <cstdio>

namespace
{
	template <typename T>
	std::vector<FAssetData> GetGameAssetsOf()
	{
		const FTopLevelAssetPath ClassPath = T::StaticClass()->GetClassPathName();
		return GetGameAssetsOfClass(ClassPath.PackageName, ClassPath.AssetName, true);
	}

	/** The keys every animation listing entry starts with: name, path, packagePath. */
	std::shared_ptr<FJsonObject> MakeAnimationListEntry(const FAssetData& Asset)
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("packagePath", Asset.PackagePath);
		return Entry;
	}

	std::string TrackNameOf(const FAnimNotifyEvent& Event)
	{
		if (Event.TrackIndex < 0)
		{
			return "None";
		}
		char Buffer[32];
		std::snprintf(Buffer, sizeof(Buffer), "Track %d", Event.TrackIndex);
		return Buffer;
	}

	std::shared_ptr<FJsonObject> MakeNotifyJson(const FAnimNotifyEvent& Event)
	{
		auto Notify = std::make_shared<FJsonObject>();
		Notify->SetStringField("name", Event.NotifyName);
		Notify->SetNumberField("triggerTime", Event.GetTriggerTime());
		Notify->SetNumberField("duration", Event.GetDuration());
		Notify->SetStringField("trackName", TrackNameOf(Event));
		if (Event.Notify != nullptr)
		{
			Notify->SetStringField("class", Event.Notify->GetClass()->GetName());
		}
		else if (Event.NotifyStateClass != nullptr)
		{
			Notify->SetStringField("class", Event.NotifyStateClass->GetClass()->GetName());
			Notify->SetBoolField("isState", true);
		}
		return Notify;
	}

	std::shared_ptr<FJsonObject> MakeAdditiveJson(const UAnimSequence& Sequence)
	{
		auto Additive = std::make_shared<FJsonObject>();
		Additive->SetNumberField("animationType", static_cast<double>(Sequence.AdditiveAnimType));
		Additive->SetNumberField("basePoseType", static_cast<double>(Sequence.RefPoseType));
		if (const UAnimSequence* RefPose = Sequence.GetRefPoseSequence())
		{
			Additive->SetStringField("refPoseSequence", RefPose->GetPathName());
		}
		return Additive;
	}

	FJsonValueArray MakeCurvesJson(const UAnimSequence& Sequence)
	{
		FJsonValueArray Curves;
		for (const FFloatCurve& Curve : Sequence.GetFloatCurves())
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("name", Curve.Name);
			Entry->SetStringField("type", "Float");
			Entry->SetNumberField("numKeys", Curve.FloatCurve.GetNumKeys());
			Curves.emplace_back(std::move(Entry));
		}
		return Curves;
	}

	FJsonValueArray MakeSyncMarkersJson(const UAnimSequence& Sequence)
	{
		FJsonValueArray Markers;
		for (const FAnimSyncMarker& Marker : Sequence.AuthoredSyncMarkers)
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("name", Marker.MarkerName);
			Entry->SetNumberField("time", Marker.Time);
			Markers.emplace_back(std::move(Entry));
		}
		return Markers;
	}

	/** The samples of a blend space; a sample whose animation is gone has no animation keys. */
	FJsonValueArray MakeBlendSamplesJson(const UBlendSpace& BlendSpace, bool bOneDimensional)
	{
		FJsonValueArray Samples;
		for (const FBlendSample& Sample : BlendSpace.GetBlendSamples())
		{
			auto Entry = std::make_shared<FJsonObject>();
			if (bOneDimensional)
			{
				Entry->SetNumberField("value", Sample.SampleValue.X);
			}
			else
			{
				Entry->SetNumberField("x", Sample.SampleValue.X);
				Entry->SetNumberField("y", Sample.SampleValue.Y);
			}
			if (const UAnimSequence* Animation = Sample.Animation.Get())
			{
				Entry->SetStringField("animation", Animation->GetName());
				Entry->SetStringField("animationPath", Animation->GetPathName());
			}
			Entry->SetNumberField("rateScale", Sample.RateScale);
			Samples.emplace_back(std::move(Entry));
		}
		return Samples;
	}

	std::shared_ptr<FJsonObject> MakeBlendSpaceEntry(const FAssetData& Asset, bool bOneDimensional)
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("type", bOneDimensional ? "BlendSpace1D" : "BlendSpace2D");
		Entry->SetStringField("packagePath", Asset.PackagePath);
		SetRegistryTagField(*Entry, Asset, "Skeleton", "skeleton");
		const UBlendSpace* BlendSpace = bOneDimensional ? Cast<UBlendSpace1D>(Asset.GetAsset()) : Cast<UBlendSpace>(Asset.GetAsset());
		if (BlendSpace == nullptr)
		{
			return Entry;
		}
		if (bOneDimensional)
		{
			Entry->SetObjectField("axis", MakeBlendAxisJson(BlendSpace->GetBlendParameter(0)));
		}
		else
		{
			auto Axes = std::make_shared<FJsonObject>();
			Axes->SetObjectField("x", MakeBlendAxisJson(BlendSpace->GetBlendParameter(0)));
			Axes->SetObjectField("y", MakeBlendAxisJson(BlendSpace->GetBlendParameter(1)));
			Entry->SetObjectField("axes", Axes);
		}
		Entry->SetArrayField("samples", MakeBlendSamplesJson(*BlendSpace, bOneDimensional));
		return Entry;
	}

	bool IsOneDimensional(const FAssetData& Asset)
	{
		const UClass* Class = Asset.GetClass();
		return Class != nullptr && Class->IsChildOf(UBlendSpace1D::StaticClass());
	}
}

std::shared_ptr<FJsonObject> ListAnimations()
{
	FJsonValueArray Animations;
	for (const FAssetData& Asset : GetGameAssetsOf<UAnimSequence>())
	{
		std::shared_ptr<FJsonObject> Entry = MakeAnimationListEntry(Asset);
		SetRegistryTagField(*Entry, Asset, "Skeleton", "skeleton");
		if (const UAnimSequence* Sequence = Cast<UAnimSequence>(Asset.GetAsset()))
		{
			Entry->SetNumberField("duration", Sequence->GetPlayLength());
			Entry->SetNumberField("numFrames", Sequence->GetNumberOfSampledKeys());
			Entry->SetNumberField("rateScale", Sequence->RateScale);
			Entry->SetNumberField("sampleRate", Sequence->GetSamplingFrameRate().AsDecimal());
			Entry->SetBoolField("isAdditive", Sequence->IsValidAdditive());
			Entry->SetBoolField("enableRootMotion", Sequence->bEnableRootMotion);
		}
		Animations.emplace_back(std::move(Entry));
	}
	return MakeListResponse("animations", std::move(Animations));
}

std::shared_ptr<FJsonObject> GetAnimationDetail(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	const UAnimSequence* Sequence = LoadObject<UAnimSequence>(Request.Path);
	if (Sequence == nullptr)
	{
		return MakeErrorResponse("AnimSequence not found");
	}

	auto Detail = std::make_shared<FJsonObject>();
	Detail->SetStringField("name", Sequence->GetName());
	Detail->SetStringField("path", Request.Path);
	Detail->SetNumberField("duration", Sequence->GetPlayLength());
	Detail->SetNumberField("numFrames", Sequence->GetNumberOfSampledKeys());
	Detail->SetBoolField("isAdditive", Sequence->IsValidAdditive());
	Detail->SetBoolField("enableRootMotion", Sequence->bEnableRootMotion);
	Detail->SetNumberField("rateScale", Sequence->RateScale);
	if (const USkeleton* Skeleton = Sequence->GetSkeleton())
	{
		Detail->SetStringField("skeleton", Skeleton->GetPathName());
	}
	if (Sequence->IsValidAdditive())
	{
		Detail->SetObjectField("additive", MakeAdditiveJson(*Sequence));
	}
	FJsonValueArray Notifies;
	for (const FAnimNotifyEvent& Event : Sequence->Notifies)
	{
		Notifies.emplace_back(MakeNotifyJson(Event));
	}
	Detail->SetArrayField("notifies", std::move(Notifies));
	Detail->SetArrayField("curves", MakeCurvesJson(*Sequence));
	Detail->SetArrayField("syncMarkers", MakeSyncMarkersJson(*Sequence));
	return Detail;
}

std::shared_ptr<FJsonObject> ListAnimBlueprints()
{
	FJsonValueArray AnimBlueprints;
	for (const FAssetData& Asset : GetGameAssetsOfClass("/Script/Engine", "AnimBlueprint", true))
	{
		std::shared_ptr<FJsonObject> Entry = MakeAnimationListEntry(Asset);
		SetRegistryTagField(*Entry, Asset, "TargetSkeleton", "targetSkeleton");
		SetRegistryTagField(*Entry, Asset, "ParentClass", "parentClass");
		AnimBlueprints.emplace_back(std::move(Entry));
	}
	return MakeListResponse("animBlueprints", std::move(AnimBlueprints));
}

std::shared_ptr<FJsonObject> ListBlendSpaces()
{
	FJsonValueArray BlendSpaces;
	for (const FAssetData& Asset : GetGameAssetsOf<UBlendSpace>())
	{
		if (!IsOneDimensional(Asset))
		{
			BlendSpaces.emplace_back(MakeBlendSpaceEntry(Asset, false));
		}
	}
	for (const FAssetData& Asset : GetGameAssetsOf<UBlendSpace1D>())
	{
		BlendSpaces.emplace_back(MakeBlendSpaceEntry(Asset, true));
	}
	return MakeListResponse("blendSpaces", std::move(BlendSpaces));
}

std::shared_ptr<FJsonObject> ListMontages()
{
	FJsonValueArray Montages;
	for (const FAssetData& Asset : GetGameAssetsOf<UAnimMontage>())
	{
		std::shared_ptr<FJsonObject> Entry = MakeAnimationListEntry(Asset);
		SetRegistryTagField(*Entry, Asset, "Skeleton", "skeleton");
		if (const UAnimMontage* Montage = Cast<UAnimMontage>(Asset.GetAsset()))
		{
			Entry->SetNumberField("duration", Montage->GetPlayLength());
			Entry->SetArrayField("sections", MakeMontageSectionsJson(*Montage));
			Entry->SetArrayField("slots", MakeMontageSlotsJson(*Montage));
			Entry->SetNumberField("notifyCount", static_cast<double>(Montage->Notifies.size()));
		}
		Montages.emplace_back(std::move(Entry));
	}
	return MakeListResponse("montages", std::move(Montages));
}
