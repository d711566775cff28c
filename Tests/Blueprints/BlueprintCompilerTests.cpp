#include "Blueprints/BlueprintCompilerTestGraphs.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Graph/PinTypeFromProperty.h"

#include <gmock/gmock.h>

using namespace TestGraphs;
using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
	const std::string SystemLibrary = "/Script/Engine.KismetSystemLibrary";

	/** Event BeginPlay whose exec output runs the node ThenNode through its pin ThenPin. */
	std::string BeginPlayInto(std::string_view ThenNode, int ThenPin)
	{
		return EventNode("K2Node_Event_0", "ReceiveBeginPlay", OutPin(1, "then", "exec", Link(ThenNode, ThenPin)));
	}

	std::string PrintStringNode(std::string_view Name, int FirstPin, std::string_view ExecLinks, std::string_view ThenLinks = {})
	{
		return Node("K2Node_CallFunction", Name,
			FunctionReference(SystemLibrary, "PrintString") + InPin(FirstPin, "execute", "exec", ExecLinks) + OutPin(FirstPin + 1, "then", "exec", ThenLinks)
				+ InPin(FirstPin + 2, "InString", "string", {}, "DefaultValue=\"Hello\","));
	}
}

TEST_F(FBlueprintCompilerTest, ACleanBlueprintIsUpToDateAndGetsItsClass)
{
	Paste(EventGraph(), BeginPlayInto("K2Node_CallFunction_0", 10) + PrintStringNode("K2Node_CallFunction_0", 10, Link("K2Node_Event_0", 1)));
	Blueprint->GeneratedClass = nullptr;

	FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), IsEmpty());
	EXPECT_EQ(Blueprint->Status, BS_UpToDate);
	EXPECT_NE(Blueprint->GeneratedClass, nullptr);
	EXPECT_EQ(Blueprint->LastCompileResults.Messages.size(), 0u);
}

TEST_F(FBlueprintCompilerTest, WarningsOnlyLeaveTheBlueprintUpToDateWithWarnings)
{
	const std::string Deprecated = Node("K2Node_CallFunction", "K2Node_CallFunction_1",
		FunctionReference("/Script/Engine.Actor", "K2_AttachRootComponentToActor") + InPin(20, "execute", "exec", Link("K2Node_CallFunction_0", 11)));
	Paste(EventGraph(), BeginPlayInto("K2Node_CallFunction_0", 10)
							+ PrintStringNode("K2Node_CallFunction_0", 10, Link("K2Node_Event_0", 1), Link("K2Node_CallFunction_1", 20)) + Deprecated
							+ PrintStringNode("K2Node_CallFunction_2", 30, {}));
	UClass* const ClassBefore = Blueprint->GeneratedClass;

	FCompilerResultsLog Log;
	FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::None, &Log);

	EXPECT_THAT(Texts(Log), ElementsAre("AttachRootComponentToActor (Deprecated) is deprecated; please replace or remove it. Use AttachToActor instead.",
								"Print String will never run: its exec input is not connected."));
	EXPECT_EQ(Log.NumErrors, 0);
	EXPECT_EQ(Log.NumWarnings, 2);
	EXPECT_EQ(Blueprint->Status, BS_UpToDateWithWarnings);
	EXPECT_EQ(Texts(Blueprint->LastCompileResults), Texts(Log));
	EXPECT_NE(Blueprint->GeneratedClass, ClassBefore) << "a compile without errors regenerates the class";
}

TEST_F(FBlueprintCompilerTest, ACallWhoseValueIsReadButNeverRunIsReportedAsPruned)
{
	const std::string Getter = Node("K2Node_CallFunction", "K2Node_CallFunction_0",
		FunctionReference("/Script/Engine.GameplayStatics", "GetActorOfClass") + InPin(10, "execute", "exec") + OutPin(11, "ReturnValue", "object", Link("K2Node_CallFunction_1", 22)));
	const std::string Reader = Node("K2Node_CallFunction", "K2Node_CallFunction_1",
		FunctionReference(SystemLibrary, "IsValid") + InPin(22, "Object", "object", Link("K2Node_CallFunction_0", 11)));
	Paste(EventGraph(), Getter + Reader);

	EXPECT_THAT(Texts(Compile()),
		ElementsAre("Get Actor Of Class was pruned because its Exec pin is not connected, the connected value is not available and will instead be read as default"));
}

