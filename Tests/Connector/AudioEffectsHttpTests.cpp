#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/JsonSerializer.h"
#include "Effects/NiagaraSystem.h"
#include "Endpoints/AssetMetadata.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	FTestEditorOptions ProjectOptions(bool bDemoProject, bool bLoadConnector = true)
	{
		FTestEditorOptions Options;
		Options.bDemoProject = bDemoProject;
		Options.bLoadConnector = bLoadConnector;
		return Options;
	}

	class AudioEffectsOverHttp : public ::testing::Test
	{
	protected:
		explicit AudioEffectsOverHttp(bool bDemoProject = false) : Editor(ProjectOptions(bDemoProject)) {}

		void Serve()
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Get(std::string_view Path)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("GET", Path);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	class AudioEffectsOverHttpOnDemo : public AudioEffectsOverHttp
	{
	protected:
		AudioEffectsOverHttpOnDemo() : AudioEffectsOverHttp(true) {}
	};
}

TEST_F(AudioEffectsOverHttpOnDemo, MetaSoundsAndNiagaraAssetsOfTheDemo)
{
	Serve();
	// The patch's file comes first in its folder; sources are still listed before patches.
	EXPECT_EQ(Get("/korvane/metasounds"),
		R"({"metasounds":[)"
		R"({"name":"MSS_CampfireCrackle","path":"/Game/Audio/MetaSounds/MSS_CampfireCrackle.MSS_CampfireCrackle","type":"Source"},)"
		R"({"name":"MSS_Footsteps","path":"/Game/Audio/MetaSounds/MSS_Footsteps.MSS_Footsteps","type":"Source"},)"
		R"({"name":"MSP_RandomPitch","path":"/Game/Audio/MetaSounds/MSP_RandomPitch.MSP_RandomPitch","type":"Patch"})"
		R"(],"count":3})");
	EXPECT_EQ(Get("/korvane/niagara/systems"),
		R"({"systems":[{"name":"NS_Campfire","path":"/Game/Effects/NS_Campfire.NS_Campfire","packagePath":"/Game/Effects"}],"count":1})");
	EXPECT_EQ(Get("/korvane/niagara/emitters"),
		R"({"emitters":[)"
		R"({"name":"NE_Embers","path":"/Game/Effects/Emitters/NE_Embers.NE_Embers","packagePath":"/Game/Effects/Emitters"},)"
		R"({"name":"NE_Flames","path":"/Game/Effects/Emitters/NE_Flames.NE_Flames","packagePath":"/Game/Effects/Emitters"})"
		R"(],"count":2})");
}

TEST_F(AudioEffectsOverHttp, AnEmptyProjectListsNothing)
{
	Serve();
	EXPECT_EQ(Get("/korvane/metasounds"), R"({"metasounds":[],"count":0})");
	EXPECT_EQ(Get("/korvane/niagara/systems"), R"({"systems":[],"count":0})");
	EXPECT_EQ(Get("/korvane/niagara/emitters"), R"({"emitters":[],"count":0})");
}

TEST_F(AudioEffectsOverHttp, SourcesComeBeforePatchesAcrossFolders)
{
	WriteAsset(Editor.Project(), "A/MSP_First", "/Script/MetasoundEngine.MetaSoundPatch");
	WriteAsset(Editor.Project(), "Z/MSS_Last", "/Script/MetasoundEngine.MetaSoundSource");
	WriteAsset(Editor.Project(), "A/B/MSS_Middle", "/Script/MetasoundEngine.MetaSoundSource");
	Serve();
	EXPECT_EQ(Get("/korvane/metasounds"),
		R"({"metasounds":[)"
		R"({"name":"MSS_Middle","path":"/Game/A/B/MSS_Middle.MSS_Middle","type":"Source"},)"
		R"({"name":"MSS_Last","path":"/Game/Z/MSS_Last.MSS_Last","type":"Source"},)"
		R"({"name":"MSP_First","path":"/Game/A/MSP_First.MSP_First","type":"Patch"})"
		R"(],"count":3})");
}

TEST(NiagaraSystemTests, MetadataNamesTheEmitterHandlesInOrder)
{
	FTestEditor Editor(ProjectOptions(true, false));
	const UNiagaraSystem* Campfire = LoadObject<UNiagaraSystem>("/Game/Effects/NS_Campfire.NS_Campfire");
	ASSERT_NE(Campfire, nullptr);
	EXPECT_EQ(Campfire->GetEmitterHandles()[1].EmitterPath, "/Game/Effects/Emitters/NE_Embers.NE_Embers");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*BuildNiagaraSystemMetadata(*Campfire)), R"({"emitterCount":2,"emitters":["Flames","Embers"]})");

	WriteAsset(Editor.Project(), "Effects/NS_Empty", "/Script/Niagara.NiagaraSystem");
	const UNiagaraSystem* Empty = LoadObject<UNiagaraSystem>("/Game/Effects/NS_Empty.NS_Empty");
	ASSERT_NE(Empty, nullptr);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*BuildNiagaraSystemMetadata(*Empty)), R"({"emitterCount":0,"emitters":[]})");

	WriteAsset(Editor.Project(), "Effects/NS_Twice", "/Script/Niagara.NiagaraSystem", {}, R"("emitterHandles":[{"name":"Smoke"},{"name":"Smoke"}])");
	EXPECT_EQ(LoadObject<UNiagaraSystem>("/Game/Effects/NS_Twice.NS_Twice"), nullptr) << "handle names are unique within a system";
}
