#include "Assets/AssetFiles.h"
#include "Audio/SoundCue.h"
#include "Audio/SoundNodes.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	/** A silent 16-bit mono WAVE file of Frames frames at 8 kHz. */
	std::string SilentWave(uint32_t Frames)
	{
		const auto Put = [](std::string& Out, uint32_t Value, int Bytes) {
			for (int Index = 0; Index < Bytes; ++Index)
			{
				Out.push_back(static_cast<char>((Value >> (8 * Index)) & 0xFF));
			}
		};
		std::string Fmt;
		Put(Fmt, 1, 2), Put(Fmt, 1, 2), Put(Fmt, 8000, 4), Put(Fmt, 16000, 4), Put(Fmt, 2, 2), Put(Fmt, 16, 2);
		std::string Body = "WAVEfmt ";
		Put(Body, static_cast<uint32_t>(Fmt.size()), 4);
		Body += Fmt + "data";
		Put(Body, Frames * 2, 4);
		Body.append(Frames * 2, '\0');
		std::string File = "RIFF";
		Put(File, static_cast<uint32_t>(Body.size()), 4);
		return File + Body;
	}

	std::string Node(std::string_view Name, std::string_view Kind, std::string_view Children, std::string_view Extra = {})
	{
		return "{\"name\":\"" + std::string(Name) + "\",\"class\":\"/Script/Engine.SoundNode" + std::string(Kind) + "\",\"children\":[" + std::string(Children) + "]" +
			   (Extra.empty() ? "" : "," + std::string(Extra)) + "}";
	}

	std::string Player(std::string_view Name, std::string_view Children = {}) { return Node(Name, "WavePlayer", Children, R"("soundWave":"/Game/SW_Quarter.SW_Quarter")"); }

	class SoundCueTests : public ::testing::Test
	{
	protected:
		SoundCueTests() : Editor(HostOnly())
		{
			Editor.Project().WriteFile("Content/SW_Quarter.wav", SilentWave(2000));
			WriteAsset(Editor.Project(), "SW_Quarter", "/Script/Engine.SoundWave", {}, R"("source":"SW_Quarter.wav")");
		}

		USoundCue* LoadCue(std::string_view FirstNode, const std::vector<std::string>& Nodes)
		{
			std::string Array;
			for (const std::string& Entry : Nodes)
			{
				Array += (Array.empty() ? "" : ",") + Entry;
			}
			// Each cue gets a package of its own: a package loads once.
			const std::string Name = "SC_Test" + std::to_string(++CuesWritten);
			WriteAsset(Editor.Project(), Name, "/Script/Engine.SoundCue", {}, "\"firstNode\":\"" + std::string(FirstNode) + "\",\"nodes\":[" + Array + "]");
			return LoadObject<USoundCue>("/Game/" + Name + "." + Name);
		}

		std::size_t ReachableFromFirstNode(const USoundCue& Cue)
		{
			std::vector<USoundNode*> Nodes;
			USoundCue::RecursiveFindAllNodes(Cue.FirstNode, Nodes);
			return Nodes.size();
		}

		FTestEditor Editor;
		int CuesWritten = 0;
	};
}

TEST_F(SoundCueTests, LoopsInTheGraphAreWalkedOnce)
{
	const USoundCue* Cue = LoadCue("Mix", {Node("Mix", "Mixer", R"("Loop","Play")"), Node("Loop", "Random", R"("Mix","Loop","Play")"), Player("Play")});
	ASSERT_NE(Cue, nullptr);
	EXPECT_EQ(ReachableFromFirstNode(*Cue), 3u);
	EXPECT_FLOAT_EQ(Cue->GetDuration(), 0.25f);
	EXPECT_FLOAT_EQ(Cue->GetMaxDistance(), USoundBase::MaxWorldDistance) << "no node sets a distance";
}

