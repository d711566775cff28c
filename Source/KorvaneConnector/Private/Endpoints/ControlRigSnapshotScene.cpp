#include "Endpoints/ControlRigSnapshotScene.h"

#include "ControlRig/ControlRigShapeLibrary.h"
#include "ControlRig/RigHierarchy.h"
#include "Level/PointLightComponent.h"
#include "Level/PoseableMeshComponent.h"
#include "Level/StaticMeshComponent.h"
#include "Materials/MaterialInstance.h"
#include "Meshes/SkeletalMesh.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Render/CanvasTypes.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Render/ViewMatrices.h"
#include "Textures/TextureRenderTarget2D.h"

#include <algorithm>
#include <memory>

namespace
{
	constexpr float SkyBrightness = 1.2f;
	constexpr float SunBrightness = 3.5f;
	constexpr FRotator SunRotation{-40.0, -67.5, 0.0};
	constexpr float SunSourceAngle = 3.0f;
	constexpr float SunSoftSourceAngle = 8.0f;

	constexpr float FieldOfViewDegrees = 60.0f;
	constexpr FLinearColor BackgroundColor{0.05f, 0.05f, 0.06f, 1.0f};

	/** Unitless, the units a point light component made at run time starts in (625 to a candela). */
	constexpr float KeyLightIntensity = 12000.0f;
	constexpr float FillLightIntensity = 8000.0f;
	/** The lights stand this many camera distances from the mesh. */
	constexpr double LightDistanceScale = 1.5;
	constexpr double LightAttenuationScale = 6.0;
	constexpr double LightSourceRadiusScale = 0.12;
	constexpr double LightSoftSourceRadiusScale = 0.3;

	constexpr std::string_view GroundPlaneMeshPath = "/Engine/BasicShapes/Plane.Plane";
	/** The plane mesh is a metre across: six camera distances of ground, never less than four metres. */
	constexpr double GroundSizeScale = 6.0 * 0.01;
	constexpr double MinGroundScale = 4.0;
	/** The ground sits this far below the mesh's lowest point. */
	constexpr double GroundGap = 0.5;

	FPreviewScene::ConstructionValues SnapshotSceneValues()
	{
		return FPreviewScene::ConstructionValues().SetSkyBrightness(SkyBrightness).SetLightBrightness(SunBrightness).SetLightRotation(SunRotation);
	}

	FTransform MakeTranslation(const FVector& Location)
	{
		FTransform Transform;
		Transform.Translation = Location;
		return Transform;
	}

	/** The library whose default shape or shape list holds Shape. */
	const UControlRigShapeLibrary* FindOwningLibrary(const FControlRigShapeDefinition& Shape, std::span<UControlRigShapeLibrary* const> Libraries)
	{
		for (const UControlRigShapeLibrary* Library : Libraries)
		{
			if (Library == nullptr)
			{
				continue;
			}
			const bool bInShapes = !Library->Shapes.empty() && &Shape >= Library->Shapes.data() && &Shape < Library->Shapes.data() + Library->Shapes.size();
			if (bInShapes || &Shape == &Library->DefaultShape)
			{
				return Library;
			}
		}
		return nullptr;
	}
}

template <typename T>
T* FControlRigSnapshotScene::AddComponent(const FTransform& LocalToWorld)
{
	T* const Component = NewObject<T>(GetTransientPackage());
	if (Component != nullptr)
	{
		Scene.AddComponent(Component, LocalToWorld);
		Components.push_back(Component);
	}
	return Component;
}

FControlRigSnapshotScene::FControlRigSnapshotScene(USkeletalMesh& PreviewMesh) : Scene(SnapshotSceneValues())
{
	FDirectionalLight& Sun = Scene.GetDirectionalLight();
	Sun.SetLightSourceAngle(SunSourceAngle);
	Sun.SetLightSourceSoftAngle(SunSoftSourceAngle);

	PoseableMesh = AddComponent<UPoseableMeshComponent>(FTransform::Identity());
	if (PoseableMesh != nullptr)
	{
		PoseableMesh->SetSkinnedAssetAndUpdate(&PreviewMesh);
		PoseableMesh->UpdateComponentToWorld();
		PoseableMesh->RecreateRenderState_Concurrent();
	}
}

