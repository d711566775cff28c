#include "Assets/AssetFileHeader.h"

#include <gtest/gtest.h>

TEST(AssetFileHeaderTests, ReadsTheClassAndTagsOfAValidFile)
{
	std::string Error;
	const std::optional<FAssetFileHeader> Header = ReadAssetFileHeader(
		R"({"class":"/Script/Engine.AnimSequence","tags":{"Skeleton":"/Game/S.S","Frames":"30"},"fields":[1,2,{"deep":true}]})", Error);
	ASSERT_TRUE(Header) << Error;
	EXPECT_EQ(Header->ClassPath, "/Script/Engine.AnimSequence");
	ASSERT_EQ(Header->Tags.size(), 2u);
	EXPECT_EQ(Header->Tags[0].Name, "Skeleton");
	EXPECT_EQ(Header->Tags[0].Value, "/Game/S.S");
	EXPECT_EQ(Header->Tags[1].Value, "30");

	const std::optional<FAssetFileHeader> NoTags = ReadAssetFileHeader(R"({"class":"/Script/Engine.World","level":{}})", Error);
	ASSERT_TRUE(NoTags) << Error;
	EXPECT_TRUE(NoTags->Tags.empty());
}

TEST(AssetFileHeaderTests, RefusesAnythingThatIsNotACompleteHeader)
{
	const std::string Valid = R"({"class":"/Script/Engine.AnimSequence","tags":{"Skeleton":"/Game/S.S"},"frames":[1,2,3]})";
	for (std::size_t Length = 0; Length < Valid.size(); ++Length)
	{
		std::string Error;
		EXPECT_FALSE(ReadAssetFileHeader(Valid.substr(0, Length), Error)) << "cut at " << Length;
		EXPECT_FALSE(Error.empty());
	}
	for (const char* Text : {
			 R"([])",
			 R"({})",
			 R"({"tags":{},"class":"/Script/Engine.World"})",
			 R"({"class":42})",
			 R"({"class":"Engine.World"})",
			 R"({"class":"/Script/Engine"})",
			 R"({"class":"/Script/Engine.World:Sub"})",
			 R"({"class":"/Script/Engine.World","tags":[]})",
			 R"({"class":"/Script/Engine.World","tags":{"Count":3}})",
			 "{\"class\":\"/Script/Engine.W\xc3\"}",
			 R"({"class":"/Script/Engine.World"} trailing)",
		 })
	{
		std::string Error;
		EXPECT_FALSE(ReadAssetFileHeader(Text, Error)) << Text;
	}
}
