#include "Render/ThumbnailHelpers.h"

#include "Materials/Material.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/RenderLog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
	/** The editor's default material thumbnail orbit (degrees, centimetres). */
	constexpr float DefaultOrbitPitch = -11.25f;
	constexpr float DefaultOrbitYaw = -157.5f;
	constexpr float DefaultOrbitZoom = 0.0f;
	/** Room around the bounds so that perspective does not cut the mesh. */
	constexpr float BoundsMultiplier = 1.15f;

	constexpr std::string_view SpherePath = "/Engine/BasicShapes/Sphere.Sphere";
	constexpr std::string_view PlanePath = "/Engine/BasicShapes/Plane.Plane";

	/** The mesh's bounds box moved by the transform: the box around its eight moved corners. */
	FBox TransformedBox(const FBoxSphereBounds& Bounds, const FTransform& Transform)
	{
		FBox Box;
		for (int Corner = 0; Corner < 8; ++Corner)
		{
			const FVector Sign{Corner & 1 ? 1.0 : -1.0, Corner & 2 ? 1.0 : -1.0, Corner & 4 ? 1.0 : -1.0};
			Box.Add(Transform.TransformPosition(Bounds.Origin + Bounds.BoxExtent * Sign));
		}
		return Box;
	}
}

FMaterialThumbnailScene::FMaterialThumbnailScene() = default;

void FMaterialThumbnailScene::SetMaterialInterface(UMaterialInterface* InMaterial)
{
	Material = InMaterial;
	const UMaterial* BaseMaterial = InMaterial != nullptr ? InMaterial->GetMaterial() : nullptr;
	bIsUIMaterial = BaseMaterial != nullptr && BaseMaterial->MaterialDomain == MD_UI;

	// User-interface materials are shown on a plane facing the camera, everything else on the preview sphere.
	const std::string_view MeshPath = bIsUIMaterial ? PlanePath : SpherePath;
	const UStaticMesh* Mesh = LoadObject<UStaticMesh>(MeshPath);
	if (Mesh == nullptr)
	{
		UE_LOG(LogRenderer, Warning, "Renderer: the preview mesh %.*s cannot be loaded; the material thumbnail shows no mesh", static_cast<int>(MeshPath.size()), MeshPath.data());
	}
	FTransform Transform;
	if (bIsUIMaterial)
	{
		// The plane faces +Z; pitching it up by 90° and turning it toward the orbit camera shows its front, upright.
		Transform.Rotation = FRotator{90.0, 90.0 - DefaultOrbitYaw, 0.0}.Quaternion();
	}
	BoundsSphereRadius = 0.0f;
	BoundsZOffset = 0.0f;
	if (Mesh != nullptr)
	{
		const FBoxSphereBounds Bounds = Mesh->GetBounds();
		const FBox Box = TransformedBox(Bounds, Transform);
		BoundsSphereRadius = static_cast<float>(Bounds.SphereRadius);
		// Centre the mesh on the world origin and stand it just above the ground, as thumbnails do.
		BoundsZOffset = static_cast<float>(Box.GetExtent().Z + 1.0);
		Transform.Translation = -Box.GetCenter() + FVector{0.0, 0.0, BoundsZOffset};
	}

	FStaticMeshPrimitive Primitive;
	Primitive.StaticMesh = Mesh;
	Primitive.LocalToWorld = Transform;
	Primitive.OverrideMaterials.assign(Mesh != nullptr ? std::max<std::size_t>(Mesh->GetStaticMaterials().size(), 1) : 1, InMaterial);
	if (PreviewPrimitive)
	{
		Scene.RemovePrimitive(*PreviewPrimitive);
	}
	PreviewPrimitive = Scene.AddStaticMesh(std::move(Primitive));
}

void FMaterialThumbnailScene::GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const
{
	// Fit the bounds sphere (with some room) into the field of view: tan(half FOV) = half size / distance.
	const float HalfFOVRadians = InFOVDegrees * std::numbers::pi_v<float> / 360.0f;
	const float HalfMeshSize = BoundsSphereRadius * BoundsMultiplier;
	const float TargetDistance = HalfMeshSize / std::tan(HalfFOVRadians);
	OutOrigin = FVector{0.0, 0.0, -static_cast<double>(BoundsZOffset)};
	OutOrbitPitch = bIsUIMaterial ? 0.0f : DefaultOrbitPitch;
	OutOrbitYaw = DefaultOrbitYaw;
	OutOrbitZoom = TargetDistance + DefaultOrbitZoom;
}
