#include "ControlRig/RigVMValue.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
	/** The value read from Text, written back as default value text; "-" when it does not read. */
	std::string Reread(std::string_view CPPType, std::string_view Text, const FRigVMValue& Base = {})
	{
		const std::optional<FRigVMValue> Value = ParseRigVMValue(CPPType, Text, Base);
		return Value ? ExportRigVMValue(*Value) : "-";
	}
}

TEST(RigVMValueTest, DefaultValueTextReadsAsTheEngineWritesIt)
{
	const FRigVMValue Base = FTransform{FQuat::Identity(), {1, 2, 3}, {2, 2, 2}};
	const std::string Partial = Reread("FTransform", "(Translation=(Z=9.5))", Base);
	EXPECT_EQ(Partial, "(Rotation=(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000),Translation=(X=1.000000,Y=2.000000,Z=9.500000),Scale3D=(X=2.000000,Y=2.000000,Z=2.000000))");
	EXPECT_EQ(Reread("FTransform", Partial), Partial);

	const std::optional<FRigVMValue> Key = ParseRigVMValue("FRigElementKey", "(type=control,Name=\"arm \\\"l\\\"\")");
	ASSERT_TRUE(Key.has_value());
	EXPECT_EQ(std::get<FRigElementKey>(*Key), (FRigElementKey{ERigElementType::Control, "arm \"l\""}));
	EXPECT_EQ(ExportRigVMValue(FRigElementKey{ERigElementType::Null, {}}), "(Type=Null,Name=\"None\")");

	EXPECT_EQ(Reread("ERigVMTransformSpace", "ERigVMTransformSpace::LocalSpace"), "LocalSpace");
	EXPECT_EQ(Reread("int32", "-99999999999"), "-2147483648");
	EXPECT_EQ(Reread("int32", "3.7"), "3");
	EXPECT_EQ(Reread("bool", "true"), "True");
	EXPECT_EQ(Reread("float", "0.5f"), "0.500000");

	for (const auto& [Type, Text] : std::initializer_list<std::pair<std::string_view, std::string_view>>{{"float", "1e999"}, {"float", "nan"}, {"float", ""},
			 {"int32", "seven"}, {"bool", "yes"}, {"ERigElementType", "Bogus"}, {"FVector", "(X=1,Y=(2))"}, {"FVector", "X=1"}, {"FQuat", "(1,2,3,4)"},
			 {"FSomethingElse", "(A=1)"}})
	{
		EXPECT_EQ(Reread(Type, Text), "-") << Type << " " << Text;
	}
}
