#include "Connector/BlueprintTestGraphs.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Endpoints/BlueprintEndpoints.h"

#include "Assets/AssetRegistry.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/Property.h"

#include <gtest/gtest.h>

namespace
{
	UClass* EngineClass(std::string_view Path)
	{
		return FClassDatabase::Get().FindClass(Path);
	}

	UBlueprint* NewActorBlueprint(std::string_view PackageName, std::string_view Name)
	{
		return FKismetEditorUtilities::CreateBlueprint(EngineClass("/Script/Engine.Actor"), CreatePackage(PackageName), Name);
	}

	FBPVariableDescription Variable(std::string_view Name, std::string_view Category, std::string_view Container = "None")
	{
		FBPVariableDescription Variable;
		Variable.VarName = Name;
		Variable.VarType.PinCategory = Category;
		Variable.VarType.ContainerType = Container;
		return Variable;
	}

	std::string Condensed(const FJsonValue& Value)
	{
		std::string Text;
		FJsonSerializer::AppendCondensed(Text, Value);
		return Text;
	}

	class BlueprintGather : public ::testing::Test
	{
	protected:
		FTestEditor Editor;
	};
}

TEST_F(BlueprintGather, NoBlueprintGivesAnEmptyObject)
{
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*GatherBlueprint(nullptr)), "{}");
}

TEST_F(BlueprintGather, VariablesCarryOnlyTheKeysTheirSettingsCallFor)
{
	UBlueprint* const Blueprint = NewActorBlueprint("/Game/BP_Vars", "BP_Vars");
	ASSERT_NE(Blueprint, nullptr);

	FBPVariableDescription Health = Variable("Health", "real");
	Health.VarType.PinSubCategory = "double";
	Health.DefaultValue = "100.0";
	Health.Category = "Stats";
	Health.MetaDataArray = {{"ToolTip", "Hit points"}, {"tooltip", "second"}};
	FBPVariableDescription Targets = Variable("Targets", "object", "Array");
	Targets.VarType.PinSubCategoryObject = "/Script/CoreUObject.Class'/Script/Engine.Actor'";
	FBPVariableDescription Ammo = Variable("Ammo", "int");
	Ammo.PropertyFlags = CPF_Edit | CPF_BlueprintVisible | CPF_Net | CPF_RepNotify | CPF_ExposeOnSpawn;
	Ammo.ReplicationCondition = COND_OwnerOnly;
	Ammo.RepNotifyFunc = "OnRep_Ammo";
	FBPVariableDescription Secret = Variable("Secret", "bool");
	Secret.RepNotifyFunc = "OnRep_Secret";
	Blueprint->NewVariables = {Health, Targets, Variable("Tags", "name", "Set"), Variable("Scores", "int", "Map"), Ammo, Secret};

	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);

	EXPECT_EQ(Condensed(Gathered->TryGetArrayField("variables")),
		R"([{"name":"Health","type":"real","isArray":false,"defaultValue":"100.0","category":"Stats","tooltip":"Hit points"},)"
		R"({"name":"Targets","type":"object","subType":"Actor","subTypePath":"/Script/Engine.Actor","isArray":true},)"
		R"({"name":"Tags","type":"name","isArray":false},{"name":"Scores","type":"int","isArray":false},)"
		R"({"name":"Ammo","type":"int","isArray":false,"replicated":true,"replicationCondition":"COND_OwnerOnly","repNotifyFunc":"OnRep_Ammo","exposeOnSpawn":true},)"
		R"({"name":"Secret","type":"bool","isArray":false}])");
	EXPECT_TRUE(Log.Contains("  Var: Health (real)"));
	EXPECT_TRUE(Log.Contains("  Var: Targets (object:Actor [])"));
	EXPECT_TRUE(Log.Contains("  Var: Tags (name)"));
}

