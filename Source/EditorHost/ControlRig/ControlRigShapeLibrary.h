#pragma once

#include "Meshes/MeshTransform.h"
#include "Objects/Object.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

class UMaterialInterface;
class UStaticMesh;

/** One control shape: its name, its static mesh and the mesh's transform relative to the control. */
struct FControlRigShapeDefinition
{
	std::string ShapeName;
	/** Object path of the static mesh. */
	std::string StaticMeshPath;
	FTransform Transform;

	/** The static mesh, loaded when not in memory; nullptr when it does not load as one. */
	UStaticMesh* LoadStaticMesh() const;
};

/**
 * A library of control shapes: named static meshes, a default shape for names no library has,
 * and the material they are drawn with, tinted through its colour parameter. The editor's
 * default library is `/ControlRig/Controls/DefaultGizmoLibraryNormalized`.
 */
class UControlRigShapeLibrary : public UObject
{
	DECLARE_ENGINE_CLASS(UControlRigShapeLibrary, UObject, "/Script/ControlRig.ControlRigShapeLibrary")

public:
	FControlRigShapeDefinition DefaultShape;
	/** Object path of the material shapes are drawn with. */
	std::string DefaultMaterialPath;
	/** The vector parameter of that material that takes a control's shape colour. */
	std::string MaterialColorParameter = "Color";
	std::vector<FControlRigShapeDefinition> Shapes;

	/**
	 * The shape named ShapeName in the first library that has it; "Library.Shape" looks only in the
	 * library of that name. Not found: the first library's default shape when bUseDefaultIfNotFound,
	 * else nullptr.
	 */
	static const FControlRigShapeDefinition* GetShapeByName(std::string_view ShapeName, std::span<UControlRigShapeLibrary* const> Libraries,
		bool bUseDefaultIfNotFound = true);
	/** The default material, loaded; nullptr when it does not load. */
	UMaterialInterface* LoadDefaultMaterial() const;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
};