TEST_F(FBlueprintCompilerTest, ACallOfAFunctionNoClassDeclaresIsAnError)
{
	Paste(EventGraph(), Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference({}, "FireLaser"))
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_1", FunctionReference(SystemLibrary, "PrintStrung")));
	UClass* const ClassBefore = Blueprint->GeneratedClass;

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("Could not find a function named \"FireLaser\" in 'BP_Test'.\nMake sure 'BP_Test' has been compiled for Fire Laser",
									"Could not find a function named \"PrintStrung\" in 'KismetSystemLibrary'.\nMake sure 'KismetSystemLibrary' has been compiled for Print Strung"));
	EXPECT_EQ(Results.NumErrors, 2);
	EXPECT_EQ(Blueprint->Status, BS_Error);
	EXPECT_EQ(Blueprint->GeneratedClass, ClassBefore) << "a failed compile keeps the class it had";
}

TEST_F(FBlueprintCompilerTest, CallsFindTheBlueprintsOwnFunctionsAndThoseOfItsParents)
{
	UEdGraph* const Function = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Recharge");
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Function);
	Paste(EventGraph(), Node("K2Node_CustomEvent", "K2Node_CustomEvent_0", "   CustomFunctionName=\"OnAlarm\"\n"));
	ASSERT_EQ(Compile().NumErrors, 0);

	UBlueprint* const Child = MakeBlueprint("BP_Child", "/Script/Engine.Actor");
	Child->ParentClass = Blueprint->GeneratedClass;
	const std::string Calls = Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference({}, "Recharge"))
							  + Node("K2Node_CallFunction", "K2Node_CallFunction_1", FunctionReference({}, "onalarm"))
							  + Node("K2Node_CallFunction", "K2Node_CallFunction_2", FunctionReference({}, "K2_DestroyActor"))
							  + Node("K2Node_CallFunction", "K2Node_CallFunction_3", FunctionReference("/Game/Tests/BP_Test.BP_Test_C", "Recharge"));
	ImportNodesFromText(*Child->UbergraphPages.front(), Calls);
	FCompilerResultsLog Results;
	FKismetEditorUtilities::CompileBlueprint(Child, EBlueprintCompileOptions::None, &Results);

	EXPECT_EQ(Results.NumErrors, 0) << testing::PrintToString(Texts(Results));
}

TEST_F(FBlueprintCompilerTest, VariablesMustExistInTheBlueprintItsComponentsOrItsParentClass)
{
	FEdGraphPinType IntType;
	IntType.PinCategory = UEdGraphSchema_K2::PC_Int;
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, "Health", IntType));
	Paste(EventGraph(), Node("K2Node_VariableGet", "K2Node_VariableGet_0", VariableReference("Health"))
							+ Node("K2Node_VariableGet", "K2Node_VariableGet_1", VariableReference("DefaultSceneRoot"))
							+ Node("K2Node_VariableGet", "K2Node_VariableGet_2", VariableReference("InitialLifeSpan"))
							+ Node("K2Node_VariableGet", "K2Node_VariableGet_3", VariableReference("Mana"))
							+ Node("K2Node_VariableSet", "K2Node_VariableSet_0",
								VariableReference("Stamina") + InPin(1, "execute", "exec", Link("K2Node_Event_0", 2)))
							+ EventNode("K2Node_Event_0", "ReceiveBeginPlay", OutPin(2, "then", "exec", Link("K2Node_VariableSet_0", 1))));

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("Could not find a variable named \"Mana\" in 'BP_Test'.\nMake sure 'BP_Test' has been compiled for Get Mana",
									"Could not find a variable named \"Stamina\" in 'BP_Test'.\nMake sure 'BP_Test' has been compiled for Set Stamina"));
	EXPECT_EQ(Blueprint->Status, BS_Error);
}