TEST_F(BlueprintGather, ComponentsListTheConstructionScriptWithParents)
{
	UBlueprint* const Blueprint = NewActorBlueprint("/Game/BP_Lamp", "BP_Lamp");
	ASSERT_NE(Blueprint, nullptr);
	USimpleConstructionScript* const Script = Blueprint->SimpleConstructionScript;
	ASSERT_NE(Script, nullptr);
	ASSERT_EQ(Script->GetAllNodes().size(), 1u) << "an actor Blueprint starts with its scene root";
	USCS_Node* const Root = Script->GetAllNodes()[0];
	USCS_Node* const Mesh = Script->CreateNode(EngineClass("/Script/Engine.StaticMeshComponent"), "Mesh");
	Root->AddChildNode(Mesh);
	USCS_Node* const Light = Script->CreateNode(EngineClass("/Script/Engine.PointLightComponent"), "Light");
	Mesh->AddChildNode(Light);
	USCS_Node* const Lost = Script->CreateNode(EngineClass("/Script/Engine.SceneComponent"), "Lost");
	Lost->ComponentClass = nullptr;
	Script->AddNode(Lost);

	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);

	const std::string Expected = R"([{"name":")" + Root->GetVariableName() + R"(","class":"SceneComponent","classPath":"/Script/Engine.SceneComponent","templatePath":")"
		+ Root->ComponentTemplate->GetPathName() + R"(","parent":"root"},)"
		R"({"name":"Mesh","class":"StaticMeshComponent","classPath":"/Script/Engine.StaticMeshComponent","templatePath":")" + Mesh->ComponentTemplate->GetPathName()
		+ R"(","parent":")" + Root->GetVariableName() + R"("},)"
		R"({"name":"Light","class":"PointLightComponent","classPath":"/Script/Engine.PointLightComponent","templatePath":")" + Light->ComponentTemplate->GetPathName()
		+ R"(","parent":"Mesh"},)"
		R"({"name":"Lost","templatePath":")" + Lost->ComponentTemplate->GetPathName() + R"(","parent":"root"}])";
	EXPECT_EQ(Condensed(Gathered->TryGetArrayField("components")), Expected);
	EXPECT_TRUE(Log.Contains("Gathering 4 components from SCS..."));
	EXPECT_TRUE(Log.Contains("  Component: Light \u2014 class=PointLightComponent classPath=/Script/Engine.PointLightComponent"));
	EXPECT_TRUE(Log.Contains("  Component: Lost \u2014 ComponentClass is NULL!"));
}

TEST_F(BlueprintGather, NoParentNoScriptAndNoGraphs)
{
	UBlueprint* const Blueprint = NewObject<UBlueprint>(CreatePackage("/Game/BP_Bare"), "BP_Bare");

	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);

	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*Gathered),
		R"({"name":"BP_Bare","blueprintName":"BP_Bare","path":"/Game/BP_Bare.BP_Bare","parentClass":"Actor","variables":[],"components":[],)"
		R"("graphs":{},"functions":[],"activeGraph":"EventGraph","bucket":[]})");
	EXPECT_EQ(Log.Count("SimpleConstructionScript is NULL \u2014 no components will be gathered"), 1u);
	EXPECT_TRUE(Log.Contains("Gathered Blueprint data for 'BP_Bare': 0 vars, 0 components, 0 graphs"));
}

TEST_F(BlueprintGather, EventPagesThenFunctionGraphsAndNeverMacros)
{
	UBlueprint* const Blueprint = NewActorBlueprint("/Game/BP_Pages", "BP_Pages");
	ASSERT_EQ(Blueprint->UbergraphPages.size(), 1u);
	ImportNodesFromText(*Blueprint->UbergraphPages[0], BeginPlayPrintsHello());
	UEdGraph* const Lighting = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Lighting");
	Blueprint->UbergraphPages.push_back(Lighting);
	Blueprint->UbergraphPages.push_back(nullptr);
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Flicker"));
	Blueprint->MacroGraphs.push_back(FBlueprintEditorUtils::CreateNewGraph(Blueprint, "MyMacro"));

	const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);

	const std::shared_ptr<FJsonObject> Graphs = Gathered->TryGetObjectField("graphs");
	ASSERT_TRUE(Graphs);
	std::vector<std::string> Keys;
	for (const auto& [Key, Value] : Graphs->Values())
	{
		Keys.push_back(Key);
	}
	EXPECT_EQ(Keys, (std::vector<std::string>{"EventGraph", "Lighting", "Flicker"}));
	EXPECT_EQ(Graphs->TryGetObjectField("EventGraph")->TryGetStringField("type"), "event");
	EXPECT_EQ(Graphs->TryGetObjectField("EventGraph")->TryGetArrayField("nodes")->size(), 2u);
	EXPECT_EQ(Graphs->TryGetObjectField("Flicker")->TryGetStringField("type"), "function");
	EXPECT_EQ(Condensed(Gathered->TryGetArrayField("functions")), R"(["Flicker"])");
	EXPECT_EQ(Gathered->TryGetStringField("activeGraph"), "EventGraph");
	EXPECT_EQ(Condensed(Gathered->TryGetArrayField("bucket")), "[]");
}

