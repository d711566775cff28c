#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PropertyValues.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	class BlueprintAsset : public ::testing::Test
	{
	protected:
		FTestEditor Editor{[] { FTestEditorOptions Options = DemoProjectOptions(); Options.bLoadConnector = false; return Options; }()};

		UBlueprint* Load(std::string_view Path) { return LoadObject<UBlueprint>(Path); }

		std::vector<std::string> ComponentNames(const UBlueprint& Blueprint)
		{
			std::vector<std::string> Names;
			for (const USCS_Node* Node : Blueprint.SimpleConstructionScript->GetAllNodes())
			{
				Names.push_back(Node->GetVariableName());
			}
			return Names;
		}
	};
}

TEST_F(BlueprintAsset, CampfireLoadsItsMembersComponentsAndGraphs)
{
	UBlueprint* Campfire = Load("/Game/Blueprints/BP_Campfire.BP_Campfire");
	ASSERT_NE(Campfire, nullptr);
	EXPECT_EQ(Campfire->ParentClass->GetPathName(), "/Script/Engine.Actor");
	ASSERT_EQ(Campfire->NewVariables.size(), 12u);
	const FBPVariableDescription* Fuel = Campfire->FindVariable("fuelseconds");
	ASSERT_NE(Fuel, nullptr);
	EXPECT_EQ(Fuel->ReplicationCondition, COND_OwnerOnly);
	EXPECT_EQ(Fuel->RepNotifyFunc, "OnRep_FuelSeconds");
	EXPECT_EQ(Fuel->PropertyFlags & (CPF_Net | CPF_RepNotify), CPF_Net | CPF_RepNotify);
	EXPECT_EQ(Campfire->FindVariable("bIsLit")->GetMetaData("tooltip"), "Whether the fire burns when play begins");
	EXPECT_TRUE(Campfire->FindVariable("HeatByDistance")->VarType.IsMap());
	EXPECT_EQ(Campfire->FindVariable("HeatByDistance")->VarType.PinValueType.TerminalSubCategory, "double");

	EXPECT_EQ(ComponentNames(*Campfire), (std::vector<std::string>{"DefaultSceneRoot", "Logs", "FireLight", "Sparks"}));
	const USimpleConstructionScript& Script = *Campfire->SimpleConstructionScript;
	const USCS_Node* Sparks = Script.FindSCSNode("sparks");
	ASSERT_NE(Sparks, nullptr);
	EXPECT_EQ(Script.FindParentNode(Sparks)->GetVariableName(), "FireLight");
	EXPECT_EQ(Script.FindParentNode(Script.FindSCSNode("DefaultSceneRoot")), nullptr);
	ASSERT_NE(Sparks->ComponentTemplate, nullptr);
	EXPECT_EQ(Sparks->ComponentTemplate->GetPathName(), "/Game/Blueprints/BP_Campfire.BP_Campfire:Sparks_GEN_VARIABLE");
	EXPECT_EQ(GetPropertyValueText(*Sparks->ComponentTemplate, "Intensity"), "800.000000");
	EXPECT_EQ(GetPropertyValueText(*Sparks->ComponentTemplate, "SourceRadius"), "0.000000") << "the class default";

	ASSERT_EQ(Campfire->UbergraphPages.size(), 2u);
	EXPECT_EQ(Campfire->UbergraphPages[1]->GetName(), "Lighting");
	ASSERT_EQ(Campfire->FunctionGraphs.size(), 3u);
	const UEdGraphNode* BeginPlay = Campfire->UbergraphPages[0]->GetNodes().front();
	EXPECT_EQ(BeginPlay->GetClass()->GetName(), "K2Node_Event");

	UClass* Generated = Campfire->GeneratedClass;
	ASSERT_NE(Generated, nullptr);
	EXPECT_EQ(Generated->GetPathName(), "/Game/Blueprints/BP_Campfire.BP_Campfire_C");
	EXPECT_TRUE(Generated->HasAnyClassFlags(CLASS_CompiledFromBlueprint));
	EXPECT_EQ(Generated->GetSuperClass(), Campfire->ParentClass);
	EXPECT_EQ(Generated->FindPropertyByName("LogCount")->GetDefaultValueText(), "4");
	EXPECT_EQ(FindBlueprintFunctionGraph(Generated, "flicker"), Campfire->FunctionGraphs[1]);
	EXPECT_EQ(Cast<UBlueprintGeneratedClass>(Generated)->GetDefaultObject()->GetName(), "Default__BP_Campfire_C");
}

