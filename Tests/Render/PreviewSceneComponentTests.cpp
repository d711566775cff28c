#include "Assets/AssetFiles.h"
#include "Level/Actor.h"
#include "Level/PointLightComponent.h"
#include "Level/PoseableMeshComponent.h"
#include "Level/StaticMeshComponent.h"
#include "Materials/MaterialTestGraphs.h"
#include "Meshes/SkeletalMesh.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/PreviewScene.h"
#include "Render/RenderTestSupport.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace RenderTestSupport;

namespace
{
	constexpr int32_t ImageSize = 64;
	const FColor Black{0, 0, 0, 255};

	FTransform At(const FVector& Location, double Scale = 1.0)
	{
		return {FQuat::Identity(), Location, FVector{Scale, Scale, Scale}};
	}

	class PreviewSceneComponents : public ::testing::Test
	{
	protected:
		FTestEditor Editor{DemoProjectOptions()};
		FScopedShaderMaps ShaderMaps;

		UMaterial* UnlitMaterial(std::string_view Path, const FLinearColor& Color)
		{
			UMaterial* Material = MaterialTestGraphs::NewAsset<UMaterial>(Path);
			ShaderMaps.Set(Material, ConstantColorShaderMap(Color, true));
			return Material;
		}

		static UStaticMeshComponent* NewMeshComponent(std::string_view MeshPath)
		{
			auto* Component = NewObject<UStaticMeshComponent>();
			EXPECT_TRUE(Component->SetStaticMesh(LoadObject<UStaticMesh>(MeshPath)));
			return Component;
		}
	};
}

TEST_F(PreviewSceneComponents, APoseableMeshPosedDifferentlyRendersDifferentlyAndItsBoundsFollowThePose)
{
	auto* Mesh = LoadObject<USkeletalMesh>("/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin");
	ASSERT_NE(Mesh, nullptr);
	FPreviewScene Scene;
	auto* Poseable = NewObject<UPoseableMeshComponent>();
	Poseable->SetSkinnedAssetAndUpdate(Mesh);
	Scene.AddComponent(Poseable, FTransform::Identity());
	const FBoxSphereBounds Rest = Poseable->GetBounds();
	// The mannequin stands 180 cm tall with its arms out along X.
	EXPECT_NEAR(Rest.Origin.Z, 90.0, 5.0);
	EXPECT_GT(Rest.BoxExtent.X, 75.0);
	// In front of it (it faces +Y), near enough for the arm to be a few pixels thick.
	const FVector Camera{0.0, 250.0, 100.0};
	const FVector Target{0.0, 0.0, 90.0};
	constexpr int32_t Size = 128;
	const FImage RestImage = RenderPreviewScene(Scene, Camera, Target, Size);
	ASSERT_EQ(RestImage.Pixels.size(), static_cast<std::size_t>(Size * Size));

	// The left upper arm turned down about Y: the forearm and hand follow it.
	const FTransform RestArm = Poseable->GetBoneTransformByName("upperarm_l", EBoneSpaces::WorldSpace);
	const FVector RestHand = Poseable->GetBoneTransformByName("hand_l", EBoneSpaces::WorldSpace).Translation;
	FTransform Lowered = RestArm;
	Lowered.Rotation = FQuat::FromAxisAngle({0.0, 1.0, 0.0}, std::numbers::pi / 2.0) * RestArm.Rotation;
	Poseable->SetBoneTransformByName("upperarm_l", Lowered, EBoneSpaces::WorldSpace);
	const FVector LoweredHand = Poseable->GetBoneTransformByName("hand_l", EBoneSpaces::WorldSpace).Translation;
	const double ArmToHand = RestHand.X - RestArm.Translation.X;
	EXPECT_NEAR(LoweredHand.X, RestArm.Translation.X, 0.01);
	EXPECT_NEAR(LoweredHand.Z, RestArm.Translation.Z - ArmToHand, 0.01);

	EXPECT_EQ(Poseable->GetBounds().BoxExtent.X, Rest.BoxExtent.X) << "the bounds change once the component is updated";
	Poseable->UpdateComponentToWorld();
	EXPECT_LT(Poseable->GetBounds().BoxExtent.X, Rest.BoxExtent.X - 20.0);
	EXPECT_LT(Poseable->GetBounds().Origin.X, Rest.Origin.X - 10.0);
	const FImage LoweredImage = RenderPreviewScene(Scene, Camera, Target, Size);
	EXPECT_GT(CountDifferentPixels(RestImage, LoweredImage, 8), 150);

	// Back in the reference pose the picture is the first one again; a name the mesh lacks and a
	// transform that is not finite change nothing.
	Poseable->SetBoneTransformByName("upperarm_l", RestArm, EBoneSpaces::WorldSpace);
	Poseable->SetBoneTransformByName("no_such_bone", Lowered, EBoneSpaces::WorldSpace);
	FTransform NotFinite = Lowered;
	NotFinite.Translation.X = std::nan("");
	Poseable->SetBoneTransformByName("hand_l", NotFinite, EBoneSpaces::ComponentSpace);
	Poseable->MarkRenderDynamicDataDirty();
	EXPECT_EQ(CountDifferentPixels(RestImage, RenderPreviewScene(Scene, Camera, Target, Size), 0), 0);
	EXPECT_EQ(Poseable->GetBoneTransformByName("no_such_bone", EBoneSpaces::WorldSpace).Translation, FVector::ZeroVector());
}

