#include "Animation/Skeleton.h"

#include "Animation/AnimFieldReader.h"
#include "Meshes/AssetGltfSource.h"
#include "Meshes/SkeletalMesh.h"

bool USkeleton::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	Super::LoadAssetFields(File, OutError);
	FAnimFieldReader Fields(File, OutError);
	const std::string Source = Fields.String("source");
	if (!Fields.IsOk())
	{
		return false;
	}
	if (Source.empty())
	{
		return Fields.Fail("a skeleton needs a glTF 'source' with a skin");
	}
	const std::optional<FGltfFile> Gltf = LoadAssetGltfSource(*this, Source, OutError);
	std::optional<FReferenceSkeleton> Bones = Gltf ? Gltf->BuildReferenceSkeleton() : std::nullopt;
	if (!Bones)
	{
		return Fields.Fail("source '" + Source + "' has no usable skin");
	}
	ReferenceSkeleton = std::move(*Bones);
	return true;
}

int32_t USkeleton::GetMeshBoneIndexFromSkeletonBoneIndex(const USkeletalMesh* Mesh, int32_t SkeletonBoneIndex) const
{
	if (Mesh == nullptr || SkeletonBoneIndex < 0 || SkeletonBoneIndex >= ReferenceSkeleton.Num())
	{
		return INDEX_NONE;
	}
	const std::optional<int32_t> MeshBoneIndex = Mesh->GetRefSkeleton().FindBoneIndex(ReferenceSkeleton.GetRefBoneInfo()[SkeletonBoneIndex].Name);
	return MeshBoneIndex.value_or(INDEX_NONE);
}