FControlRigSnapshotScene::~FControlRigSnapshotScene()
{
	for (USceneComponent* Component : Components)
	{
		Scene.RemoveComponent(Component);
		Component->MarkAsGarbage();
	}
	for (UObject* Material : Materials)
	{
		Material->MarkAsGarbage();
	}
}

int32_t FControlRigSnapshotScene::PoseBones(const URigHierarchy& Hierarchy)
{
	int32_t BonesPosed = 0;
	for (const FRigElementKey& Bone : Hierarchy.GetAllKeys(true, ERigElementType::Bone))
	{
		if (PoseableMesh != nullptr)
		{
			PoseableMesh->SetBoneTransformByName(Bone.Name, Hierarchy.GetGlobalTransform(Bone, false), EBoneSpaces::WorldSpace);
		}
		++BonesPosed;
	}
	if (PoseableMesh != nullptr)
	{
		PoseableMesh->UpdateComponentToWorld();
		PoseableMesh->MarkRenderDynamicDataDirty();
		PoseableMesh->MarkRenderStateDirty();
		PoseableMesh->RecreateRenderState_Concurrent();
	}
	FlushRenderingCommands();
	return BonesPosed;
}

int32_t FControlRigSnapshotScene::AddControlShapes(const URigHierarchy& Hierarchy, std::span<UControlRigShapeLibrary* const> Libraries)
{
	int32_t ShapesAdded = 0;
	for (const FRigElementKey& Key : Hierarchy.GetAllKeys(true, ERigElementType::Control))
	{
		const FRigBaseElement* const Control = Hierarchy.Find(Key);
		if (Control == nullptr || !Control->ControlSettings.bShapeVisible)
		{
			continue;
		}
		const FControlRigShapeDefinition* const Shape = UControlRigShapeLibrary::GetShapeByName(Control->ControlSettings.ShapeName, Libraries, true);
		UStaticMesh* const ShapeMesh = Shape != nullptr ? Shape->LoadStaticMesh() : nullptr;
		if (ShapeMesh == nullptr)
		{
			continue;
		}
		const FTransform ShapeToWorld = Shape->Transform * Hierarchy.GetControlShapeTransform(Control, ERigTransformType::CurrentGlobal);
		UStaticMeshComponent* const Component = AddComponent<UStaticMeshComponent>(ShapeToWorld);
		if (Component == nullptr)
		{
			continue;
		}
		Component->SetStaticMesh(ShapeMesh);
		const UControlRigShapeLibrary* const Library = FindOwningLibrary(*Shape, Libraries);
		UMaterialInterface* const ShapeMaterial = Library != nullptr ? Library->LoadDefaultMaterial() : nullptr;
		if (ShapeMaterial != nullptr)
		{
			if (UMaterialInstanceDynamic* const Tint = UMaterialInstanceDynamic::Create(ShapeMaterial, GetTransientPackage()))
			{
				Materials.push_back(Tint);
				Tint->SetVectorParameterValue(Library->MaterialColorParameter, Control->ControlSettings.ShapeColor);
				for (int32_t Slot = 0; Slot < Component->GetNumMaterials(); ++Slot)
				{
					Component->SetMaterial(Slot, Tint);
				}
			}
		}
		Component->UpdateComponentToWorld();
		Component->RecreateRenderState_Concurrent();
		++ShapesAdded;
	}
	FlushRenderingCommands();
	return ShapesAdded;
}

