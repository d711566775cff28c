#include "Widgets/WidgetTextSamples.h"
#include "Widgets/WidgetTextTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
	/** The generic edits, or a name of the text put somewhere else: references that loop, clash or name the wrong kind. */
	void Mutate(std::string& Text, std::mt19937& Random)
	{
		constexpr std::string_view Names[] = {"\"ButtonSlot_0\"", "\"HorizontalBox_69\"", "'Overlay_0'", "Begin Object Name=\"OverlaySlot_0\"\n"};
		if (std::uniform_int_distribution<int>(0, 5)(Random) > 0 || Text.empty())
		{
			MutateCopyPasteText(Text, Random);
			return;
		}
		const std::size_t At = std::uniform_int_distribution<std::size_t>(0, Text.size() - 1)(Random);
		Text.insert(At, Names[std::uniform_int_distribution<std::size_t>(0, std::size(Names) - 1)(Random)]);
	}
}

// A short, fixed-seed fuzz run that CI can afford; Tests/Fuzz/WidgetTreeTextFuzz.cpp runs the same check under libFuzzer.
TEST(WidgetTextMutation, MutatedWidgetTextNeverCrashesAndPastesBackToAnEqualTree)
{
	FTestEditor Editor(HostOnly());
	std::vector<std::string> Seeds{std::string(OwnWidgetText)};
	for (const std::filesystem::path& File : CopyPasteSampleFiles("widget"))
	{
		Seeds.push_back(ReadSampleBytes(File));
	}
	std::mt19937 Random(20261209);
	for (const std::string& Seed : Seeds)
	{
		ASSERT_EQ(CheckWidgetTextRoundTrip(Seed), "");
		for (int Round = 0; Round < 120; ++Round)
		{
			std::string Text = Seed;
			for (int Edit = 0, Edits = 1 + Round % 5; Edit < Edits; ++Edit)
			{
				Mutate(Text, Random);
			}
			ASSERT_EQ(CheckWidgetTextRoundTrip(Text), "") << "after round " << Round << " of a seed of " << Seed.size() << " bytes";
		}
	}
}
