#include "Core/Paths.h"

#include "Core/ScopedTestDir.h"
#include "Core/FileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace
{
	std::string CurrentDir()
	{
		return std::filesystem::current_path().generic_string();
	}
}

TEST(PathsTest, CombineJoinsWithSingleSlashes)
{
	EXPECT_EQ(FPaths::Combine("a", "b"), "a/b");
	EXPECT_EQ(FPaths::Combine("a/", "/b"), "a/b");
	EXPECT_EQ(FPaths::Combine("a//", "//b", "c"), "a/b/c");
	EXPECT_EQ(FPaths::Combine("", "a", "", "b"), "a/b");
	EXPECT_EQ(FPaths::Combine("/root", "file.txt"), "/root/file.txt");
	EXPECT_EQ(FPaths::Combine("/", "a"), "/a");
	EXPECT_EQ(FPaths::Combine("a", "b/"), "a/b/");
	EXPECT_EQ(FPaths::Combine("/only"), "/only");
	EXPECT_EQ(FPaths::Combine("", ""), "");
	const std::string Dir = "/Project/";
	EXPECT_EQ(FPaths::Combine(Dir, std::string_view("Content"), "Python"), "/Project/Content/Python");
}

TEST(PathsTest, ConvertRelativePathToFullNormalises)
{
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("/a/b/../c/./d"), "/a/c/d");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("/a/b/.."), "/a");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("/a/b/"), "/a/b/");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("/a//b"), "/a/b");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("/"), "/");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("sub/file.txt"), CurrentDir() + "/sub/file.txt");
	EXPECT_EQ(FPaths::ConvertRelativePathToFull("sub\\dir\\"), CurrentDir() + "/sub/dir/");
}

TEST(PathsTest, ProjectDirsHangOffTheNormalisedProjectDir)
{
	FPaths::SetProjectDir("/Projects/Demo/../MyGame");
	EXPECT_EQ(FPaths::ProjectDir(), "/Projects/MyGame/");
	EXPECT_EQ(FPaths::ProjectContentDir(), "/Projects/MyGame/Content/");
	EXPECT_EQ(FPaths::ProjectConfigDir(), "/Projects/MyGame/Config/");
	EXPECT_EQ(FPaths::ProjectIntermediateDir(), "/Projects/MyGame/Intermediate/");
	EXPECT_EQ(FPaths::ProjectPluginsDir(), "/Projects/MyGame/Plugins/");
	EXPECT_EQ(FPaths::ProjectSavedDir(), "/Projects/MyGame/Saved/");

	FPaths::SetProjectDir("Relative");
	EXPECT_EQ(FPaths::ProjectDir(), CurrentDir() + "/Relative/");
}

TEST(PathsTest, FilenameParts)
{
	EXPECT_EQ(FPaths::GetCleanFilename("/a/b/Texture.final.png"), "Texture.final.png");
	EXPECT_EQ(FPaths::GetBaseFilename("/a/b/Texture.final.png"), "Texture.final");
	EXPECT_EQ(FPaths::GetExtension("/a/b/Texture.final.png"), "png");
	EXPECT_EQ(FPaths::GetCleanFilename("NoDir"), "NoDir");
	EXPECT_EQ(FPaths::GetExtension("/a.dir/NoExtension"), "");
	EXPECT_EQ(FPaths::GetBaseFilename("/a.dir/NoExtension"), "NoExtension");
	EXPECT_EQ(FPaths::GetCleanFilename("/a/b/"), "");
}

TEST(PathsTest, IsUnderDirectoryComparesWholeComponents)
{
	EXPECT_TRUE(FPaths::IsUnderDirectory("/a/b/c.txt", "/a/b"));
	EXPECT_TRUE(FPaths::IsUnderDirectory("/a/b", "/a/b/"));
	EXPECT_TRUE(FPaths::IsUnderDirectory("/a/b/", "/a/b"));
	EXPECT_TRUE(FPaths::IsUnderDirectory("/anything", "/"));
	EXPECT_FALSE(FPaths::IsUnderDirectory("/a/bc", "/a/b"));
	EXPECT_FALSE(FPaths::IsUnderDirectory("/a", "/a/b"));
	EXPECT_FALSE(FPaths::IsUnderDirectory("/a/b/../../etc/passwd", "/a/b"));
	EXPECT_TRUE(FPaths::IsUnderDirectory("relative/x", CurrentDir()));
}

TEST(PathsTest, ExistenceChecksTellFilesFromDirectories)
{
	FScopedTestDir Dir;
	ASSERT_TRUE(FFileHelper::SaveStringToFile("x", Dir / "file.txt"));
	EXPECT_TRUE(FPaths::FileExists(Dir / "file.txt"));
	EXPECT_FALSE(FPaths::DirectoryExists(Dir / "file.txt"));
	EXPECT_TRUE(FPaths::DirectoryExists(Dir.Path()));
	EXPECT_FALSE(FPaths::FileExists(Dir.Path()));
	EXPECT_FALSE(FPaths::FileExists(Dir / "missing"));
	EXPECT_FALSE(FPaths::DirectoryExists(Dir / "missing"));
}

TEST(PathsTest, UserTempDirFollowsTmpdir)
{
	const char* Original = std::getenv("TMPDIR");
	const std::optional<std::string> Saved = Original != nullptr ? std::optional<std::string>(Original) : std::nullopt;
	setenv("TMPDIR", "/var/custom", 1);
	EXPECT_EQ(UserTempDir(), "/var/custom/");
	setenv("TMPDIR", "/var/custom/", 1);
	EXPECT_EQ(UserTempDir(), "/var/custom/");
	unsetenv("TMPDIR");
	EXPECT_EQ(UserTempDir(), "/tmp/");
	if (Saved)
	{
		setenv("TMPDIR", Saved->c_str(), 1);
	}
}