const FBoxSphereBounds& FControlRigSnapshotScene::GetMeshBounds() const
{
	static const FBoxSphereBounds NoBounds;
	return PoseableMesh != nullptr ? PoseableMesh->GetBounds() : NoBounds;
}

void FControlRigSnapshotScene::AddPointLight(const FVector& Direction, double CameraDistance, float Intensity)
{
	const FVector Location = GetMeshBounds().Origin + GetSafeNormal(Direction) * (LightDistanceScale * CameraDistance);
	UPointLightComponent* const Light = NewObject<UPointLightComponent>(GetTransientPackage());
	if (Light == nullptr)
	{
		return;
	}
	Light->SetIntensityUnits(ELightUnits::Unitless);
	Light->SetIntensity(Intensity);
	Light->SetAttenuationRadius(static_cast<float>(LightAttenuationScale * CameraDistance));
	Light->SetSourceRadius(static_cast<float>(LightSourceRadiusScale * CameraDistance));
	Light->SetSoftSourceRadius(static_cast<float>(LightSoftSourceRadiusScale * CameraDistance));
	Light->SetCastShadows(false);
	Scene.AddComponent(Light, MakeTranslation(Location));
	Components.push_back(Light);
}

void FControlRigSnapshotScene::AddLightsAndGround(double CameraDistance)
{
	AddPointLight({1.0, -1.0, 1.2}, CameraDistance, KeyLightIntensity);
	AddPointLight({-1.0, 1.0, 0.4}, CameraDistance, FillLightIntensity);

	UStaticMesh* const PlaneMesh = LoadObject<UStaticMesh>(GroundPlaneMeshPath);
	if (PlaneMesh == nullptr)
	{
		return;
	}
	const FBoxSphereBounds& Bounds = GetMeshBounds();
	const double GroundScale = std::max(CameraDistance * GroundSizeScale, MinGroundScale);
	FTransform Placement = MakeTranslation({Bounds.Origin.X, Bounds.Origin.Y, Bounds.Origin.Z - Bounds.BoxExtent.Z - GroundGap});
	Placement.Scale3D = {GroundScale, GroundScale, 1.0};
	GroundPlane = AddComponent<UStaticMeshComponent>(Placement);
	if (GroundPlane != nullptr)
	{
		GroundPlane->SetStaticMesh(PlaneMesh);
		GroundPlane->UpdateComponentToWorld();
		GroundPlane->RecreateRenderState_Concurrent();
	}
	FlushRenderingCommands();
}

std::optional<std::vector<FColor>> FControlRigSnapshotScene::RenderView(FTextureRenderTargetResource& Target, int32_t Size, const FRigSnapshotView& View,
	double CameraDistance)
{
	if (GroundPlane != nullptr)
	{
		GroundPlane->SetVisibility(View.Name != "bottom");
		GroundPlane->RecreateRenderState_Concurrent();
		FlushRenderingCommands();
	}

	const FVector Origin = GetMeshBounds().Origin;
	const FGameTime Time = FGameTime::GetTimeSinceAppStart();
	FCanvas Canvas(&Target, nullptr, Time, GMaxRHIFeatureLevel);
	Canvas.Clear(BackgroundColor);

	FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(&Target, Scene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
	auto SceneView = std::make_unique<FSceneView>();
	SceneView->UnscaledViewRect = FIntRect{{0, 0}, {Size, Size}};
	SceneView->ViewLocation = Origin + View.Direction * CameraDistance;
	SceneView->ViewRotation = MakeLookAtRotation(SceneView->ViewLocation, Origin);
	SceneView->FOV = FieldOfViewDegrees;
	SceneView->NearClippingDistance = GNearClippingPlane;
	ViewFamily.AddView(std::move(SceneView));

	GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
	Canvas.Flush_GameThread();
	FlushRenderingCommands();

	std::vector<FColor> Pixels;
	if (!Target.ReadPixels(Pixels))
	{
		return std::nullopt;
	}
	return Pixels;
}
