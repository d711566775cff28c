#include "Assets/AssetFiles.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPinType.h"
#include "Graph/K2NodeProperties.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PropertyValues.h"

#include <gtest/gtest.h>

namespace
{
	class BlueprintModel : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		static UClass* Engine(std::string_view Path) { return FClassDatabase::Get().FindClass(Path); }

		UBlueprint* NewActorBlueprint(std::string_view Name = "BP_Test")
		{
			return FKismetEditorUtilities::CreateBlueprint(Engine("/Script/Engine.Actor"), CreatePackage("/Game/Tests/" + std::string(Name)), Name);
		}
	};

	constexpr std::string_view ThreeNodes =
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
		"   FunctionReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.KismetSystemLibrary\"',MemberName=\"PrintString\",MemberGuid=00000000000000000000000000000001,bSelfContext=True)\n"
		"   bIsEditable=True\n"
		"   CommentColor=(R=0.500000,G=2.000000,B=-1.000000)\n"
		"End Object\n"
		"Begin Object Class=K2Node_MacroInstance Name=\"K2Node_MacroInstance_0\"\n"
		"End Object\n"
		"Begin Object Class=/Script/Nowhere.K2Node_Mystery Name=\"K2Node_Mystery_0\"\n"
		"   Mystery=42\n"
		"End Object\n";
}

TEST_F(BlueprintModel, PastedNodesHaveTheirClassesAndExportAsRead)
{
	UEdGraph& Graph = *NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, ThreeNodes);
	ASSERT_EQ(Nodes.size(), 3u);
	EXPECT_EQ(Nodes[0]->GetClass()->GetName(), "K2Node_CallFunction");
	EXPECT_TRUE(Nodes[0]->IsA(Engine("/Script/BlueprintGraph.K2Node")));
	EXPECT_EQ(Nodes[1]->GetClass()->GetName(), "K2Node_MacroInstance") << "a short class name, as older editors wrote";
	EXPECT_EQ(Nodes[2]->GetClass(), UEdGraphNode::StaticClass()) << "an unknown class stays an opaque node";
	const std::string Exported = ExportNodesToText({Nodes.begin(), Nodes.end()});
	EXPECT_NE(Exported.find("Class=K2Node_MacroInstance "), std::string::npos);
	EXPECT_NE(Exported.find("Class=/Script/Nowhere.K2Node_Mystery "), std::string::npos);
	EXPECT_NE(Exported.find("Mystery=42"), std::string::npos);
}

TEST_F(BlueprintModel, NodePropertiesReadAndWriteTheKeptLines)
{
	UEdGraph& Graph = *NewObject<UEdGraph>();
	UEdGraphNode& Call = *ImportNodesFromText(Graph, ThreeNodes)[0];
	const std::optional<FMemberReference> Reference = GetFunctionReference(Call);
	ASSERT_TRUE(Reference);
	EXPECT_EQ(Reference->MemberName, "PrintString");
	EXPECT_TRUE(Reference->bSelfContext);
	EXPECT_TRUE(Reference->MemberGuid.has_value());
	EXPECT_EQ(Reference->GetMemberParentClass(), Engine("/Script/Engine.KismetSystemLibrary"));
	EXPECT_FALSE(GetVariableReference(Call));
	EXPECT_TRUE(IsUserEditable(Call));
	const FLinearColor Color = GetCommentColor(Call);
	EXPECT_EQ(Color.R, 0.5f);
	EXPECT_EQ(Color.G, 2.0f);
	EXPECT_EQ(Color.B, -1.0f);
	EXPECT_EQ(Color.A, 1.0f) << "a channel the text leaves out keeps white's";

	SetFunctionReferenceExternalMember(Call, "ReceiveTick", *Engine("/Script/Engine.Actor"));
	SetUserEditable(Call, false);
	const std::string Exported = ExportNodesToText({&Call});
	EXPECT_NE(Exported.find("   FunctionReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.Actor\"',MemberName=\"ReceiveTick\")\n   bIsEditable=False\n"), std::string::npos) << Exported;
	EXPECT_EQ(GetFunctionReference(Call)->GetMemberParentClass(), Engine("/Script/Engine.Actor"));
	EXPECT_FALSE(GetFunctionReference(Call)->bSelfContext);
}

