#include "Meshes/ReferenceSkeleton.h"

bool FReferenceSkeleton::Add(FMeshBoneInfo Bone, const FTransform& LocalPose)
{
	const bool bRoot = Bone.ParentIndex < 0;
	if (bRoot ? !Bones.empty() : Bone.ParentIndex >= Num())
	{
		return false;
	}
	if (FindBoneIndex(Bone.Name))
	{
		return false;
	}
	Bone.ParentIndex = bRoot ? -1 : Bone.ParentIndex;
	Bones.push_back(std::move(Bone));
	Pose.push_back(LocalPose);
	return true;
}

std::optional<int32_t> FReferenceSkeleton::FindBoneIndex(std::string_view Name) const
{
	for (int32_t Index = 0; Index < Num(); ++Index)
	{
		if (Bones[Index].Name == Name)
		{
			return Index;
		}
	}
	return std::nullopt;
}

std::vector<int32_t> FReferenceSkeleton::GetDirectChildBones(int32_t BoneIndex) const
{
	std::vector<int32_t> Children;
	for (int32_t Index = 0; Index < Num(); ++Index)
	{
		if (Bones[Index].ParentIndex == BoneIndex)
		{
			Children.push_back(Index);
		}
	}
	return Children;
}

FTransform FReferenceSkeleton::GetComponentSpaceTransform(int32_t BoneIndex) const
{
	FTransform Result = Pose[BoneIndex];
	for (int32_t Parent = Bones[BoneIndex].ParentIndex; Parent >= 0; Parent = Bones[Parent].ParentIndex)
	{
		Result = Result * Pose[Parent];
	}
	return Result;
}
