#include "Assets/AssetData.h"
#include "Assets/AssetFiles.h"
#include "Audio/SoundWave.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Data/CurveVector.h"
#include "Data/DataTable.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/ScriptStruct.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	class AssetKindLoadingTests : public ::testing::Test
	{
	protected:
		AssetKindLoadingTests() : Editor(HostOnly()) {}

		template <typename T>
		T* Load(std::string_view Name, std::string_view ClassPath, std::string_view Fields)
		{
			WriteAsset(Editor.Project(), Name, ClassPath, {}, Fields);
			return LoadObject<T>("/Game/" + std::string(Name) + "." + std::string(Name));
		}

		FTestEditor Editor;
	};
}

TEST_F(AssetKindLoadingTests, SoundWavesReadOnlyTheirOwnFolder)
{
	Editor.Project().WriteFile("Outside.wav", "RIFF");
	Editor.Project().WriteFile("Content/Sub/Inner.wav", "RIFF");
	Editor.Project().WriteFile("Content/Broken.wav", "RIFF....WAVEjunk");
	std::filesystem::create_symlink(Editor.Project().PathOf("Outside.wav"), Editor.Project().PathOf("Content/Linked.wav"));
	for (const char* Source : {"../Outside.wav", "Sub/Inner.wav", "Sub\\\\Inner.wav", "..", "Missing.wav", "Broken.wav", "Linked.wav"})
	{
		EXPECT_EQ(Load<USoundWave>("SW_Bad", "/Script/Engine.SoundWave", "\"source\":\"" + std::string(Source) + "\""), nullptr) << Source;
	}
	const USoundWave* Procedural = Load<USoundWave>("SW_Procedural", "/Script/Engine.SoundWave", R"("looping":true)");
	ASSERT_NE(Procedural, nullptr);
	EXPECT_EQ(Procedural->NumChannels, 0);
	EXPECT_EQ(Procedural->GetSampleRateForCurrentPlatform(), 0.0f);
	EXPECT_EQ(Procedural->GetDuration(), USoundBase::IndefinitelyLoopingDuration);
}

TEST_F(AssetKindLoadingTests, AStaticMeshWithoutSourceHasNoLevelsAndEmptyBounds)
{
	const UStaticMesh* Mesh = Load<UStaticMesh>("SM_Empty", "/Script/Engine.StaticMesh", R"("lightMapResolution":64)");
	ASSERT_NE(Mesh, nullptr);
	EXPECT_EQ(Mesh->GetNumLODs(), 0);
	EXPECT_EQ(Mesh->GetLODForExport(0), nullptr);
	EXPECT_EQ(Mesh->GetBounds().BoxExtent, FVector());
	EXPECT_TRUE(Mesh->GetStaticMaterials().empty());
	EXPECT_EQ(Load<UStaticMesh>("SM_Bad", "/Script/Engine.StaticMesh", R"("staticMaterials":[{"material":"/Game/M.M"}])"), nullptr) << "a slot needs a name";
	EXPECT_EQ(Load<UStaticMesh>("SM_Gone", "/Script/Engine.StaticMesh", R"("source":"SM_Gone.gltf")"), nullptr);
}

TEST_F(AssetKindLoadingTests, DataTableRowsAreNamesAndKeepTheirValues)
{
	EXPECT_EQ(Load<UDataTable>("DT_Twice", "/Script/Engine.DataTable", R"("rows":[{"name":"Crate"},{"name":"crate"}])"), nullptr) << "names ignore letter case";
	EXPECT_EQ(Load<UDataTable>("DT_Nameless", "/Script/Engine.DataTable", R"("rows":[{"values":{}}])"), nullptr);
	EXPECT_EQ(Load<UDataTable>("DT_Values", "/Script/Engine.DataTable", R"("rows":[{"name":"A","values":[1]}])"), nullptr);

	UDataTable* Table = Load<UDataTable>("DT_Loot", "/Script/Engine.DataTable",
		R"("rowStruct":"/Script/DemoProject.PropRow","rows":[{"name":"Crate","values":{"Mass":25}},{"name":"Rock"}],"note":"kept")");
	ASSERT_NE(Table, nullptr);
	ASSERT_NE(Table->GetRowStruct(), nullptr);
	EXPECT_EQ(Table->GetRowStruct()->GetName(), "PropRow");
	ASSERT_TRUE(Table->MarkPackageDirty());
	ASSERT_TRUE(UPackage::SavePackage(Table->GetPackage(), nullptr, Editor.Project().PathOf("Content/DT_Loot.asset.json")));
	const std::shared_ptr<FJsonObject> Saved = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile("Content/DT_Loot.asset.json"));
	ASSERT_NE(Saved, nullptr);
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Saved),
		R"({"class":"/Script/Engine.DataTable","tags":{"RowStructure":"/Script/DemoProject.PropRow"},"rowStruct":"/Script/DemoProject.PropRow",)"
		R"("rows":[{"name":"Crate","values":{"Mass":25}},{"name":"Rock","values":{}}],"note":"kept"})");
}

TEST_F(AssetKindLoadingTests, AVectorCurveHasExactlyThreeChannels)
{
	EXPECT_EQ(Load<UCurveVector>("CV_Two", "/Script/Engine.CurveVector", R"("floatCurves":[{"keys":[]},{"keys":[]}])"), nullptr);
	EXPECT_EQ(Load<UCurveVector>("CV_Bad", "/Script/Engine.CurveVector", R"("floatCurves":[{"keys":[]},{"keys":[]},7])"), nullptr);
	const UCurveVector* Flat = Load<UCurveVector>("CV_Flat", "/Script/Engine.CurveVector", "");
	ASSERT_NE(Flat, nullptr);
	EXPECT_EQ(Flat->FloatCurves[2].GetNumKeys(), 0);
}

TEST_F(AssetKindLoadingTests, ATagTheHeaderAlreadyHeldIsListedOnceWithTheAssetsValue)
{
	WriteAsset(Editor.Project(), "DT_Stale", "/Script/Engine.DataTable", {{"RowStructure", "/Script/Old.Row"}, {"Owner", "Props"}},
		R"("rowStruct":"/Script/DemoProject.PropRow","rows":[])");
	const UDataTable* Table = LoadObject<UDataTable>("/Game/DT_Stale.DT_Stale");
	ASSERT_NE(Table, nullptr);
	const FAssetData Data(*Table);
	ASSERT_EQ(Data.TagsAndValues.size(), 2u);
	std::string Value;
	ASSERT_TRUE(Data.GetTagValue("RowStructure", Value));
	EXPECT_EQ(Value, "/Script/DemoProject.PropRow");
	ASSERT_TRUE(Data.GetTagValue("Owner", Value));
	EXPECT_EQ(Value, "Props");
}
