#include "Connector/ControlRigHttpTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace
{
	class ControlRigHierarchyOverHttp : public ControlRigRouteTest
	{
	protected:
		std::shared_ptr<FJsonObject> Hierarchy(std::string_view Path) { return PostPath("/korvane/controlrigs/hierarchy", Path); }
	};

	/**
	 * One skinned triangle (1 m) on three bones: Hips 1 m up and turned 90° about the up axis, Spine
	 * half a metre along Hips' X, Leg_L below. Its skeleton has only Hips and Spine.
	 */
	void WriteTurnedHipsMesh(const FTestProject& Project)
	{
		Project.WriteFile("Content/Tests/TurnedHips.gltf", R"({"asset":{"version":"2.0"},
			"buffers":[{"byteLength":104,"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAAAAAEAAAACAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAAAAAAAAAAAAIA/AAAAAAAAAAAAAAAAAAABAAIAAAA="}],
			"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":12},{"buffer":0,"byteOffset":48,"byteLength":48},{"buffer":0,"byteOffset":96,"byteLength":6}],
			"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},{"bufferView":1,"componentType":5121,"count":3,"type":"VEC4"},
				{"bufferView":2,"componentType":5126,"count":3,"type":"VEC4"},{"bufferView":3,"componentType":5123,"count":3,"type":"SCALAR"}],
			"meshes":[{"name":"Body","primitives":[{"attributes":{"POSITION":0,"JOINTS_0":1,"WEIGHTS_0":2},"indices":3}]}],
			"nodes":[{"name":"Hips","translation":[0,1,0],"rotation":[0,0.70710678,0,0.70710678],"children":[1,2]},{"name":"Spine","translation":[0.5,0,0]},
				{"name":"Leg_L","translation":[0.1,-0.5,0]},{"name":"Body","mesh":0,"skin":0}],
			"skins":[{"joints":[0,1,2]}],"scenes":[{"nodes":[0,3]}],"scene":0})");
		Project.WriteFile("Content/Tests/TwoBones.gltf",
			R"({"asset":{"version":"2.0"},"nodes":[{"name":"Hips","children":[1]},{"name":"Spine","translation":[0.5,0,0]}],"skins":[{"joints":[0,1]}]})");
		Project.WriteFile("Content/Tests/SK_TwoBones.asset.json", R"({"class": "/Script/Engine.Skeleton", "source": "TwoBones.gltf"})");
		Project.WriteFile("Content/Tests/SKM_TurnedHips.asset.json",
			R"({"class": "/Script/Engine.SkeletalMesh", "skeleton": "/Game/Tests/SK_TwoBones.SK_TwoBones", "source": "TurnedHips.gltf"})");
	}
}

TEST_F(ControlRigHierarchyOverHttp, CatalogueListsEveryRigBlueprintUnderGameWithItsFolder)
{
	Start();
	const std::shared_ptr<FJsonObject> List = FJsonSerializer::DeserializeObject(Send("GET", "/korvane/controlrigs"));
	ASSERT_NE(List, nullptr);
	EXPECT_EQ(KeysOf(*List), (std::vector<std::string>{"controlRigs", "count"}));
	EXPECT_THAT(NamesOf(*List, "controlRigs"),
		ElementsAre("CR_Mannequin", "CR_Modular_Empty", "CR_Modular_Mannequin", "CR_NoPreviewMesh", "CR_Module_Arm", "CR_Module_Spine"));
	EXPECT_EQ(List->TryGetNumberField("count"), 6.0);
	EXPECT_EQ(ElementNamed(*List, "controlRigs", "CR_Module_Arm"),
		R"({"name":"CR_Module_Arm","path":"/Game/Rigs/Modules/CR_Module_Arm.CR_Module_Arm","packagePath":"/Game/Rigs/Modules"})");
}

