#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigVMTestGraph.h"

#include <gtest/gtest.h>

#include <set>

using RigVMControllerTest = FRigVMTest;

TEST_F(RigVMControllerTest, EveryDeclaredUnitMakesANodeWhosePinsHoldTheirDefaults)
{
	FRigVMTestGraph Rig;
	std::set<std::string_view> Paths;
	for (const FRigUnitDeclaration& Unit : GetRigUnitDeclarations())
	{
		EXPECT_TRUE(Unit.ScriptStructPath.starts_with("/Script/ControlRig.RigUnit_") || Unit.ScriptStructPath.starts_with("/Script/RigVM.RigVMFunction_")) << Unit.ScriptStructPath;
		EXPECT_TRUE(Paths.insert(Unit.ScriptStructPath).second) << Unit.ScriptStructPath;
		const URigVMUnitNode* Node = Rig.Controller->AddUnitNodeFromStructPath(Unit.ScriptStructPath);
		ASSERT_NE(Node, nullptr) << Unit.ScriptStructPath;
		ASSERT_EQ(Node->Pins.size(), Unit.Pins.size()) << Unit.ScriptStructPath;
		for (const FRigUnitPinDeclaration& Declared : Unit.Pins)
		{
			const URigVMPin* Pin = Node->FindPin(Declared.Name);
			ASSERT_NE(Pin, nullptr);
			EXPECT_NE(GetRigVMValueKind(Pin->CPPType), ERigVMValueKind::Unknown) << Unit.ScriptStructPath << " " << Declared.Name;
			// A declared default that does not read as its type would silently fall back to the type's default.
			if (!Declared.DefaultValue.empty())
			{
				EXPECT_TRUE(ParseRigVMValue(Declared.CPPType, Declared.DefaultValue).has_value()) << Unit.ScriptStructPath << " " << Declared.Name;
			}
		}
		EXPECT_EQ(Node->IsEvent(), Unit.Kind == ERigUnitKind::Event);
		EXPECT_EQ(Node->FindExecutePin() == nullptr, Unit.Kind == ERigUnitKind::Pure) << Unit.ScriptStructPath;
	}
	EXPECT_EQ(Rig.Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_NoSuchUnit"), nullptr);
	EXPECT_EQ(Rig.Graph->FindNodeByName("RigUnit_SetTransform")->GetName(), "RigUnit_SetTransform");
	EXPECT_NE(Rig.Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_SetTransform"), nullptr);
	EXPECT_NE(Rig.Graph->FindNodeByName("RigUnit_SetTransform_1"), nullptr);
}

TEST_F(RigVMControllerTest, LinksRunFromOutputsToInputsOfFittingTypesWithoutLoops)
{
	FRigVMTestGraph Rig;
	Rig.Add("RigVMFunction_MathFloatAdd", "A");
	Rig.Add("RigVMFunction_MathFloatAdd", "B");
	Rig.Add("RigUnit_GetTransform", "Get");
	Rig.Add("RigUnit_SetTransform", "Set");
	Rig.Add("RigUnit_SetTransform", "Set2");

	EXPECT_FALSE(Rig.Controller->AddLink("A.A", "B.A")) << "from an input";
	EXPECT_FALSE(Rig.Controller->AddLink("A.Result", "B.Result")) << "into an output";
	EXPECT_FALSE(Rig.Controller->AddLink("Get.Transform", "B.A")) << "a transform into a float";
	EXPECT_FALSE(Rig.Controller->AddLink("A.Result", "A.B")) << "onto its own node";
	EXPECT_FALSE(Rig.Controller->AddLink("A.Result", "Nowhere.A"));
	EXPECT_FALSE(Rig.Controller->AddLink("Set.ExecuteContext", "Get.Item"));
	ASSERT_TRUE(Rig.Controller->AddLink("A.Result", "B.A"));
	EXPECT_FALSE(Rig.Controller->AddLink("B.Result", "A.B")) << "closing a loop";
	ASSERT_TRUE(Rig.Controller->AddLink("Get.Transform.Translation.X", "A.A"));

	// A new source of an input replaces the old one, also one linked to the pin's structure or its members.
	ASSERT_TRUE(Rig.Controller->AddLink("B.Result", "Set.Value.Translation.Y"));
	ASSERT_TRUE(Rig.Controller->AddLink("Get.Transform", "Set.Value"));
	EXPECT_EQ(Rig.Graph->FindPin("Set.Value.Translation.Y")->GetLinkedSourcePins().size(), 0u);
	ASSERT_TRUE(Rig.Controller->AddLink("A.Result", "Set.Value.Scale3D.Z"));
	EXPECT_TRUE(Rig.Graph->FindPin("Set.Value")->GetLinkedSourcePins().empty());
	// An execution output leads to one node.
	ASSERT_TRUE(Rig.Controller->AddLink("Set.ExecuteContext", "Set2.ExecuteContext"));
	Rig.Add("RigUnit_SetTransform", "Set3");
	ASSERT_TRUE(Rig.Controller->AddLink("Set.ExecuteContext", "Set3.ExecuteContext"));
	EXPECT_EQ(Rig.Graph->FindPin("Set.ExecuteContext")->GetLinkedTargetPins(), (std::vector<URigVMPin*>{Rig.Graph->FindPin("Set3.ExecuteContext")}));
	EXPECT_EQ(Rig.Graph->GetLinks().size(), 4u);

	EXPECT_TRUE(Rig.Controller->BreakLink("A.Result", "B.A"));
	EXPECT_FALSE(Rig.Controller->BreakLink("A.Result", "B.A"));
	EXPECT_TRUE(Rig.Controller->RemoveNodeByName("Get"));
	EXPECT_EQ(Rig.Graph->FindNodeByName("Get"), nullptr);
	EXPECT_EQ(Rig.Graph->GetLinks().size(), 2u);
	EXPECT_FALSE(Rig.Controller->RemoveNodeByName("Get"));
}

TEST_F(RigVMControllerTest, DefaultValuesStayInStepAcrossAStructureAndItsMembers)
{
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_SetTransform", "Set");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Set.Value", "(Translation=(X=1,Y=2))"));
	EXPECT_EQ(Rig.Graph->FindPin("Set.Value.Translation.Y")->DefaultValue, "2.000000");
	EXPECT_EQ(Rig.Graph->FindPin("Set.Value.Translation")->DefaultValue, "(X=1.000000,Y=2.000000,Z=0.000000)");
	EXPECT_EQ(Rig.Graph->FindPin("Set.Value.Scale3D.Z")->DefaultValue, "1.000000");

	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Set.Value.Translation.Z", "-4.5"));
	EXPECT_EQ(Rig.Graph->FindPin("Set.Value")->DefaultValue,
		"(Rotation=(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000),Translation=(X=1.000000,Y=2.000000,Z=-4.500000),Scale3D=(X=1.000000,Y=1.000000,Z=1.000000))");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Set.Item.Type", "Control"));
	EXPECT_EQ(Rig.Graph->FindPin("Set.Item")->DefaultValue, "(Type=Control,Name=\"None\")");

	const std::string Before = Rig.ExportAll();
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.Value.Translation.Z", "high"));
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.Weight", "inf"));
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.Item.Type", "Bogus"));
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.Value", "(Translation=(X=oops))"));
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.ExecuteContext", "1"));
	EXPECT_FALSE(Rig.Controller->SetPinDefaultValue("Set.NoSuchPin", "1"));
	EXPECT_EQ(Rig.ExportAll(), Before);
}
