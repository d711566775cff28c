#include "ControlRig/RigVMTestGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using RigVMTextTest = FRigVMTest;

namespace
{
	/** Every link of the graph joins two pins of its own live nodes. */
	void ExpectConsistent(const URigVMGraph& Graph)
	{
		for (const URigVMLink* Link : Graph.GetLinks())
		{
			ASSERT_NE(Link->SourcePin, nullptr);
			ASSERT_NE(Link->TargetPin, nullptr);
			EXPECT_EQ(Graph.FindPin(Link->SourcePin->GetPinPath()), Link->SourcePin);
			EXPECT_EQ(Graph.FindPin(Link->TargetPin->GetPinPath()), Link->TargetPin);
		}
	}

	bool HasLink(const URigVMGraph& Graph, std::string_view Source, std::string_view Target)
	{
		return std::ranges::any_of(Graph.GetLinks(), [&](const URigVMLink* Link) { return Link->SourcePin->GetPinPath() == Source && Link->TargetPin->GetPinPath() == Target; });
	}

	/** Forwards Solve: set the hand to the arm's transform with its height scaled, then reach for it with the IK. */
	void BuildArmGraph(FRigVMTestGraph& Rig)
	{
		Rig.Add("RigUnit_BeginExecution", "BeginExecution")->Position = {-600.0, 0.0};
		Rig.Add("RigUnit_GetTransform", "GetArm");
		Rig.Add("RigVMFunction_MathFloatMul", "Scale");
		Rig.Add("RigUnit_SetTransform", "SetHand")->Position = {200.0, 50.5};
		Rig.Add("RigUnit_TwoBoneIKSimplePerItem", "ArmIK");
		ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("GetArm.Item", "(Type=Bone,Name=\"upperarm_l\")"));
		ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Scale.B", "2.5"));
		ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("SetHand.Item.Name", "hand_l"));
		ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("ArmIK.ItemA", "(Type=Bone,Name=\"upperarm_l\")"));
		ASSERT_TRUE(Rig.Controller->AddLink("BeginExecution.ExecuteContext", "SetHand.ExecuteContext"));
		ASSERT_TRUE(Rig.Controller->AddLink("SetHand.ExecuteContext", "ArmIK.ExecuteContext"));
		ASSERT_TRUE(Rig.Controller->AddLink("GetArm.Transform.Rotation", "SetHand.Value.Rotation"));
		ASSERT_TRUE(Rig.Controller->AddLink("GetArm.Transform.Translation.Z", "Scale.A"));
		ASSERT_TRUE(Rig.Controller->AddLink("Scale.Result", "SetHand.Value.Translation.Z"));
	}
}

TEST_F(RigVMTextTest, PastingACopyIntoAnEmptyGraphGivesAnEqualGraph)
{
	FRigVMTestGraph Source;
	BuildArmGraph(Source);
	const std::string Text = Source.ExportAll();

	FRigVMTestGraph Copy;
	const std::vector<std::string> Pasted = Copy.Controller->ImportNodesFromText(Text);
	EXPECT_EQ(Pasted, Source.NodeNames());
	EXPECT_EQ(Copy.ExportAll(), Text);
	ASSERT_EQ(Copy.Graph->GetLinks().size(), 5u);
	EXPECT_TRUE(HasLink(*Copy.Graph, "Scale.Result", "SetHand.Value.Translation.Z"));
	EXPECT_TRUE(HasLink(*Copy.Graph, "GetArm.Transform.Translation.Z", "Scale.A"));
	const URigVMNode* SetHand = Copy.Graph->FindNodeByName("SetHand");
	ASSERT_NE(SetHand, nullptr);
	EXPECT_EQ(SetHand->Position, (FVector2D{200.0, 50.5}));
	EXPECT_EQ(SetHand->FindPin("Item")->DefaultValue, "(Type=Bone,Name=\"hand_l\")");
	EXPECT_EQ(Copy.Graph->FindPin("Scale.B")->DefaultValue, "2.500000");
	EXPECT_EQ(Cast<URigVMUnitNode>(Copy.Graph->FindNodeByName("ArmIK"))->ScriptStructPath, "/Script/ControlRig.RigUnit_TwoBoneIKSimplePerItem");
	EXPECT_TRUE(Copy.Graph->FindNodeByName("BeginExecution")->IsEvent());
	ExpectConsistent(*Copy.Graph);
}

