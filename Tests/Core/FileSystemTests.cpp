#include "Core/FileSystem.h"

#include "Core/ScopedTestDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	IPlatformFile& PlatformFile()
	{
		return FPlatformFileManager::Get().GetPlatformFile();
	}
}

TEST(FileHelperTest, SaveReplacesTheTargetAndLeavesNoTemporaryFile)
{
	FScopedTestDir Dir;
	const std::string Target = Dir / "Settings.ini";
	ASSERT_TRUE(FFileHelper::SaveStringToFile("first", Target));
	ASSERT_TRUE(FFileHelper::SaveStringToFile("second, longer text", Target));
	EXPECT_EQ(FFileHelper::LoadFileToString(Target), "second, longer text");
	EXPECT_EQ(Dir.EntryNames(), std::vector<std::string>{"Settings.ini"});

	const std::vector<uint8_t> Bytes = {0x00, 0xFF, 0x0A, 0x0D, 0x00};
	ASSERT_TRUE(FFileHelper::SaveBytesToFile(Bytes, Target));
	EXPECT_EQ(FFileHelper::LoadFileToBytes(Target), Bytes);
	EXPECT_EQ(Dir.EntryNames(), std::vector<std::string>{"Settings.ini"});
}

TEST(FileHelperTest, SaveCreatesMissingParentDirectories)
{
	FScopedTestDir Dir;
	ASSERT_TRUE(FFileHelper::SaveStringToFile("", Dir / "Saved/Config/Empty.ini"));
	EXPECT_EQ(FFileHelper::LoadFileToString(Dir / "Saved/Config/Empty.ini"), "");
}

TEST(FileHelperTest, FailedSaveReturnsFalseAndLeavesNothingBehind)
{
	FScopedTestDir Dir;
	ASSERT_TRUE(FFileHelper::SaveStringToFile("a file", Dir / "NotADir"));
	EXPECT_FALSE(FFileHelper::SaveStringToFile("x", Dir / "NotADir/Child.txt"));

	std::filesystem::create_directory(Dir / "Target");
	EXPECT_FALSE(FFileHelper::SaveStringToFile("x", Dir / "Target"));
	EXPECT_EQ(Dir.EntryNames(), (std::vector<std::string>{"NotADir", "Target"}));
	EXPECT_TRUE(std::filesystem::is_empty(Dir / "Target"));
}

TEST(FileHelperTest, LoadDropsTheByteOrderMarkOnlyAsText)
{
	FScopedTestDir Dir;
	ASSERT_TRUE(FFileHelper::SaveStringToFile("\xEF\xBB\xBFname=\xC3\xA9", Dir / "Bom.txt"));
	EXPECT_EQ(FFileHelper::LoadFileToString(Dir / "Bom.txt"), "name=\xC3\xA9");
	EXPECT_EQ(FFileHelper::LoadFileToBytes(Dir / "Bom.txt")->size(), 10u);
}

TEST(FileHelperTest, LoadRefusesMissingFilesAndDirectories)
{
	FScopedTestDir Dir;
	EXPECT_EQ(FFileHelper::LoadFileToString(Dir / "missing.txt"), std::nullopt);
	EXPECT_EQ(FFileHelper::LoadFileToString(Dir.Path()), std::nullopt);
	EXPECT_EQ(FFileHelper::LoadFileToBytes(Dir.Path()), std::nullopt);
}

TEST(PlatformFileTest, FindFilesMatchesExtensionWithoutRecursing)
{
	FScopedTestDir Dir;
	for (const char* Name : {"b.py", "A.PY", "c.Py", "notes.txt", "script.pyc", "py"})
	{
		ASSERT_TRUE(FFileHelper::SaveStringToFile("", Dir / Name));
	}
	ASSERT_TRUE(FFileHelper::SaveStringToFile("", Dir / "Sub/nested.py"));
	std::filesystem::create_directory(Dir / "folder.py");

	std::vector<std::string> Found = {"kept"};
	PlatformFile().FindFiles(Found, Dir.Path(), ".py");
	EXPECT_EQ(Found, (std::vector<std::string>{"kept", Dir / "A.PY", Dir / "b.py", Dir / "c.Py"}));

	std::vector<std::string> None;
	PlatformFile().FindFiles(None, Dir / "missing", ".py");
	EXPECT_TRUE(None.empty());
}

TEST(PlatformFileTest, DirectoryFileCopyAndDelete)
{
	FScopedTestDir Dir;
	IPlatformFile& File = PlatformFile();
	EXPECT_TRUE(File.CreateDirectoryTree(Dir / "x/y/z"));
	EXPECT_TRUE(File.CreateDirectoryTree(Dir / "x/y/z"));
	ASSERT_TRUE(FFileHelper::SaveStringToFile("source", Dir / "source.txt"));
	ASSERT_TRUE(FFileHelper::SaveStringToFile("old", Dir / "dest.txt"));
	EXPECT_FALSE(File.CreateDirectoryTree(Dir / "source.txt/sub"));

	EXPECT_TRUE(File.CopyFile(Dir / "dest.txt", Dir / "source.txt"));
	EXPECT_EQ(FFileHelper::LoadFileToString(Dir / "dest.txt"), "source");
	EXPECT_FALSE(File.CopyFile(Dir / "other.txt", Dir / "missing.txt"));

	EXPECT_TRUE(File.DeleteFile(Dir / "dest.txt"));
	EXPECT_FALSE(File.DeleteFile(Dir / "dest.txt"));
	EXPECT_FALSE(File.DeleteFile(Dir / "x/y/z"));
	EXPECT_TRUE(File.DirectoryExists(Dir / "x/y/z"));
}
