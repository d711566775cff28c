#include "Assets/AssetFiles.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/NodeTitle.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace
{
	const std::filesystem::path BlueprintSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint";

	/** A node of that class with the property lines given, pasted into a new graph. */
	UEdGraphNode& PasteNode(std::string_view ClassPath, std::string_view Lines)
	{
		const std::string Text = "Begin Object Class=" + std::string(ClassPath) + " Name=\"Node_0\"\n" + std::string(Lines) + "End Object\n";
		const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(*NewObject<UEdGraph>(), Text);
		EXPECT_EQ(Nodes.size(), 1u) << Text;
		return *Nodes.front();
	}

	std::string Full(std::string_view ClassPath, std::string_view Lines = "")
	{
		return GetNodeTitle(PasteNode(ClassPath, Lines), ENodeTitleType::FullTitle);
	}

	std::string List(std::string_view ClassPath, std::string_view Lines = "")
	{
		return GetNodeTitle(PasteNode(ClassPath, Lines), ENodeTitleType::ListView);
	}
}

TEST(NodeTitleTests, NamesSplitIntoWordsAsTheEditorDisplaysThem)
{
	EXPECT_EQ(NameToDisplayString("PrintString"), "Print String");
	EXPECT_EQ(NameToDisplayString("GetHUDScale"), "Get HUD Scale");
	EXPECT_EQ(NameToDisplayString("My_Func_"), "My Func ") << "an underscore is a space, the last one too";
	EXPECT_EQ(NameToDisplayString("bIsReady", true), "Is Ready");
	EXPECT_EQ(NameToDisplayString("bIsReady"), "B Is Ready");
	EXPECT_EQ(NameToDisplayString("Vector2D"), "Vector 2D");
	EXPECT_EQ(NameToDisplayString("Draw3DWidget"), "Draw 3D Widget");
	EXPECT_EQ(NameToDisplayString("bIsInRange", true), "Is in Range");
	EXPECT_EQ(NameToDisplayString("Instance"), "Instance") << "a joining word only counts as a whole word";
	EXPECT_EQ(NameToDisplayString("returnValue"), "Return Value");
	EXPECT_EQ(NameToDisplayString("Offset-1.5"), "Offset-1.5");
	EXPECT_EQ(ReferencedObjectName("/Script/CoreUObject.Class'\"/Script/Engine.Actor\"'"), "Actor");
	EXPECT_EQ(ReferencedObjectName("EdGraph'/Engine/EditorBlueprintResources/StandardMacros.StandardMacros:FlipFlop'"), "FlipFlop");
	EXPECT_EQ(ReferencedObjectName("None"), "");
}

TEST(NodeTitleTests, CallFunctionAndEventTitlesUseTheFunctionsDisplayName)
{
	FTestEditor Editor(HostOnly());
	const std::string_view Call = "/Script/BlueprintGraph.K2Node_CallFunction";
	EXPECT_EQ(Full(Call, "   FunctionReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.KismetSystemLibrary\"',MemberName=\"PrintString\")\n"), "Print String");
	EXPECT_EQ(Full(Call, "   FunctionReference=(MemberParent=Class'\"/Script/Engine.Actor\"',MemberName=\"K2_GetActorLocation\")\n"), "GetActorLocation");
	EXPECT_EQ(List(Call, "   FunctionReference=(MemberParent=Class'\"/Script/Engine.KismetMathLibrary\"',MemberName=\"Add_IntInt\")\n"), "Integer + Integer");
	EXPECT_EQ(Full(Call, "   FunctionReference=(MemberParent=Class'\"/Script/Engine.KismetStringLibrary\"',MemberName=\"Concat_StrStr\")\n"), "Append");
	// A self call names no parent: the first class that declares it answers.
	EXPECT_EQ(Full(Call, "   FunctionReference=(MemberName=\"K2_DestroyActor\",bSelfContext=True)\n"), "DestroyActor");
	// Functions the database does not know (blueprint functions) show their name in words.
	EXPECT_EQ(Full(Call, "   FunctionReference=(MemberParent=BlueprintGeneratedClass'\"/Game/Lib.Lib_C\"',MemberName=\"AddCustomMapping\")\n"), "Add Custom Mapping");

	const std::string_view Event = "/Script/BlueprintGraph.K2Node_Event";
	EXPECT_EQ(Full(Event, "   EventReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.Actor\"',MemberName=\"ReceiveBeginPlay\")\n   bOverrideFunction=True\n"), "Event BeginPlay");
	EXPECT_EQ(Full(Event, "   EventReference=(MemberParent=Class'\"/Script/Engine.Actor\"',MemberName=\"ReceiveTick\")\n"), "Event Tick");
}

