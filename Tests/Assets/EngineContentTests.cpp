#include "Assets/AssetFiles.h"

#include "Assets/AssetRegistry.h"
#include "Core/Guid.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Data/AssetSourceFile.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{
	std::vector<std::string> ObjectPaths(const std::vector<FAssetData>& Assets)
	{
		std::vector<std::string> Paths;
		for (const FAssetData& Asset : Assets)
		{
			Paths.push_back(Asset.GetObjectPathString());
		}
		return Paths;
	}

	std::string ReadBytes(const std::string& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Text;
		Text << Stream.rdbuf();
		return Text.str();
	}

	/** A temporary folder holding "Engine/" (the folder mounted as /Engine) and "Outside/" beside it. */
	class FTempEngineFolder
	{
	public:
		FTempEngineFolder()
			: Root(UserTempDir() + "KorvaneEngineTest-" + FGuid::NewGuid().ToString() + "/")
		{
			std::filesystem::create_directories(Root + "Engine");
			std::filesystem::create_directories(Root + "Outside");
		}
		~FTempEngineFolder()
		{
			std::error_code Error;
			std::filesystem::remove_all(Root, Error);
		}
		FTempEngineFolder(const FTempEngineFolder&) = delete;
		FTempEngineFolder& operator=(const FTempEngineFolder&) = delete;

		std::string PathOf(std::string_view Relative) const { return Root + std::string(Relative); }
		void WriteFile(std::string_view Relative, std::string_view Content) const
		{
			const std::filesystem::path Path = PathOf(Relative);
			std::filesystem::create_directories(Path.parent_path());
			std::ofstream(Path, std::ios::binary) << Content;
		}

	private:
		std::string Root;
	};

	/** Dir mounted as /Engine, and no plug-in content beside it (a folder that is not there). */
	FTestEditorOptions WithEngineContent(std::string Dir)
	{
		FTestEditorOptions Options = HostOnly();
		Options.ControlRigContentDir = Dir + "-NoControlRigContent";
		Options.EngineContentDir = std::move(Dir);
		return Options;
	}

	/**
	 * A project with one asset and an engine folder with two, plus the traps: a
	 * file that would be the transient package, and links to a folder and a file
	 * outside the engine folder.
	 */
	class EngineContentTests : public ::testing::Test
	{
	protected:
		EngineContentTests()
		{
			Folder.WriteFile("Engine/EngineMaterials/EngineTable.asset.json", AssetFileText("/Script/Engine.DataTable"));
			Folder.WriteFile("Engine/Shapes/Curve.asset.json", AssetFileText("/Script/Engine.CurveFloat"));
			Folder.WriteFile("Engine/Transient.asset.json", AssetFileText("/Script/Engine.DataTable"));
			Folder.WriteFile("Outside/Secret.asset.json", AssetFileText("/Script/Engine.DataTable"));
			std::filesystem::create_directory_symlink(Folder.PathOf("Outside"), Folder.PathOf("Engine/Linked"));
			std::filesystem::create_symlink(Folder.PathOf("Outside/Secret.asset.json"), Folder.PathOf("Engine/Alias.asset.json"));
			Editor = std::make_unique<FTestEditor>(WithEngineContent(Folder.PathOf("Engine")));
			WriteAsset(Editor->Project(), "Props/GameTable", "/Script/Engine.DataTable");
			Registry().SearchAllAssets();
		}

		IAssetRegistry& Registry() { return *IAssetRegistry::Get(); }

		std::vector<std::string> Query(const FARFilter& Filter)
		{
			std::vector<FAssetData> Assets;
			EXPECT_TRUE(Registry().GetAssets(Filter, Assets));
			return ObjectPaths(Assets);
		}

		/** The engine file as the host names it (the mounted folder with its links resolved). */
		std::string EngineFile(std::string_view Relative) const { return FPackageName::EngineContentDir() + std::string(Relative); }

		FTempEngineFolder Folder;
		std::unique_ptr<FTestEditor> Editor;
	};

	const FTopLevelAssetPath DataTable("/Script/Engine.DataTable");
}

