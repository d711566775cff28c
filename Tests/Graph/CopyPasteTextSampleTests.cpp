#include "Graph/CopyPasteText.h"
#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
	// Real editor copies kept beside the repository (../shared); CI has them, a bare clone does not.
	const std::filesystem::path SamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste";

	std::vector<std::filesystem::path> SampleFiles()
	{
		std::vector<std::filesystem::path> Files;
		for (const auto& Entry : std::filesystem::recursive_directory_iterator(SamplesDir))
		{
			if (Entry.path().extension() == ".t3d")
			{
				Files.push_back(Entry.path());
			}
		}
		return Files;
	}

	std::string ReadBytes(const std::filesystem::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Bytes;
		Bytes << Stream.rdbuf();
		return Bytes.str();
	}

	void ExpectValuesRoundTrip(const FCopyPasteObject& Object, const std::string& File)
	{
		for (const FCopyPasteProperty& Property : Object.Properties)
		{
			EXPECT_EQ(WriteCopyPasteValue(ParseCopyPasteValue(Property.Value)), Property.Value) << File;
		}
		for (const FCopyPasteCustomProperty& Custom : Object.CustomProperties)
		{
			if (Custom.Kind != "Pin")
			{
				continue;
			}
			const std::optional<FCopyPastePin> Pin = ParseCopyPastePin(Custom.Text);
			ASSERT_TRUE(Pin.has_value()) << File << ": " << Custom.Text;
			EXPECT_FALSE(Pin->PinId.empty()) << File;
			EXPECT_EQ(WriteCopyPasteValue(ParseCopyPasteValue(Custom.Text)), Custom.Text) << File;
		}
		for (const FCopyPasteObject& Child : Object.Children)
		{
			ExpectValuesRoundTrip(Child, File);
		}
	}
}

TEST(CopyPasteTextSampleTest, EverySampleRoundTripsByteForByte)
{
	if (!std::filesystem::is_directory(SamplesDir))
	{
		GTEST_SKIP() << "no samples at " << SamplesDir;
	}
	const std::vector<std::filesystem::path> Files = SampleFiles();
	ASSERT_FALSE(Files.empty());
	for (const std::filesystem::path& File : Files)
	{
		const std::string Text = ReadBytes(File);
		const FCopyPasteParse Parse = ParseCopyPasteText(Text);
		EXPECT_TRUE(Parse.Warnings.empty()) << File << ": " << (Parse.Warnings.empty() ? "" : Parse.Warnings[0].Message);
		EXPECT_FALSE(Parse.Document.Objects.empty()) << File;
		EXPECT_EQ(WriteCopyPasteText(Parse.Document), Text) << File;
		for (const FCopyPasteObject& Object : Parse.Document.Objects)
		{
			ExpectValuesRoundTrip(Object, File.filename().string());
		}
	}
}
