#pragma once

#include "Level/PrimitiveComponent.h"

#include <vector>

class UMaterialInterface;

/** A primitive that draws a mesh, with a material per slot that overrides the mesh's own. */
class UMeshComponent : public UPrimitiveComponent
{
	DECLARE_ENGINE_CLASS(UMeshComponent, UPrimitiveComponent, "/Script/Engine.MeshComponent")

public:
	/** The number of material slots of the mesh drawn. */
	virtual int32_t GetNumMaterials() const { return 0; }
	/** Overrides the material of a slot (nullptr puts the mesh's own back); slots past the mesh's are ignored. */
	void SetMaterial(int32_t ElementIndex, UMaterialInterface* Material);
	/** The slot's material: the override, else the mesh's; nullptr when neither. */
	virtual UMaterialInterface* GetMaterial(int32_t ElementIndex) const;

protected:
	std::vector<UMaterialInterface*> OverrideMaterials;
};
