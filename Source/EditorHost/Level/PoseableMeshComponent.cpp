#include "Level/PoseableMeshComponent.h"

#include "Meshes/MeshRelativeTransform.h"
#include "Materials/Material.h"
#include "Meshes/SkeletalMesh.h"
#include "Render/SkinnedMeshPrimitive.h"

void UPoseableMeshComponent::SetSkinnedAssetAndUpdate(USkeletalMesh* Mesh)
{
	SkeletalMesh = Mesh;
	BoneSpaceTransforms = Mesh != nullptr ? Mesh->GetRefSkeleton().GetRefBonePose() : std::vector<FTransform>();
	ComponentSpaceTransforms.assign(BoneSpaceTransforms.size(), FTransform());
	FillComponentSpaceTransforms(0);
	UpdateComponentToWorld();
}

void UPoseableMeshComponent::FillComponentSpaceTransforms(int32_t FirstBone)
{
	SkinnedMesh.bCurrent = false;
	if (SkeletalMesh == nullptr)
	{
		return;
	}
	const std::vector<FMeshBoneInfo>& Bones = SkeletalMesh->GetRefSkeleton().GetRefBoneInfo();
	for (std::size_t Bone = static_cast<std::size_t>(FirstBone); Bone < BoneSpaceTransforms.size(); ++Bone)
	{
		const int32_t Parent = Bones[Bone].ParentIndex;
		ComponentSpaceTransforms[Bone] = Parent >= 0 ? BoneSpaceTransforms[Bone] * ComponentSpaceTransforms[static_cast<std::size_t>(Parent)] : BoneSpaceTransforms[Bone];
	}
}

void UPoseableMeshComponent::SetBoneTransformByName(std::string_view BoneName, const FTransform& Transform, EBoneSpaces Space)
{
	if (SkeletalMesh == nullptr || !Transform.IsFinite())
	{
		return;
	}
	const FReferenceSkeleton& Skeleton = SkeletalMesh->GetRefSkeleton();
	const std::optional<int32_t> Bone = Skeleton.FindBoneIndex(BoneName);
	if (!Bone)
	{
		return;
	}
	const FTransform ComponentSpace = Space == EBoneSpaces::WorldSpace ? ::GetRelativeTransform(Transform, GetComponentTransform()) : Transform;
	const int32_t Parent = Skeleton.GetRefBoneInfo()[static_cast<std::size_t>(*Bone)].ParentIndex;
	BoneSpaceTransforms[static_cast<std::size_t>(*Bone)] =
		Parent >= 0 ? ::GetRelativeTransform(ComponentSpace, ComponentSpaceTransforms[static_cast<std::size_t>(Parent)]) : ComponentSpace;
	FillComponentSpaceTransforms(*Bone);
}

FTransform UPoseableMeshComponent::GetBoneTransformByName(std::string_view BoneName, EBoneSpaces Space) const
{
	const std::optional<int32_t> Bone = SkeletalMesh != nullptr ? SkeletalMesh->GetRefSkeleton().FindBoneIndex(BoneName) : std::nullopt;
	if (!Bone)
	{
		return FTransform();
	}
	const FTransform& ComponentSpace = ComponentSpaceTransforms[static_cast<std::size_t>(*Bone)];
	return Space == EBoneSpaces::WorldSpace ? ComponentSpace * GetComponentTransform() : ComponentSpace;
}

int32_t UPoseableMeshComponent::GetNumMaterials() const
{
	return SkeletalMesh != nullptr ? static_cast<int32_t>(SkeletalMesh->GetMaterials().size()) : 0;
}

UMaterialInterface* UPoseableMeshComponent::GetMaterial(int32_t ElementIndex) const
{
	if (UMaterialInterface* Override = Super::GetMaterial(ElementIndex))
	{
		return Override;
	}
	if (ElementIndex < 0 || ElementIndex >= GetNumMaterials())
	{
		return nullptr;
	}
	return Cast<UMaterialInterface>(SkeletalMesh->GetMaterials()[static_cast<std::size_t>(ElementIndex)].MaterialInterface.TryLoad());
}

const std::optional<FDynamicMeshPrimitive>& UPoseableMeshComponent::GetSkinnedMesh() const
{
	if (!SkinnedMesh.bCurrent || SkinnedMesh.Materials != OverrideMaterials)
	{
		SkinnedMesh.Mesh = SkeletalMesh != nullptr ? MakeSkinnedMeshPrimitive(*SkeletalMesh, ComponentSpaceTransforms, OverrideMaterials) : std::nullopt;
		SkinnedMesh.Materials = OverrideMaterials;
		SkinnedMesh.bCurrent = true;
	}
	return SkinnedMesh.Mesh;
}

int32_t UPoseableMeshComponent::CreateScenePrimitive(FSceneInterface& InScene)
{
	const std::optional<FDynamicMeshPrimitive>& Skinned = GetSkinnedMesh();
	if (!Skinned)
	{
		return 0;
	}
	FDynamicMeshPrimitive Primitive = *Skinned;
	Primitive.LocalToWorld = GetComponentTransform();
	return InScene.AddDynamicMesh(std::move(Primitive));
}

FBoxSphereBounds UPoseableMeshComponent::CalcBounds(const FTransform& LocalToWorld) const
{
	const std::optional<FDynamicMeshPrimitive>& Skinned = GetSkinnedMesh();
	if (!Skinned || Skinned->Positions.empty())
	{
		return Super::CalcBounds(LocalToWorld);
	}
	std::vector<FVector3f> WorldPositions;
	WorldPositions.reserve(Skinned->Positions.size());
	for (const FVector3f& Position : Skinned->Positions)
	{
		WorldPositions.push_back(LocalToWorld.TransformPosition(FVector::FromFloat(Position)).ToFloat());
	}
	return FBoxSphereBounds::FromPoints(WorldPositions);
}
