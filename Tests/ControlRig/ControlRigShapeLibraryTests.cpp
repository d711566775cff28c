#include "Assets/AssetFiles.h"
#include "ControlRig/ControlRigShapeLibrary.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Level/Rotator.h"
#include "Materials/Material.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace
{
	constexpr std::string_view DefaultLibraryPath = "/ControlRig/Controls/DefaultGizmoLibraryNormalized.DefaultGizmoLibraryNormalized";

	std::string ShapeFields(std::string_view Name, std::string_view Mesh)
	{
		return "{\"shapeName\":\"" + std::string(Name) + "\",\"staticMesh\":\"" + std::string(Mesh) + "\"}";
	}

	class ControlRigShapeLibraryTests : public ::testing::Test
	{
	protected:
		ControlRigShapeLibraryTests()
		{
			// Two project libraries: A with its own circle, B with a shape A lacks.
			WriteAsset(Editor.Project(), "Rigs/LibA", UControlRigShapeLibrary::StaticClassPath, {},
				"\"defaultShape\":" + ShapeFields("Fallback", "/Engine/BasicShapes/Cube.Cube") + ",\"shapes\":[" +
					ShapeFields("Circle_Thin", "/Engine/BasicShapes/Sphere.Sphere") + "," + ShapeFields("OnlyA", "/Engine/BasicShapes/Plane.Plane") + "]");
			WriteAsset(Editor.Project(), "Rigs/LibB", UControlRigShapeLibrary::StaticClassPath, {},
				"\"shapes\":[" + ShapeFields("OnlyB", "/Engine/BasicShapes/Cube.Cube") + "]");
		}

		static UControlRigShapeLibrary* Load(std::string_view Path) { return LoadObject<UControlRigShapeLibrary>(Path); }

		FTestEditor Editor{HostOnly()};
	};
}

TEST_F(ControlRigShapeLibraryTests, TheDefaultLibraryHoldsTheEditorsShapesAsStaticMeshesAndItsGizmoMaterial)
{
	UControlRigShapeLibrary* Library = Load(DefaultLibraryPath);
	ASSERT_NE(Library, nullptr);
	const std::array<UControlRigShapeLibrary*, 1> Libraries{Library};
	for (const char* Name : {"Default", "Circle_Thin", "Square_Thin", "Box_Thin", "Sphere_Solid", "Arrow_Thin", "Diamond_Thin"})
	{
		const FControlRigShapeDefinition* Shape = UControlRigShapeLibrary::GetShapeByName(Name, Libraries, false);
		ASSERT_NE(Shape, nullptr) << Name;
		EXPECT_EQ(Shape->ShapeName, Name);
		const UStaticMesh* Mesh = Shape->LoadStaticMesh();
		ASSERT_NE(Mesh, nullptr) << Name;
		// Normalised to a unit: the largest half extent about the control is one, give or take a line's thickness.
		const FBoxSphereBounds Bounds = Mesh->GetBounds();
		const double Reach = std::max({std::fabs(Bounds.Origin.X) + Bounds.BoxExtent.X, std::fabs(Bounds.Origin.Y) + Bounds.BoxExtent.Y,
			std::fabs(Bounds.Origin.Z) + Bounds.BoxExtent.Z});
		EXPECT_NEAR(Reach, 1.0, 0.06) << Name;
	}
	EXPECT_EQ(Library->DefaultShape.ShapeName, "Default");
	EXPECT_NE(Library->LoadDefaultMaterial(), nullptr);
	EXPECT_EQ(Library->MaterialColorParameter, "Color");

	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("NoSuchShape", Libraries), &Library->DefaultShape);
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("NoSuchShape", Libraries, false), nullptr);
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("", Libraries, false), nullptr);
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("DefaultGizmoLibraryNormalized.Box_Thin", Libraries, false)->ShapeName, "Box_Thin");
}

