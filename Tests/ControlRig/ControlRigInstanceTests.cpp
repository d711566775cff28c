#include "Animation/Skeleton.h"
#include "Assets/AssetFiles.h"
#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigTestSupport.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	constexpr std::string_view RigClass = "/Script/ControlRigDeveloper.ControlRigBlueprint";

	std::string TranslationText(double X, double Y, double Z)
	{
		return "(Rotation=(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000),Translation=(X=" + std::to_string(X) + ",Y=" + std::to_string(Y) + ",Z=" + std::to_string(Z)
			+ "),Scale3D=(X=1.000000,Y=1.000000,Z=1.000000))";
	}

	class ControlRigInstance : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		UControlRigBlueprint* LoadRig(std::string_view Name, std::string_view Fields)
		{
			WriteAsset(Editor.Project(), "Rigs/" + std::string(Name), RigClass, {}, Fields);
			return LoadObject<UControlRigBlueprint>("/Game/Rigs/" + std::string(Name) + "." + std::string(Name));
		}

		static UControlRig* MakeInstance(const UControlRigBlueprint& Rig)
		{
			UControlRig* const Instance = NewObject<UControlRig>(GetTransientPackage(), Rig.GeneratedClass);
			EXPECT_NE(Instance, nullptr);
			EXPECT_TRUE(Instance != nullptr && Instance->Initialize());
			return Instance;
		}

		/** An event node, then a SetTransform of Item to Value in global space, in the graph. */
		static void AddSetTransformChain(URigVMController& Controller, std::string_view EventStruct, std::string_view Prefix, std::string_view Item, const std::string& Value)
		{
			const std::string Event = std::string(Prefix) + "Event";
			const std::string Set = std::string(Prefix) + "Set";
			ASSERT_NE(Controller.AddUnitNodeFromStructPath(EventStruct, "Execute", {}, Event), nullptr);
			ASSERT_NE(Controller.AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_SetTransform", "Execute", {300, 0}, Set), nullptr);
			ASSERT_TRUE(Controller.AddLink(Event + ".ExecuteContext", Set + ".ExecuteContext"));
			ASSERT_TRUE(Controller.SetPinDefaultValue(Set + ".Item", std::string(Item)));
			ASSERT_TRUE(Controller.SetPinDefaultValue(Set + ".Value", Value));
		}
	};
}

TEST_F(ControlRigInstance, EventsRunOnTheInstancesOwnCopyAndConstructionComesFirst)
{
	UControlRigBlueprint* const Rig = LoadRig("CR_Arm", R"("parentClass": "/Script/ControlRig.ControlRig",
		"hierarchy": [
			{"type": "Bone", "name": "root"},
			{"type": "Bone", "name": "arm", "parent": {"type": "Bone", "name": "root"}, "transform": {"location": {"x": 0, "y": 0, "z": 20}}},
			{"type": "Control", "name": "reach", "control": {"controlType": "Float"}}
		],
		"rigGraphs": [{"name": "RigVMModel", "nodes": []}])");
	ASSERT_NE(Rig, nullptr);
	URigVMController* const Controller = Rig->GetController(Rig->GetModel());
	ASSERT_NE(Controller, nullptr);
	AddSetTransformChain(*Controller, "/Script/ControlRig.RigUnit_PrepareForExecution", "Setup", "(Type=Bone,Name=\"arm\")", TranslationText(0, 0, 50));
	AddSetTransformChain(*Controller, "/Script/ControlRig.RigUnit_BeginExecution", "Solve", "(Type=Bone,Name=\"root\")", TranslationText(10, 0, 0));

	UControlRig* const Instance = MakeInstance(*Rig);
	ASSERT_NE(Instance, nullptr);
	URigHierarchy* const Hierarchy = Instance->GetHierarchy();
	ASSERT_NE(Hierarchy, nullptr);
	EXPECT_NE(Hierarchy, Rig->Hierarchy.Get());
	EXPECT_EQ(Instance->GetBlueprint(), Rig);
	EXPECT_EQ(Hierarchy->Num(), 3);

	EXPECT_FALSE(Instance->ExecuteEvent("Backwards Solve")) << "no graph has that event";
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("arm"), true).Translation, {0, 0, 20})) << "an unknown event does not construct";

	ASSERT_TRUE(Instance->ExecuteEvent("Forwards Solve"));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("arm"), true).Translation, {0, 0, 50})) << "construction's pose is the initial one";
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("arm")).Translation, {10, 0, 50})) << "the solve moved the root and the arm with it";
	EXPECT_TRUE(VectorsNear(Rig->Hierarchy->GetGlobalTransform(Bone("arm"), true).Translation, {0, 0, 20})) << "the Blueprint's setup is untouched";

	// A value set between solves stays: construction runs once.
	FRigBaseElement* const Reach = Hierarchy->Find(Control("reach"));
	Hierarchy->SetControlValue(Reach, FRigControlValue::MakeFloat(0.75f));
	ASSERT_TRUE(Instance->ExecuteEvent("Forwards Solve"));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Reach).GetFloat(), 0.75f);

	// Construction puts the setup back first.
	ASSERT_TRUE(Instance->ExecuteEvent("Construction"));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Hierarchy->Find(Control("reach"))).GetFloat(), 0.0f);
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("root")).Translation, {0, 0, 0}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("arm")).Translation, {0, 0, 50}));
	EXPECT_EQ(Instance->GetShapeLibraries().size(), 0u);
}

