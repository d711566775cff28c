#pragma once

#include "Level/MeshComponent.h"

class UStaticMesh;

/** Draws a static mesh at the component's transform. */
class UStaticMeshComponent : public UMeshComponent
{
	DECLARE_ENGINE_CLASS(UStaticMeshComponent, UMeshComponent, "/Script/Engine.StaticMeshComponent")

public:
	bool SetStaticMesh(UStaticMesh* NewMesh);
	UStaticMesh* GetStaticMesh() const { return StaticMesh; }
	int32_t GetNumMaterials() const override;
	UMaterialInterface* GetMaterial(int32_t ElementIndex) const override;

protected:
	int32_t CreateScenePrimitive(FSceneInterface& InScene) override;
	FBoxSphereBounds CalcBounds(const FTransform& LocalToWorld) const override;

private:
	UStaticMesh* StaticMesh = nullptr;
};