TEST_F(BlueprintAsset, DemoBlueprintsSaveBackByteForByte)
{
	for (const char* Name : {"Blueprints/BP_Campfire", "Blueprints/BP_NoParent", "Blueprints/BP_NoConstructionScript", "Blueprints/BP_Broken"})
	{
		const std::string Relative = std::string("Content/") + Name + ".asset.json";
		const std::string Before = Editor.Project().ReadFile(Relative);
		const std::string Path = std::string("/Game/") + Name;
		UBlueprint* Blueprint = Load(Path + "." + Path.substr(Path.rfind('/') + 1));
		ASSERT_NE(Blueprint, nullptr) << Name;
		ASSERT_TRUE(UPackage::SavePackage(Blueprint->GetPackage(), Blueprint, Editor.Project().PathOf(Relative))) << Name;
		EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Name;
	}
}

TEST_F(BlueprintAsset, MissingParentAndNoConstructionScript)
{
	FLogCapture Log;
	UBlueprint* Orphan = Load("/Game/Blueprints/BP_NoParent.BP_NoParent");
	ASSERT_NE(Orphan, nullptr);
	EXPECT_EQ(Orphan->ParentClass, nullptr);
	EXPECT_EQ(Orphan->GetMissingParentClassPath(), "/Script/RemovedPlugin.RemovedActor");
	EXPECT_EQ(Orphan->GeneratedClass->GetSuperClass(), UObject::StaticClass());
	EXPECT_FALSE(Log.Messages("LogHost").empty());

	UBlueprint* Library = Load("/Game/Blueprints/BP_NoConstructionScript.BP_NoConstructionScript");
	ASSERT_NE(Library, nullptr);
	EXPECT_EQ(Library->SimpleConstructionScript, nullptr);
	EXPECT_TRUE(Library->UbergraphPages.empty());
}