TEST_F(ControlRigHierarchyOverHttp, RigAnswersBonesNullsAndControlsInTraversalOrderWithTheirInitialGlobalPose)
{
	Start();
	const std::shared_ptr<FJsonObject> Rig = Hierarchy(MannequinRigPath);
	EXPECT_EQ(KeysOf(*Rig), (std::vector<std::string>{"name", "path", "previewMesh", "morphTargets", "count", "elements"}));
	EXPECT_EQ(Rig->TryGetStringField("name"), "CR_Mannequin");
	EXPECT_EQ(Rig->TryGetStringField("previewMesh"), MannequinMeshPath);
	EXPECT_EQ(Condensed(*Rig->TryGetField("morphTargets")), R"(["Breathe","Flex_Arms"])");

	const std::vector<std::string> Names = NamesOf(*Rig, "elements");
	EXPECT_EQ(Rig->TryGetNumberField("count"), 31.0);
	ASSERT_EQ(Names.size(), 31u);
	// Depth first: the head control (under the pelvis control) comes before the next child of the root control.
	EXPECT_THAT(std::vector<std::string>(Names.begin() + 21, Names.end()), ElementsAre("world_space", "root_ctrl", "pelvis_ctrl", "head_ctrl",
		"arm_l_ik_space", "hand_l_ik_ctrl", "elbow_l_pole_ctrl", "arm_r_raise", "ik_blend", "show_pole"));

	EXPECT_EQ(ElementNamed(*Rig, "elements", "root"), R"({"name":"root","type":"Bone","position":[0,0,0],"rotation":[0,0,0,1]})");
	EXPECT_EQ(ElementNamed(*Rig, "elements", "hand_l"), R"({"name":"hand_l","type":"Bone","parent":"lowerarm_l","position":[70,0,142],"rotation":[0,0,0,1]})");
	// A control's global pose is its parent's and its offset composed; colours keep float precision and lose their alpha.
	EXPECT_EQ(ElementNamed(*Rig, "elements", "hand_l_ik_ctrl"),
		R"({"name":"hand_l_ik_ctrl","type":"Control","parent":"arm_l_ik_space","position":[42,30,118],"rotation":[0,0,0,1],)"
		R"("shapeName":"Sphere_Solid","shapeColor":[0,0.80000001192092896,1],"controlType":"EulerTransform","animationType":"AnimationControl",)"
		R"("shapeScale":[5,5,5],"shapeOffset":[0,0,0],"shapeRotation":[-0,0,0]})");
	EXPECT_EQ(ElementNamed(*Rig, "elements", "root_ctrl"),
		R"({"name":"root_ctrl","type":"Control","parent":"world_space","position":[0,0,0],"rotation":[0,0,0,1],)"
		R"("shapeName":"Circle_Thin","shapeColor":[1,0.80000001192092896,0],"controlType":"Transform","animationType":"AnimationControl",)"
		R"("shapeScale":[45,45,45],"shapeOffset":[0,0,6],"shapeRotation":[-0,0,0]})");
	// Roll, pitch, yaw, the roll of an unrolled quaternion keeping the sign the editor's rotator gives it.
	EXPECT_THAT(ElementNamed(*Rig, "elements", "arm_r_raise"), ::testing::HasSubstr(R"("shapeRotation":[-0,0,180])"));
	EXPECT_THAT(ElementNamed(*Rig, "elements", "ik_blend"), ::testing::HasSubstr(R"("controlType":"Float","animationType":"AnimationChannel")"));
}

TEST_F(ControlRigHierarchyOverHttp, CurvesReferencesConnectorsSocketsAndPhysicsAreNotListed)
{
	const std::string Path = WriteRig("CR_EveryKind", R"("hierarchy": [
		{"type": "Bone", "name": "root"},
		{"type": "Curve", "name": "blink", "value": 0.5},
		{"type": "Reference", "name": "attach", "parent": {"type": "Bone", "name": "root"}},
		{"type": "Connector", "name": "Root"},
		{"type": "Socket", "name": "grip", "parent": {"type": "Bone", "name": "root"}},
		{"type": "Physics", "name": "body", "parent": {"type": "Bone", "name": "root"}},
		{"type": "Null", "name": "space", "parent": {"type": "Bone", "name": "root"}},
		{"type": "Control", "name": "ctrl", "parent": {"type": "Null", "name": "space"}}])");
	Start();
	const std::shared_ptr<FJsonObject> Rig = Hierarchy(Path);
	EXPECT_EQ(KeysOf(*Rig), (std::vector<std::string>{"name", "path", "count", "elements"})) << "no preview mesh, no morph targets";
	EXPECT_THAT(NamesOf(*Rig, "elements"), ElementsAre("root", "space", "ctrl"));
	EXPECT_EQ(Rig->TryGetNumberField("count"), 3.0);
}

