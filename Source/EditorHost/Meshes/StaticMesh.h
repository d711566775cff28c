#pragma once

#include "Meshes/MeshBounds.h"
#include "Meshes/StaticMeshModel.h"
#include "Objects/Object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** A material slot of a static mesh: its name and the material bound to it, if any. */
struct FStaticMaterial
{
	std::string MaterialSlotName;
	/** The object path of the material; empty when the slot has none. */
	std::string MaterialInterfacePath;
};

/**
 * A mesh without a skeleton, built from a glTF file beside its asset file.
 * Asset fields: "source" (the glTF file name; without it the mesh has no
 * levels of detail and empty bounds) and "staticMaterials" (array of
 * {"slotName", "material" (object path, optional)}; without it the slots are
 * the file's materials, none bound).
 */
class UStaticMesh : public UObject
{
	DECLARE_ENGINE_CLASS(UStaticMesh, UObject, "/Script/Engine.StaticMesh")

public:
	int32_t GetNumLODs() const;
	/** The level of detail at LODIndex, clamped to the levels there are; nullptr for a mesh without any. */
	const FStaticMeshLODResources* GetLODForExport(int32_t LODIndex) const;
	/** The bounds of level 0: a box (origin, half extent) and a sphere; all zero without render data. */
	FBoxSphereBounds GetBounds() const;
	const std::vector<FStaticMaterial>& GetStaticMaterials() const { return StaticMaterials; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	bool LoadRenderData(std::string& OutError);
	bool LoadStaticMaterials(const FJsonObject& File, std::string& OutError);

	std::string SourceFileName;
	std::optional<FStaticMeshModel> RenderData;
	std::vector<FStaticMaterial> StaticMaterials;
};
