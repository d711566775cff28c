#include "Assets/AssetFiles.h"
#include "Fuzz/EdGraphImportProperty.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace
{
	const std::filesystem::path BlueprintSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint";

	/** A small graph of our own, so the test has a seed when the shared samples are absent. */
	constexpr std::string_view OwnSeed =
		"Begin Object Class=/Script/BlueprintGraph.K2Node_IfThenElse Name=\"K2Node_IfThenElse_0\"\r\n"
		"   NodePosX=32\r\n"
		"   NodeGuid=0123456789ABCDEF0123456789ABCDEF\r\n"
		"   CustomProperties Pin (PinId=11111111111111111111111111111111,PinName=\"execute\",PinType.PinCategory=\"exec\",LinkedTo=(K2Node_Event_0 22222222222222222222222222222222,),)\r\n"
		"   CustomProperties Pin (PinId=33333333333333333333333333333333,PinName=\"Condition\",PinType.PinCategory=\"bool\",DefaultValue=\"true\",PinFriendlyName=NSLOCTEXT(\"K2Node\", \"Cond\", \"Condition\"),)\r\n"
		"   Begin Object Class=/Script/Engine.EdGraphPin_Deprecated Name=\"EdGraphPin_0\"\r\n"
		"   End Object\r\n"
		"End Object\r\n"
		"Begin Object Class=/Script/BlueprintGraph.K2Node_Event Name=\"K2Node_Event_0\"\r\n"
		"   EventReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.Actor'\",MemberName=\"ReceiveBeginPlay\")\r\n"
		"   CustomProperties Pin (PinId=22222222222222222222222222222222,PinName=\"then\",Direction=\"EGPD_Output\",PinType.PinCategory=\"exec\",LinkedTo=(K2Node_IfThenElse_0 11111111111111111111111111111111,),)\r\n"
		"End Object\r\n";

	std::vector<std::string> Seeds()
	{
		std::vector<std::string> Seeds{std::string(OwnSeed)};
		if (std::filesystem::is_directory(BlueprintSamplesDir))
		{
			for (const auto& Entry : std::filesystem::directory_iterator(BlueprintSamplesDir))
			{
				std::ifstream Stream(Entry.path(), std::ios::binary);
				std::ostringstream Bytes;
				Bytes << Stream.rdbuf();
				Seeds.push_back(Bytes.str());
			}
		}
		return Seeds;
	}

	/** One random edit of the kinds that break copy-paste text: cuts, repeats, stray syntax and swapped bytes. */
	void Mutate(std::string& Text, std::mt19937& Random)
	{
		if (Text.empty())
		{
			Text = "(";
			return;
		}
		const auto Pick = [&Random](std::size_t Bound) { return std::uniform_int_distribution<std::size_t>(0, Bound - 1)(Random); };
		const std::size_t At = Pick(Text.size());
		const std::size_t Length = std::min<std::size_t>(1 + Pick(64), Text.size() - At);
		static constexpr std::string_view Syntax = "()\"'=,. \r\n\\_0F";
		switch (Pick(5))
		{
		case 0:
			Text.erase(At, Length);
			break;
		case 1:
			Text.insert(At, Text.substr(Pick(Text.size()), Length));
			break;
		case 2:
			Text.insert(At, 1, Syntax[Pick(Syntax.size())]);
			break;
		case 3:
			Text[At] = static_cast<char>(Pick(256));
			break;
		default:
			Text.resize(At);
			break;
		}
	}
}

// A short, fixed-seed fuzz run that CI can afford; Tests/Fuzz/EdGraphImportFuzz.cpp runs the same check under libFuzzer.
TEST(EdGraphImportMutation, MutatedCopyPasteTextNeverCrashesAndPastesBackStably)
{
	FTestEditor Editor(HostOnly());
	std::mt19937 Random(20261207);
	for (const std::string& Seed : Seeds())
	{
		ASSERT_EQ(CheckImportRoundTrip(Seed), "");
		for (int Round = 0; Round < 150; ++Round)
		{
			std::string Text = Seed;
			for (int Edit = 0, Edits = 1 + Round % 4; Edit < Edits; ++Edit)
			{
				Mutate(Text, Random);
			}
			const std::string Failure = CheckImportRoundTrip(Text);
			ASSERT_EQ(Failure, "") << "after round " << Round << " of a seed of " << Seed.size() << " bytes";
		}
	}
}
