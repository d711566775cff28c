#include "Assets/AssetFiles.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigTestSupport.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	class RigHierarchyTest : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		URigHierarchy* Hierarchy = NewObject<URigHierarchy>();

		static std::vector<std::string> Names(const std::vector<FRigElementKey>& Keys)
		{
			std::vector<std::string> Result;
			for (const FRigElementKey& Key : Keys)
			{
				Result.push_back(Key.Name);
			}
			return Result;
		}
	};
}

TEST_F(RigHierarchyTest, TraversalVisitsParentsBeforeChildrenDepthFirstWhileStorageOrderIsKept)
{
	// Storage order interleaves the two branches, so depth-first order differs from it.
	ASSERT_NE(Hierarchy->AddElement(Bone("root")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("spine"), Bone("root")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("thigh"), Bone("root")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Curve("blink")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("chest"), Bone("spine")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Null("hand_space"), Bone("chest")), nullptr);
	ASSERT_NE(Hierarchy->AddControl(Control("thigh_ctrl"), Bone("thigh"), {}), nullptr);
	ASSERT_NE(Hierarchy->AddElement({ERigElementType::Physics, "body"}, Bone("spine")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Null("world")), nullptr);

	EXPECT_EQ(Names(Hierarchy->GetAllKeys()), (std::vector<std::string>{"root", "spine", "chest", "hand_space", "body", "thigh", "thigh_ctrl", "blink", "world"}));
	EXPECT_EQ(Names(Hierarchy->GetAllKeys(false)), (std::vector<std::string>{"root", "spine", "thigh", "blink", "chest", "hand_space", "thigh_ctrl", "body", "world"}));

	// A mask keeps the traversal order of the kinds it names; 0xEF is every kind but physics.
	EXPECT_EQ(Names(Hierarchy->GetAllKeys(true, ERigElementType::Null | ERigElementType::Control)), (std::vector<std::string>{"hand_space", "thigh_ctrl", "world"}));
	EXPECT_EQ(Names(Hierarchy->GetAllKeys(true, static_cast<ERigElementType>(0xEF))),
		(std::vector<std::string>{"root", "spine", "chest", "hand_space", "thigh", "thigh_ctrl", "blink", "world"}));
	EXPECT_TRUE(Hierarchy->GetAllKeys(true, ERigElementType::None).empty());

	EXPECT_EQ(Hierarchy->GetIndex(Bone("chest")), 4);
	EXPECT_EQ(Hierarchy->GetIndex(Null("chest")), URigHierarchy::INDEX_NONE) << "names are unique per kind only";
	EXPECT_EQ(Hierarchy->GetFirstParent(Null("hand_space")), Bone("chest"));
	EXPECT_FALSE(Hierarchy->GetFirstParent(Bone("root")).IsValid());
	EXPECT_FALSE(Hierarchy->GetFirstParent(Curve("blink")).IsValid());
	EXPECT_EQ(Names(Hierarchy->GetChildren(Bone("root"))), (std::vector<std::string>{"spine", "thigh"}));
	EXPECT_EQ(Names(Hierarchy->GetChildren(Bone("spine"))), (std::vector<std::string>{"chest", "body"}));
}

TEST_F(RigHierarchyTest, AddElementRefusesBadKeysAndParentsWithoutAddingAnything)
{
	ASSERT_NE(Hierarchy->AddElement(Bone("root")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Curve("blink")), nullptr);
	EXPECT_EQ(Hierarchy->AddElement(Bone("root")), nullptr) << "a taken key";
	EXPECT_EQ(Hierarchy->AddElement(Bone("")), nullptr);
	EXPECT_EQ(Hierarchy->AddElement({ERigElementType::None, "x"}), nullptr);
	EXPECT_EQ(Hierarchy->AddElement(Bone("a"), Bone("missing")), nullptr);
	EXPECT_EQ(Hierarchy->AddElement(Bone("b"), Curve("blink")), nullptr) << "a curve has no transform to hang under";
	EXPECT_EQ(Hierarchy->AddElement(Curve("c"), Bone("root")), nullptr) << "a curve has no transform to hang";
	EXPECT_EQ(Hierarchy->AddElement(Bone("d"), {ERigElementType::None, "root"}), nullptr) << "a parent named without a kind";
	EXPECT_EQ(Hierarchy->AddControl(Bone("e"), {}, {}), nullptr) << "AddControl adds controls only";
	EXPECT_EQ(Hierarchy->Num(), 2);
	EXPECT_NE(Hierarchy->AddElement(Null("root"), Bone("root")), nullptr) << "the same name of another kind";
}

