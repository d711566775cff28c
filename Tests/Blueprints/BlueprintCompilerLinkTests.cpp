#include "Blueprints/BlueprintCompilerTestGraphs.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Graph/EdGraphPin.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace TestGraphs;
using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
	const std::string Vector = SubObject("ScriptStruct", "/Script/CoreUObject.Vector");
	const std::string Rotator = SubObject("ScriptStruct", "/Script/CoreUObject.Rotator");

	/** Copy-paste text from real editors, beside the repository when it is checked out with them. */
	const std::filesystem::path BlueprintSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/blueprint";

	std::string ReadSample(std::string_view Name)
	{
		std::ifstream File(BlueprintSamplesDir / Name, std::ios::binary);
		std::stringstream Content;
		Content << File.rdbuf();
		return Content.str();
	}

	/** A pure node with one output of that category and sub-category object, and a node with one input, linked. */
	std::string ValueInto(std::string_view OutCategory, std::string_view OutExtra, std::string_view InCategory, std::string_view InExtra)
	{
		return Node("K2Node_CallFunction", "K2Node_CallFunction_0",
				   FunctionReference("/Script/Engine.Actor", "K2_GetActorLocation") + OutPin(1, "ReturnValue", OutCategory, Link("K2Node_CallFunction_1", 2), OutExtra))
			   + Node("K2Node_CallFunction", "K2Node_CallFunction_1",
				   FunctionReference("/Script/Engine.KismetSystemLibrary", "IsValid") + InPin(2, "Object", InCategory, Link("K2Node_CallFunction_0", 1), InExtra));
	}
}

TEST_F(FBlueprintCompilerTest, LinksBetweenIncompatiblePinTypesNameBothPins)
{
	const std::string Actor = SubObject("Class", "/Script/Engine.Actor");
	const std::string Character = SubObject("Class", "/Script/Engine.Character");
	Paste(EventGraph(), ValueInto("struct", Vector, "string", {}));
	EXPECT_THAT(Texts(Compile()), ElementsAre("Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Vector Structure is not compatible with String."));

	const struct
	{
		std::string OutCategory, OutExtra, InCategory, InExtra;
		std::vector<std::string> Expected;
	} Cases[] = {
		{"struct", Vector, "struct", Vector, {}},
		{"struct", Vector, "struct", Rotator, {"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Vector Structure is not compatible with Rotator Structure."}},
		{"real", "PinType.PinSubCategory=\"float\",", "real", "PinType.PinSubCategory=\"double\",", {}},
		{"int", {}, "real", "PinType.PinSubCategory=\"double\",",
			{"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Integer is not compatible with Float (double-precision)."}},
		{"object", Character, "object", Actor, {}},
		{"object", Actor, "object", Character,
			{"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Actor Object Reference is not compatible with Character Object Reference."}},
		{"object", SubObject("BlueprintGeneratedClass", "/Game/NotLoaded.NotLoaded_C"), "object", Character, {}},
		{"object", "PinType.PinSubCategory=\"self\",", "object", Actor, {}},
		{"object", Actor, "object", "PinType.PinSubCategory=\"self\",",
			{"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Actor Object Reference is not compatible with Self Object Reference."}},
		{"int", "PinType.ContainerType=Array,", "wildcard", "PinType.ContainerType=Array,", {}},
		{"int", "PinType.ContainerType=Array,", "int", {}, {"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Array of Integers is not compatible with Integer."}},
		{"exec", {}, "bool", {}, {"Can't connect pins Return Value (GetActorLocation) and Object (Is Valid): Exec is not compatible with Boolean."}},
	};
	for (const auto& Case : Cases)
	{
		for (UEdGraphNode* const Node : std::vector<UEdGraphNode*>(EventGraph().GetNodes()))
		{
			EventGraph().RemoveNode(*Node);
		}
		Paste(EventGraph(), ValueInto(Case.OutCategory, Case.OutExtra, Case.InCategory, Case.InExtra));
		EXPECT_EQ(Texts(Compile()), Case.Expected) << Case.OutCategory << " " << Case.OutExtra << " into " << Case.InCategory << " " << Case.InExtra;
	}
}

TEST_F(FBlueprintCompilerTest, PinsOfOneDirectionAndLinksIntoOtherGraphsAreRefused)
{
	UEdGraph* const Other = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "OtherPage");
	Blueprint->UbergraphPages.push_back(Other);
	Paste(EventGraph(), EventNode("K2Node_Event_0", "ReceiveBeginPlay", OutPin(1, "then", "exec"))
							+ EventNode("K2Node_Event_1", "ReceiveTick", OutPin(2, "DeltaSeconds", "real", {}, "PinType.PinSubCategory=\"float\","))
							+ EventNode("K2Node_Event_2", "ReceiveActorBeginOverlap", OutPin(3, "OtherActor", "object")));
	Paste(*Other, Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference("/Script/Engine.Actor", "K2_DestroyActor") + InPin(4, "execute", "exec")));
	EventGraph().GetNodes()[1]->FindPin("DeltaSeconds")->MakeLinkTo(*EventGraph().GetNodes()[2]->FindPin("OtherActor"));
	EventGraph().GetNodes()[0]->FindPin("then")->MakeLinkTo(*Other->GetNodes()[0]->FindPin("execute"));

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("Can't connect pins then (Event BeginPlay) and execute (DestroyActor): they are in different graphs.",
									testing::AnyOf("Can't connect pins Delta Seconds (Event Tick) and Other Actor (Event ActorBeginOverlap): Directions are not compatible.",
										"Can't connect pins Other Actor (Event ActorBeginOverlap) and Delta Seconds (Event Tick): Directions are not compatible.")));
}