TEST_F(RigVMTextTest, TheTextFollowsTheEnginesObjectLayout)
{
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_BeginExecution", "Begin");
	Rig.Add("RigUnit_SetTransform", "Set");
	ASSERT_TRUE(Rig.Controller->AddLink("Begin.ExecuteContext", "Set.ExecuteContext"));
	const std::string Text = Rig.ExportAll();

	EXPECT_TRUE(Text.starts_with("Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Begin\"\r\n"
								 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"ExecuteContext\"\r\n"
								 "   End Object\r\n"
								 "   Begin Object Name=\"ExecuteContext\"\r\n"
								 "      Direction=Output\r\n"
								 "      CPPType=\"FRigVMExecuteContext\"\r\n"))
		<< Text;
	EXPECT_NE(Text.find("   ScriptStruct=\"/Script/CoreUObject.ScriptStruct'/Script/ControlRig.RigUnit_SetTransform'\"\r\n   MethodName=\"Execute\"\r\n"), std::string::npos);
	// Sub-pins nest inside their pin, each declared before any is defined.
	EXPECT_NE(Text.find("      Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Rotation\"\r\n      End Object\r\n"
						"      Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Translation\"\r\n"),
		std::string::npos);
	EXPECT_TRUE(Text.ends_with("Begin Object Class=/Script/RigVMDeveloper.RigVMLink Name=\"RigVMLink_0\"\r\n"
							   "   SourcePinPath=\"Begin.ExecuteContext\"\r\n"
							   "   TargetPinPath=\"Set.ExecuteContext\"\r\n"
							   "End Object\r\n"));
}

TEST_F(RigVMTextTest, LinksToNodesOutsideTheCopyAreLeftOutUnlessAskedFor)
{
	FRigVMTestGraph Source;
	BuildArmGraph(Source);
	const std::string Inner = Source.Controller->ExportNodesToText({"SetHand", "ArmIK", "Missing"});
	EXPECT_EQ(Inner.find("BeginExecution."), std::string::npos);
	EXPECT_EQ(Inner.find("GetArm."), std::string::npos);

	FRigVMTestGraph Copy;
	EXPECT_EQ(Copy.Controller->ImportNodesFromText(Inner), (std::vector<std::string>{"SetHand", "ArmIK"}));
	ASSERT_EQ(Copy.Graph->GetLinks().size(), 1u);
	EXPECT_TRUE(HasLink(*Copy.Graph, "SetHand.ExecuteContext", "ArmIK.ExecuteContext"));

	// With exterior links, a paste into the graph it came from joins the pasted node to the nodes it was linked to.
	const std::string WithExterior = Source.Controller->ExportNodesToText({"Scale"}, true);
	EXPECT_EQ(Source.Controller->ImportNodesFromText(WithExterior), (std::vector<std::string>{"Scale_1"}));
	EXPECT_TRUE(HasLink(*Source.Graph, "GetArm.Transform.Translation.Z", "Scale_1.A"));
	EXPECT_TRUE(HasLink(*Source.Graph, "Scale_1.Result", "SetHand.Value.Translation.Z"));
	EXPECT_FALSE(HasLink(*Source.Graph, "Scale.Result", "SetHand.Value.Translation.Z"));
	ExpectConsistent(*Source.Graph);
}

TEST_F(RigVMTextTest, APasteIntoTheSameGraphRenamesAndLinksOnlyThePastedNodes)
{
	FRigVMTestGraph Rig;
	BuildArmGraph(Rig);
	const std::string Text = Rig.Controller->ExportNodesToText({"GetArm", "Scale"});
	EXPECT_EQ(Rig.Controller->ImportNodesFromText(Text), (std::vector<std::string>{"GetArm_1", "Scale_1"}));
	EXPECT_TRUE(HasLink(*Rig.Graph, "GetArm_1.Transform.Translation.Z", "Scale_1.A"));
	EXPECT_TRUE(HasLink(*Rig.Graph, "GetArm.Transform.Translation.Z", "Scale.A"));
	EXPECT_EQ(Rig.Graph->GetLinks().size(), 6u);
	EXPECT_EQ(Rig.Graph->FindPin("GetArm_1.Item.Name")->DefaultValue, "upperarm_l");
}

