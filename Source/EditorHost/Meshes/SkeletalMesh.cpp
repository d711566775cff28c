#include "Meshes/SkeletalMesh.h"

#include "Animation/AnimFieldReader.h"
#include "Core/LogHost.h"
#include "Meshes/AssetGltfSource.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

bool USkeletalMesh::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	Super::LoadAssetFields(File, OutError);
	FAnimFieldReader Fields(File, OutError);
	Skeleton = Fields.Asset<USkeleton>("skeleton");
	const std::string Source = Fields.String("source");
	std::vector<FSkeletalMeshLODInfo> LODSettings;
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("lodInfo"))
	{
		LODSettings.push_back({Fields.Inner(*Entry).Bool("useHighPrecisionTangentBasis", false)});
	}
	if (!Fields.IsOk() || (!Source.empty() && !ReadGeometry(Fields, Source, LODSettings)))
	{
		return false;
	}
	if (LODSettings.size() > LODInfo.size())
	{
		return Fields.Fail("'lodInfo' lists more levels than the mesh has");
	}
	return BindMaterials(Fields, !Source.empty());
}

bool USkeletalMesh::ReadGeometry(FAnimFieldReader& Fields, const std::string& Source, const std::vector<FSkeletalMeshLODInfo>& LODSettings)
{
	std::string Error;
	const std::optional<FGltfFile> Gltf = LoadAssetGltfSource(*this, Source, Error);
	if (!Gltf)
	{
		return Fields.Fail(Error);
	}
	std::optional<FReferenceSkeleton> Bones = Gltf->BuildReferenceSkeleton();
	ImportedModel = Gltf->BuildSkeletalMesh();
	if (!Bones || !ImportedModel)
	{
		return Fields.Fail("source '" + Source + "' has no usable skinned mesh");
	}
	RefSkeleton = std::move(*Bones);

	RenderData.emplace();
	for (std::size_t Level = 0; Level < ImportedModel->LODModels.size(); ++Level)
	{
		const FSkeletalMeshLODInfo& Info = LODInfo.emplace_back(Level < LODSettings.size() ? LODSettings[Level] : FSkeletalMeshLODInfo());
		RenderData->LODRenderData.push_back(FSkeletalMeshLODRenderData::Build(ImportedModel->LODModels[Level], Info.bUseHighPrecisionTangentBasis));
	}

	for (const FMorphTarget& Shape : ImportedModel->MorphTargets)
	{
		UMorphTarget* MorphTarget = FindInnerObject(Shape.Name) == nullptr ? NewObject<UMorphTarget>(this, Shape.Name) : nullptr;
		if (MorphTarget == nullptr)
		{
			UE_LOG(LogHost, Warning, "%s: morph target '%s' cannot be an object of the mesh and is left out", GetPathName().c_str(), Shape.Name.c_str());
			continue;
		}
		MorphTarget->MorphLODModels = Shape.LODDeltas;
		MorphTargets.push_back(MorphTarget);
	}
	return Fields.IsOk();
}

bool USkeletalMesh::BindMaterials(FAnimFieldReader& Fields, bool bSlotsFromSource)
{
	if (bSlotsFromSource)
	{
		for (const FMaterialSlot& Slot : ImportedModel->Materials)
		{
			Materials.push_back({FSoftObjectPath(), Slot.SlotName});
		}
	}
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("materials"))
	{
		FAnimFieldReader SlotFields = Fields.Inner(*Entry);
		const std::string SlotName = SlotFields.String("slotName", "None");
		const std::string MaterialPath = SlotFields.String("material");
		auto Slot = std::find_if(Materials.begin(), Materials.end(), [&](const FSkeletalMaterial& Existing) { return Existing.MaterialSlotName == SlotName; });
		if (Slot == Materials.end())
		{
			if (bSlotsFromSource)
			{
				return Fields.Fail("material slot '" + SlotName + "' is not a slot of the source");
			}
			Slot = Materials.insert(Materials.end(), {FSoftObjectPath(), SlotName});
		}
		Slot->MaterialInterface = FSoftObjectPath(MaterialPath);
		if (!MaterialPath.empty() && !Slot->MaterialInterface.IsValid())
		{
			return Fields.Fail("material '" + MaterialPath + "' of slot '" + SlotName + "' is not an object path");
		}
	}
	return Fields.IsOk();
}

void USkeletalMesh::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "Skeleton"; });
	if (const USkeleton* Target = GetSkeleton())
	{
		OutTags.push_back({"Skeleton", Target->GetPathName()});
	}
}