TEST_F(BlueprintModel, PinSubCategoryObjectsResolveInEverySpellingAndDieWithTheirClass)
{
	const auto Resolve = [](std::string Reference) {
		FEdGraphPinType Type;
		Type.PinSubCategoryObject = std::move(Reference);
		const UObject* Object = GetPinSubCategoryObject(Type);
		return Object != nullptr ? Object->GetPathName() : std::string("null");
	};
	EXPECT_EQ(Resolve("/Script/CoreUObject.Class'\"/Script/Engine.Actor\"'"), "/Script/Engine.Actor");
	EXPECT_EQ(Resolve("Class'/Script/Engine.Actor'"), "/Script/Engine.Actor");
	EXPECT_EQ(Resolve("/Script/CoreUObject.Vector"), "/Script/CoreUObject.Vector");
	EXPECT_EQ(Resolve("Enum'\"/Script/Engine.ELifetimeCondition\"'"), "/Script/Engine.ELifetimeCondition");
	EXPECT_EQ(Resolve("None"), "null");
	EXPECT_EQ(Resolve("/Script/Engine.NoSuchClass"), "null");

	UBlueprint* Blueprint = NewActorBlueprint();
	const std::string ClassPath = "/Script/Engine.BlueprintGeneratedClass'\"" + Blueprint->GeneratedClass->GetPathName() + "\"'";
	EXPECT_EQ(Resolve(ClassPath), "/Game/Tests/BP_Test.BP_Test_C");
	UClass* const Old = Blueprint->GeneratedClass;
	UClass* const New = RegenerateBlueprintClass(*Blueprint);
	EXPECT_NE(Old, New);
	EXPECT_TRUE(Old->IsGarbage());
	EXPECT_EQ(Resolve(ClassPath), "/Game/Tests/BP_Test.BP_Test_C") << "the path now names the new class";
	CollectGarbage();
	Blueprint->GeneratedClass->MarkAsGarbage();
	EXPECT_EQ(Resolve(ClassPath), "null") << "a class marked as garbage no longer counts";
}

TEST_F(BlueprintModel, LifetimeConditionsComeFromTheClassDatabase)
{
	const UEnum* Conditions = StaticEnum<ELifetimeCondition>();
	ASSERT_NE(Conditions, nullptr);
	EXPECT_EQ(Conditions->GetPathName(), "/Script/Engine.ELifetimeCondition");
	EXPECT_EQ(Conditions->NumEnums(), 18);
	EXPECT_EQ(Conditions->GetNameStringByValue(COND_OwnerOnly), "COND_OwnerOnly");
	EXPECT_EQ(Conditions->GetNameStringByValue(99), "");
	EXPECT_EQ(Conditions->GetValueByNameString("ELifetimeCondition::COND_NetGroup"), COND_NetGroup);
	EXPECT_EQ(FClassDatabase::Get().FindObject("/Script/Engine.ELifetimeCondition"), Conditions);

	std::string Error;
	EXPECT_FALSE(FClassDatabase::Load(R"({"classes":[{"path":"/Script/CoreUObject.Object"}],"enums":[{"path":"/Script/X.E","entries":[{"name":"A","value":0.5}]}]})", Error));
	EXPECT_FALSE(FClassDatabase::Load(R"({"classes":[{"path":"/Script/CoreUObject.Object"}],"enums":[{"path":"/Script/X.E","entries":[{"name":"A","value":0},{"name":"A","value":1}]}]})", Error));
	EXPECT_NE(Error.find("declared twice"), std::string::npos) << Error;
}

TEST_F(BlueprintModel, CreateBlueprintLaysOutAnActorAndListsIt)
{
	UBlueprint* Blueprint = NewActorBlueprint("BP_Made");
	ASSERT_NE(Blueprint, nullptr);
	ASSERT_EQ(Blueprint->UbergraphPages.size(), 1u);
	EXPECT_EQ(Blueprint->UbergraphPages[0]->GetName(), "EventGraph");
	ASSERT_NE(Blueprint->SimpleConstructionScript, nullptr);
	EXPECT_EQ(Blueprint->SimpleConstructionScript->GetAllNodes().front()->GetVariableName(), "DefaultSceneRoot");
	EXPECT_EQ(Blueprint->GeneratedClass->GetSuperClass(), Engine("/Script/Engine.Actor"));
	EXPECT_TRUE(Blueprint->GetPackage()->IsDirty());

	UBlueprint* Library = FKismetEditorUtilities::CreateBlueprint(Engine("/Script/Engine.BlueprintFunctionLibrary"), CreatePackage("/Game/Tests/BPL"), "BPL");
	ASSERT_NE(Library, nullptr);
	EXPECT_EQ(Library->SimpleConstructionScript, nullptr);
	EXPECT_EQ(FKismetEditorUtilities::CreateBlueprint(Engine("/Script/CoreUObject.Interface"), CreatePackage("/Game/Tests/BPI"), "BPI"), nullptr);
	EXPECT_EQ(FKismetEditorUtilities::CreateBlueprint(nullptr, CreatePackage("/Game/Tests/BPN"), "BPN"), nullptr);

	// Saved and loaded again, it is the same Blueprint.
	const std::string File = Editor.Project().PathOf("Content/Tests/BP_Made.asset.json");
	ASSERT_TRUE(UPackage::SavePackage(Blueprint->GetPackage(), Blueprint, File));
	EXPECT_NE(Editor.Project().ReadFile("Content/Tests/BP_Made.asset.json").find("\"ParentClass\": \"/Script/CoreUObject.Class'/Script/Engine.Actor'\""), std::string::npos);
}