TEST_F(ControlRigShapeLibraryTests, NamesAreLookedUpInLibraryOrderAndALibraryPrefixLooksInThatLibraryOnly)
{
	UControlRigShapeLibrary* A = Load("/Game/Rigs/LibA.LibA");
	UControlRigShapeLibrary* B = Load("/Game/Rigs/LibB.LibB");
	UControlRigShapeLibrary* Normalized = Load(DefaultLibraryPath);
	ASSERT_TRUE(A != nullptr && B != nullptr && Normalized != nullptr);
	const std::vector<UControlRigShapeLibrary*> Libraries{nullptr, A, B, Normalized};

	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("Circle_Thin", Libraries)->StaticMeshPath, "/Engine/BasicShapes/Sphere.Sphere") << "the first library that has it";
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("OnlyB", Libraries)->StaticMeshPath, "/Engine/BasicShapes/Cube.Cube");
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("Square_Thin", Libraries)->ShapeName, "Square_Thin");
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("DefaultGizmoLibraryNormalized.Circle_Thin", Libraries)->StaticMeshPath,
		"/ControlRig/Controls/Shapes/Circle_Thin.Circle_Thin");
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("LibA.Fallback", Libraries, false), &A->DefaultShape) << "a default shape is found by its name";

	// Not found, or not in the library the prefix names: the first library's default shape.
	for (const char* Missing : {"NoSuchShape", "LibB.Circle_Thin", "NoSuchLibrary.Circle_Thin", "LibA."})
	{
		EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName(Missing, Libraries), &A->DefaultShape) << Missing;
		EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName(Missing, Libraries, false), nullptr) << Missing;
	}
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("Circle_Thin", std::span<UControlRigShapeLibrary* const>()), nullptr);
	const std::vector<UControlRigShapeLibrary*> OnlyNull{nullptr};
	EXPECT_EQ(UControlRigShapeLibrary::GetShapeByName("Circle_Thin", OnlyNull), nullptr);

	// B has no default shape of its own: its default is empty and draws nothing.
	const std::vector<UControlRigShapeLibrary*> BFirst{B, A};
	const FControlRigShapeDefinition* Fallback = UControlRigShapeLibrary::GetShapeByName("NoSuchShape", BFirst);
	ASSERT_EQ(Fallback, &B->DefaultShape);
	EXPECT_EQ(Fallback->LoadStaticMesh(), nullptr);
	EXPECT_EQ(B->LoadDefaultMaterial(), nullptr);
}

TEST_F(ControlRigShapeLibraryTests, AssetFieldsSaveAsTheyLoadAndBadFieldsFailWithoutChangingTheLibrary)
{
	UControlRigShapeLibrary* Original = Load(DefaultLibraryPath);
	ASSERT_NE(Original, nullptr);
	FJsonObject Saved;
	Original->SaveAssetFields(Saved);
	auto* Copy = NewObject<UControlRigShapeLibrary>();
	std::string Error;
	ASSERT_TRUE(Copy->LoadAssetFields(Saved, Error)) << Error;
	FJsonObject Again;
	Copy->SaveAssetFields(Again);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(Saved), FJsonSerializer::SerializeCondensed(Again));
	EXPECT_EQ(Copy->Shapes.size(), Original->Shapes.size());
	EXPECT_EQ(Copy->DefaultMaterialPath, Original->DefaultMaterialPath);

	// A transform reads back as it was written.
	auto* Turned = NewObject<UControlRigShapeLibrary>();
	Turned->Shapes.push_back({"Turned", "/Engine/BasicShapes/Cube.Cube", {FRotator{0.0, 90.0, 0.0}.Quaternion(), {1.0, 2.0, 3.0}, {4.0, 4.0, 4.0}}});
	FJsonObject TurnedFields;
	Turned->SaveAssetFields(TurnedFields);
	auto* TurnedCopy = NewObject<UControlRigShapeLibrary>();
	ASSERT_TRUE(TurnedCopy->LoadAssetFields(TurnedFields, Error)) << Error;
	ASSERT_EQ(TurnedCopy->Shapes.size(), 1u);
	const FTransform& Transform = TurnedCopy->Shapes.front().Transform;
	EXPECT_EQ(Transform.Translation, (FVector{1.0, 2.0, 3.0}));
	EXPECT_EQ(Transform.Scale3D, (FVector{4.0, 4.0, 4.0}));
	EXPECT_TRUE(Transform.Rotation.Equals(FRotator{0.0, 90.0, 0.0}.Quaternion(), 1e-9));

	const std::pair<const char*, const char*> BadFields[] = {
		{R"({"shapes":{}})", "\"shapes\" is not an array"},
		{R"({"shapes":[{"staticMesh":"/Engine/BasicShapes/Cube.Cube"}]})", "shape 0 needs a \"shapeName\""},
		{R"({"shapes":[{"shapeName":"A"},{"shapeName":""}]})", "shape 1 needs a \"shapeName\""},
		{R"({"shapes":[{"shapeName":"A","staticMesh":3}]})", "the \"staticMesh\" of shape A is not an object path"},
		{R"({"shapes":[{"shapeName":"A","transform":[]}]})", "\"transform\" is not an object"},
		{R"({"defaultShape":"Default"})", "the default shape needs a \"shapeName\""},
		{R"({"defaultMaterial":7})", "\"defaultMaterial\" is not a text"},
	};
	for (const auto& [Text, Expected] : BadFields)
	{
		const std::shared_ptr<FJsonObject> Fields = FJsonSerializer::DeserializeObject(Text);
		ASSERT_NE(Fields, nullptr) << Text;
		std::string BadError;
		EXPECT_FALSE(Copy->LoadAssetFields(*Fields, BadError)) << Text;
		EXPECT_EQ(BadError, Expected) << Text;
		EXPECT_EQ(Copy->Shapes.size(), Original->Shapes.size()) << Text;
		EXPECT_EQ(Copy->DefaultShape.ShapeName, "Default") << Text;
	}
}
