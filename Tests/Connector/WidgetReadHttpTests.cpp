#include "Connector/WidgetHttpTestSupport.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/Log.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/PinTypeFromProperty.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetCopyPaste.h"
#include "Widgets/WidgetTree.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{
	class WidgetReadOverHttp : public WidgetRouteTest
	{
	};

	/** A horizontal box whose two slots fill: one by 1 (the default), one by half. */
	constexpr std::string_view FillingBox =
		"Begin Object Class=/Script/UMG.HorizontalBox Name=\"Row\"\n"
		"   Begin Object Class=/Script/UMG.HorizontalBoxSlot Name=\"HorizontalBoxSlot_0\"\n"
		"   End Object\n"
		"   Begin Object Class=/Script/UMG.HorizontalBoxSlot Name=\"HorizontalBoxSlot_1\"\n"
		"   End Object\n"
		"   Begin Object Name=\"HorizontalBoxSlot_0\"\n"
		"      Size=(SizeRule=Fill)\n"
		"      Padding=(Left=500.000000)\n"
		"      Parent=/Script/UMG.HorizontalBox'\"Row\"'\n"
		"      Content=/Script/UMG.TextBlock'\"Left\"'\n"
		"   End Object\n"
		"   Begin Object Name=\"HorizontalBoxSlot_1\"\n"
		"      Size=(SizeRule=Fill,Value=0.500000)\n"
		"      Parent=/Script/UMG.HorizontalBox'\"Row\"'\n"
		"      Content=/Script/UMG.TextBlock'\"Right\"'\n"
		"   End Object\n"
		"   Slots(0)=/Script/UMG.HorizontalBoxSlot'\"HorizontalBoxSlot_0\"'\n"
		"   Slots(1)=/Script/UMG.HorizontalBoxSlot'\"HorizontalBoxSlot_1\"'\n"
		"End Object\n"
		"Begin Object Class=/Script/UMG.TextBlock Name=\"Left\"\n"
		"   Text=NSLOCTEXT(\"\", \"1\", \"<-\")\n"
		"End Object\n"
		"Begin Object Class=/Script/UMG.TextBlock Name=\"Right\"\n"
		"End Object\n";

	std::string TextBlockOfLength(std::string_view Name, std::size_t Length)
	{
		return "Begin Object Class=/Script/UMG.TextBlock Name=\"" + std::string(Name) + "\"\n   Text=INVTEXT(\"" + std::string(Length, 'x') + "\")\nEnd Object\n";
	}
}

TEST_F(WidgetReadOverHttp, BadRequestsAndOtherAssetsAreRefused)
{
	Start();
	EXPECT_EQ(Condensed(Post("/korvane/widget/read", "")), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Condensed(Post("/korvane/widget/read", R"({"blueprintPath":""})")), R"({"success":false,"error":"blueprintPath is required"})");
	EXPECT_EQ(Condensed(Read("/Game/Blueprints/BP_Campfire.BP_Campfire")), R"({"success":false,"error":"No Widget Blueprint at /Game/Blueprints/BP_Campfire.BP_Campfire"})");
	EXPECT_EQ(Condensed(Read("/Game/Nowhere.Nowhere")), R"({"success":false,"error":"No Widget Blueprint at /Game/Nowhere.Nowhere"})");
}

