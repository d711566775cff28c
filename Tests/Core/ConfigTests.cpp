#include "Core/Config.h"

#include "Core/FileSystem.h"
#include "Core/ScopedTestDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	constexpr std::string_view SampleIni =
		"; Editor settings\n"
		"[/Script/Korvane.Settings]\n"
		"  Port = 8080  \n"
		"# a comment inside\n"
		"bEnabled=True\n"
		"\n"
		"[Other]\n"
		"Name=First\n";

	class ConfigTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			ASSERT_TRUE(FFileHelper::SaveStringToFile(SampleIni, Ini));
		}

		FScopedTestDir Dir;
		std::string Ini = Dir / "Config/Editor.ini";
		FConfigCacheIni Config;
	};
}

TEST_F(ConfigTest, ReadsTrimmedValuesAndMissingKeysAreAbsent)
{
	EXPECT_EQ(Config.GetString("/Script/Korvane.Settings", "Port", Ini), "8080");
	EXPECT_EQ(Config.GetString("/script/korvane.settings", "PORT", Ini), "8080");
	EXPECT_EQ(Config.GetString("Other", "Name", Ini), "First");
	EXPECT_EQ(Config.GetString("Other", "Port", Ini), std::nullopt);
	EXPECT_EQ(Config.GetString("Missing", "Name", Ini), std::nullopt);
	EXPECT_EQ(Config.GetString("Other", "Name", Dir / "Nowhere.ini"), std::nullopt);
}

TEST_F(ConfigTest, FileIsReadOnceAndCached)
{
	EXPECT_EQ(Config.GetString("Other", "Name", Ini), "First");
	ASSERT_TRUE(FFileHelper::SaveStringToFile("[Other]\nName=Changed\n", Ini));
	EXPECT_EQ(Config.GetString("Other", "Name", Ini), "First");
}

TEST_F(ConfigTest, RoundTripKeepsCommentsOrderAndPlacesNewEntries)
{
	Config.SetString("/Script/Korvane.Settings", "Port", "9090", Ini);
	Config.SetBool("/Script/Korvane.Settings", "bVerbose", false, Ini);
	Config.SetString("Other", "Second", "2", Ini);
	Config.SetBool("New Section", "bFlag", true, Ini);
	ASSERT_TRUE(Config.Flush(Ini));

	EXPECT_EQ(FFileHelper::LoadFileToString(Ini),
		"; Editor settings\n"
		"[/Script/Korvane.Settings]\n"
		"Port=9090\n"
		"# a comment inside\n"
		"bEnabled=True\n"
		"bVerbose=False\n"
		"\n"
		"[Other]\n"
		"Name=First\n"
		"Second=2\n"
		"\n"
		"[New Section]\n"
		"bFlag=True\n");

	FConfigCacheIni Reloaded;
	EXPECT_EQ(Reloaded.GetString("/Script/Korvane.Settings", "Port", Ini), "9090");
	EXPECT_EQ(Reloaded.GetBool("New Section", "bFlag", Ini), true);
}

TEST_F(ConfigTest, UnchangedFileIsNotWritten)
{
	EXPECT_TRUE(Config.Flush(Ini));
	Config.SetString("Other", "Name", "First", Ini);
	std::filesystem::remove(Ini);
	EXPECT_TRUE(Config.Flush(Ini));
	EXPECT_FALSE(std::filesystem::exists(Ini));

	Config.SetString("Other", "Name", "Second", Ini);
	EXPECT_TRUE(Config.Flush(Ini));
	EXPECT_TRUE(std::filesystem::exists(Ini));
}

TEST_F(ConfigTest, MissingFileCanBeSetAndFlushedIntoNewDirectories)
{
	const std::string Fresh = Dir / "Saved/Config/Linux/EditorPerProjectUserSettings.ini";
	EXPECT_EQ(Config.GetBool("Section", "bKey", Fresh), std::nullopt);
	Config.SetBool("Section", "bKey", true, Fresh);
	EXPECT_EQ(Config.GetBool("Section", "bKey", Fresh), true);
	ASSERT_TRUE(Config.Flush(Fresh));
	EXPECT_EQ(FFileHelper::LoadFileToString(Fresh), "[Section]\nbKey=True\n");
}

TEST_F(ConfigTest, FlushReportsWriteFailure)
{
	const std::string Blocked = Dir / "Config/Editor.ini/Child.ini";
	Config.SetString("S", "K", "V", Blocked);
	EXPECT_FALSE(Config.Flush(Blocked));
}

TEST_F(ConfigTest, GetBoolReadsWordsAndNumbers)
{
	ASSERT_TRUE(FFileHelper::SaveStringToFile(
		"[B]\nT1=true\nT2=YES\nT3=on\nT4=1\nT5=-2.5\nF1=False\nF2=0\nF3=0.0\nF4=maybe\nF5=\nF6=1abc\n", Ini));
	for (const char* Key : {"T1", "T2", "T3", "T4", "T5"})
	{
		EXPECT_EQ(Config.GetBool("B", Key, Ini), true) << Key;
	}
	for (const char* Key : {"F1", "F2", "F3", "F4", "F5", "F6"})
	{
		EXPECT_EQ(Config.GetBool("B", Key, Ini), false) << Key;
	}
	EXPECT_EQ(Config.GetBool("B", "Absent", Ini), std::nullopt);
}

TEST_F(ConfigTest, CrLfFilesKeepTheirLineEnds)
{
	ASSERT_TRUE(FFileHelper::SaveStringToFile("[S]\r\nA=1\r\n", Ini));
	EXPECT_EQ(Config.GetString("S", "A", Ini), "1");
	Config.SetString("S", "B", "2", Ini);
	ASSERT_TRUE(Config.Flush(Ini));
	EXPECT_EQ(FFileHelper::LoadFileToString(Ini), "[S]\r\nA=1\r\nB=2\r\n");
}
