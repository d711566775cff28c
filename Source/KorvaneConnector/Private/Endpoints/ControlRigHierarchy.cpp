#include "Endpoints/ControlRigEndpoints.h"

#include "Endpoints/ControlRigJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "RequestConventions.h"

#include "Animation/Skeleton.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"

#include <vector>

namespace
{
	/**
	 * The reference pose of every bone in component space. Parents come before their children
	 * in a reference skeleton; a bone whose parent index does not name an earlier bone is taken
	 * as a root rather than read out of range.
	 */
	std::vector<FTransform> ComponentSpaceReferencePose(const FReferenceSkeleton& Bones)
	{
		const std::vector<FMeshBoneInfo>& Infos = Bones.GetRefBoneInfo();
		const std::vector<FTransform>& LocalPose = Bones.GetRefBonePose();
		std::vector<FTransform> ComponentSpace;
		ComponentSpace.reserve(LocalPose.size());
		for (std::size_t BoneIndex = 0; BoneIndex < LocalPose.size(); ++BoneIndex)
		{
			const int32_t Parent = Infos[BoneIndex].ParentIndex;
			const bool bHasParent = Parent >= 0 && static_cast<std::size_t>(Parent) < BoneIndex;
			ComponentSpace.push_back(bHasParent ? LocalPose[BoneIndex] * ComponentSpace[static_cast<std::size_t>(Parent)] : LocalPose[BoneIndex]);
		}
		return ComponentSpace;
	}

	FJsonValueArray MakeMeshBoneElements(const USkeletalMesh& Mesh)
	{
		const FReferenceSkeleton& Bones = Mesh.GetRefSkeleton();
		const std::vector<FMeshBoneInfo>& Infos = Bones.GetRefBoneInfo();
		const std::vector<FTransform> ComponentSpace = ComponentSpaceReferencePose(Bones);
		const USkeleton* const Skeleton = Mesh.GetSkeleton();
		FJsonValueArray Elements;
		for (int32_t BoneIndex = 0; BoneIndex < static_cast<int32_t>(ComponentSpace.size()); ++BoneIndex)
		{
			if (Skeleton != nullptr && Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(&Mesh, BoneIndex) == USkeleton::INDEX_NONE)
			{
				continue;
			}
			const FMeshBoneInfo& Info = Infos[static_cast<std::size_t>(BoneIndex)];
			const FTransform& Pose = ComponentSpace[static_cast<std::size_t>(BoneIndex)];
			auto Element = std::make_shared<FJsonObject>();
			Element->SetStringField("name", Info.Name);
			Element->SetStringField("type", "Bone");
			if (Info.ParentIndex >= 0 && Info.ParentIndex < Bones.Num())
			{
				Element->SetStringField("parent", Infos[static_cast<std::size_t>(Info.ParentIndex)].Name);
			}
			Element->SetArrayField("position", MakeVectorJson(Pose.Translation));
			Element->SetArrayField("rotation", MakeQuatJson(Pose.Rotation));
			Elements.emplace_back(std::move(Element));
		}
		return Elements;
	}

	std::shared_ptr<FJsonObject> MakeMeshHierarchy(const USkeletalMesh& Mesh, const std::string& Path)
	{
		auto Response = std::make_shared<FJsonObject>();
		Response->SetStringField("name", Mesh.GetName());
		Response->SetStringField("path", Path);
		Response->SetStringField("previewMesh", Mesh.GetPathName());
		Response->SetStringField("source", "skeletalMesh");
		FJsonValueArray Elements = MakeMeshBoneElements(Mesh);
		Response->SetNumberField("count", static_cast<double>(Elements.size()));
		Response->SetArrayField("elements", std::move(Elements));
		AppendMorphTargets(*Response, &Mesh);
		return Response;
	}

	std::shared_ptr<FJsonObject> MakeRigHierarchy(const UControlRigBlueprint& Blueprint, const std::string& Path)
	{
		auto Response = std::make_shared<FJsonObject>();
		Response->SetStringField("name", Blueprint.GetName());
		Response->SetStringField("path", Path);
		if (const USkeletalMesh* const PreviewMesh = Blueprint.GetPreviewMesh())
		{
			Response->SetStringField("previewMesh", PreviewMesh->GetPathName());
			AppendMorphTargets(*Response, PreviewMesh);
		}
		FJsonValueArray Elements = Blueprint.Hierarchy ? AppendRigElements(*Blueprint.Hierarchy) : FJsonValueArray();
		Response->SetNumberField("count", static_cast<double>(Elements.size()));
		Response->SetArrayField("elements", std::move(Elements));
		return Response;
	}
}

std::shared_ptr<FJsonObject> ListControlRigs()
{
	const FTopLevelAssetPath ClassPath = UControlRigBlueprint::StaticClass()->GetClassPathName();
	FJsonValueArray Rigs;
	for (const FAssetData& Asset : GetGameAssetsOfClass(ClassPath.PackageName, ClassPath.AssetName, true))
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("packagePath", Asset.PackagePath);
		Rigs.emplace_back(std::move(Entry));
	}
	auto Response = std::make_shared<FJsonObject>();
	const double Count = static_cast<double>(Rigs.size());
	Response->SetArrayField("controlRigs", std::move(Rigs));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> GetControlRigHierarchy(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	if (const USkeletalMesh* const Mesh = Cast<USkeletalMesh>(StaticLoadObject(UObject::StaticClass(), Request.Path)))
	{
		return MakeMeshHierarchy(*Mesh, Request.Path);
	}
	auto Error = std::make_shared<FJsonObject>();
	const UControlRigBlueprint* const Blueprint = LoadControlRigBlueprint(Request.Path, *Error);
	return Blueprint != nullptr ? MakeRigHierarchy(*Blueprint, Request.Path) : Error;
}