TEST_F(ControlRigInstance, OnlyAnInstanceOfARigBlueprintsClassInitialises)
{
	UControlRig* const Plain = NewObject<UControlRig>(GetTransientPackage());
	ASSERT_NE(Plain, nullptr);
	EXPECT_FALSE(Plain->ExecuteEvent("Construction")) << "not initialised";
	EXPECT_FALSE(Plain->Initialize());
	EXPECT_EQ(Plain->GetHierarchy(), nullptr);
	EXPECT_EQ(Plain->GetBlueprint(), nullptr);
}

TEST_F(ControlRigInstance, ModularConstructionBuildsEachModuleUnderItsConnectorsTarget)
{
	ASSERT_NE(LoadRig("CR_Spine", R"("hierarchy": [
			{"type": "Connector", "name": "Root"},
			{"type": "Bone", "name": "spine_01", "transform": {"location": {"x": 0, "y": 0, "z": 100}}}
		])"),
		nullptr);
	ASSERT_NE(LoadRig("CR_ArmModule", R"("hierarchy": [
			{"type": "Connector", "name": "Hand", "connector": {"type": "Secondary", "optional": true}},
			{"type": "Connector", "name": "Root"},
			{"type": "Bone", "name": "upperarm", "transform": {"location": {"x": 0, "y": 10, "z": 0}}},
			{"type": "Bone", "name": "lowerarm", "parent": {"type": "Bone", "name": "upperarm"}, "transform": {"location": {"x": 0, "y": 30, "z": 0}}},
			{"type": "Control", "name": "arm_ctrl", "parent": {"type": "Bone", "name": "lowerarm"},
			 "control": {"controlType": "Float", "initialValue": 0.25, "shapeTransform": {"location": {"x": 0, "y": 0, "z": 2}}}}
		])"),
		nullptr);
	// The arm is listed before the spine it hangs on, and its connector targets a spine element.
	UControlRigBlueprint* const Modular = LoadRig("CR_Modular", R"("parentClass": "/Script/ControlRig.ModularRig",
		"hierarchy": [
			{"type": "Bone", "name": "root"},
			{"type": "Connector", "name": "Arm/Root", "module": "Arm", "connector": {"description": "kept"}}
		],
		"modules": [
			{"name": "Arm", "parent": "Spine", "class": "/Game/Rigs/CR_ArmModule.CR_ArmModule_C"},
			{"name": "Spine", "class": "/Game/Rigs/CR_Spine.CR_Spine_C"},
			{"name": "Ghost", "class": "/Game/Rigs/Nope.Nope_C"}
		],
		"connections": [
			{"connector": {"type": "Connector", "name": "Spine/Root"}, "targets": [{"type": "Bone", "name": "root"}]},
			{"connector": {"type": "Connector", "name": "Arm/Root"}, "targets": [{"type": "Bone", "name": "missing"}, {"type": "Bone", "name": "Spine/spine_01"}]}
		])");
	ASSERT_NE(Modular, nullptr);
	ASSERT_TRUE(Modular->IsModularRig());

	UControlRig* const Instance = MakeInstance(*Modular);
	ASSERT_NE(Instance, nullptr);
	ASSERT_TRUE(Instance->ExecuteEvent("Construction"));
	const URigHierarchy& Hierarchy = *Instance->GetHierarchy();
	EXPECT_EQ(Hierarchy.Num(), 8);
	EXPECT_EQ(Hierarchy.GetFirstParent(Bone("Spine/spine_01")), Bone("root"));
	EXPECT_EQ(Hierarchy.GetFirstParent(Bone("Arm/upperarm")), Bone("Spine/spine_01")) << "the first target that is there";
	EXPECT_EQ(Hierarchy.GetFirstParent(Bone("Arm/lowerarm")), Bone("Arm/upperarm"));
	EXPECT_TRUE(VectorsNear(Hierarchy.GetGlobalTransform(Bone("Arm/lowerarm"), true).Translation, {0, 40, 100}));
	const FRigBaseElement* const ArmControl = Hierarchy.Find(Control("Arm/arm_ctrl"));
	ASSERT_NE(ArmControl, nullptr);
	EXPECT_EQ(ArmControl->ModuleName, "Arm");
	EXPECT_FLOAT_EQ(Hierarchy.GetControlValue(ArmControl).GetFloat(), 0.25f);
	EXPECT_TRUE(VectorsNear(Hierarchy.GetControlShapeTransform(ArmControl, ERigTransformType::CurrentGlobal).Translation, {0.25, 40, 102}))
		<< "the value slides the control along X, the shape sits above it";
	EXPECT_EQ(Hierarchy.Find(Connector("Arm/Root"))->ConnectorSettings.Description, "kept") << "the rig's own connector stays";
	const FRigBaseElement* const Hand = Hierarchy.Find(Connector("Arm/Hand"));
	ASSERT_NE(Hand, nullptr);
	EXPECT_EQ(Hand->ModuleName, "Arm");
	EXPECT_TRUE(Hand->ConnectorSettings.bOptional);
	EXPECT_EQ(Modular->Hierarchy->Num(), 2) << "the Blueprint's own hierarchy is untouched";

	// Constructing again builds the same elements once.
	ASSERT_TRUE(Instance->ExecuteEvent("Construction"));
	EXPECT_EQ(Instance->GetHierarchy()->Num(), 8);
}