TEST_F(RigVMTextTest, WhatTheHostDoesNotReadIsWrittenBackAsItCame)
{
	const std::string Text = "Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Mystery\" Archetype=Foo\r\n"
							 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"ExecuteContext\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Amount\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Name=\"ExecuteContext\"\r\n"
							 "      Direction=IO\r\n"
							 "      CPPType=\"FControlRigExecuteContext\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Name=\"Amount\"\r\n"
							 "      bIsExpanded=True\r\n"
							 "      CPPType=\"FMysteryAmount\"\r\n"
							 "      DefaultValue=\"(Depth=1.5,  Kind=Odd)\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Class=/Script/RigVMDeveloper.RigVMInjectionInfo Name=\"Injected\"\r\n"
							 "      bInjectAsInput=True\r\n"
							 "   End Object\r\n"
							 "   NodeTitle=\"Do Something\"\r\n"
							 "   ScriptStruct=/Script/CoreUObject.ScriptStruct'\"/Script/ControlRig.RigUnit_Mystery\"'\r\n"
							 "   CustomProperties Note (Text=\"kept\")\r\n"
							 "   a line the host cannot read\r\n"
							 "End Object\r\n"
							 "Begin Object Class=/Script/RigVMDeveloper.RigVMVariableNode Name=\"Speed\"\r\n"
							 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Value\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Name=\"Value\"\r\n"
							 "      Direction=Output\r\n"
							 "      CPPType=\"float\"\r\n"
							 "      DefaultValue=\"1.0\"\r\n"
							 "   End Object\r\n"
							 "   VariableName=\"Speed\"\r\n"
							 "End Object\r\n"
							 "Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Set\"\r\n"
							 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Weight\"\r\n"
							 "   End Object\r\n"
							 "   Begin Object Name=\"Weight\"\r\n"
							 "      DisplayName=\"Blend\"\r\n"
							 "      CPPType=\"float\"\r\n"
							 "      DefaultValue=\"0.25\"\r\n"
							 "   End Object\r\n"
							 "   ScriptStruct=\"/Script/CoreUObject.ScriptStruct'/Script/ControlRig.RigUnit_SetTransform'\"\r\n"
							 "   NodeColor=(R=1.000000,G=0.000000,B=0.000000,A=1.000000)\r\n"
							 "End Object\r\n"
							 "Begin Object Class=/Script/RigVMDeveloper.RigVMLink Name=\"RigVMLink_7\"\r\n"
							 "   SourcePinPath=\"Mystery.ExecuteContext\"\r\n"
							 "   TargetPinPath=\"Set.ExecuteContext\"\r\n"
							 "End Object\r\n"
							 "Begin Object Class=/Script/RigVMDeveloper.RigVMLink Name=\"RigVMLink_8\"\r\n"
							 "   SourcePinPath=\"Speed.Value\"\r\n"
							 "   TargetPinPath=\"Set.Weight\"\r\n"
							 "End Object\r\n";
	FRigVMTestGraph Rig;
	ASSERT_TRUE(Rig.Controller->CanImportNodesFromText(Text));
	ASSERT_EQ(Rig.Controller->ImportNodesFromText(Text).size(), 3u);
	const URigVMNode* Mystery = Rig.Graph->FindNodeByName("Mystery");
	ASSERT_NE(Mystery, nullptr);
	EXPECT_FALSE(Mystery->IsEvent());
	EXPECT_EQ(Mystery->FindPin("Amount")->DefaultValue, "(Depth=1.5,  Kind=Odd)");
	EXPECT_EQ(Rig.Graph->FindNodeByName("Speed")->KeptClassPath, "/Script/RigVMDeveloper.RigVMVariableNode");
	EXPECT_EQ(Rig.Graph->FindPin("Set.Weight")->DefaultValue, "0.250000");
	EXPECT_EQ(Rig.Graph->GetLinks().size(), 2u);

	const std::string Exported = Rig.ExportAll();
	for (const std::string_view Kept : {"Name=\"Mystery\" Archetype=Foo\r\n", "      bIsExpanded=True\r\n", "      DefaultValue=\"(Depth=1.5,  Kind=Odd)\"\r\n",
			 "   Begin Object Class=/Script/RigVMDeveloper.RigVMInjectionInfo Name=\"Injected\"\r\n      bInjectAsInput=True\r\n   End Object\r\n",
			 "   NodeTitle=\"Do Something\"\r\n", "   CustomProperties Note (Text=\"kept\")\r\n", "   a line the host cannot read\r\n",
			 "Begin Object Class=/Script/RigVMDeveloper.RigVMVariableNode Name=\"Speed\"\r\n", "   VariableName=\"Speed\"\r\n", "      DisplayName=\"Blend\"\r\n",
			 "   NodeColor=(R=1.000000,G=0.000000,B=0.000000,A=1.000000)\r\n", "'/Script/ControlRig.RigUnit_Mystery'", "      CPPType=\"FControlRigExecuteContext\"\r\n"})
	{
		EXPECT_NE(Exported.find(Kept), std::string::npos) << Kept << "\nin\n" << Exported;
	}
	// The known unit gets the pins its unit declares, whatever the text left out.
	EXPECT_NE(Rig.Graph->FindPin("Set.Value.Translation.X"), nullptr);

	FRigVMTestGraph Again;
	Again.Controller->ImportNodesFromText(Exported);
	EXPECT_EQ(Again.ExportAll(), Exported);
}