TEST_F(WidgetReadOverHttp, TheTreeListsOnlyWhatDiffersFromTheDefaults)
{
	Start();
	FLogCapture Log;
	FJsonObject Body = DeployBody("WBP_Row", FillingBox);
	Body.SetStringField("widgetType", "UserWidget");
	ASSERT_EQ(Deploy(Body)->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonObject> Response = Read("/Game/Generated/WBP_Row.WBP_Row");
	EXPECT_EQ(Keys(*Response), "success,name,blueprintPath,widgetType,designSize,hierarchy,variables,graphs,functionGraphs");
	EXPECT_EQ(Response->TryGetStringField("name"), "WBP_Row");
	EXPECT_EQ(Response->TryGetStringField("widgetType"), "UserWidget");
	EXPECT_EQ(Condensed(Response->TryGetObjectField("hierarchy")),
		R"({"widgetClass":"HorizontalBox","name":"Row","isVariable":false,"children":[)"
		R"J({"widgetClass":"TextBlock","name":"Left","isVariable":false,"properties":{"Text":"<-"},"slotProperties":{"Size":"Fill","Padding":"(Left=500.000000)"}},)J"
		R"J({"widgetClass":"TextBlock","name":"Right","isVariable":false,"slotProperties":{"Size":"(Value=0.500000,SizeRule=Fill)"}}]})J")
		<< "a widget at its defaults has no properties; a fill of 1 reads as Fill, any other keeps its export text; properties in the class's order";
	EXPECT_EQ(Log.Count("Widget read complete: /Game/Generated/WBP_Row.WBP_Row"), 1u);
}

TEST_F(WidgetReadOverHttp, PropertyTextsUpTo8000CharactersAreListed)
{
	Start();
	const std::string Hierarchy =
		"Begin Object Class=/Script/UMG.VerticalBox Name=\"Column\"\n"
		"   Begin Object Class=/Script/UMG.VerticalBoxSlot Name=\"VerticalBoxSlot_0\"\n   End Object\n"
		"   Begin Object Class=/Script/UMG.VerticalBoxSlot Name=\"VerticalBoxSlot_1\"\n   End Object\n"
		"   Begin Object Name=\"VerticalBoxSlot_0\"\n      Parent=/Script/UMG.VerticalBox'\"Column\"'\n      Content=/Script/UMG.TextBlock'\"Fits\"'\n   End Object\n"
		"   Begin Object Name=\"VerticalBoxSlot_1\"\n      Parent=/Script/UMG.VerticalBox'\"Column\"'\n      Content=/Script/UMG.TextBlock'\"TooLong\"'\n   End Object\n"
		"   Slots(0)=/Script/UMG.VerticalBoxSlot'\"VerticalBoxSlot_0\"'\n"
		"   Slots(1)=/Script/UMG.VerticalBoxSlot'\"VerticalBoxSlot_1\"'\n"
		"End Object\n"
		+ TextBlockOfLength("Fits", 8000) + TextBlockOfLength("TooLong", 8001);
	ASSERT_EQ(Deploy(DeployBody("EUW_Long", Hierarchy))->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonObject> Tree = Read("/Game/Generated/EUW_Long.EUW_Long")->TryGetObjectField("hierarchy");
	ASSERT_NE(Tree, nullptr);
	const FJsonValueArray& Children = *Tree->TryGetArrayField("children");
	ASSERT_EQ(Children.size(), 2u);
	EXPECT_EQ(Children[0].TryGetObject()->TryGetObjectField("properties")->TryGetStringField("Text"), std::string(8000, 'x'));
	EXPECT_EQ(Children[1].TryGetObject()->TryGetObjectField("properties"), nullptr) << "8001 characters are left out";
}

TEST_F(WidgetReadOverHttp, VariablesAnimationsAndGraphsReadInTheDeployWords)
{
	Start();
	FJsonObject Body = DeployBody("EUW_Members");
	Body.SetArrayField("variables", JsonArray(R"([{"name":"Speed","type":"double","default":2.5},{"name":"Tint","type":"color"},
		{"name":"Owner","type":"object","subType":"Actor"},{"name":"Counts","type":"byte","isArray":true}])"));
	Body.SetArrayField("functions", JsonArray(R"(["Refresh"])"));
	Body.SetObjectField("designSize", FJsonSerializer::DeserializeObject(R"({"x":640,"y":480,"mode":"Custom"})"));
	ASSERT_EQ(Deploy(Body)->TryGetBoolField("success"), true);
	Editor->OnGameThread([]() {
		UWidgetBlueprint* const Blueprint = Cast<UWidgetBlueprint>(StaticLoadObject(UObject::StaticClass(), "/Game/Generated/EUW_Members.EUW_Members"));
		FEdGraphPinType SoftObject;
		SoftObject.PinCategory = UEdGraphSchema_K2::PC_SoftObject;
		SoftObject.PinSubCategoryObject = MakePinSubCategoryObjectText("Class", "/Script/Engine.Texture2D");
		FBlueprintEditorUtils::AddMemberVariable(Blueprint, "Icon", SoftObject);
		Blueprint->AddAnimation("FadeIn", 0.0, 1.0);
		// A function graph holding only the editor's disabled hint node is empty for the desktop app.
		UEdGraph* const Ghostly = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "Ghostly");
		Blueprint->FunctionGraphs.push_back(Ghostly);
		ImportNodesFromText(*Ghostly,
			"Begin Object Class=/Script/BlueprintGraph.K2Node_Event Name=\"K2Node_Event_0\"\n"
			"   EventReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/UMG.UserWidget\"',MemberName=\"Tick\")\n"
			"   EnabledState=Disabled\n"
			"End Object\n");
		return 0;
	});
	const std::shared_ptr<FJsonObject> Response = Read("/Game/Generated/EUW_Members.EUW_Members");
	EXPECT_EQ(Response->TryGetStringField("widgetType"), "EditorUtilityWidget");
	EXPECT_EQ(Condensed(Response->TryGetObjectField("designSize")), R"({"x":640,"y":480,"mode":"Custom"})");
	FJsonObject Variables;
	Variables.SetArrayField("v", Response->TryGetArrayField("variables"));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(Variables),
		R"({"v":[{"name":"Speed","type":"float","default":"2.5"},)"
		R"({"name":"Tint","type":"linearcolor","subTypePath":"/Script/CoreUObject.LinearColor"},)"
		R"({"name":"Owner","type":"object","subType":"Actor","subTypePath":"/Script/Engine.Actor"},)"
		R"({"name":"Counts","type":"byte","isArray":true},)"
		R"({"name":"Icon","type":"string","subTypePath":"/Script/Engine.Texture2D"},)"
		R"({"name":"FadeIn","type":"object","subType":"WidgetAnimation","subTypePath":"/Script/UMG.WidgetAnimation","isAnimation":true}]})")
		<< "a soft reference reads as string; the animation without _INST, after the variables";
	EXPECT_EQ(Keys(*Response->TryGetObjectField("graphs")), "Refresh") << "an event graph page without nodes and a ghost-only function are left out";
	EXPECT_THAT(*Response->TryGetObjectField("graphs")->TryGetStringField("Refresh"), HasSubstr("K2Node_FunctionEntry"));
	FJsonObject FunctionGraphs;
	FunctionGraphs.SetArrayField("v", Response->TryGetArrayField("functionGraphs"));
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(FunctionGraphs), R"({"v":["Refresh"]})");
}