TEST_F(ControlRigInstance, AModuleWithoutAResolvedTargetKeepsItsRootsAsRoots)
{
	ASSERT_NE(LoadRig("CR_Tail", R"("hierarchy": [{"type": "Connector", "name": "Root"}, {"type": "Bone", "name": "tail_01"}])"), nullptr);
	UControlRigBlueprint* const Modular = LoadRig("CR_EmptyModular", R"("parentClass": "/Script/ControlRig.ModularRig",
		"modules": [{"name": "Tail", "class": "/Game/Rigs/CR_Tail.CR_Tail_C"}])");
	ASSERT_NE(Modular, nullptr);
	UControlRig* const Instance = MakeInstance(*Modular);
	ASSERT_NE(Instance, nullptr);
	ASSERT_TRUE(Instance->ExecuteEvent("Construction"));
	EXPECT_EQ(Instance->GetHierarchy()->GetAllKeys(), (std::vector<FRigElementKey>{Connector("Tail/Root"), Bone("Tail/tail_01")}));
	EXPECT_FALSE(Instance->GetHierarchy()->GetFirstParent(Bone("Tail/tail_01")).IsValid());
}

TEST_F(ControlRigInstance, SkeletonBonesMapToTheMeshsBonesByName)
{
	Editor.Project().WriteFile("Content/Chars/Skeleton.gltf",
		R"({"asset":{"version":"2.0"},"nodes":[{"name":"Root","children":[1,2]},{"name":"Tail"},{"name":"Spine"}],"skins":[{"joints":[0,1,2]}]})");
	// One skinned triangle on a skin of two joints: the mesh has the root and the spine, not the tail.
	Editor.Project().WriteFile("Content/Chars/Mesh.gltf", R"({"asset":{"version":"2.0"},
		"buffers":[{"byteLength":104,"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAAAAAEAAAABAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAAAAAAAAAAAAIA/AAAAAAAAAAAAAAAAAAABAAIAAAA="}],
		"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":12},{"buffer":0,"byteOffset":48,"byteLength":48},{"buffer":0,"byteOffset":96,"byteLength":6}],
		"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},{"bufferView":1,"componentType":5121,"count":3,"type":"VEC4"},
			{"bufferView":2,"componentType":5126,"count":3,"type":"VEC4"},{"bufferView":3,"componentType":5123,"count":3,"type":"SCALAR"}],
		"meshes":[{"name":"Body","primitives":[{"attributes":{"POSITION":0,"JOINTS_0":1,"WEIGHTS_0":2},"indices":3}]}],
		"nodes":[{"name":"Root","children":[1]},{"name":"Spine"},{"name":"Body","mesh":0,"skin":0}],
		"skins":[{"joints":[0,1]}],"scenes":[{"nodes":[0,2]}],"scene":0})");
	WriteAsset(Editor.Project(), "Chars/SK_Body", "/Script/Engine.Skeleton", {}, R"("source": "Skeleton.gltf")");
	WriteAsset(Editor.Project(), "Chars/SKM_Body", "/Script/Engine.SkeletalMesh", {}, R"("skeleton": "/Game/Chars/SK_Body.SK_Body", "source": "Mesh.gltf")");
	const USkeletalMesh* const Mesh = LoadObject<USkeletalMesh>("/Game/Chars/SKM_Body.SKM_Body");
	ASSERT_NE(Mesh, nullptr);
	const USkeleton* const Skeleton = Mesh->GetSkeleton();
	ASSERT_NE(Skeleton, nullptr);
	const FReferenceSkeleton& Bones = Skeleton->GetReferenceSkeleton();
	ASSERT_EQ(Bones.Num(), 3);
	for (int32_t Index = 0; Index < Bones.Num(); ++Index)
	{
		const std::string& Name = Bones.GetRefBoneInfo()[Index].Name;
		EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(Mesh, Index), Mesh->GetRefSkeleton().FindBoneIndex(Name).value_or(USkeleton::INDEX_NONE)) << Name;
	}
	EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(Mesh, *Bones.FindBoneIndex("Tail")), USkeleton::INDEX_NONE) << "the mesh lacks the tail";
	EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(Mesh, *Bones.FindBoneIndex("Spine")), 1);
	EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(Mesh, 3), USkeleton::INDEX_NONE);
	EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(Mesh, -1), USkeleton::INDEX_NONE);
	EXPECT_EQ(Skeleton->GetMeshBoneIndexFromSkeletonBoneIndex(nullptr, 0), USkeleton::INDEX_NONE);
}