TEST(NodeTitleTests, OneCacheTitlesEveryNodeAsGetNodeTitleDoes)
{
	FTestEditor Editor(HostOnly());
	const std::string_view Call = "/Script/BlueprintGraph.K2Node_CallFunction";
	const std::string_view Event = "/Script/BlueprintGraph.K2Node_Event";
	const std::string PrintString = "   FunctionReference=(MemberParent=Class'\"/Script/Engine.KismetSystemLibrary\"',MemberName=\"PrintString\")\n";
	const std::string BeginPlay = "(MemberParent=Class'\"/Script/Engine.Actor\"',MemberName=\"ReceiveBeginPlay\")";
	const UEdGraphNode* const Nodes[] = {
		&PasteNode(Call, PrintString),
		&PasteNode(Call, "   FunctionReference=(MemberParent=Class'\"/Script/Engine.KismetMathLibrary\"',MemberName=\"Add_IntInt\")\n"),
		&PasteNode(Call, PrintString),
		&PasteNode(Event, "   EventReference=" + BeginPlay + "\n"),
		&PasteNode(Call, "   FunctionReference=" + BeginPlay + "\n"),
		&PasteNode(Call, ""),
	};
	FNodeTitleCache Titles;
	for (const ENodeTitleType TitleType : {ENodeTitleType::FullTitle, ENodeTitleType::ListView})
	{
		for (const UEdGraphNode* const Node : Nodes)
		{
			EXPECT_EQ(Titles.GetNodeTitle(*Node, TitleType), GetNodeTitle(*Node, TitleType));
		}
	}
	EXPECT_EQ(Titles.GetNodeTitle(*Nodes[3], ENodeTitleType::FullTitle), "Event BeginPlay");
	EXPECT_EQ(Titles.GetNodeTitle(*Nodes[4], ENodeTitleType::FullTitle), "BeginPlay") << "the same reference text titles a call without the Event prefix";
}

