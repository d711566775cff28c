#include "Assets/AssetFiles.h"
#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigTestSupport.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
	constexpr std::string_view RigClass = "/Script/ControlRigDeveloper.ControlRigBlueprint";

	constexpr std::string_view RigFields = R"(
		"parentClass": "/Script/ControlRig.ControlRig",
		"variables": [
			{"name": "Reach", "type": {"category": "real", "subCategory": "float"}, "defaultValue": "1.0"},
			{"name": "Aim", "type": {"category": "struct", "subCategoryObject": "/Script/CoreUObject.Vector"}}
		],
		"previewMesh": "/Game/Characters/SKM_Missing.SKM_Missing",
		"shapeLibraries": ["/ControlRig/Controls/DefaultGizmoLibraryNormalized.DefaultGizmoLibraryNormalized", 7],
		"hierarchy": [
			{"type": "Bone", "name": "root"},
			{"type": "Bone", "name": "pelvis", "parent": {"type": "Bone", "name": "root"},
			 "transform": {"location": {"x": 0, "y": 0, "z": 96}, "rotation": {"pitch": 0, "yaw": 90, "roll": 0}}},
			{"type": "Null", "name": "space", "parent": {"type": "Bone", "name": "pelvis"}, "transform": {"scale": {"x": 2, "y": 2, "z": 2}}},
			{"type": "Control", "name": "reach", "parent": {"type": "Null", "name": "space"}, "transform": {"location": {"x": 10, "y": 0, "z": 0}},
			 "control": {"controlType": "Float", "animationType": "AnimationChannel", "shapeName": "Circle_Thin", "shapeColor": {"r": 0, "g": 0.5, "b": 1, "a": 0.25},
			  "shapeVisible": false, "shapeTransform": {"location": {"x": 0, "y": 0, "z": 3}, "scale": {"x": 4, "y": 4, "z": 4}},
			  "initialValue": 0.5, "minimumValue": 0, "maximumValue": 1}},
			{"type": "Control", "name": "ik", "transform": {"rotation": {"x": 0, "y": 0, "z": 0.7071067811865476, "w": 0.7071067811865476}}},
			{"type": "Curve", "name": "CTRL_blink", "value": 0.75},
			{"type": "Connector", "name": "Arm/Root", "module": "Arm", "connector": {"type": "Secondary", "optional": true, "isArray": true, "description": "shoulder"}},
			{"type": "Socket", "name": "hand_socket", "parent": {"type": "Bone", "name": "nowhere"}},
			{"type": "Wobble", "name": "strange"},
			{"type": "Bone", "name": "root"},
			{"type": "Control", "name": "broken", "control": {"controlType": "Float", "initialValue": "lots"}},
			"not an element"
		],
		"rigGraphs": [{"name": "RigVMModel", "nodes": []}, {"name": "RigVMModel", "nodes": []}, {"nodes": []}],
		"modules": [
			{"name": "Arm", "parent": "Spine", "class": "/Game/Rigs/CR_Arm.CR_Arm_C", "configOverrides": [{"path": "Settings.Length", "value": "45.000000"}],
			 "bindings": {"Scale": "Root/Scale"}},
			{"name": "Spine", "class": "/Game/Rigs/CR_Spine.CR_Spine_C"},
			{"name": "NoClass"}
		],
		"connections": [
			{"connector": {"type": "Connector", "name": "Arm/Root"}, "targets": [{"type": "Bone", "name": "pelvis"}]},
			{"connector": {"type": "Connector", "name": "Arm/Root"}, "targets": []},
			{"connector": {"type": "Bone", "name": "pelvis"}}
		])";

	class ControlRigBlueprintAsset : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		UControlRigBlueprint* LoadRig(std::string_view Name, std::string_view Fields)
		{
			WriteAsset(Editor.Project(), "Rigs/" + std::string(Name), RigClass, {}, Fields);
			return LoadObject<UControlRigBlueprint>("/Game/Rigs/" + std::string(Name) + "." + std::string(Name));
		}

		std::string Save(UControlRigBlueprint& Rig, std::string_view Name)
		{
			const std::string Relative = "Content/Rigs/" + std::string(Name) + ".asset.json";
			EXPECT_TRUE(UPackage::SavePackage(Rig.GetPackage(), &Rig, Editor.Project().PathOf(Relative)));
			return Editor.Project().ReadFile(Relative);
		}
	};
}

