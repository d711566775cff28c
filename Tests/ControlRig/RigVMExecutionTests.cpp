#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMExecution.h"
#include "ControlRig/RigVMTestGraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

using RigVMExecutionTest = FRigVMTest;

namespace
{
	FRigElementKey Bone(std::string_view Name)
	{
		return {ERigElementType::Bone, std::string(Name)};
	}

	FTransform At(double X, double Y, double Z)
	{
		FTransform Transform;
		Transform.Translation = {X, Y, Z};
		return Transform;
	}

	void ExpectNear(const FVector& Actual, const FVector& Expected, double Tolerance = 1e-3)
	{
		EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
		EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
		EXPECT_NEAR(Actual.Z, Expected.Z, Tolerance);
	}

	/** An arm along X: upperarm at the origin, lowerarm and hand 50 further each, a finger 10 past the hand. */
	URigHierarchy* MakeArm()
	{
		URigHierarchy* Hierarchy = NewObject<URigHierarchy>(nullptr);
		Hierarchy->AddElement(Bone("upperarm"), {}, At(0, 0, 0));
		Hierarchy->AddElement(Bone("lowerarm"), Bone("upperarm"), At(50, 0, 0));
		Hierarchy->AddElement(Bone("hand"), Bone("lowerarm"), At(50, 0, 0));
		Hierarchy->AddElement(Bone("finger"), Bone("hand"), At(10, 0, 0));
		return Hierarchy;
	}

	FVector GlobalPosition(const URigHierarchy& Hierarchy, std::string_view BoneName)
	{
		return Hierarchy.GetGlobalTransform(Bone(BoneName)).Translation;
	}

	struct FIKRig : FRigVMTestGraph
	{
		FIKRig()
		{
			Add("RigUnit_BeginExecution", "Begin");
			Add("RigUnit_TwoBoneIKSimplePerItem", "IK");
			EXPECT_TRUE(Controller->AddLink("Begin.ExecuteContext", "IK.ExecuteContext"));
			EXPECT_TRUE(Controller->SetPinDefaultValue("IK.ItemA.Name", "upperarm"));
			EXPECT_TRUE(Controller->SetPinDefaultValue("IK.ItemB.Name", "lowerarm"));
			EXPECT_TRUE(Controller->SetPinDefaultValue("IK.EffectorItem.Name", "hand"));
		}
	};
}