TEST_F(WidgetReadOverHttp, DeployReadDeployGivesTheSameTreeVariablesAndGraphs)
{
	Start();
	FJsonObject Body = DeployBody("WBP_Original", FillingBox);
	Body.SetStringField("widgetType", "UserWidget");
	Body.SetArrayField("variables", JsonArray(R"([{"name":"Lives","type":"int","default":3},{"name":"Where","type":"vector"},{"name":"Target","type":"class","subType":"Actor"}])"));
	Body.SetArrayField("functions", JsonArray(R"(["Recount"])"));
	ASSERT_EQ(Deploy(Body)->TryGetBoolField("success"), true);
	const std::shared_ptr<FJsonObject> First = Read("/Game/Generated/WBP_Original.WBP_Original");

	// The desktop app sends the read back: its variables, functions and graphs as read, and the tree
	// as the designer's copy of it.
	FJsonObject Again;
	Again.SetStringField("name", "WBP_Copy");
	Again.SetStringField("widgetType", *First->TryGetStringField("widgetType"));
	Again.SetStringField("hierarchy", Editor->OnGameThread([]() {
		const UWidgetBlueprint* const Blueprint = Cast<UWidgetBlueprint>(StaticLoadObject(UObject::StaticClass(), "/Game/Generated/WBP_Original.WBP_Original"));
		return ExportWidgetsToText({Blueprint->WidgetTree->RootWidget});
	}));
	Again.SetArrayField("variables", First->TryGetArrayField("variables"));
	Again.SetArrayField("functions", First->TryGetArrayField("functionGraphs"));
	Again.SetObjectField("graphs", First->TryGetObjectField("graphs"));
	const std::shared_ptr<FJsonObject> Redeployed = Deploy(Again);
	ASSERT_EQ(Redeployed->TryGetBoolField("success"), true) << Condensed(Redeployed);
	const std::shared_ptr<FJsonObject> Second = Read("/Game/Generated/WBP_Copy.WBP_Copy");

	for (const std::string_view Key : {"widgetType", "hierarchy", "variables", "functionGraphs"})
	{
		FJsonObject A;
		FJsonObject B;
		A.SetField(Key, *First->TryGetField(Key));
		B.SetField(Key, *Second->TryGetField(Key));
		EXPECT_EQ(FJsonSerializer::SerializeCondensed(B), FJsonSerializer::SerializeCondensed(A)) << Key;
	}
	// Graph texts name their Blueprint in their export paths.
	std::string FirstGraphs = Condensed(First->TryGetObjectField("graphs"));
	for (std::size_t At = FirstGraphs.find("WBP_Original"); At != std::string::npos; At = FirstGraphs.find("WBP_Original", At))
	{
		FirstGraphs.replace(At, 12, "WBP_Copy");
	}
	EXPECT_EQ(Condensed(Second->TryGetObjectField("graphs")), FirstGraphs);
}
