#include "Assets/AssetFiles.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/JsonObject.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/K2Node_ComponentBoundEvent.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Function.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
	constexpr uint32_t UserFunctionFlags = FUNC_BlueprintCallable | FUNC_BlueprintEvent | FUNC_Public;

	class BlueprintFunctionGraphs : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};

		static UClass* Engine(std::string_view Path) { return FClassDatabase::Get().FindClass(Path); }

		static UBlueprint* NewBlueprint(std::string_view Name, UClass* Parent, UClass* BlueprintClass = nullptr)
		{
			return FKismetEditorUtilities::CreateBlueprint(Parent, CreatePackage("/Game/Tests/" + std::string(Name)), Name, BlueprintClass);
		}

		static UEdGraph* AddUserFunction(UBlueprint* Blueprint, std::string_view Name)
		{
			UEdGraph* const Graph = FBlueprintEditorUtils::CreateNewGraph(Blueprint, Name);
			FBlueprintEditorUtils::AddUserCreatedFunctionGraph(Blueprint, Graph);
			return Graph;
		}

		/** The graph's nodes copied and pasted into a fresh graph, as a save and a load do. */
		static UEdGraphNode* CopiedEntry(const UEdGraph& Graph)
		{
			const std::string Text = ExportNodesToText({Graph.GetNodes().begin(), Graph.GetNodes().end()});
			UEdGraph& Pasted = *NewObject<UEdGraph>();
			return ImportNodesFromText(Pasted, Text).front();
		}
	};
}

TEST_F(BlueprintFunctionGraphs, UserFunctionsCarryTheFlagsOfTheirBlueprintKind)
{
	UBlueprint* const Actor = NewBlueprint("BP_Actor", Engine("/Script/Engine.Actor"));
	UEdGraph* const Ignite = AddUserFunction(Actor, "Ignite");
	ASSERT_EQ(Ignite->GetNodes().size(), 1u);
	const UEdGraphNode& Entry = *Ignite->GetNodes().front();
	EXPECT_EQ(Entry.GetClass()->GetName(), "K2Node_FunctionEntry");
	EXPECT_TRUE(IsUserEditable(Entry));
	EXPECT_EQ(GetExtraFlags(Entry), UserFunctionFlags);
	EXPECT_EQ(Actor->FunctionGraphs.back(), Ignite);
	EXPECT_FALSE(FBlueprintEditorUtils::GetGraphFunctionMetaData(Ignite)->bCallInEditor) << "only editor utilities call functions in the editor";
	EXPECT_EQ(Entry.KeptObject.FindProperty("MetaData"), nullptr);

	UBlueprint* const Library = NewBlueprint("BPL_Tools", Engine("/Script/Engine.BlueprintFunctionLibrary"));
	Library->BlueprintType = BPTYPE_FunctionLibrary;
	EXPECT_EQ(GetExtraFlags(*AddUserFunction(Library, "Sum")->GetNodes().front()), UserFunctionFlags | FUNC_Static);

	UBlueprint* const Const = NewBlueprint("BP_Const", Engine("/Script/Engine.Actor"));
	Const->BlueprintType = BPTYPE_Const;
	const UEdGraphNode& ConstEntry = *AddUserFunction(Const, "Peek")->GetNodes().front();
	EXPECT_EQ(GetExtraFlags(ConstEntry), UserFunctionFlags | FUNC_Const);
	EXPECT_EQ(GetExtraFlags(*CopiedEntry(*Const->FunctionGraphs.back())), UserFunctionFlags | FUNC_Const) << "flags above 2^30 survive the signed text form";
}

