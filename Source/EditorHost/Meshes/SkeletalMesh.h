#pragma once

#include "Animation/Skeleton.h"
#include "Meshes/ReferenceSkeleton.h"
#include "Meshes/SkeletalMeshModel.h"
#include "Meshes/SkeletalMeshRenderData.h"
#include "Objects/Object.h"
#include "Objects/SoftObjectPath.h"
#include "Objects/WeakObjectPtr.h"

#include <optional>
#include <string>
#include <vector>

/** A named blend shape of a skeletal mesh; an inner object of the mesh, named after the shape. */
class UMorphTarget : public UObject
{
	DECLARE_ENGINE_CLASS(UMorphTarget, UObject, "/Script/Engine.MorphTarget")

public:
	/** Per level of detail, the vertices the shape moves. */
	std::vector<std::vector<FMorphTargetDelta>> MorphLODModels;
};

/** A material slot of a skeletal mesh: its name and the material's object path (null when the slot has none). */
struct FSkeletalMaterial
{
	FSoftObjectPath MaterialInterface;
	std::string MaterialSlotName;
};

/** Per-level build settings. */
struct FSkeletalMeshLODInfo
{
	bool bUseHighPrecisionTangentBasis = false;
};

/**
 * A skinned mesh. Geometry, bones, material slots and morph targets come from the
 * first skin of the glTF file named by "source"; the asset's fields add the
 * skeleton ("skeleton"), per-level settings ("lodInfo": useHighPrecisionTangentBasis)
 * and the material of each slot ("materials": slotName and material path). A mesh
 * without a source has no render data and takes its slots from "materials".
 * Saving writes the fields back as they were read.
 */
class USkeletalMesh : public UObject
{
	DECLARE_ENGINE_CLASS(USkeletalMesh, UObject, "/Script/Engine.SkeletalMesh")

public:
	USkeleton* GetSkeleton() const { return Skeleton.Get(); }
	const FReferenceSkeleton& GetRefSkeleton() const { return RefSkeleton; }
	/** The render form of every level, or nullptr for a mesh without geometry. */
	const FSkeletalMeshRenderData* GetResourceForRendering() const { return RenderData ? &*RenderData : nullptr; }
	/** The imported levels with their skin weights, or nullptr for a mesh without geometry. */
	const FSkeletalMeshModel* GetImportedModel() const { return ImportedModel ? &*ImportedModel : nullptr; }
	int32_t GetLODNum() const { return static_cast<int32_t>(LODInfo.size()); }
	const std::vector<FSkeletalMaterial>& GetMaterials() const { return Materials; }
	const std::vector<UMorphTarget*>& GetMorphTargets() const { return MorphTargets; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	bool ReadGeometry(class FAnimFieldReader& Fields, const std::string& Source, const std::vector<FSkeletalMeshLODInfo>& LODSettings);
	bool BindMaterials(class FAnimFieldReader& Fields, bool bSlotsFromSource);

	TWeakObjectPtr<USkeleton> Skeleton;
	FReferenceSkeleton RefSkeleton;
	std::optional<FSkeletalMeshModel> ImportedModel;
	std::optional<FSkeletalMeshRenderData> RenderData;
	std::vector<FSkeletalMeshLODInfo> LODInfo;
	std::vector<FSkeletalMaterial> Materials;
	std::vector<UMorphTarget*> MorphTargets;
};