TEST_F(ControlRigHierarchyOverHttp, SkeletalMeshAnswersItsBonesInComponentSpaceWithMorphTargetsLast)
{
	Start();
	const std::shared_ptr<FJsonObject> Mesh = Hierarchy(MannequinMeshPath);
	EXPECT_EQ(KeysOf(*Mesh), (std::vector<std::string>{"name", "path", "previewMesh", "source", "count", "elements", "morphTargets"}));
	EXPECT_EQ(Mesh->TryGetStringField("name"), "SKM_Mannequin");
	EXPECT_EQ(Mesh->TryGetStringField("previewMesh"), MannequinMeshPath);
	EXPECT_EQ(Mesh->TryGetStringField("source"), "skeletalMesh");
	EXPECT_EQ(Mesh->TryGetNumberField("count"), 21.0);
	EXPECT_EQ(ElementNamed(*Mesh, "elements", "root"), R"({"name":"root","type":"Bone","position":[0,0,0],"rotation":[0,0,0,1]})");
	EXPECT_EQ(ElementNamed(*Mesh, "elements", "hand_l"), R"({"name":"hand_l","type":"Bone","parent":"lowerarm_l","position":[70,0,142],"rotation":[0,0,0,1]})");
}

TEST_F(ControlRigHierarchyOverHttp, MeshBonesComposeUnderTheirTurnedParentAndSkipBonesTheSkeletonLacks)
{
	WriteTurnedHipsMesh(Editor.Project());
	Start();
	const std::shared_ptr<FJsonObject> Mesh = Hierarchy("/Game/Tests/SKM_TurnedHips.SKM_TurnedHips");
	EXPECT_THAT(NamesOf(*Mesh, "elements"), ElementsAre("Hips", "Spine")) << "the skeleton has no third bone";
	EXPECT_EQ(Mesh->TryGetNumberField("count"), 2.0);
	EXPECT_FALSE(Mesh->HasField("morphTargets"));
	// Spine's 50 cm along Hips' X lands on the other horizontal axis, 1 m up, once Hips' quarter turn applies to it.
	const std::vector<std::shared_ptr<FJsonObject>> Bones = ObjectsOf(*Mesh, "elements");
	ASSERT_EQ(Bones.size(), 2u);
	const FJsonValueArray Position = *Bones[1]->TryGetArrayField("position");
	EXPECT_NEAR(*Position[0].TryGetNumber(), 0.0, 1e-4);
	EXPECT_NEAR(std::abs(*Position[1].TryGetNumber()), 50.0, 1e-4);
	EXPECT_NEAR(*Position[2].TryGetNumber(), 100.0, 1e-4);
	EXPECT_EQ(Bones[1]->TryGetStringField("parent"), "Hips");
	EXPECT_FALSE(Bones[0]->HasField("parent"));
}

TEST_F(ControlRigHierarchyOverHttp, RequestErrorsAnswerOnlyAnErrorKey)
{
	Start();
	const auto ErrorOf = [this](std::string_view Body) { return Condensed(*Post("/korvane/controlrigs/hierarchy", Body)); };
	EXPECT_EQ(ErrorOf(""), R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(ErrorOf(R"(["/Game/Rigs/CR_Mannequin.CR_Mannequin"])"), R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(ErrorOf(R"({"path":7})"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(ErrorOf(R"({"path":""})"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(ErrorOf(R"({"path":"/Game/../Rigs/CR_Mannequin.CR_Mannequin"})"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(ErrorOf(R"({"path":"/Game/Rigs/CR_Missing.CR_Missing"})"), R"({"error":"Control Rig Blueprint not found at path"})");
	EXPECT_EQ(ErrorOf(R"({"path":"/Game/Blueprints/BP_Campfire.BP_Campfire"})"), R"({"error":"Control Rig Blueprint not found at path"})");
	EXPECT_EQ(ErrorOf(R"({"path":"/Game/Characters/Mannequin/SK_Mannequin.SK_Mannequin"})"), R"({"error":"Control Rig Blueprint not found at path"})")
		<< "a skeleton is not a skeletal mesh";
}