TEST_F(RigVMExecutionTest, AChainReadsDataNodesAndMovesBones)
{
	URigHierarchy* Hierarchy = MakeArm();
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_BeginExecution", "Begin");
	Rig.Add("RigUnit_GetTransform", "GetHand");
	Rig.Add("RigVMFunction_MathFloatAdd", "Raise");
	Rig.Add("RigUnit_SetTransform", "MoveHand");
	Rig.Add("RigUnit_SetTransform", "Upper");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("GetHand.Item.Name", "hand"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Raise.B", "30"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MoveHand.Item.Name", "hand"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Upper.Item.Name", "upperarm"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Upper.Space", "LocalSpace"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Upper.Value.Translation", "(Y=5.0)"));
	ASSERT_TRUE(Rig.Controller->AddLink("Begin.ExecuteContext", "MoveHand.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("MoveHand.ExecuteContext", "Upper.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("GetHand.Transform.Translation.X", "MoveHand.Value.Translation.X"));
	ASSERT_TRUE(Rig.Controller->AddLink("GetHand.Transform.Translation.Z", "Raise.A"));
	ASSERT_TRUE(Rig.Controller->AddLink("Raise.Result", "MoveHand.Value.Translation.Z"));

	const FRigVMExecuteResult Result = ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	EXPECT_TRUE(Result.bFoundEvent);
	EXPECT_FALSE(Result.bHitInstructionLimit);
	// The event, two chain nodes and the two data nodes read by the first one.
	EXPECT_EQ(Result.InstructionsRun, 5);
	// The hand rose 30, then the whole arm moved 5 sideways; the finger follows its parents.
	ExpectNear(GlobalPosition(*Hierarchy, "hand"), {100, 5, 30});
	ExpectNear(GlobalPosition(*Hierarchy, "finger"), {110, 5, 30});
	ExpectNear(GlobalPosition(*Hierarchy, "lowerarm"), {50, 5, 0});
	ExpectNear(Hierarchy->GetGlobalTransform(Bone("hand"), true).Translation, {100, 0, 0});

	// Other events do not run this chain.
	const FRigVMExecuteResult Construction = ExecuteRigVMEvent(*Rig.Graph, "Construction", *Hierarchy);
	EXPECT_FALSE(Construction.bFoundEvent);
	EXPECT_EQ(Construction.InstructionsRun, 0);
}

TEST_F(RigVMExecutionTest, DataNodesRunAfreshForEachNodeOnTheChain)
{
	URigHierarchy* Hierarchy = MakeArm();
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_BeginExecution", "Begin");
	Rig.Add("RigUnit_SetTransform", "MoveUpper");
	Rig.Add("RigUnit_GetTransform", "GetUpper");
	Rig.Add("RigUnit_SetTransform", "FollowUpper");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MoveUpper.Item.Name", "upperarm"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MoveUpper.Value.Translation.Z", "20"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MoveUpper.bPropagateToChildren", "False"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("GetUpper.Item.Name", "upperarm"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("FollowUpper.Item.Name", "finger"));
	ASSERT_TRUE(Rig.Controller->AddLink("Begin.ExecuteContext", "MoveUpper.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("MoveUpper.ExecuteContext", "FollowUpper.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("GetUpper.Transform.Translation", "FollowUpper.Value.Translation"));

	ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	ExpectNear(GlobalPosition(*Hierarchy, "upperarm"), {0, 0, 20});
	// Without propagation the children stayed where they were in the rig.
	ExpectNear(GlobalPosition(*Hierarchy, "lowerarm"), {50, 0, 0});
	// The finger read the upper arm after it moved.
	ExpectNear(GlobalPosition(*Hierarchy, "finger"), {0, 0, 20});
}

TEST_F(RigVMExecutionTest, TwoBoneIKReachesATargetWithinReach)
{
	URigHierarchy* Hierarchy = MakeArm();
	FIKRig Rig;
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("IK.Effector.Translation", "(X=60.0,Y=0.0,Z=40.0)"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("IK.PoleVector", "(X=0.0,Y=1.0,Z=0.0)"));

	ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	const FVector Upper = GlobalPosition(*Hierarchy, "upperarm");
	const FVector Lower = GlobalPosition(*Hierarchy, "lowerarm");
	const FVector Hand = GlobalPosition(*Hierarchy, "hand");
	ExpectNear(Hand, {60, 0, 40});
	EXPECT_NEAR((Lower - Upper).Size(), 50.0, 1e-3);
	EXPECT_NEAR((Hand - Lower).Size(), 50.0, 1e-3);
	// The elbow bends towards the pole, and each bone's X axis points down the limb, so the
	// local transforms keep the bone lengths along X.
	EXPECT_GT(Lower.Y, 1.0);
	ExpectNear(Hierarchy->GetLocalTransform(Bone("lowerarm")).Translation, {50, 0, 0});
	ExpectNear(Hierarchy->GetLocalTransform(Bone("hand")).Translation, {50, 0, 0});
	ExpectNear(GlobalPosition(*Hierarchy, "finger") - Hand, {10, 0, 0});
}

TEST_F(RigVMExecutionTest, TwoBoneIKOutOfReachLiesStraightTowardsTheTarget)
{
	URigHierarchy* Hierarchy = MakeArm();
	FIKRig Rig;
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("IK.Effector.Translation", "(X=0.0,Y=300.0,Z=0.0)"));

	ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	ExpectNear(GlobalPosition(*Hierarchy, "lowerarm"), {0, 50, 0});
	ExpectNear(GlobalPosition(*Hierarchy, "hand"), {0, 100, 0});

	// Stretching lets the limb grow by the maximum ratio, and no further.
	URigHierarchy* Stretched = MakeArm();
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("IK.bEnableStretch", "True"));
	ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Stretched);
	ExpectNear(GlobalPosition(*Stretched, "hand"), {0, 125, 0});
}