TEST_F(EngineContentTests, ListingsShowEngineContentUnlessNarrowedToGame)
{
	std::vector<FAssetData> All;
	Registry().GetAllAssets(All);
	EXPECT_EQ(ObjectPaths(All),
		(std::vector<std::string>{"/Game/Props/GameTable.GameTable", "/Engine/EngineMaterials/EngineTable.EngineTable", "/Engine/Shapes/Curve.Curve"}))
		<< "the project's assets first, then the engine's; no link, no transient package";

	FARFilter Engine;
	Engine.PackagePaths = {"/Engine"};
	EXPECT_TRUE(Query(Engine).empty()) << "no asset lies in the engine root itself";
	Engine.bRecursivePaths = true;
	EXPECT_EQ(Query(Engine), (std::vector<std::string>{"/Engine/EngineMaterials/EngineTable.EngineTable", "/Engine/Shapes/Curve.Curve"}));

	FARFilter Game;
	Game.PackagePaths = {"/Game"};
	Game.bRecursivePaths = true;
	EXPECT_EQ(Query(Game), (std::vector<std::string>{"/Game/Props/GameTable.GameTable"}));

	FARFilter Tables;
	Tables.ClassPaths = {DataTable};
	EXPECT_EQ(Query(Tables), (std::vector<std::string>{"/Game/Props/GameTable.GameTable", "/Engine/EngineMaterials/EngineTable.EngineTable"}));
	Tables.PackagePaths = {"/Game"};
	Tables.bRecursivePaths = true;
	EXPECT_EQ(Query(Tables), (std::vector<std::string>{"/Game/Props/GameTable.GameTable"}));

	std::vector<std::string> GameFolders;
	Registry().GetSubPaths("/Game", GameFolders, true);
	EXPECT_EQ(GameFolders, (std::vector<std::string>{"/Game/Props"}));
	std::vector<std::string> EngineFolders;
	Registry().GetSubPaths("/Engine", EngineFolders, true);
	EXPECT_EQ(EngineFolders, (std::vector<std::string>{"/Engine/EngineMaterials", "/Engine/Shapes"}));

	const FAssetData Found = Registry().GetAssetByObjectPath(FSoftObjectPath("/Engine/Shapes/Curve.Curve"));
	EXPECT_TRUE(Found.IsValid());
	EXPECT_EQ(Found.PackagePath, "/Engine/Shapes");
}

TEST_F(EngineContentTests, EngineAssetsLoadFromTheEngineFolderAndTransientStaysInMemory)
{
	EXPECT_TRUE(std::filesystem::equivalent(FPackageName::EngineContentDir(), Folder.PathOf("Engine")));
	EXPECT_EQ(FPackageName::TryConvertLongPackageNameToFilename("/Engine/EngineMaterials/EngineTable"), EngineFile("EngineMaterials/EngineTable.asset.json"));
	EXPECT_EQ(FPackageName::TryConvertFilenameToLongPackageName(EngineFile("EngineMaterials/EngineTable.asset.json")), "/Engine/EngineMaterials/EngineTable");

	UObject* Table = StaticLoadObject(nullptr, "/Engine/EngineMaterials/EngineTable.EngineTable");
	ASSERT_NE(Table, nullptr);
	EXPECT_EQ(Table->GetClass()->GetPathName(), "/Script/Engine.DataTable");
	EXPECT_EQ(Table->GetPathName(), "/Engine/EngineMaterials/EngineTable.EngineTable");
	EXPECT_EQ(LoadPackage("/Engine/Shapes/Curve")->GetName(), "/Engine/Shapes/Curve");

	ASSERT_TRUE(std::filesystem::exists(Folder.PathOf("Engine/Transient.asset.json")));
	EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename("/Engine/Transient"));
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName(EngineFile("Transient.asset.json")));
	EXPECT_EQ(StaticLoadObject(nullptr, "/Engine/Transient.Transient"), nullptr);
	EXPECT_EQ(GetTransientPackage()->GetName(), "/Engine/Transient");
	EXPECT_TRUE(GetTransientPackage()->GetLoadedPath().empty());
}

TEST_F(EngineContentTests, SavingIntoEngineIsRefusedAndWritesNothing)
{
	UObject* Table = StaticLoadObject(nullptr, "/Engine/EngineMaterials/EngineTable.EngineTable");
	ASSERT_NE(Table, nullptr);
	const std::string File = EngineFile("EngineMaterials/EngineTable.asset.json");
	const std::string Before = ReadBytes(File);

	FLogCapture Log;
	EXPECT_FALSE(UPackage::SavePackage(Table->GetPackage(), Table, File));
	EXPECT_TRUE(Log.Contains("Cannot save /Engine/EngineMaterials/EngineTable: the engine content under /Engine is read-only"));
	EXPECT_EQ(ReadBytes(File), Before);

	UObject* Created = NewObject<UObject>(CreatePackage("/Engine/EngineMaterials/Created"), FindEngineClassChecked("/Script/Engine.DataTable"), "Created",
		RF_Public | RF_Standalone);
	EXPECT_FALSE(UPackage::SavePackage(Created->GetPackage(), Created, EngineFile("EngineMaterials/Created.asset.json")));
	EXPECT_FALSE(std::filesystem::exists(Folder.PathOf("Engine/EngineMaterials/Created.asset.json")));

	UObject* GameTable = StaticLoadObject(nullptr, "/Game/Props/GameTable.GameTable");
	ASSERT_NE(GameTable, nullptr);
	EXPECT_TRUE(UPackage::SavePackage(GameTable->GetPackage(), GameTable, Editor->Project().PathOf("Content/Props/GameTable.asset.json")))
		<< "the project's own packages still save";
}