TEST_F(ControlRigBlueprintAsset, LoadsEveryElementKindWithItsSettingsAndSkipsWhatCannotBeRead)
{
	UControlRigBlueprint* const Rig = LoadRig("CR_Sample", RigFields);
	ASSERT_NE(Rig, nullptr);
	const URigHierarchy& Hierarchy = *Rig->Hierarchy;
	EXPECT_EQ(Hierarchy.Num(), 8);
	EXPECT_FALSE(Hierarchy.Contains({ERigElementType::Control, "broken"})) << "a value of the wrong form leaves the control out";

	// Parents compose: the value 0.5 slides the control along its offset's X, the null's scale doubles that and the pelvis yaw turns it to +Y.
	EXPECT_TRUE(VectorsNear(Hierarchy.GetGlobalTransform(Control("reach"), true).Translation, {0, 21, 96}));
	const FRigBaseElement* const Reach = Hierarchy.Find(Control("reach"));
	ASSERT_NE(Reach, nullptr);
	EXPECT_EQ(Reach->ControlSettings.ControlType, ERigControlType::Float);
	EXPECT_EQ(Reach->ControlSettings.AnimationType, ERigControlAnimationType::AnimationChannel);
	EXPECT_EQ(Reach->ControlSettings.ShapeName, "Circle_Thin");
	EXPECT_EQ(Reach->ControlSettings.ShapeColor, (FLinearColor{0.0f, 0.5f, 1.0f, 0.25f}));
	EXPECT_FALSE(Reach->ControlSettings.bShapeVisible);
	EXPECT_FLOAT_EQ(Hierarchy.GetControlValue(Reach, ERigControlValueType::Current).GetFloat(), 0.5f);
	EXPECT_FLOAT_EQ(Hierarchy.GetControlValue(Reach, ERigControlValueType::Maximum).GetFloat(), 1.0f);
	EXPECT_TRUE(TransformsNear(Hierarchy.GetControlShapeTransform(Reach, ERigTransformType::InitialLocal), MakeTransform({0, 0, 3}, {}, {4, 4, 4})));

	EXPECT_TRUE(TransformsNear(Hierarchy.GetGlobalTransform(Control("ik"), true), MakeTransform({}, {0, 90, 0}))) << "a quaternion rotation";
	EXPECT_FLOAT_EQ(Hierarchy.Find(Curve("CTRL_blink"))->CurveValue, 0.75f);
	const FRigBaseElement* const ArmRoot = Hierarchy.Find(Connector("Arm/Root"));
	ASSERT_NE(ArmRoot, nullptr);
	EXPECT_EQ(Hierarchy.GetModuleName(Connector("Arm/Root")), "Arm");
	EXPECT_EQ(ArmRoot->ConnectorSettings.Type, EConnectorType::Secondary);
	EXPECT_TRUE(ArmRoot->ConnectorSettings.bOptional && ArmRoot->ConnectorSettings.bIsArray);
	EXPECT_FALSE(Hierarchy.GetFirstParent({ERigElementType::Socket, "hand_socket"}).IsValid()) << "a parent that is not there makes a root";

	EXPECT_EQ(Rig->ShapeLibraries.size(), 1u);
	EXPECT_EQ(Rig->GetPreviewMesh(), nullptr);
	EXPECT_EQ(Rig->GetPreviewMeshPath(), "/Game/Characters/SKM_Missing.SKM_Missing");
	ASSERT_NE(Rig->GetModel(), nullptr);
	EXPECT_EQ(Rig->GetModel()->GetName(), "RigVMModel");
	ASSERT_TRUE(Rig->IsModularRig());
	ASSERT_EQ(Rig->ModularRigModel.Modules.size(), 2u);
	const FRigModuleReference* const Arm = Rig->ModularRigModel.FindModule("Arm");
	ASSERT_NE(Arm, nullptr);
	EXPECT_EQ(Arm->ParentModuleName, "Spine");
	ASSERT_EQ(Arm->ConfigOverrides.size(), 1u);
	EXPECT_EQ(Arm->ConfigOverrides[0].ToString(), "45.000000");
	EXPECT_EQ(Arm->Bindings, (std::vector<std::pair<std::string, std::string>>{{"Scale", "Root/Scale"}}));
	EXPECT_EQ(Rig->ModularRigModel.FindConnectionTargets(Connector("Arm/Root")), std::vector<FRigElementKey>{Bone("pelvis")}) << "the first entry of a connector counts";
	EXPECT_EQ(Rig->ModularRigModel.Connections.size(), 1u);

	const std::vector<FRigVMGraphVariableDescription> Variables = Rig->GetMemberVariables();
	ASSERT_EQ(Variables.size(), 2u);
	EXPECT_EQ(Variables[0].CPPType, "float");
	EXPECT_EQ(Variables[1].CPPType, "FVector");
	EXPECT_NE(Rig->GeneratedClass, nullptr);
	EXPECT_TRUE(Rig->GeneratedClass->IsChildOf(UControlRig::StaticClass()));
}