TEST_F(BlueprintModel, EditorUtilsEditMembersAndGraphs)
{
	UBlueprint* Blueprint = NewActorBlueprint();
	Blueprint->Status = BS_UpToDate;
	Blueprint->GetPackage()->SetDirtyFlag(false);
	FEdGraphPinType Bool;
	Bool.PinCategory = "bool";
	EXPECT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "bReady", Bool, "true"));
	EXPECT_EQ(Blueprint->Status, BS_Dirty);
	EXPECT_TRUE(Blueprint->GetPackage()->IsDirty());
	EXPECT_EQ(Blueprint->FindVariable("bReady")->FriendlyName, "Ready");
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "BREADY", Bool)) << "names compare without case";
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "DefaultSceneRoot", Bool)) << "a component has the name";
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "A.B", Bool));

	UEdGraph* Function = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Recharge");
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Recharge"), nullptr);
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Function, true);
	ASSERT_EQ(Function->GetNodes().size(), 2u);
	EXPECT_EQ(Function->GetNodes()[0]->GetClass()->GetName(), "K2Node_FunctionEntry");
	EXPECT_EQ(GetFunctionReference(*Function->GetNodes()[0])->MemberName, "Recharge");
	EXPECT_EQ(Function->GetNodes()[0]->GetPins()[0]->GetLinkedTo().size(), 1u);
	EXPECT_EQ(FBlueprintEditorUtils::FindGraph(Blueprint, "recharge"), Function);
	EXPECT_EQ(FindBlueprintFunctionGraph(RegenerateBlueprintClass(*Blueprint), "Recharge"), Function);

	UEdGraphNode* Result = Function->GetNodes()[1];
	FBlueprintEditorUtils::RemoveNode(Blueprint, Result, true);
	EXPECT_EQ(Function->GetNodes().size(), 1u);
	EXPECT_TRUE(Function->GetNodes()[0]->GetPins()[0]->GetLinkedTo().empty());
	EXPECT_TRUE(FBlueprintEditorUtils::RemoveMemberVariable(Blueprint, "BReady"));
	EXPECT_FALSE(FBlueprintEditorUtils::RemoveMemberVariable(Blueprint, "bReady"));
}

TEST_F(BlueprintModel, ConstructionScriptTreeAndTemplateValues)
{
	UBlueprint* Blueprint = NewActorBlueprint();
	USimpleConstructionScript& Script = *Blueprint->SimpleConstructionScript;
	USCS_Node* Root = Script.GetRootNodes().front();
	USCS_Node* Light = Script.CreateNode(Engine("/Script/Engine.PointLightComponent"), "Light");
	USCS_Node* Second = Script.CreateNode(Engine("/Script/Engine.PointLightComponent"), "Light");
	Root->AddChildNode(Light);
	Light->AddChildNode(Second);
	Second->AddChildNode(Root);
	EXPECT_EQ(Second->GetVariableName(), "Light1");
	ASSERT_EQ(Script.GetAllNodes().size(), 3u);
	EXPECT_EQ(Script.FindParentNode(Second), Light);
	EXPECT_TRUE(Second->GetChildNodes().empty()) << "a loop is refused";

	UObject& Template = *Light->ComponentTemplate;
	EXPECT_EQ(Template.GetName(), "Light_GEN_VARIABLE");
	EXPECT_EQ(GetPropertyValueText(Template, "Intensity"), "3.141593");
	EXPECT_TRUE(SetPropertyValueText(Template, "Intensity", "5000.000000"));
	EXPECT_TRUE(SetPropertyValueText(Template, "RelativeLocation", "(X=0.000000,Y=0.000000,Z=120.000000)"));
	EXPECT_FALSE(SetPropertyValueText(Template, "NoSuchProperty", "1"));
	EXPECT_EQ(GetChangedPropertyValues(Template).size(), 2u);
	EXPECT_TRUE(SetPropertyValueText(Template, "Intensity", "3.141593"));
	EXPECT_EQ(GetChangedPropertyValues(Template),
		(std::vector<std::pair<std::string, std::string>>{{"RelativeLocation", "(X=0.000000,Y=0.000000,Z=120.000000)"}}));

	Script.RemoveNode(Light);
	EXPECT_EQ(Script.GetAllNodes().size(), 1u) << "a node goes with its children";
	EXPECT_TRUE(Template.IsGarbage());
}