TEST_F(SoundCueTests, OnlyTheInputsANodeReadsAreWalked)
{
	// A wave player reads no inputs and a modulator one, whatever the file lists.
	const USoundCue* Cue = LoadCue("Mod", {Node("Mod", "Modulator", R"("Play","Extra")"), Player("Play", R"("Hidden")"), Player("Extra"), Player("Hidden"), Player("Unused")});
	ASSERT_NE(Cue, nullptr);
	EXPECT_EQ(ReachableFromFirstNode(*Cue), 2u);
	EXPECT_EQ(Cue->GetAllNodes().size(), 5u);
}

TEST_F(SoundCueTests, DurationAndDistanceFollowTheNodeKinds)
{
	const USoundCue* Forever = LoadCue("Loop", {Node("Loop", "Looping", R"("Play")"), Player("Play")});
	ASSERT_NE(Forever, nullptr);
	EXPECT_FLOAT_EQ(Forever->GetDuration(), USoundBase::IndefinitelyLoopingDuration);

	const USoundCue* Thrice = LoadCue("Att", {Node("Att", "Attenuation", R"("Loop")", R"("overrideAttenuation":true,"attenuationOverrides":{"innerRadius":100,"falloffDistance":400})"),
												 Node("Loop", "Looping", R"("Play","")", R"("loopIndefinitely":false,"loopCount":3)"), Player("Play")});
	ASSERT_NE(Thrice, nullptr);
	EXPECT_FLOAT_EQ(Thrice->GetDuration(), 0.75f);
	EXPECT_FLOAT_EQ(Thrice->GetMaxDistance(), 500.0f);
	EXPECT_EQ(Thrice->FirstNode->ChildNodes.size(), 1u);

	const USoundCue* Silent = LoadCue("", {Player("Play")});
	ASSERT_NE(Silent, nullptr);
	EXPECT_EQ(Silent->GetDuration(), 0.0f);
	EXPECT_EQ(ReachableFromFirstNode(*Silent), 0u);
}

TEST_F(SoundCueTests, GraphsThatDoNotHoldTogetherAreRefused)
{
	EXPECT_EQ(LoadCue("A", {Player("A"), Player("A")}), nullptr) << "a name used twice";
	EXPECT_EQ(LoadCue("A", {Node("A", "Random", R"("Nobody")")}), nullptr) << "an input naming no node";
	EXPECT_EQ(LoadCue("A", {Node("A", "Random", "7")}), nullptr) << "an input that is not a name";
	EXPECT_EQ(LoadCue("Nobody", {Player("A")}), nullptr) << "a first node that is not there";
	EXPECT_EQ(LoadCue("A", {R"({"name":"A","class":"/Script/Engine.SoundNode"})"}), nullptr) << "an abstract kind";
	EXPECT_EQ(LoadCue("A", {R"({"name":"A","class":"/Script/Engine.SoundWave"})"}), nullptr) << "not a node";
	EXPECT_EQ(LoadCue("A", {R"({"name":"A.B","class":"/Script/Engine.SoundNodeMixer"})"}), nullptr) << "not an object name";
	EXPECT_EQ(LoadCue("A", {R"({"class":"/Script/Engine.SoundNodeMixer"})"}), nullptr) << "no name";
}

TEST_F(SoundCueTests, SavingWritesTheGraphBackWithFieldsItDoesNotUse)
{
	USoundCue* Cue = LoadCue("Rand", {Node("Rand", "Random", R"("Play","")", R"("weights":[2,1])"), Player("Play")});
	ASSERT_NE(Cue, nullptr);
	ASSERT_TRUE(Cue->MarkPackageDirty());
	ASSERT_TRUE(UPackage::SavePackage(Cue->GetPackage(), nullptr, Editor.Project().PathOf("Content/SC_Test1.asset.json")));
	const std::shared_ptr<FJsonObject> Saved = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile("Content/SC_Test1.asset.json"));
	ASSERT_NE(Saved, nullptr);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Saved),
		R"({"class":"/Script/Engine.SoundCue","tags":{},"firstNode":"Rand","nodes":[)"
		R"({"name":"Rand","class":"/Script/Engine.SoundNodeRandom","children":["Play",""],"weights":[2,1]},)"
		R"({"name":"Play","class":"/Script/Engine.SoundNodeWavePlayer","children":[],"soundWave":"/Game/SW_Quarter.SW_Quarter","looping":false}]})");
}
