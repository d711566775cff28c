#include "Assets/AssetFiles.h"
#include "Fuzz/EdGraphImportProperty.h"
#include "Support/CopyPasteSamples.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace
{
	const std::filesystem::path BlueprintSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint";
	const std::filesystem::path MaterialSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/material";

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

	/** Two material nodes of our own, one reading the other, and a comment box, in the editor's UE5 form. */
	constexpr std::string_view OwnMaterialSeed =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_1\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1\"'\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionTextureSample Name=\"MaterialExpressionTextureSample_0\" ExportPath=/Script/Engine.MaterialExpressionTextureSample'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1.MaterialExpressionTextureSample_0\"'\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionTextureSample_0\" ExportPath=/Script/Engine.MaterialExpressionTextureSample'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_1.MaterialExpressionTextureSample_0\"'\r\n"
		"      Coordinates=(Expression=/Script/Engine.MaterialExpressionTextureCoordinate'\"MaterialGraphNode_2.MaterialExpressionTextureCoordinate_0\"',OutputIndex=0)\r\n"
		"      MaterialExpressionEditorX=-300\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionTextureSample'\"MaterialExpressionTextureSample_0\"'\r\n"
		"   NodePosX=-300\r\n"
		"   CustomProperties Pin (PinId=A1000000000000000000000000000001,PinName=\"UVs\",PinType.PinCategory=\"optional\",LinkedTo=(MaterialGraphNode_2 A2000000000000000000000000000001,),)\r\n"
		"   CustomProperties Pin (PinId=A1000000000000000000000000000002,PinName=\"RGB\",Direction=\"EGPD_Output\",PinType.PinCategory=\"mask\",PinType.PinSubCategory=\"rgb\",)\r\n"
		"End Object\r\n"
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_2\"\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionTextureCoordinate Name=\"MaterialExpressionTextureCoordinate_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionTextureCoordinate_0\"\r\n"
		"      UTiling=4.000000\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionTextureCoordinate'\"MaterialExpressionTextureCoordinate_0\"'\r\n"
		"   CustomProperties Pin (PinId=A2000000000000000000000000000001,PinName=\"Output\",Direction=\"EGPD_Output\",PinType.PinCategory=\"\",LinkedTo=(MaterialGraphNode_1 A1000000000000000000000000000001,),)\r\n"
		"End Object\r\n"
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Comment Name=\"MaterialGraphNode_Comment_0\"\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionComment Name=\"MaterialExpressionComment_0\"\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionComment_0\"\r\n"
		"      Text=\"UVs\"\r\n"
		"   End Object\r\n"
		"   MaterialExpressionComment=/Script/Engine.MaterialExpressionComment'\"MaterialExpressionComment_0\"'\r\n"
		"End Object\r\n";

	std::vector<std::string> Seeds(std::string_view OwnSeedText, const std::filesystem::path& SamplesDir)
	{
		std::vector<std::string> Seeds{std::string(OwnSeedText)};
		if (std::filesystem::is_directory(SamplesDir))
		{
			for (const auto& Entry : std::filesystem::directory_iterator(SamplesDir))
			{
				Seeds.push_back(ReadSampleBytes(Entry.path()));
			}
		}
		return Seeds;
	}
}

// A short, fixed-seed fuzz run that CI can afford; Tests/Fuzz/EdGraphImportFuzz.cpp runs the same check under libFuzzer.
TEST(EdGraphImportMutation, MutatedCopyPasteTextNeverCrashesAndPastesBackStably)
{
	FTestEditor Editor(HostOnly());
	std::mt19937 Random(20261207);
	for (const std::string& Seed : Seeds(OwnSeed, BlueprintSamplesDir))
	{
		ASSERT_EQ(CheckImportRoundTrip(Seed), "");
		for (int Round = 0; Round < 150; ++Round)
		{
			std::string Text = Seed;
			for (int Edit = 0, Edits = 1 + Round % 4; Edit < Edits; ++Edit)
			{
				MutateCopyPasteText(Text, Random);
			}
			const std::string Failure = CheckImportRoundTrip(Text);
			ASSERT_EQ(Failure, "") << "after round " << Round << " of a seed of " << Seed.size() << " bytes";
		}
	}
}

// The same for material nodes, pasted into a plain graph and into a material's own graph.
TEST(EdGraphImportMutation, MutatedMaterialCopyPasteTextNeverCrashesAndPastesBackStably)
{
	FTestEditor Editor(HostOnly());
	std::mt19937 Random(20261209);
	for (const std::string& Seed : Seeds(OwnMaterialSeed, MaterialSamplesDir))
	{
		ASSERT_EQ(CheckImportRoundTrip(Seed), "");
		ASSERT_EQ(CheckMaterialImportRoundTrip(Seed), "");
		for (int Round = 0; Round < 150; ++Round)
		{
			std::string Text = Seed;
			for (int Edit = 0, Edits = 1 + Round % 4; Edit < Edits; ++Edit)
			{
				MutateCopyPasteText(Text, Random);
			}
			ASSERT_EQ(CheckImportRoundTrip(Text), "") << "after round " << Round << " of a seed of " << Seed.size() << " bytes";
			ASSERT_EQ(CheckMaterialImportRoundTrip(Text), "") << "after round " << Round << " of a seed of " << Seed.size() << " bytes";
		}
	}
}
