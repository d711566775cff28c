#include "Support/TestEditor.h"

#include "ControlRig/ControlRigBlueprint.h"
#include "Core/Log.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	constexpr const char* DemoRigs[] = {"Rigs/CR_Mannequin", "Rigs/CR_NoPreviewMesh", "Rigs/CR_Modular_Mannequin", "Rigs/CR_Modular_Empty",
		"Rigs/Modules/CR_Module_Spine", "Rigs/Modules/CR_Module_Arm"};

	std::string ObjectPath(std::string_view Relative)
	{
		const std::string Path = "/Game/" + std::string(Relative);
		return Path + "." + Path.substr(Path.rfind('/') + 1);
	}
}

TEST(DemoControlRigAsset, EveryRigLoadsWithoutWarningsAndSavesBackByteForByte)
{
	FTestEditorOptions Options = DemoProjectOptions();
	Options.bLoadConnector = false;
	FTestEditor Editor(Options);
	for (const char* Name : DemoRigs)
	{
		FLogCapture Log;
		UControlRigBlueprint* Blueprint = LoadObject<UControlRigBlueprint>(ObjectPath(Name));
		ASSERT_NE(Blueprint, nullptr) << Name;
		for (const FLogLine& Line : Log.Lines())
		{
			EXPECT_GT(Line.Verbosity, ELogVerbosity::Warning) << Name << ": " << Line.Category << ": " << Line.Message;
		}
		const std::string Relative = std::string("Content/") + Name + ".asset.json";
		const std::string Before = Editor.Project().ReadFile(Relative);
		ASSERT_TRUE(UPackage::SavePackage(Blueprint->GetPackage(), Blueprint, Editor.Project().PathOf(Relative))) << Name;
		EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Name;
	}
}
