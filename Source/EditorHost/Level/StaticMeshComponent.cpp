#include "Level/StaticMeshComponent.h"

#include "Materials/Material.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/SceneInterface.h"

#include <algorithm>
#include <cmath>

namespace
{
	/** The mesh's bounds carried by the transform: the box around its eight moved corners, the sphere scaled by the largest scale. */
	FBoxSphereBounds TransformBounds(const FBoxSphereBounds& Local, const FTransform& LocalToWorld)
	{
		FBox Box;
		for (const double X : {-1.0, 1.0})
		{
			for (const double Y : {-1.0, 1.0})
			{
				for (const double Z : {-1.0, 1.0})
				{
					Box.Add(LocalToWorld.TransformPosition(Local.Origin + Local.BoxExtent * FVector{X, Y, Z}));
				}
			}
		}
		const FVector& Scale = LocalToWorld.Scale3D;
		const double MaxScale = std::max({std::fabs(Scale.X), std::fabs(Scale.Y), std::fabs(Scale.Z)});
		const FVector Extent = Box.GetExtent();
		return {Box.GetCenter(), Extent, std::min(Local.SphereRadius * MaxScale, Extent.Size())};
	}
}

bool UStaticMeshComponent::SetStaticMesh(UStaticMesh* NewMesh)
{
	if (NewMesh == StaticMesh)
	{
		return false;
	}
	StaticMesh = NewMesh;
	UpdateComponentToWorld();
	return true;
}

int32_t UStaticMeshComponent::GetNumMaterials() const
{
	return StaticMesh != nullptr ? static_cast<int32_t>(StaticMesh->GetStaticMaterials().size()) : 0;
}

UMaterialInterface* UStaticMeshComponent::GetMaterial(int32_t ElementIndex) const
{
	if (UMaterialInterface* Override = Super::GetMaterial(ElementIndex))
	{
		return Override;
	}
	if (StaticMesh == nullptr || ElementIndex < 0 || ElementIndex >= GetNumMaterials())
	{
		return nullptr;
	}
	const std::string& Path = StaticMesh->GetStaticMaterials()[static_cast<std::size_t>(ElementIndex)].MaterialInterfacePath;
	return Path.empty() ? nullptr : LoadObject<UMaterialInterface>(Path);
}

int32_t UStaticMeshComponent::CreateScenePrimitive(FSceneInterface& InScene)
{
	if (StaticMesh == nullptr)
	{
		return 0;
	}
	return InScene.AddStaticMesh({StaticMesh, GetComponentTransform(), OverrideMaterials});
}

FBoxSphereBounds UStaticMeshComponent::CalcBounds(const FTransform& LocalToWorld) const
{
	return StaticMesh != nullptr ? TransformBounds(StaticMesh->GetBounds(), LocalToWorld) : Super::CalcBounds(LocalToWorld);
}