TEST_F(ControlRigBlueprintAsset, SavingWritesTheSameAssetBackWithTheEntriesItCouldNotRead)
{
	UControlRigBlueprint* const Rig = LoadRig("CR_Sample", RigFields);
	ASSERT_NE(Rig, nullptr);
	const std::string Saved = Save(*Rig, "CR_Sample");
	for (const std::string_view Kept : {"\"Wobble\"", "\"lots\"", "\"not an element\"", "\"NoClass\"", "\"description\": \"shoulder\""})
	{
		EXPECT_NE(Saved.find(Kept), std::string::npos) << Kept;
	}
	EXPECT_NE(Saved.find("\"PreviewSkeletalMesh\": \"/Game/Characters/SKM_Missing.SKM_Missing\""), std::string::npos);
	EXPECT_NE(Saved.find("\"ControlRigType\": \"ModularRig\""), std::string::npos);

	// The saved file loads to the same rig and saves to the same bytes.
	Editor.Project().WriteFile("Content/Rigs/CR_Copy.asset.json", Saved);
	UControlRigBlueprint* const Copy = LoadObject<UControlRigBlueprint>("/Game/Rigs/CR_Copy.CR_Copy");
	ASSERT_NE(Copy, nullptr);
	ASSERT_EQ(Copy->Hierarchy->GetAllKeys(false), Rig->Hierarchy->GetAllKeys(false));
	EXPECT_EQ(Copy->ModularRigModel.FindConnectionTargets(Connector("Arm/Root")), std::vector<FRigElementKey>{Bone("pelvis")});
	EXPECT_EQ(Copy->ModularRigModel.Modules.size(), 2u);
	EXPECT_FLOAT_EQ(Copy->Hierarchy->GetControlValue(Copy->Hierarchy->Find(Control("reach"))).GetFloat(), 0.5f);
	for (const FRigElementKey& Key : Rig->Hierarchy->GetAllKeys(false))
	{
		EXPECT_TRUE(TransformsNear(Copy->Hierarchy->GetGlobalTransform(Key, true), Rig->Hierarchy->GetGlobalTransform(Key, true))) << Key.Name;
	}
	EXPECT_EQ(Save(*Copy, "CR_Copy"), Saved);
}