TEST_F(FBlueprintCompilerTest, AnExecOutputRunsOneNodeOnly)
{
	Paste(EventGraph(), EventNode("K2Node_Event_0", "ReceiveBeginPlay", OutPin(1, "then", "exec", Link("K2Node_CallFunction_0", 2) + Link("K2Node_CallFunction_1", 3)))
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_0", FunctionReference({}, "K2_DestroyActor") + InPin(2, "execute", "exec", Link("K2Node_Event_0", 1)))
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_1", FunctionReference({}, "K2_DestroyActor") + InPin(3, "execute", "exec", Link("K2Node_Event_0", 1))));

	EXPECT_THAT(Texts(Compile()), ElementsAre("Exec output then of Event BeginPlay is linked to 2 inputs; an exec output can only be linked to one."));
}

TEST_F(FBlueprintCompilerTest, ByReferenceInputsAndForeignTargetsMustBeConnected)
{
	const std::string ArrayLibrary = "/Script/Engine.KismetArrayLibrary";
	const std::string Target = "PinFriendlyName=NSLOCTEXT(\"K2Node\", \"Target\", \"Target\"),";
	Paste(EventGraph(),
		Node("K2Node_CallArrayFunction", "K2Node_CallArrayFunction_0",
			FunctionReference(ArrayLibrary, "Array_Length") + InPin(1, "TargetArray", "wildcard", {}, "PinType.ContainerType=Array,PinType.bIsReference=True,"))
			+ Node("K2Node_CallArrayFunction", "K2Node_CallArrayFunction_1",
				FunctionReference(ArrayLibrary, "Array_Contains") + InPin(2, "TargetArray", "int", Link("K2Node_VariableGet_0", 4), "PinType.ContainerType=Array,PinType.bIsReference=True,")
					+ InPin(3, "ItemToFind", "int", {}, "PinType.bIsReference=True,"))
			+ Node("K2Node_VariableGet", "K2Node_VariableGet_0", VariableReference("Tags") + OutPin(4, "Tags", "int", Link("K2Node_CallArrayFunction_1", 2), "PinType.ContainerType=Array,"))
			+ Node("K2Node_CallFunction", "K2Node_CallFunction_0",
				FunctionReference("/Script/Engine.LightComponent", "SetIntensity") + InPin(5, "self", "object", {}, Target + SubObject("Class", "/Script/Engine.LightComponent")))
			+ Node("K2Node_CallFunction", "K2Node_CallFunction_1",
				FunctionReference("/Script/Engine.Actor", "K2_GetActorLocation") + InPin(6, "self", "object", {}, Target + SubObject("Class", "/Script/Engine.Actor")))
			+ Node("K2Node_CallFunction", "K2Node_CallFunction_2",
				FunctionReference("/Script/Engine.GameplayStatics", "GetPlayerPawn") + InPin(7, "self", "object", {}, "DefaultObject=\"/Script/Engine.Default__GameplayStatics\",")));

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("The current value of the ' Target Array ' pin of Length is invalid: 'Target Array' must have an input wired into it (\"by ref\" params expect a valid input to operate on).",
									"This blueprint (self) is not a LightComponent, therefore ' Target ' of Set Intensity must have a connection."));
}

TEST_F(FBlueprintCompilerTest, OddGraphsCompileWithoutFaults)
{
	Blueprint->UbergraphPages.push_back(nullptr);
	Blueprint->FunctionGraphs.push_back(nullptr);
	Blueprint->MacroGraphs.push_back(nullptr);
	Paste(EventGraph(), Node("/Script/Foo.UnknownNode", "Mystery_0", OutPin(1, "Out", "", Link("K2Node_CallFunction_0", 2)))
							+ Node("/Script/UnrealEd.EdGraphNode_Comment", "EdGraphNode_Comment_0", "   NodeComment=\"Notes\"\n")
							+ Node("K2Node_CallFunction", "K2Node_CallFunction_0", InPin(2, "In", "", Link("Mystery_0", 1)))
							+ Node("K2Node_VariableGet", "K2Node_VariableGet_0", "")
							+ Node("K2Node_Event", "K2Node_Event_0", "")
							+ Node("K2Node_FunctionEntry", "K2Node_FunctionEntry_0", ""));

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("Could not find a function named \"\" in 'BP_Test'.\nMake sure 'BP_Test' has been compiled for K2Node_CallFunction_0",
									"Could not find a variable named \"\" in 'BP_Test'.\nMake sure 'BP_Test' has been compiled for Get "));
	EXPECT_EQ(Blueprint->Status, BS_Error);
}

TEST_F(FBlueprintCompilerTest, EditorCopiesPasteAndCompileWithTheirRealFaults)
{
	if (!std::filesystem::is_directory(BlueprintSamplesDir))
	{
		GTEST_SKIP() << "no samples at " << BlueprintSamplesDir;
	}
	Paste(EventGraph(), ReadSample("02_callfunction-enum-pin-customevent.t3d"));
	Paste(EventGraph(), ReadSample("09_branch-ifthenelse-ue5.t3d"));

	const FCompilerResultsLog Results = Compile();

	EXPECT_THAT(Texts(Results), ElementsAre("Could not find a function named \"TriggerNotificationHaptic\" in 'UltimateIOSToolkitBlueprintLibrary'.\n"
											"Make sure 'UltimateIOSToolkitBlueprintLibrary' has been compiled for Trigger Notification Haptic"));
}

TEST_F(FBlueprintCompilerTest, AParentClassThatIsGoneIsAnError)
{
	Blueprint->ParentClass = nullptr;

	EXPECT_THAT(Texts(Compile()), ElementsAre("The parent class of 'BP_Test' is missing: the Blueprint derives from a class that cannot be found."));
	EXPECT_EQ(Blueprint->Status, BS_Error);
}