TEST_F(BlueprintAsset, BadEntriesAreSkippedWithWarnings)
{
	WriteAsset(Editor.Project(), "Odd/BP_Odd", "/Script/Engine.Blueprint", {}, R"(
		"parentClass": "/Script/CoreUObject.Class'/Script/Engine.Actor'",
		"variables": [
			{"name": "Good", "type": {"category": "int"}, "propertyFlags": ["Edit", "NoSuchFlag"], "replicationCondition": "COND_Sometimes"},
			{"name": "good", "type": {"category": "bool"}},
			{"name": "NoType"},
			{"name": "Bad.Name", "type": {"category": "int"}},
			{"name": "BadMap", "type": {"category": "int", "container": "Map"}},
			42
		],
		"components": [
			{"name": "Root", "class": "/Script/Engine.SceneComponent", "properties": {"NoSuchProperty": "1", "bVisible": false}},
			{"name": "Ghost", "class": "/Script/Gone.GhostComponent", "parent": "Root", "properties": {"Spookiness": "11"}},
			{"name": "Loop", "class": "/Script/Engine.SceneComponent", "parent": "Loop"},
			{"name": "Lost", "class": "/Script/Engine.SceneComponent", "parent": "Nobody"},
			{"name": "root", "class": "/Script/Engine.SceneComponent"}
		],
		"graphs": {"eventGraphs": [{"name": "EventGraph", "nodes": ["Begin Object Class=K2Node_MacroInstance Name=\"K2Node_MacroInstance_0\"", 7, "End Object"]}, {"name": "EventGraph"}]}
	)");
	FLogCapture Log;
	UBlueprint* Odd = Load("/Game/Odd/BP_Odd.BP_Odd");
	ASSERT_NE(Odd, nullptr);
	EXPECT_EQ(Odd->ParentClass->GetName(), "Actor");
	ASSERT_EQ(Odd->NewVariables.size(), 1u);
	EXPECT_EQ(Odd->NewVariables[0].PropertyFlags, CPF_Edit);
	EXPECT_EQ(Odd->NewVariables[0].ReplicationCondition, COND_None);
	EXPECT_EQ(ComponentNames(*Odd), (std::vector<std::string>{"Root", "Ghost", "Loop", "Lost"}));
	EXPECT_EQ(Odd->SimpleConstructionScript->FindSCSNode("Ghost")->ComponentClass, nullptr);
	ASSERT_EQ(Odd->UbergraphPages.size(), 1u);
	ASSERT_EQ(Odd->UbergraphPages[0]->GetNodes().size(), 1u);
	EXPECT_EQ(Odd->UbergraphPages[0]->GetNodes()[0]->GetClass()->GetName(), "K2Node_MacroInstance");
	EXPECT_GE(Log.Messages("LogHost").size(), 12u);

	// What could not be modelled is still written back: the unknown class and its values.
	ASSERT_TRUE(UPackage::SavePackage(Odd->GetPackage(), Odd, Editor.Project().PathOf("Content/Odd/BP_Odd.asset.json")));
	const std::string Saved = Editor.Project().ReadFile("Content/Odd/BP_Odd.asset.json");
	EXPECT_NE(Saved.find("\"class\": \"/Script/Gone.GhostComponent\""), std::string::npos);
	EXPECT_NE(Saved.find("\"Spookiness\": \"11\""), std::string::npos);
	EXPECT_NE(Saved.find("\"ParentClass\": \"/Script/CoreUObject.Class'/Script/Engine.Actor'\""), std::string::npos);
}

TEST_F(BlueprintAsset, RegistryListsDemoBlueprintsWithTheirParentClass)
{
	IAssetRegistry& Registry = *IAssetRegistry::Get();
	std::vector<FAssetData> Assets;
	Registry.GetAssetsByPath("/Game/Blueprints", Assets, true);
	std::vector<std::string> Found;
	for (const FAssetData& Asset : Assets)
	{
		std::string Parent;
		ASSERT_TRUE(Asset.GetTagValue("ParentClass", Parent)) << Asset.AssetName;
		Found.push_back(Asset.AssetName + " " + Parent);
	}
	std::sort(Found.begin(), Found.end());
	EXPECT_EQ(Found, (std::vector<std::string>{"BP_Broken /Script/CoreUObject.Class'/Script/Engine.Actor'",
						 "BP_Campfire /Script/CoreUObject.Class'/Script/Engine.Actor'",
						 "BP_NoConstructionScript /Script/CoreUObject.Class'/Script/Engine.BlueprintFunctionLibrary'",
						 "BP_NoParent /Script/CoreUObject.Class'/Script/RemovedPlugin.RemovedActor'"}));
}

TEST_F(BlueprintAsset, AnimBlueprintLoadsWithItsGraphs)
{
	UBlueprint* Anim = Load("/Game/Characters/Mannequin/ABP_Mannequin.ABP_Mannequin");
	ASSERT_NE(Anim, nullptr);
	EXPECT_EQ(Anim->GetClass()->GetName(), "AnimBlueprint");
	EXPECT_EQ(Anim->ParentClass->GetName(), "AnimInstance");
	EXPECT_EQ(Anim->GeneratedClass->GetClass()->GetName(), "AnimBlueprintGeneratedClass");
	ASSERT_EQ(Anim->FunctionGraphs.size(), 1u);
	EXPECT_EQ(Anim->FunctionGraphs[0]->Schema, "/Script/AnimGraph.AnimationGraphSchema");
	EXPECT_EQ(Anim->FunctionGraphs[0]->GetNodes().size(), 2u);
}