TEST_F(PreviewSceneComponents, WorldSpaceBonesAreRelativeToWhereTheComponentStands)
{
	auto* Mesh = LoadObject<USkeletalMesh>("/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin");
	ASSERT_NE(Mesh, nullptr);
	FPreviewScene Scene;
	auto* Poseable = NewObject<UPoseableMeshComponent>();
	Poseable->SetSkinnedAssetAndUpdate(Mesh);
	FTransform Placed = At({100.0, 0.0, 0.0});
	Placed.Rotation = FQuat::FromAxisAngle({0.0, 0.0, 1.0}, std::numbers::pi / 2.0);
	Scene.AddComponent(Poseable, Placed);
	const FTransform HeadInComponent = Poseable->GetBoneTransformByName("head", EBoneSpaces::ComponentSpace);
	const FVector HeadInWorld = Poseable->GetBoneTransformByName("head", EBoneSpaces::WorldSpace).Translation;
	const FVector Expected = Placed.TransformPosition(HeadInComponent.Translation);
	EXPECT_NEAR(HeadInWorld.X, Expected.X, 1e-6);
	EXPECT_NEAR(HeadInWorld.Y, Expected.Y, 1e-6);
	EXPECT_NEAR(HeadInWorld.Z, Expected.Z, 1e-6);
	EXPECT_NEAR(Poseable->GetBounds().Origin.X, 100.0, 5.0) << "the bounds are the placed mesh's";

	FTransform Raised = Poseable->GetBoneTransformByName("head", EBoneSpaces::WorldSpace);
	Raised.Translation.Z += 30.0;
	Poseable->SetBoneTransformByName("head", Raised, EBoneSpaces::WorldSpace);
	EXPECT_NEAR(Poseable->GetBoneTransformByName("head", EBoneSpaces::ComponentSpace).Translation.Z, HeadInComponent.Translation.Z + 30.0, 1e-6);

	// Placed in the world while attached to a turned, scaled parent: its world transform is the one asked for.
	auto* Parent = NewObject<UStaticMeshComponent>();
	Parent->SetRelativeTransform({FQuat::FromAxisAngle({0.0, 0.0, 1.0}, 0.7), {10.0, -20.0, 5.0}, {2.0, 2.0, 2.0}});
	ASSERT_TRUE(Poseable->SetupAttachment(Parent));
	const FTransform Wanted{FQuat::FromAxisAngle({1.0, 0.0, 0.0}, 0.3), {-40.0, 15.0, 60.0}, {1.5, 1.5, 1.5}};
	Poseable->SetWorldTransform(Wanted);
	const FTransform Got = Poseable->GetComponentTransform();
	EXPECT_NEAR((Got.Translation - Wanted.Translation).Size(), 0.0, 1e-6);
	EXPECT_NEAR((Got.Scale3D - Wanted.Scale3D).Size(), 0.0, 1e-9);
	EXPECT_TRUE(Got.Rotation.Equals(Wanted.Rotation, 1e-9));
	EXPECT_NEAR(Poseable->GetBounds().Origin.X, -40.0, 5.0) << "placing updates the bounds";
}