TEST_F(EngineContentTests, LinksAndDotsDoNotLeaveTheEngineFolder)
{
	for (const char* Escaping : {"/Engine/Linked/Secret", "/Engine/Alias", "/Engine/../Outside/Secret", "/Engine/EngineMaterials/../../Outside/Secret"})
	{
		EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename(Escaping)) << Escaping;
		EXPECT_EQ(LoadPackage(Escaping), nullptr) << Escaping;
	}
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName(FPackageName::EngineContentDir() + "../Outside/Secret.asset.json"));

	// A bulk-data file of an engine asset must lie inside the engine folder: a
	// file there is found, a link to elsewhere (even into the project) is not.
	UObject* Table = StaticLoadObject(nullptr, "/Engine/EngineMaterials/EngineTable.EngineTable");
	ASSERT_NE(Table, nullptr);
	Folder.WriteFile("Engine/EngineMaterials/Inside.png", "png");
	Folder.WriteFile("Outside/Secret.png", "png");
	Editor->Project().WriteFile("Content/Props/Game.png", "png");
	std::filesystem::create_symlink(Folder.PathOf("Outside/Secret.png"), Folder.PathOf("Engine/EngineMaterials/ToOutside.png"));
	std::filesystem::create_symlink(Editor->Project().PathOf("Content/Props/Game.png"), Folder.PathOf("Engine/EngineMaterials/ToProject.png"));
	std::string Error;
	EXPECT_EQ(ResolveAssetSourceFile(*Table, "Inside.png", Error), EngineFile("EngineMaterials/Inside.png")) << Error;
	for (const char* Linked : {"ToOutside.png", "ToProject.png"})
	{
		Error.clear();
		EXPECT_FALSE(ResolveAssetSourceFile(*Table, Linked, Error)) << Linked;
		EXPECT_EQ(Error, "source file " + std::string(Linked) + " lies outside the asset's content folder");
	}
}

TEST(EngineContentMountTests, AMissingOrEmptyEngineFolderMountsNoAssets)
{
	FTempEngineFolder Folder;
	for (const std::string& Dir : {Folder.PathOf("NotThere"), Folder.PathOf("Engine")})
	{
		FLogCapture Log;
		FTestEditor Editor(WithEngineContent(Dir));
		WriteAsset(Editor.Project(), "GameTable", "/Script/Engine.DataTable");
		IAssetRegistry& Registry = *IAssetRegistry::Get();
		Registry.SearchAllAssets();

		std::vector<FAssetData> All;
		Registry.GetAllAssets(All);
		EXPECT_EQ(ObjectPaths(All), (std::vector<std::string>{"/Game/GameTable.GameTable"})) << Dir;
		std::vector<std::string> EngineFolders;
		Registry.GetSubPaths("/Engine", EngineFolders, true);
		EXPECT_TRUE(EngineFolders.empty()) << Dir;
		EXPECT_EQ(StaticLoadObject(nullptr, "/Engine/EngineMaterials/EngineTable.EngineTable"), nullptr) << Dir;
		EXPECT_NE(StaticLoadObject(nullptr, "/Game/GameTable.GameTable"), nullptr) << Dir;
		for (const FLogLine& Line : Log.Lines())
		{
			EXPECT_NE(Line.Verbosity, ELogVerbosity::Warning) << Dir << ": " << Line.Message;
		}
	}
}

TEST(EngineContentMountTests, TheHostMountsTheEngineContentThatShipsWithIt)
{
	if (const char* Override = std::getenv("KORVANE_ENGINE_CONTENT_DIR"); Override != nullptr && *Override != '\0')
	{
		GTEST_SKIP() << "KORVANE_ENGINE_CONTENT_DIR chooses another folder";
	}
	FTestEditor Editor(HostOnly());
	EXPECT_TRUE(std::filesystem::equivalent(FPackageName::EngineContentDir(), KORVANE_PLUGIN_DIR "/Source/EditorHost/EngineContent"));
	std::vector<std::string> EngineFolders;
	IAssetRegistry::Get()->GetSubPaths("/Engine", EngineFolders, false);
	EXPECT_NE(std::find(EngineFolders.begin(), EngineFolders.end(), "/Engine/EngineMaterials"), EngineFolders.end());
}