TEST_F(BlueprintFunctionGraphs, EditorUtilityFunctionsAreCalledInTheEditorAndKeepOtherMetadata)
{
	UBlueprint* const Utility = NewBlueprint("EUW_Tools", Engine("/Script/UMG.UserWidget"), Engine("/Script/Blutility.EditorUtilityWidgetBlueprint"));
	ASSERT_NE(Utility, nullptr);
	EXPECT_TRUE(FBlueprintEditorUtils::IsEditorUtilityBlueprint(Utility));
	EXPECT_FALSE(FBlueprintEditorUtils::IsEditorUtilityBlueprint(NewBlueprint("WBP_Hud", Engine("/Script/UMG.UserWidget"), Engine("/Script/UMGEditor.WidgetBlueprint"))));
	EXPECT_FALSE(FBlueprintEditorUtils::IsEditorUtilityBlueprint(nullptr));

	UEdGraph* const Rebuild = AddUserFunction(Utility, "Rebuild");
	const UEdGraphNode& Entry = *Rebuild->GetNodes().front();
	EXPECT_EQ(Entry.KeptObject.FindProperty("MetaData")->Value, "(bCallInEditor=True)");
	const UEdGraphNode& Copied = *CopiedEntry(*Rebuild);
	EXPECT_TRUE(GetUserDeclaredFunctionMetadata(Copied).bCallInEditor) << "the flag travels with the graph's text";
	EXPECT_EQ(GetExtraFlags(Copied), UserFunctionFlags);

	UEdGraph& Pasted = *NewObject<UEdGraph>();
	ImportNodesFromText(Pasted,
		"Begin Object Class=/Script/BlueprintGraph.K2Node_FunctionEntry Name=\"K2Node_FunctionEntry_0\"\n"
		"   MetaData=(Category=\"Tools\",bCallInEditor=False)\n"
		"End Object\n");
	FKismetUserDeclaredFunctionMetadata MetaData = *FBlueprintEditorUtils::GetGraphFunctionMetaData(&Pasted);
	EXPECT_FALSE(MetaData.bCallInEditor);
	MetaData.bCallInEditor = true;
	ASSERT_TRUE(FBlueprintEditorUtils::SetGraphFunctionMetaData(&Pasted, MetaData));
	EXPECT_EQ(Pasted.GetNodes().front()->KeptObject.FindProperty("MetaData")->Value, "(Category=\"Tools\",bCallInEditor=True)");
	EXPECT_FALSE(FBlueprintEditorUtils::GetGraphFunctionMetaData(NewObject<UEdGraph>())) << "a graph without an entry has no metadata";
}

TEST_F(BlueprintFunctionGraphs, ANewParentMemberRenamesTheChildVariableItWouldHide)
{
	UBlueprint* const Parent = NewBlueprint("BP_Parent", Engine("/Script/Engine.Actor"));
	FKismetEditorUtilities::CompileBlueprint(Parent);
	ASSERT_NE(Parent->GeneratedClass, nullptr);
	UBlueprint* const Child = NewBlueprint("BP_Child", Parent->GeneratedClass);
	FEdGraphPinType Real;
	Real.PinCategory = "real";
	Real.PinSubCategory = "double";
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Child, "Fuel", Real));
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Child, "Fuel_0", Real));
	UEdGraphNode* const Get = ImportNodesFromText(*Child->UbergraphPages.front(),
		"Begin Object Class=/Script/BlueprintGraph.K2Node_VariableGet Name=\"K2Node_VariableGet_0\"\n"
		"   VariableReference=(MemberName=\"Fuel\",MemberGuid=0123456789ABCDEF0123456789ABCDEF,bSelfContext=True)\n"
		"End Object\n").front();

	AddUserFunction(Parent, "Fuel");
	EXPECT_EQ(Child->FindVariable("Fuel"), nullptr);
	ASSERT_NE(Child->FindVariable("Fuel_1"), nullptr) << "Fuel_0 is taken";
	EXPECT_EQ(GetVariableReference(*Get)->MemberName, "Fuel_1");
	EXPECT_EQ(Get->KeptObject.FindProperty("VariableReference")->Value, "(MemberName=\"Fuel_1\",MemberGuid=0123456789ABCDEF0123456789ABCDEF,bSelfContext=True)");

	AddUserFunction(Parent, "Unrelated");
	EXPECT_NE(Child->FindVariable("Fuel_0"), nullptr) << "variables of other names stay";
}