TEST_F(PreviewSceneComponents, AStaticMeshDrawsWhileVisibleAndInTheSceneAndNotOnceHiddenRemovedOrDestroyed)
{
	UMaterial* Red = UnlitMaterial("/Game/M_Red", {1.0f, 0.0f, 0.0f, 1.0f});
	FPreviewScene Scene;
	UStaticMeshComponent* Cube = NewMeshComponent("/Engine/BasicShapes/Cube.Cube");
	ASSERT_EQ(Cube->GetNumMaterials(), 1);
	Cube->SetMaterial(0, Red);
	Cube->SetMaterial(1, Red);
	EXPECT_EQ(Cube->GetMaterial(0), Red);
	EXPECT_EQ(Cube->GetMaterial(1), nullptr) << "a slot the mesh lacks keeps no override";
	Scene.AddComponent(Cube, At({0.0, 0.0, 50.0}));
	EXPECT_NEAR(Cube->GetBounds().Origin.Z, 50.0, 1e-6);
	EXPECT_NEAR(Cube->GetBounds().BoxExtent.X, 50.0, 1e-3);

	const FVector Camera{300.0, -300.0, 200.0};
	const FVector Target{0.0, 0.0, 50.0};
	const auto CentreOf = [&]() { return RenderPreviewScene(Scene, Camera, Target, ImageSize).At(ImageSize / 2, ImageSize / 2); };
	EXPECT_EQ(CentreOf(), (FColor{0, 0, 255, 255}));

	Cube->SetVisibility(false);
	EXPECT_FALSE(Cube->HasScenePrimitive());
	EXPECT_EQ(CentreOf(), Black);
	Cube->SetVisibility(true);
	EXPECT_EQ(CentreOf(), (FColor{0, 0, 255, 255}));

	// Put back its own material (the engine's default material, which the tests give no shader: the lit grid).
	Cube->SetMaterial(0, nullptr);
	EXPECT_NE(Cube->GetMaterial(0), nullptr);
	const FColor Grid = CentreOf();
	EXPECT_EQ(Grid.R, Grid.B);
	EXPECT_GT(Grid.R, 20);

	Scene.RemoveComponent(Cube);
	EXPECT_EQ(Cube->GetScene(), nullptr);
	EXPECT_EQ(CentreOf(), Black);

	Scene.AddComponent(Cube, At({0.0, 0.0, 50.0}, 0.5));
	EXPECT_NEAR(Cube->GetBounds().BoxExtent.X, 25.0, 1e-3);
	EXPECT_NE(CentreOf(), Black);
	Cube->MarkAsGarbage();
	CollectGarbage();
	EXPECT_EQ(CentreOf(), Black) << "a destroyed component takes its primitive with it";
	Scene.RemoveComponent(nullptr);
}

TEST_F(PreviewSceneComponents, ComponentsOutlivingTheirSceneLeaveItAndHiddenChildrenFollowTheirParent)
{
	UStaticMeshComponent* Survivor = NewMeshComponent("/Engine/BasicShapes/Sphere.Sphere");
	{
		FPreviewScene Scene;
		Scene.AddComponent(Survivor, FTransform::Identity());
		EXPECT_TRUE(Survivor->HasScenePrimitive());
	}
	EXPECT_EQ(Survivor->GetScene(), nullptr);
	EXPECT_FALSE(Survivor->HasScenePrimitive());

	// A component another scene took since is left where it is when the first scene ends.
	FPreviewScene Second;
	{
		FPreviewScene First;
		First.AddComponent(Survivor, FTransform::Identity());
		Second.AddComponent(Survivor, FTransform::Identity());
	}
	EXPECT_EQ(Survivor->GetScene(), Second.GetScene());
	EXPECT_EQ(Second.GetScene()->GetStaticMeshes().size(), 1u);

	// Hiding a component with its children hides the owner's components attached below it.
	auto* Actor = NewObject<AActor>();
	auto* Parent = Cast<UStaticMeshComponent>(Actor->AddComponent(UStaticMeshComponent::StaticClass(), "Parent"));
	auto* Child = Cast<UStaticMeshComponent>(Actor->AddComponent(UStaticMeshComponent::StaticClass(), "Child"));
	auto* Unrelated = Cast<UStaticMeshComponent>(Actor->AddComponent(UStaticMeshComponent::StaticClass(), "Unrelated"));
	ASSERT_TRUE(Parent != nullptr && Child != nullptr && Unrelated != nullptr);
	ASSERT_TRUE(Child->SetupAttachment(Parent));
	Parent->SetVisibility(false, true);
	EXPECT_FALSE(Child->IsVisible());
	EXPECT_TRUE(Unrelated->IsVisible());
	Parent->SetVisibility(true);
	EXPECT_FALSE(Child->IsVisible()) << "without propagation the children keep theirs";
}