TEST_F(ControlRigBlueprintAsset, RigGraphsAndTheFunctionLibraryTravelAsCopyPasteText)
{
	UControlRigBlueprint* const Rig = LoadRig("CR_Graphs", R"("parentClass": "/Script/ControlRig.ControlRig", "rigGraphs": [{"name": "RigVMModel", "nodes": []}])");
	ASSERT_NE(Rig, nullptr);
	URigVMController* const Controller = Rig->GetController(Rig->GetModel());
	ASSERT_NE(Controller, nullptr);
	ASSERT_NE(Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_BeginExecution", "Execute", {}, "Begin"), nullptr);
	ASSERT_NE(Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_SetTransform", "Execute", {200, 0}, "Set"), nullptr);
	ASSERT_TRUE(Controller->AddLink("Begin.ExecuteContext", "Set.ExecuteContext"));
	ASSERT_TRUE(Controller->SetPinDefaultValue("Set.Item", "(Type=Bone,Name=\"root\")"));
	ASSERT_NE(Rig->AddModel("Backwards"), nullptr);
	EXPECT_EQ(Rig->AddModel("Backwards"), nullptr) << "a taken name";
	EXPECT_EQ(Rig->AddModel("RigVMFunctionLibrary"), nullptr) << "the function library's name is taken";
	URigVMController* const LibraryController = Rig->GetController(Rig->GetLocalFunctionLibrary());
	ASSERT_NE(LibraryController, nullptr);
	ASSERT_NE(LibraryController->AddUnitNodeFromStructPath("/Script/RigVM.RigVMFunction_MathFloatAdd", "Execute", {}, "Add"), nullptr);

	const std::string Saved = Save(*Rig, "CR_Graphs");
	Editor.Project().WriteFile("Content/Rigs/CR_GraphsCopy.asset.json", Saved);
	UControlRigBlueprint* const Copy = LoadObject<UControlRigBlueprint>("/Game/Rigs/CR_GraphsCopy.CR_GraphsCopy");
	ASSERT_NE(Copy, nullptr);
	const std::vector<URigVMGraph*> Models = Copy->GetAllModels();
	ASSERT_EQ(Models.size(), 3u);
	EXPECT_EQ(Models[0]->GetName(), "RigVMModel");
	EXPECT_EQ(Models[1]->GetName(), "Backwards");
	EXPECT_EQ(Models[2], Copy->GetLocalFunctionLibrary());
	ASSERT_EQ(Models[0]->GetNodes().size(), 2u);
	EXPECT_EQ(Models[0]->GetLinks().size(), 1u);
	EXPECT_NE(Saved.find("root"), std::string::npos) << "the pin's default value";
	EXPECT_EQ(Models[2]->GetNodes().size(), 1u);
	EXPECT_EQ(Save(*Copy, "CR_GraphsCopy"), Saved);
}

TEST_F(ControlRigBlueprintAsset, NodeTextNothingCanBePastedFromIsKeptForTheNextSave)
{
	UControlRigBlueprint* const Rig = LoadRig("CR_Odd", R"("rigGraphs": [{"name": "RigVMModel", "nodes": ["Some text", "that is no node"]}])");
	ASSERT_NE(Rig, nullptr);
	ASSERT_NE(Rig->GetModel(), nullptr);
	EXPECT_TRUE(Rig->GetModel()->GetNodes().empty());
	EXPECT_EQ(Rig->ParentClass, UControlRig::StaticClass()) << "a rig without a parent class derives from ControlRig";
	const std::string Saved = Save(*Rig, "CR_Odd");
	EXPECT_NE(Saved.find("\"that is no node\""), std::string::npos);
	EXPECT_NE(Saved.find("\"ControlRigType\": \"IndependentRig\""), std::string::npos);
	EXPECT_EQ(Saved.find("PreviewSkeletalMesh"), std::string::npos);
}