TEST_F(RigHierarchyTest, MovingAParentCarriesItsChildrenAndLeavesTheOtherPoseAlone)
{
	ASSERT_NE(Hierarchy->AddElement(Bone("root"), {}, MakeTransform({0, 0, 100})), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("arm"), Bone("root"), MakeTransform({10, 0, 0}, {0, 90, 0})), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("hand"), Bone("arm"), MakeTransform({20, 0, 0})), nullptr);
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("hand")).Translation, {10, 20, 100})) << "the arm's yaw turns the hand's X offset to +Y";
	EXPECT_TRUE(TransformsNear(Hierarchy->GetGlobalTransform(Bone("hand"), true), Hierarchy->GetGlobalTransform(Bone("hand"))));

	Hierarchy->SetGlobalTransform(Bone("root"), MakeTransform({0, 0, 50}, {}, {2, 2, 2}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("hand")).Translation, {20, 40, 50}));
	EXPECT_TRUE(TransformsNear(Hierarchy->GetLocalTransform(Bone("hand")), MakeTransform({20, 0, 0})));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("hand"), true).Translation, {10, 20, 100})) << "the initial pose stays";

	// A global transform set on a child is kept as given, its local one is relative to the moved parent.
	const FTransform Wanted = MakeTransform({5, 5, 5}, {30, 10, 0});
	Hierarchy->SetGlobalTransform(Bone("hand"), Wanted);
	EXPECT_TRUE(TransformsNear(Hierarchy->GetGlobalTransform(Bone("hand")), Wanted));
	EXPECT_TRUE(TransformsNear(Hierarchy->GetLocalTransform(Bone("hand")) * Hierarchy->GetGlobalTransform(Bone("arm")), Wanted));

	Hierarchy->ResetPoseToInitial();
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("hand")).Translation, {10, 20, 100}));
}

TEST_F(RigHierarchyTest, AControlsValueMovesItFromItsOffsetAndItsShapeFollows)
{
	ASSERT_NE(Hierarchy->AddElement(Bone("root"), {}, MakeTransform({0, 0, 100})), nullptr);
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Float;
	FRigBaseElement* const Slider = Hierarchy->AddControl(Control("reach"), Bone("root"), Settings, MakeTransform({0, 10, 0}, {0, 90, 0}));
	ASSERT_NE(Slider, nullptr);
	Hierarchy->SetControlShapeTransform(Slider, MakeTransform({0, 0, 5}), ERigTransformType::InitialLocal);
	Hierarchy->SetControlShapeTransform(Slider, MakeTransform({0, 0, 5}), ERigTransformType::CurrentLocal);
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Control("reach")).Translation, {0, 10, 100})) << "a neutral value leaves it at its offset";

	// Setting the current value from a float: the control slides along its offset's X axis (here +Y).
	Hierarchy->SetControlValue(Slider, FRigControlValue::MakeFloat(4.0f));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Slider).GetFloat(), 4.0f);
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Slider, ERigControlValueType::Initial).GetFloat(), 0.0f);
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Control("reach")).Translation, {0, 14, 100}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetControlShapeTransform(Slider, ERigTransformType::CurrentGlobal).Translation, {0, 14, 105}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetControlShapeTransform(Slider, ERigTransformType::InitialGlobal).Translation, {0, 10, 105}));

	// A transform set on a float control keeps only what a float can say: the slide along X.
	Hierarchy->SetGlobalTransform(Control("reach"), MakeTransform({3, 17, 120}));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Slider).GetFloat(), 7.0f);
	EXPECT_TRUE(TransformsNear(Hierarchy->GetGlobalTransform(Control("reach")), MakeTransform({0, 17, 100}, {0, 90, 0})));

	// Moving the parent carries the control and its shape.
	Hierarchy->SetGlobalTransform(Bone("root"), MakeTransform({50, 0, 100}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetControlShapeTransform(Slider, ERigTransformType::CurrentGlobal).Translation, {50, 17, 105}));

	Hierarchy->ResetPoseToInitial();
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Slider).GetFloat(), 0.0f);
	EXPECT_TRUE(VectorsNear(Hierarchy->GetControlShapeTransform(Slider, ERigTransformType::CurrentGlobal).Translation, {0, 10, 105}));
}