TEST_F(BlueprintFunctionGraphs, BoundEventsReadTheirBindingAndTakeAHandlerName)
{
	UEdGraph& Graph = *NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph,
		"Begin Object Class=/Script/BlueprintGraph.K2Node_ComponentBoundEvent Name=\"K2Node_ComponentBoundEvent_0\"\n"
		"   DelegatePropertyName=\"OnClicked\"\n"
		"   DelegateOwnerClass=/Script/CoreUObject.Class'\"/Script/UMG.Button\"'\n"
		"   ComponentPropertyName=\"StartButton\"\n"
		"   EventReference=(MemberParent=/Script/CoreUObject.Package'\"/Script/UMG\"',MemberName=\"OnButtonClickedEvent__DelegateSignature\")\n"
		"   NodeGuid=0123456789ABCDEF0123456789ABCDEF\n"
		"End Object\n");
	ASSERT_EQ(Nodes.size(), 1u);
	UK2Node_ComponentBoundEvent* const Bound = Cast<UK2Node_ComponentBoundEvent>(Nodes.front());
	ASSERT_NE(Bound, nullptr);
	EXPECT_EQ(Bound->GetComponentPropertyName(), "StartButton");
	EXPECT_EQ(Bound->GetDelegatePropertyName(), "OnClicked");
	EXPECT_EQ(Bound->GetCustomFunctionName(), "");
	const UClass* const Owner = Bound->GetDelegateOwnerClass();
	EXPECT_EQ(Owner != nullptr ? Owner->GetPathName() : std::string("(none)"), Engine("/Script/UMG.Button") != nullptr ? "/Script/UMG.Button" : "(none)");

	Bound->SetCustomFunctionName("BndEvt__WBP_Hud_StartButton_K2Node_ComponentBoundEvent_0_OnClicked");
	const std::string Text = ExportNodesToText({Bound});
	EXPECT_THAT(Text, HasSubstr("CustomFunctionName=\"BndEvt__WBP_Hud_StartButton_K2Node_ComponentBoundEvent_0_OnClicked\""));
	UEdGraph& Again = *NewObject<UEdGraph>();
	EXPECT_EQ(Cast<UK2Node_ComponentBoundEvent>(ImportNodesFromText(Again, Text).front())->GetCustomFunctionName(),
		"BndEvt__WBP_Hud_StartButton_K2Node_ComponentBoundEvent_0_OnClicked");
	EXPECT_EQ(Cast<UK2Node_ComponentBoundEvent>(ImportNodesFromText(Again, "Begin Object Class=/Script/BlueprintGraph.K2Node_CustomEvent Name=\"E\"\nEnd Object\n").front()), nullptr);
}

TEST_F(BlueprintFunctionGraphs, TheBlueprintKindIsSavedWhenItIsNotNormal)
{
	UBlueprint* const Library = NewBlueprint("BPL_Saved", Engine("/Script/Engine.BlueprintFunctionLibrary"));
	FJsonObject Normal;
	Library->SaveAssetFields(Normal);
	EXPECT_EQ(Normal.TryGetField("blueprintType"), nullptr);
	Library->BlueprintType = BPTYPE_FunctionLibrary;
	FJsonObject File;
	Library->SaveAssetFields(File);
	EXPECT_EQ(File.TryGetStringField("blueprintType"), "FunctionLibrary");

	UBlueprint* const Loaded = NewObject<UBlueprint>(CreatePackage("/Game/Tests/BPL_Loaded"), "BPL_Loaded");
	std::string Error;
	ASSERT_TRUE(Loaded->LoadAssetFields(File, Error)) << Error;
	EXPECT_EQ(Loaded->BlueprintType, BPTYPE_FunctionLibrary);
	File.SetStringField("blueprintType", "Gadget");
	UBlueprint* const Unknown = NewObject<UBlueprint>(CreatePackage("/Game/Tests/BPL_Unknown"), "BPL_Unknown");
	ASSERT_TRUE(Unknown->LoadAssetFields(File, Error)) << Error;
	EXPECT_EQ(Unknown->BlueprintType, BPTYPE_Normal);
}