TEST_F(RigVMExecutionTest, ALoopThatWouldRunForeverStopsAtTheLimitKeepingWhatItDid)
{
	URigHierarchy* Hierarchy = MakeArm();
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_BeginExecution", "Begin");
	Rig.Add("RigVMFunction_ForLoopCount", "Loop");
	Rig.Add("RigVMFunction_MathIntToFloat", "ToFloat");
	Rig.Add("RigUnit_SetTransform", "Step");
	Rig.Add("RigUnit_SetTransform", "AfterLoop");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Loop.Count", "99999999999"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Step.Item.Name", "hand"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("AfterLoop.Item.Name", "finger"));
	ASSERT_TRUE(Rig.Controller->AddLink("Begin.ExecuteContext", "Loop.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Loop.ExecuteContext", "Step.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Loop.Completed", "AfterLoop.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Loop.Index", "ToFloat.Value"));
	ASSERT_TRUE(Rig.Controller->AddLink("ToFloat.Result", "Step.Value.Translation.X"));
	EXPECT_EQ(Rig.Graph->FindPin("Loop.Count")->DefaultValue, "2147483647");

	const FRigVMExecuteResult Result = ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	EXPECT_TRUE(Result.bHitInstructionLimit);
	EXPECT_EQ(Result.InstructionsRun, MaxRigVMInstructionsPerEvent);
	// Each pass takes three instructions (the pass, the data node, the chain node); the hand
	// holds the last index set, and the chain after the loop never ran.
	const double LastIndex = GlobalPosition(*Hierarchy, "hand").X;
	EXPECT_GT(LastIndex, MaxRigVMInstructionsPerEvent / 3 - 3);
	EXPECT_LT(LastIndex, MaxRigVMInstructionsPerEvent / 3 + 1);
	EXPECT_EQ(LastIndex, std::floor(LastIndex));
	ExpectNear(GlobalPosition(*Hierarchy, "finger"), {LastIndex + 10, 0, 0});

	// A loop that ends goes on with its Completed chain.
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("Loop.Count", "4"));
	const FRigVMExecuteResult Short = ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	EXPECT_FALSE(Short.bHitInstructionLimit);
	EXPECT_EQ(Short.InstructionsRun, 1 + 1 + 4 * 3 + 1);
	ExpectNear(GlobalPosition(*Hierarchy, "hand"), {3, 0, 0});
	ExpectNear(GlobalPosition(*Hierarchy, "finger"), {0, 0, 0});
}

