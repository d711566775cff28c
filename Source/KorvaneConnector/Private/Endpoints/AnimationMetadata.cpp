#include "Endpoints/AssetMetadata.h"

#include "Endpoints/AnimationJson.h"

#include "Animation/AnimMontage.h"
#include "Animation/BlendSpace.h"
#include "Meshes/SkeletalMesh.h"

// The metadata blocks of blend spaces, montages and skeletal meshes. A caller that
// passes an asset of another class gets an empty object.

namespace
{
	void SetSkeletonField(FJsonObject& Metadata, const USkeleton* Skeleton)
	{
		if (Skeleton != nullptr)
		{
			Metadata.SetStringField("skeleton", Skeleton->GetPathName());
		}
	}
}

std::shared_ptr<FJsonObject> BuildBlendSpaceMetadata(const UObject& Asset)
{
	auto Metadata = std::make_shared<FJsonObject>();
	const UBlendSpace* BlendSpace = Cast<UBlendSpace>(&Asset);
	if (BlendSpace == nullptr)
	{
		return Metadata;
	}
	const bool bOneDimensional = Cast<UBlendSpace1D>(&Asset) != nullptr;
	SetSkeletonField(*Metadata, BlendSpace->GetSkeleton());
	Metadata->SetStringField("blendType", bOneDimensional ? "1D" : "2D");
	auto Axes = std::make_shared<FJsonObject>();
	Axes->SetObjectField("x", MakeBlendAxisJson(BlendSpace->GetBlendParameter(0)));
	if (!bOneDimensional)
	{
		Axes->SetObjectField("y", MakeBlendAxisJson(BlendSpace->GetBlendParameter(1)));
	}
	Metadata->SetObjectField("axes", Axes);
	Metadata->SetNumberField("sampleCount", static_cast<double>(BlendSpace->GetBlendSamples().size()));
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildAnimMontageMetadata(const UObject& Asset)
{
	auto Metadata = std::make_shared<FJsonObject>();
	const UAnimMontage* Montage = Cast<UAnimMontage>(&Asset);
	if (Montage == nullptr)
	{
		return Metadata;
	}
	Metadata->SetNumberField("duration", Montage->GetPlayLength());
	SetSkeletonField(*Metadata, Montage->GetSkeleton());
	Metadata->SetArrayField("sections", MakeMontageSectionsJson(*Montage));
	Metadata->SetArrayField("slots", MakeMontageSlotsJson(*Montage));
	Metadata->SetNumberField("notifyCount", static_cast<double>(Montage->Notifies.size()));
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildSkeletalMeshMetadata(const UObject& Asset)
{
	auto Metadata = std::make_shared<FJsonObject>();
	const USkeletalMesh* Mesh = Cast<USkeletalMesh>(&Asset);
	if (Mesh == nullptr)
	{
		return Metadata;
	}
	const FReferenceSkeleton& Bones = Mesh->GetRefSkeleton();
	SetSkeletonField(*Metadata, Mesh->GetSkeleton());
	Metadata->SetNumberField("boneCount", Bones.Num());
	FJsonValueArray BoneNames;
	for (const FMeshBoneInfo& Bone : Bones.GetRefBoneInfo())
	{
		BoneNames.emplace_back(Bone.Name);
	}
	Metadata->SetArrayField("bones", std::move(BoneNames));
	Metadata->SetNumberField("lodCount", Mesh->GetLODNum());
	Metadata->SetArrayField("materialSlots", MakeMaterialSlotsJson(*Mesh));
	Metadata->SetArrayField("morphTargets", MakeMorphTargetNamesJson(*Mesh));
	return Metadata;
}