TEST(NodeTitleTests, EachNodeKindHasTheEditorsTitle)
{
	FTestEditor Editor(HostOnly());
	const std::string K2 = "/Script/BlueprintGraph.K2Node_";
	EXPECT_EQ(Full(K2 + "CustomEvent", "   CustomFunctionName=\"Play Haptic\"\n"), "Play Haptic\nCustom Event");
	EXPECT_EQ(List(K2 + "CustomEvent", "   CustomFunctionName=\"Play Haptic\"\n"), "Play Haptic");
	const std::string_view Variable = "   VariableReference=(MemberName=\"Health\",bSelfContext=True)\n";
	EXPECT_EQ(Full(K2 + "VariableGet", Variable), "Health");
	EXPECT_EQ(List(K2 + "VariableGet", Variable), "Get Health");
	EXPECT_EQ(Full(K2 + "VariableSet", Variable), "SET");
	EXPECT_EQ(List(K2 + "VariableSet", Variable), "Set Health");
	EXPECT_EQ(Full(K2 + "FunctionEntry", "   FunctionReference=(MemberName=\"test func\")\n"), "test func");
	EXPECT_EQ(Full(K2 + "FunctionResult"), "Return Node");
	EXPECT_EQ(Full(K2 + "IfThenElse"), "Branch");
	EXPECT_EQ(Full(K2 + "ExecutionSequence"), "Sequence");
	EXPECT_EQ(Full(K2 + "SwitchInteger"), "Switch on Int");
	EXPECT_EQ(Full(K2 + "SwitchEnum", "   Enum=/Script/CoreUObject.Enum'\"/Script/Engine.EMovementMode\"'\n"), "Switch on EMovementMode");
	EXPECT_EQ(Full(K2 + "DynamicCast", "   TargetType=/Script/CoreUObject.Class'\"/Script/Engine.Character\"'\n"), "Cast To Character");
	EXPECT_EQ(Full(K2 + "DynamicCast", "   TargetType=BlueprintGeneratedClass'\"/Game/BP_Door.BP_Door_C\"'\n"), "Cast To BP_Door");
	EXPECT_EQ(Full(K2 + "MakeStruct", "   StructType=/Script/CoreUObject.ScriptStruct'\"/Script/CoreUObject.Vector\"'\n"), "Make Vector");
	EXPECT_EQ(Full(K2 + "BreakStruct", "   StructType=/Script/CoreUObject.ScriptStruct'\"/Script/CoreUObject.Vector\"'\n"), "Break Vector");
	EXPECT_EQ(Full(K2 + "Timeline", "   TimelineName=\"DoorTimeline\"\n"), "DoorTimeline");
	EXPECT_EQ(Full(K2 + "InputKey", "   InputKey=F1\n"), "F1");
	EXPECT_EQ(Full("/Script/UMGEditor.K2Node_CreateWidget"), "Create Widget");
	EXPECT_EQ(Full("/Script/UnrealEd.EdGraphNode_Comment", "   NodeComment=\"Show QR\"\n"), "Show QR");
	EXPECT_EQ(Full(K2 + "Self"), "Self");
	EXPECT_EQ(Full(K2 + "Knot"), "Knot");
	EXPECT_EQ(Full("/Script/UnrealEd.MaterialGraphNode"), "MaterialGraphNode");
}

TEST(NodeTitleTests, BlueprintSampleNodesHaveTheEditorsTitles)
{
	FTestEditor Editor(HostOnly());
	if (!std::filesystem::is_directory(BlueprintSamplesDir))
	{
		GTEST_SKIP() << "no blueprint samples under " << BlueprintSamplesDir;
	}
	const std::map<std::string, std::string> Expected = {
		{"K2Node_FunctionEntry_1", "test func"},
		{"K2Node_CustomEvent_26", "Play Haptic\nCustom Event"},
		{"K2Node_CallFunction_53", "Trigger Notification Haptic"},
		{"K2Node_VariableGet_3", "PlayCppSdk"},
		{"K2Node_CreateWidget_0", "Create Widget"},
		{"K2Node_CallFunction_12", "Show QR"},
		{"EdGraphNode_Comment_4", "Show QR"},
		{"K2Node_CustomEvent_2", "OnQRReady_Event_0\nCustom Event"},
		{"K2Node_VariableSet_1", "SET"},
		{"K2Node_IfThenElse_3", "Branch"},
		{"K2Node_InputKey_25", "F1"},
		{"K2Node_MacroInstance_1262", "FlipFlop"},
	};
	std::size_t Checked = 0;
	for (const auto& Entry : std::filesystem::directory_iterator(BlueprintSamplesDir))
	{
		std::ifstream Stream(Entry.path(), std::ios::binary);
		std::ostringstream Bytes;
		Bytes << Stream.rdbuf();
		for (const UEdGraphNode* Node : ImportNodesFromText(*NewObject<UEdGraph>(), Bytes.str()))
		{
			const auto Found = Expected.find(Node->GetName());
			if (Found != Expected.end())
			{
				EXPECT_EQ(GetNodeTitle(*Node, ENodeTitleType::FullTitle), Found->second) << Entry.path().filename();
				++Checked;
			}
		}
	}
	EXPECT_EQ(Checked, Expected.size());
}
