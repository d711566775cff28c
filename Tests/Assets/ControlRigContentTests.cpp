#include "Assets/AssetFiles.h"

#include "Assets/AssetRegistry.h"
#include "Core/Guid.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
	constexpr std::string_view LibraryPackage = "/ControlRig/Controls/DefaultGizmoLibraryNormalized";

	std::vector<std::string> AssetsUnder(std::string_view Path)
	{
		FARFilter Filter;
		Filter.PackagePaths = {std::string(Path)};
		Filter.bRecursivePaths = true;
		std::vector<FAssetData> Assets;
		EXPECT_TRUE(IAssetRegistry::Get()->GetAssets(Filter, Assets));
		std::vector<std::string> Paths;
		for (const FAssetData& Asset : Assets)
		{
			Paths.push_back(Asset.GetObjectPathString());
		}
		return Paths;
	}

	bool Contains(const std::vector<std::string>& Values, std::string_view Value)
	{
		return std::find(Values.begin(), Values.end(), Value) != Values.end();
	}

	std::string ReadBytes(const std::string& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Text;
		Text << Stream.rdbuf();
		return Text.str();
	}
}

TEST(ControlRigContentTests, TheHostMountsThePluginContentThatShipsWithItReadOnly)
{
	if (const char* Override = std::getenv("KORVANE_CONTROLRIG_CONTENT_DIR"); Override != nullptr && *Override != '\0')
	{
		GTEST_SKIP() << "KORVANE_CONTROLRIG_CONTENT_DIR chooses another folder";
	}
	FTestEditor Editor(HostOnly());
	WriteAsset(Editor.Project(), "Props/GameTable", "/Script/Engine.DataTable");
	IAssetRegistry::Get()->SearchAllAssets();
	EXPECT_TRUE(std::filesystem::equivalent(FPackageName::ControlRigContentDir(), KORVANE_PLUGIN_DIR "/Source/EditorHost/PluginContent/ControlRig"));

	const std::vector<std::string> Plugin = AssetsUnder("/ControlRig");
	EXPECT_TRUE(Contains(Plugin, "/ControlRig/Controls/DefaultGizmoLibraryNormalized.DefaultGizmoLibraryNormalized"));
	EXPECT_TRUE(Contains(Plugin, "/ControlRig/Controls/ControlRigGizmoMaterial.ControlRigGizmoMaterial"));
	EXPECT_TRUE(Contains(Plugin, "/ControlRig/Controls/Shapes/Circle_Thin.Circle_Thin"));
	EXPECT_EQ(AssetsUnder("/Game"), (std::vector<std::string>{"/Game/Props/GameTable.GameTable"})) << "the project's listings hold no plug-in content";
	std::vector<std::string> Folders;
	IAssetRegistry::Get()->GetSubPaths("/ControlRig", Folders, true);
	EXPECT_EQ(Folders, (std::vector<std::string>{"/ControlRig/Controls", "/ControlRig/Controls/Shapes"}));

	UObject* Library = StaticLoadObject(nullptr, std::string(LibraryPackage) + ".DefaultGizmoLibraryNormalized");
	ASSERT_NE(Library, nullptr);
	EXPECT_EQ(Library->GetClass()->GetPathName(), "/Script/ControlRig.ControlRigShapeLibrary");
	EXPECT_EQ(FPackageName::TryConvertLongPackageNameToFilename(LibraryPackage), FPackageName::ControlRigContentDir() + "Controls/DefaultGizmoLibraryNormalized.asset.json");
	EXPECT_FALSE(FPackageName::TryConvertLongPackageNameToFilename("/ControlRig/../Game/Props/GameTable"));

	const std::string File = *FPackageName::TryConvertLongPackageNameToFilename(LibraryPackage);
	const std::string Before = ReadBytes(File);
	FLogCapture Log;
	EXPECT_FALSE(UPackage::SavePackage(Library->GetPackage(), Library, File));
	EXPECT_TRUE(Log.Contains("Cannot save /ControlRig/Controls/DefaultGizmoLibraryNormalized: the plug-in content under /ControlRig is read-only"));
	EXPECT_EQ(ReadBytes(File), Before);
	EXPECT_TRUE(FPackageName::IsReadOnlyPackage("/ControlRig/Controls/Anything"));
	EXPECT_FALSE(FPackageName::IsReadOnlyPackage("/ControlRigs/Anything"));
}

TEST(ControlRigContentTests, AnotherFolderMountsInsteadAndAMissingOneMountsNoAssets)
{
	const std::string Root = UserTempDir() + "KorvaneControlRigTest-" + FGuid::NewGuid().ToString() + "/";
	std::filesystem::create_directories(Root + "ControlRig/Tables");
	std::ofstream(Root + "ControlRig/Tables/RigTable.asset.json", std::ios::binary) << AssetFileText("/Script/Engine.DataTable");
	for (const std::string& Dir : {Root + "ControlRig", Root + "NotThere"})
	{
		SCOPED_TRACE(Dir);
		FLogCapture Log;
		FTestEditorOptions Options = HostOnly();
		Options.ControlRigContentDir = Dir;
		FTestEditor Editor(Options);
		IAssetRegistry::Get()->SearchAllAssets();
		const bool bMounted = Dir.ends_with("ControlRig");
		EXPECT_EQ(AssetsUnder("/ControlRig"), bMounted ? std::vector<std::string>{"/ControlRig/Tables/RigTable.RigTable"} : std::vector<std::string>{});
		EXPECT_EQ(StaticLoadObject(nullptr, std::string(LibraryPackage) + ".DefaultGizmoLibraryNormalized"), nullptr);
		EXPECT_EQ(StaticLoadObject(nullptr, "/ControlRig/Tables/RigTable.RigTable") != nullptr, bMounted);
		for (const FLogLine& Line : Log.Lines())
		{
			EXPECT_NE(Line.Verbosity, ELogVerbosity::Warning) << Line.Message;
		}
	}
	std::error_code Error;
	std::filesystem::remove_all(Root, Error);
}