TEST_F(RigHierarchyTest, ControlTypesReadTheirPartOfATransform)
{
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::ScaleFloat;
	FRigBaseElement* const Grow = Hierarchy->AddControl(Control("grow"), {}, Settings);
	ASSERT_NE(Grow, nullptr);
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Grow).GetFloat(), 1.0f) << "a scale starts at 1, not at a zero scale";
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Control("grow")).Scale3D, {1, 1, 1}));

	Settings.ControlType = ERigControlType::TransformNoScale;
	FRigBaseElement* const Mover = Hierarchy->AddControl(Control("mover"), {}, Settings);
	Hierarchy->SetLocalTransform(Control("mover"), MakeTransform({1, 2, 3}, {0, 45, 0}, {3, 3, 3}));
	EXPECT_TRUE(TransformsNear(Hierarchy->GetLocalTransform(Control("mover")), MakeTransform({1, 2, 3}, {0, 45, 0})));
	EXPECT_TRUE(TransformsNear(Hierarchy->GetControlValue(Mover).Transform, MakeTransform({1, 2, 3}, {0, 45, 0})));

	Settings.ControlType = ERigControlType::Integer;
	FRigBaseElement* const Steps = Hierarchy->AddControl(Control("steps"), {}, Settings);
	Hierarchy->SetLocalTransform(Control("steps"), MakeTransform({-2.75, 9, 0}));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Steps).GetFloat(), -2.0f);

	Settings.ControlType = ERigControlType::Bool;
	FRigBaseElement* const Toggle = Hierarchy->AddControl(Control("toggle"), {}, Settings, MakeTransform({0, 0, 7}), FRigControlValue::MakeFloat(1.0f));
	Hierarchy->SetLocalTransform(Control("toggle"), MakeTransform({5, 5, 5}));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Toggle).GetFloat(), 1.0f) << "a transform says nothing to a bool";
	EXPECT_TRUE(VectorsNear(Hierarchy->GetLocalTransform(Control("toggle")).Translation, {0, 0, 7}));

	// Elements without controls answer defaults and ignore writes.
	FRigBaseElement* const Bare = Hierarchy->AddElement(Null("bare"));
	Hierarchy->SetControlValue(Bare, FRigControlValue::MakeFloat(3.0f));
	EXPECT_FLOAT_EQ(Hierarchy->GetControlValue(Bare).GetFloat(), 0.0f);
	EXPECT_TRUE(TransformsNear(Hierarchy->GetLocalTransform(Null("bare")), FTransform()));
}

TEST_F(RigHierarchyTest, ACopyIsIndependentAndKeepsLookups)
{
	ASSERT_NE(Hierarchy->AddElement(Bone("root")), nullptr);
	ASSERT_NE(Hierarchy->AddElement(Bone("arm"), Bone("root"), MakeTransform({10, 0, 0})), nullptr);
	URigHierarchy* const Copy = NewObject<URigHierarchy>();
	Copy->CopyHierarchy(*Hierarchy);
	Copy->SetGlobalTransform(Bone("root"), MakeTransform({0, 0, 30}));
	EXPECT_TRUE(VectorsNear(Copy->GetGlobalTransform(Bone("arm")).Translation, {10, 0, 30}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetGlobalTransform(Bone("arm")).Translation, {10, 0, 0}));
	ASSERT_NE(Copy->AddElement(Bone("hand"), Bone("arm")), nullptr);
	EXPECT_EQ(Hierarchy->Num(), 2);
	EXPECT_EQ(Names(Copy->GetChildren(Bone("arm"))), std::vector<std::string>{"hand"});

	// An element of another hierarchy is no element of this one.
	Hierarchy->SetTransform(Copy->Find(Bone("root")), MakeTransform({1, 1, 1}), ERigTransformType::CurrentGlobal);
	EXPECT_TRUE(VectorsNear(Copy->GetGlobalTransform(Bone("root")).Translation, {0, 0, 30}));
	EXPECT_TRUE(VectorsNear(Hierarchy->GetTransform(Copy->Find(Bone("arm")), ERigTransformType::CurrentGlobal).Translation, {0, 0, 0}));
}