TEST_F(BlueprintGather, FunctionGraphIsActiveWithoutEventPages)
{
	UBlueprint* const Blueprint = NewObject<UBlueprint>(CreatePackage("/Game/BP_Library"), "BP_Library");
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Helper"));

	EXPECT_EQ(GatherBlueprint(Blueprint)->TryGetStringField("activeGraph"), "Helper");
}

TEST(BlueprintList, ListsGameBlueprintsOfEveryBlueprintClassWithoutLoadingThem)
{
	FTestEditor Editor(DemoProjectOptions());
	Editor.Project().WriteFile("Content/Tools/BP_Untagged.asset.json", R"({"class": "/Script/Engine.Blueprint"})");
	Editor.Project().WriteFile("Content/UI/WBP_Menu.asset.json",
		R"({"class": "/Script/UMGEditor.WidgetBlueprint", "tags": {"ParentClass": "/Script/CoreUObject.Class'/Script/UMG.UserWidget'"}})");
	Editor.OnGameThread([]() {
		IAssetRegistry::Get()->SearchAllAssets();
		NewActorBlueprint("/Game/Memory/BP_InMemory", "BP_InMemory");
	});
	Editor.Serve();
	FTestHttpClient Client(Editor.Port());

	const std::optional<FTestHttpResponse> Response = Client.Request("GET", "/korvane/blueprints");
	ASSERT_TRUE(Response);
	const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Response->Body);
	ASSERT_TRUE(Answer);
	const std::shared_ptr<FJsonValueArray> Entries = Answer->TryGetArrayField("blueprints");
	ASSERT_TRUE(Entries);
	EXPECT_EQ(Answer->TryGetNumberField("count"), static_cast<double>(Entries->size()));

	std::vector<std::string> Texts;
	for (const FJsonValue& Entry : *Entries)
	{
		Texts.push_back(Condensed(Entry));
	}
	const auto Has = [&Texts](const std::string& Text) { return std::ranges::find(Texts, Text) != Texts.end(); };
	EXPECT_TRUE(Has(R"({"name":"BP_Untagged","path":"/Game/Tools/BP_Untagged.BP_Untagged","class":"/Script/Engine.Blueprint","packagePath":"/Game/Tools"})"));
	EXPECT_TRUE(Has(R"({"name":"WBP_Menu","path":"/Game/UI/WBP_Menu.WBP_Menu","class":"/Script/UMGEditor.WidgetBlueprint",)"
					R"("parentClass":"/Script/CoreUObject.Class'/Script/UMG.UserWidget'","packagePath":"/Game/UI"})"));
	EXPECT_TRUE(std::ranges::any_of(Texts, [](const std::string& Text) { return Text.find(R"("name":"BP_InMemory")") != std::string::npos; }));
	EXPECT_TRUE(std::ranges::any_of(Texts, [](const std::string& Text) { return Text.find(R"("class":"/Script/Engine.AnimBlueprint")") != std::string::npos; }));
	EXPECT_TRUE(std::ranges::none_of(Texts, [](const std::string& Text) { return Text.find("\"/Engine/") != std::string::npos; }));
}