TEST_F(FBlueprintCompilerTest, LocalVariablesAndParametersAreFoundOnTheirFunctionsEntry)
{
	UEdGraph* const Function = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Heal");
	Blueprint->FunctionGraphs.push_back(Function);
	Paste(*Function, Node("K2Node_FunctionEntry", "K2Node_FunctionEntry_0",
						 "   LocalVariables(0)=(VarName=\"Amount\",VarType=(PinCategory=\"int\"))\n   FunctionReference=(MemberName=\"Heal\")\n"
						 "   CustomProperties UserDefinedPin (PinName=\"Target\",PinType=(PinCategory=\"object\"),DesiredPinDirection=EGPD_Output)\n")
						 + Node("K2Node_VariableGet", "K2Node_VariableGet_0", "   VariableReference=(MemberName=\"Amount\",MemberScope=\"Heal\",bSelfContext=True)\n")
						 + Node("K2Node_VariableGet", "K2Node_VariableGet_1", "   VariableReference=(MemberName=\"Target\",MemberScope=\"Heal\",bSelfContext=True)\n")
						 + Node("K2Node_VariableGet", "K2Node_VariableGet_2", "   VariableReference=(MemberName=\"Bonus\",MemberScope=\"Heal\",bSelfContext=True)\n"));

	EXPECT_THAT(Texts(Compile()), ElementsAre("Could not find a variable named \"Bonus\" in 'Heal'.\nMake sure 'Heal' has been compiled for Get Bonus"));
}

TEST_F(FBlueprintCompilerTest, AFunctionGraphNeedsExactlyOneEntry)
{
	UEdGraph* const Empty = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Empty");
	UEdGraph* const Twice = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Twice");
	Blueprint->FunctionGraphs.push_back(Empty);
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Twice);
	Paste(*Twice, Node("K2Node_FunctionEntry", "K2Node_FunctionEntry_0", "   FunctionReference=(MemberName=\"Twice\")\n"));

	EXPECT_THAT(Texts(Compile()), ElementsAre("Expected exactly one entry node in the function graph 'Empty', but found 0.",
									  "Expected exactly one entry node in the function graph 'Twice', but found 2."));
}

TEST_F(FBlueprintCompilerTest, AnEventImplementedTwiceIsAnError)
{
	UEdGraph* const SecondPage = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "MorePlay");
	Blueprint->UbergraphPages.push_back(SecondPage);
	Paste(EventGraph(), EventNode("K2Node_Event_0", "ReceiveBeginPlay") + EventNode("K2Node_Event_1", "ReceiveTick")
							+ Node("K2Node_CustomEvent", "K2Node_CustomEvent_0", "   CustomFunctionName=\"Open Door\"\n"));
	Paste(*SecondPage, EventNode("K2Node_Event_0", "ReceiveBeginPlay") + Node("K2Node_CustomEvent", "K2Node_CustomEvent_0", "   CustomFunctionName=\"open door\"\n"));

	EXPECT_THAT(Texts(Compile()), ElementsAre("The event Event BeginPlay is defined 2 times; an event can only be defined once.",
									  "The event Open Door is defined 2 times; an event can only be defined once."));
}

TEST_F(FBlueprintCompilerTest, LatentCallsAreRefusedInFunctionGraphs)
{
	UEdGraph* const Function = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Wait");
	FBlueprintEditorUtils::AddFunctionGraph(Blueprint, Function);
	const std::string Delay = Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference(SystemLibrary, "Delay"));
	Paste(*Function, Delay);
	Paste(EventGraph(), Delay);

	EXPECT_THAT(Texts(Compile()), ElementsAre("Latent function Delay cannot be used in the function graph 'Wait'; latent actions only run in event graphs."));
}

TEST_F(FBlueprintCompilerTest, TheResultsLogIsCopiedOutAndKeptOnTheBlueprint)
{
	Paste(EventGraph(), Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference({}, "Missing")));
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	ASSERT_EQ(Blueprint->LastCompileResults.NumErrors, 1);

	Blueprint->UbergraphPages.front()->RemoveNode(*EventGraph().GetNodes().front());
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	EXPECT_EQ(Blueprint->LastCompileResults.NumErrors, 0) << "each compile starts a fresh log";
	EXPECT_EQ(Blueprint->Status, BS_UpToDate);
	FKismetEditorUtilities::CompileBlueprint(nullptr);
}