TEST_F(RigVMTextTest, HostileTextNeverBreaksTheGraph)
{
	FRigVMTestGraph Rig;
	BuildArmGraph(Rig);
	const std::string Before = Rig.ExportAll();
	const std::string Deep = [] {
		std::string Text;
		for (int Level = 0; Level < 200; ++Level)
		{
			Text += "Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"P\"\n";
		}
		return Text;
	}();
	for (const std::string_view Nothing : {std::string_view(""), std::string_view("hello\nEnd Object\n"), std::string_view("Begin Object Name=\"NoClass\"\nEnd Object\n"),
			 std::string_view("Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n   CustomProperties Pin (PinId=0)\nEnd Object\n"),
			 std::string_view("Begin Object Class=/Script/RigVMDeveloper.RigVMLink Name=\"L\"\n   SourcePinPath=\"GetArm.Transform\"\n   TargetPinPath=\"Scale.B\"\nEnd Object\n"),
			 std::string_view("Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Stray\"\nEnd Object\n")})
	{
		EXPECT_FALSE(Rig.Controller->CanImportNodesFromText(Nothing)) << Nothing;
		EXPECT_TRUE(Rig.Controller->ImportNodesFromText(Nothing).empty()) << Nothing;
		EXPECT_EQ(Rig.ExportAll(), Before) << Nothing;
	}

	const std::string_view Mangled = "Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"A.B\"\n"
									 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Count\"\n"
									 "      CPPType=\"int32\"\n"
									 "      DefaultValue=\"99999999999999999999\"\n"
									 "   End Object\n"
									 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Count\"\n"
									 "   End Object\n"
									 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"bad.pin\"\n"
									 "   End Object\n"
									 "   ScriptStruct=\"((((\"\n"
									 "   Position=(X=1e999,Y=\n"
									 "End Object\n"
									 "Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Mul\"\n"
									 "   ScriptStruct=/Script/RigVM.RigVMFunction_MathFloatMul\n"
									 "   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"A\"\n"
									 "      DefaultValue=\"nan\"\n"
									 "   End Object\n"
									 "End Object\n"
									 "Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Mul2\"\n"
									 "   ScriptStruct=/Script/RigVM.RigVMFunction_MathFloatMul\n"
									 "End Object\n"
									 "Begin Object Class=RigVMLink Name=\"L0\"\n   SourcePinPath=\"Mul.Result\"\n   TargetPinPath=\"Mul2.A\"\nEnd Object\n"
									 "Begin Object Class=RigVMLink Name=\"L1\"\n   SourcePinPath=\"Mul2.Result\"\n   TargetPinPath=\"Mul.B\"\nEnd Object\n"
									 "Begin Object Class=RigVMLink Name=\"L2\"\n   SourcePinPath=\"Mul.Result\"\n   TargetPinPath=\"Mul.A\"\nEnd Object\n"
									 "Begin Object Class=RigVMLink Name=\"L3\"\n   SourcePinPath=\"Mul2.A\"\n   TargetPinPath=\"Mul.A\"\nEnd Object\n"
									 "Begin Object Class=RigVMLink Name=\"L4\"\n   SourcePinPath=\"GetArm.Transform\"\n   TargetPinPath=\"Mul2.B\"\nEnd Object\n"
									 "Begin Object Class=RigVMLink Name=\"L5\"\n   SourcePinPath=\".\"\n   TargetPinPath=\"\"\nEnd Object\n";
	const std::vector<std::string> Pasted = Rig.Controller->ImportNodesFromText(std::string(Mangled) + Deep);
	ASSERT_EQ(Pasted.size(), 3u);
	EXPECT_EQ(Pasted[0], "RigVMUnitNode");
	const URigVMNode* Renamed = Rig.Graph->FindNodeByName("RigVMUnitNode");
	ASSERT_NE(Renamed, nullptr);
	ASSERT_EQ(Renamed->Pins.size(), 1u);
	EXPECT_EQ(Renamed->Pins[0]->DefaultValue, "99999999999999999999");
	EXPECT_EQ(Rig.Graph->FindPin("Mul.A")->DefaultValue, "1.000000");
	// Only the first link between the two is kept: the second would close a loop, the others do not fit.
	EXPECT_TRUE(HasLink(*Rig.Graph, "Mul.Result", "Mul2.A"));
	EXPECT_EQ(Rig.Graph->GetLinks().size(), 6u);
	ExpectConsistent(*Rig.Graph);
}
