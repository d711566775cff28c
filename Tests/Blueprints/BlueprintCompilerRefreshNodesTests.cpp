#include "Blueprints/BlueprintCompilerTestGraphs.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Graph/EdGraphPin.h"
#include "Graph/PinTypeFromProperty.h"

#include <gmock/gmock.h>

using namespace TestGraphs;
using testing::ElementsAre;

namespace
{
	/** Each pin as "name direction category[/sub-category]" with " hidden" when hidden. */
	std::vector<std::string> DescribePins(const UEdGraphNode& Node)
	{
		std::vector<std::string> Pins;
		for (const auto& Pin : Node.GetPins())
		{
			std::string Text = Pin->PinName + (Pin->Direction == EEdGraphPinDirection::Output ? " out " : " in ") + Pin->PinType.PinCategory;
			Text += Pin->PinType.PinSubCategory.empty() ? "" : "/" + Pin->PinType.PinSubCategory;
			Text += Pin->PinType.IsArray() ? "[]" : "";
			Text += Pin->PinType.bIsReference ? " ref" : "";
			Text += Pin->bHidden ? " hidden" : "";
			Text += Pin->bOrphanedPin ? " orphan" : "";
			Pins.push_back(Text);
		}
		return Pins;
	}
}

TEST_F(FBlueprintCompilerTest, RefreshGivesCallNodesThePinsOfTheirFunction)
{
	UEdGraphNode* const Print = Paste(EventGraph(), Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference("/Script/Engine.KismetSystemLibrary", "PrintString"))).front();
	UEdGraphNode* const Location = Paste(EventGraph(), Node("K2Node_CallFunction", "K2Node_CallFunction_1", FunctionReference("/Script/Engine.Actor", "K2_GetActorLocation"))).front();
	UEdGraphNode* const Length = Paste(EventGraph(), Node("K2Node_CallArrayFunction", "K2Node_CallArrayFunction_0", FunctionReference("/Script/Engine.KismetArrayLibrary", "Array_Length"))).front();
	UEdGraphNode* const Unknown = Paste(EventGraph(), Node("K2Node_CallFunction", "K2Node_CallFunction_2", FunctionReference({}, "NotAFunction"))).front();

	FBlueprintEditorUtils::RefreshAllNodes(Blueprint);

	EXPECT_THAT(DescribePins(*Print), ElementsAre("execute in exec", "then out exec", "self in object hidden", "WorldContextObject in object hidden", "InString in string",
										  "bPrintToScreen in bool", "bPrintToLog in bool", "TextColor in struct", "Duration in real/float", "Key in name"));
	EXPECT_EQ(Print->FindPin("self")->DefaultObject, "/Script/Engine.Default__KismetSystemLibrary");
	EXPECT_EQ(Print->FindPin("InString")->DefaultValue, "Hello");
	EXPECT_EQ(Print->FindPin("bPrintToScreen")->DefaultValue, "true");
	EXPECT_EQ(Print->FindPin("TextColor")->PinType.PinSubCategoryObject, "\"/Script/CoreUObject.ScriptStruct'/Script/CoreUObject.LinearColor'\"");
	EXPECT_THAT(DescribePins(*Location), ElementsAre("self in object", "ReturnValue out struct"));
	EXPECT_EQ(Location->FindPin("self")->PinType.PinSubCategoryObject, "\"/Script/CoreUObject.Class'/Script/Engine.Actor'\"");
	EXPECT_THAT(DescribePins(*Length), ElementsAre("self in object hidden", "TargetArray in wildcard[] ref", "ReturnValue out int"));
	EXPECT_TRUE(Unknown->GetPins().empty());
	EXPECT_EQ(Compile().NumErrors, 2) << "the unknown call, and Length's open by-reference array";
}

TEST_F(FBlueprintCompilerTest, RefreshKeepsPinsThatStillMatchAndOrphansTheRest)
{
	Paste(EventGraph(), EventNode("K2Node_Event_0", "ReceiveBeginPlay", OutPin(1, "then", "exec", Link("K2Node_CallFunction_0", 10)))
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_0",
								FunctionReference("/Script/Engine.KismetSystemLibrary", "PrintString") + InPin(10, "execute", "exec", Link("K2Node_Event_0", 1))
									+ InPin(11, "InString", "int", {}, "DefaultValue=\"7\",") + InPin(12, "Duration", "real", {}, "PinType.PinSubCategory=\"float\",DefaultValue=\"5.0\",")
									+ OutPin(13, "Legacy", "exec", Link("K2Node_CallFunction_1", 20)))
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_1", FunctionReference({}, "K2_DestroyActor") + InPin(20, "execute", "exec", Link("K2Node_CallFunction_0", 13))));
	UEdGraphNode& Print = *EventGraph().GetNodes()[1];

	FBlueprintEditorUtils::RefreshAllNodes(Blueprint);

	const UEdGraphPin* const Execute = Print.FindPin("execute");
	ASSERT_NE(Execute, nullptr);
	EXPECT_EQ(Execute->PinId, *FGuid::Parse(PinId(10)));
	EXPECT_EQ(Execute->GetLinkedTo().size(), 1u);
	EXPECT_EQ(Print.FindPin("Duration")->DefaultValue, "5.0") << "a value of the same kind stays";
	EXPECT_EQ(Print.FindPin("InString")->PinType.PinCategory, "string");
	EXPECT_EQ(Print.FindPin("InString")->DefaultValue, "Hello") << "a value of another kind goes back to the default";
	EXPECT_TRUE(Print.FindPin("Legacy")->bOrphanedPin);
	EXPECT_THAT(Texts(Compile()), ElementsAre("In use pin Legacy no longer exists on node Print String. Please refresh node or break links to remove pin."));
	EXPECT_EQ(Blueprint->Status, BS_UpToDateWithWarnings);
}

TEST_F(FBlueprintCompilerTest, RefreshTypesVariableNodesFromTheBlueprintsVariables)
{
	FEdGraphPinType FloatType;
	FloatType.PinCategory = UEdGraphSchema_K2::PC_Real;
	FloatType.PinSubCategory = UEdGraphSchema_K2::PC_Double;
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "Speed", FloatType));
	const std::vector<UEdGraphNode*> Nodes = Paste(EventGraph(), Node("K2Node_VariableGet", "K2Node_VariableGet_0", VariableReference("Speed"))
																	  + Node("K2Node_VariableSet", "K2Node_VariableSet_0", VariableReference("Speed"))
																	  + Node("K2Node_VariableGet", "K2Node_VariableGet_1", VariableReference("Tags"))
																	  + Node("K2Node_VariableGet", "K2Node_VariableGet_2", VariableReference("DefaultSceneRoot")));

	FBlueprintEditorUtils::RefreshAllNodes(Blueprint);

	EXPECT_THAT(DescribePins(*Nodes[0]), ElementsAre("Speed out real/double", "self in object/self hidden"));
	EXPECT_THAT(DescribePins(*Nodes[1]), ElementsAre("execute in exec", "then out exec", "Speed in real/double", "Output_Get out real/double", "self in object/self hidden"));
	EXPECT_EQ(Nodes[1]->FindPin("Speed")->DefaultValue, "0.0");
	EXPECT_THAT(DescribePins(*Nodes[2]), ElementsAre("Tags out name[]", "self in object/self hidden"));
	EXPECT_EQ(Nodes[3]->FindPin("DefaultSceneRoot")->PinType.PinSubCategoryObject, "\"/Script/CoreUObject.Class'/Script/Engine.SceneComponent'\"");
}