TEST_F(RigVMExecutionTest, UnknownUnitsAndMissingElementsDoNothing)
{
	URigHierarchy* Hierarchy = MakeArm();
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_BeginExecution", "Begin");
	Rig.Controller->ImportNodesFromText("Begin Object Class=/Script/RigVMDeveloper.RigVMUnitNode Name=\"Mystery\"\n"
										"   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"ExecuteContext\"\n"
										"      Direction=IO\n"
										"      CPPType=\"FRigVMExecuteContext\"\n"
										"   End Object\n"
										"   Begin Object Class=/Script/RigVMDeveloper.RigVMPin Name=\"Out\"\n"
										"      Direction=Output\n"
										"      CPPType=\"FTransform\"\n"
										"      DefaultValue=\"(Translation=(X=7.0))\"\n"
										"   End Object\n"
										"   ScriptStruct=\"/Script/CoreUObject.ScriptStruct'/Script/ControlRig.RigUnit_SomethingNew'\"\n"
										"End Object\n");
	Rig.Add("RigUnit_SetTransform", "MissingBone");
	Rig.Add("RigUnit_GetTransform", "GetMissing");
	Rig.Add("RigUnit_SetTransform", "FromMystery");
	Rig.Add("RigUnit_SetTransform", "FromMissing");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MissingBone.Item.Name", "no_such_bone"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("MissingBone.Value.Translation.X", "500"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("GetMissing.Item.Name", "no_such_bone"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("FromMystery.Item.Name", "hand"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("FromMissing.Item.Name", "finger"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("FromMissing.Space", "LocalSpace"));
	ASSERT_TRUE(Rig.Controller->AddLink("Begin.ExecuteContext", "Mystery.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Mystery.ExecuteContext", "MissingBone.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("MissingBone.ExecuteContext", "FromMystery.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("FromMystery.ExecuteContext", "FromMissing.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Mystery.Out", "FromMystery.Value"));
	ASSERT_TRUE(Rig.Controller->AddLink("GetMissing.Transform", "FromMissing.Value"));

	const FRigVMExecuteResult Result = ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	EXPECT_FALSE(Result.bHitInstructionLimit);
	EXPECT_EQ(Hierarchy->Num(), 4);
	// The unknown unit passes the chain on and its output holds its default; a missing bone reads as the identity.
	ExpectNear(GlobalPosition(*Hierarchy, "hand"), {7, 0, 0});
	ExpectNear(GlobalPosition(*Hierarchy, "finger"), {7, 0, 0});
	ExpectNear(GlobalPosition(*Hierarchy, "lowerarm"), {50, 0, 0});
}

TEST_F(RigVMExecutionTest, TheArmSampleCopiesBackAsItCameAndPosesTheArm)
{
	std::ifstream File(KORVANE_PLUGIN_DIR "/Tests/ControlRig/Samples/ArmGraph.txt", std::ios::binary);
	ASSERT_TRUE(File.good());
	const std::string Text((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
	FRigVMTestGraph Rig;
	ASSERT_EQ(Rig.Controller->ImportNodesFromText(Text).size(), 8u);
	EXPECT_EQ(Rig.ExportAll(), Text);

	URigHierarchy* Hierarchy = NewObject<URigHierarchy>(nullptr);
	Hierarchy->AddElement(Bone("upperarm_l"), {}, At(0, 0, 0));
	Hierarchy->AddElement(Bone("lowerarm_l"), Bone("upperarm_l"), At(50, 0, 0));
	Hierarchy->AddElement(Bone("hand_l"), Bone("lowerarm_l"), At(50, 0, 0));
	Hierarchy->AddElement({ERigElementType::Null, "hand_target_l"}, {}, At(30, 20, 60));
	FRigControlSettings FloatControl;
	FloatControl.ControlType = ERigControlType::Float;
	ASSERT_NE(Hierarchy->AddControl({ERigElementType::Control, "wrist_twist_l"}, {}, FloatControl, {}, FRigControlValue::MakeFloat(90.0f)), nullptr);

	const FRigVMExecuteResult Result = ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy);
	EXPECT_TRUE(Result.bFoundEvent);
	ExpectNear(GlobalPosition(*Hierarchy, "hand_l"), {30, 20, 60});
	// The hand turned a quarter about its own X axis, staying where the IK put it.
	const FQuat Local = Hierarchy->GetLocalTransform(Bone("hand_l")).Rotation;
	EXPECT_TRUE(Local.Equals(FQuat::FromAxisAngle({1, 0, 0}, 90.0 * 0.017453), 1e-3));
	ExpectNear(Hierarchy->GetLocalTransform(Bone("hand_l")).Translation, {50, 0, 0});
}

TEST_F(RigVMExecutionTest, EachEventRunsItsOwnChainAndControlUnitsReadAndWriteValues)
{
	URigHierarchy* Hierarchy = NewObject<URigHierarchy>(nullptr);
	FRigControlSettings FloatControl;
	FloatControl.ControlType = ERigControlType::Float;
	ASSERT_NE(Hierarchy->AddControl({ERigElementType::Control, "blend"}, {}, FloatControl, At(0, 0, 10), FRigControlValue::MakeFloat(2.0f)), nullptr);
	Hierarchy->AddElement(Bone("root"));
	FRigVMTestGraph Rig;
	Rig.Add("RigUnit_PrepareForExecution", "Construction");
	Rig.Add("RigUnit_SetControlFloat", "HalfwayToTen");
	Rig.Add("RigUnit_InverseExecution", "Backwards");
	Rig.Add("RigUnit_GetControlTransform", "GetBlend");
	Rig.Add("RigUnit_SetTransform", "RootToBlend");
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("HalfwayToTen.Control", "blend"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("HalfwayToTen.FloatValue", "10"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("HalfwayToTen.Weight", "0.5"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("GetBlend.Control", "blend"));
	ASSERT_TRUE(Rig.Controller->SetPinDefaultValue("RootToBlend.Item.Name", "root"));
	ASSERT_TRUE(Rig.Controller->AddLink("Construction.ExecuteContext", "HalfwayToTen.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("Backwards.ExecuteContext", "RootToBlend.ExecuteContext"));
	ASSERT_TRUE(Rig.Controller->AddLink("GetBlend.Transform", "RootToBlend.Value"));

	EXPECT_FALSE(ExecuteRigVMEvent(*Rig.Graph, "Forwards Solve", *Hierarchy).bFoundEvent);
	EXPECT_EQ(ExecuteRigVMEvent(*Rig.Graph, "Construction", *Hierarchy).InstructionsRun, 2);
	const FRigBaseElement* Blend = Hierarchy->Find({ERigElementType::Control, "blend"});
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Blend).GetFloat(), 6.0f);
	ExpectNear(GlobalPosition(*Hierarchy, "root"), {0, 0, 0});

	ExecuteRigVMEvent(*Rig.Graph, "Backwards Solve", *Hierarchy);
	ExpectNear(GlobalPosition(*Hierarchy, "root"), Hierarchy->GetGlobalTransform({ERigElementType::Control, "blend"}).Translation);
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Blend).GetFloat(), 6.0f);
}
