#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraphTestSupport.h"

#include <regex>

using namespace MaterialGraphTest;

namespace
{
	using FMaterialGraph = FMaterialGraphFixture;

	UMaterialGraphNode* NodeOf(const UMaterialExpression* Expression)
	{
		return Expression->GraphNode;
	}

	UEdGraphPin* RootPin(const UMaterialGraph& Graph, std::string_view PinName)
	{
		return Graph.RootNode->FindPin(PinName);
	}
}

TEST_F(FMaterialGraph, CreateNewGraphMakesANamedGraphWithItsSchemaInsideAnyOuter)
{
	EXPECT_EQ(Graph->GetName(), "MaterialGraph_0");
	EXPECT_EQ(Graph->GetOuter(), Material);
	EXPECT_EQ(Graph->Schema, "/Script/UnrealEd.MaterialGraphSchema");
	EXPECT_EQ(FBlueprintEditorUtils::CreateNewGraph(Material, "MaterialGraph_0", UMaterialGraph::StaticClass(), nullptr), nullptr) << "the name is taken";
	EXPECT_EQ(FBlueprintEditorUtils::CreateNewGraph(Material, "Other", UMaterialExpression::StaticClass(), nullptr), nullptr) << "not a graph class";
	EXPECT_EQ(FBlueprintEditorUtils::CreateNewGraph(nullptr, "Other", UMaterialGraph::StaticClass(), nullptr), nullptr);
	UEdGraph* const Named = FBlueprintEditorUtils::CreateNewGraph(Material, "Preview", UMaterialGraph::StaticClass(), nullptr);
	ASSERT_NE(Named, nullptr);
	EXPECT_TRUE(Named->IsA<UMaterialGraph>());
	EXPECT_EQ(Named->Schema, "");
}

TEST_F(FMaterialGraph, AnEmptyMaterialShowsOnlyItsRootWithOnePinPerProperty)
{
	ASSERT_EQ(Graph->GetNodes().size(), 1u);
	ASSERT_NE(Graph->RootNode, nullptr);
	EXPECT_EQ(Graph->RootNode->Material, Material);
	const std::vector<std::string> Pins = DescribePins(*Graph->RootNode);
	ASSERT_EQ(Pins.size(), 30u);
	EXPECT_EQ(Pins.front(), "in Base Color/materialinput/5");
	EXPECT_EQ(Pins[5], "in Emissive Color/materialinput/0");
	EXPECT_EQ(Pins[16], "in Customized UV0/materialinput/20");
	EXPECT_EQ(Pins.back(), "in Material Attributes/materialinput/33");
	Material->MaterialDomain = MD_UI;
	Graph->RebuildGraph();
	EXPECT_NE(RootPin(*Graph, "Final Color"), nullptr) << "a user-interface material's emissive colour is its final colour";
}

TEST_F(FMaterialGraph, NodesGetTheEditorsPinsFromTheirExpressions)
{
	UMaterialExpression* const Root = Add("/Script/Engine.MaterialExpressionSquareRoot", -200, 40);
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	UMaterialExpression* const Constant = Add("/Script/Engine.MaterialExpressionConstant");
	Constant->SetKeptPropertyText("R", "0.500000");
	UMaterialExpression* const Vector = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	Vector->SetKeptPropertyText("Constant", "(R=1.000000,G=0.250000,B=0.000000,A=1.000000)");
	UMaterialExpression* const Reroute = Add("/Script/Engine.MaterialExpressionReroute");
	Graph->RebuildGraph();

	ASSERT_EQ(Graph->GetNodes().size(), 6u) << "five expressions and the root";
	UMaterialGraphNode* const RootNode = NodeOf(Root);
	ASSERT_NE(RootNode, nullptr);
	EXPECT_EQ(RootNode->GetName(), "MaterialGraphNode_0");
	EXPECT_EQ(RootNode->NodePosX, -200);
	EXPECT_EQ(RootNode->NodePosY, 40);
	EXPECT_EQ(DescribePins(*RootNode), (std::vector<std::string>{"in Input/required/", "out Output//"}));
	EXPECT_EQ(RootNode->FindPin("Input")->PinFriendlyName, "NSLOCTEXT(\"MaterialGraphNode\", \"Space\", \" \")") << "an unlabelled pin is drawn with a space";

	EXPECT_EQ(DescribePins(*NodeOf(Sample)), (std::vector<std::string>{"in UVs/optional/", "in Tex/optional/", "in Apply View MipBias/optional/", "out RGB/mask/rgb",
												 "out R/mask/red", "out G/mask/green", "out B/mask/blue", "out A/mask/alpha", "out RGBA/mask/rgba"}));

	const UEdGraphPin* const Value = NodeOf(Constant)->FindPin("Value");
	ASSERT_NE(Value, nullptr) << "a constant shows its value on the node";
	EXPECT_TRUE(Value->bNotConnectable);
	EXPECT_EQ(Value->PinType.PinSubCategory, "red");
	EXPECT_EQ(Value->DefaultValue, "0.5");
	EXPECT_TRUE(NodeOf(Constant)->GetInputPins().empty()) << "a property pin is not an input";
	EXPECT_EQ(NodeOf(Vector)->FindPin("Constant")->DefaultValue, "1.0,0.25,0.0") << "a colour without alpha shows three channels";
	EXPECT_EQ(NodeOf(Vector)->GetOutputPins().size(), 4u);

	UMaterialGraphNode* const Knot = NodeOf(Reroute);
	ASSERT_TRUE(Knot->IsA<UMaterialGraphNode_Knot>());
	EXPECT_EQ(Knot->GetName(), "MaterialGraphNode_Knot_0");
	EXPECT_EQ(DescribePins(*Knot), (std::vector<std::string>{"in InputPin/wildcard/", "out OutputPin/wildcard/"}));
}

TEST_F(FMaterialGraph, LinksFollowExpressionInputsAndPropertyInputs)
{
	UMaterialExpression* const Vector = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	UMaterialExpression* const Multiply = Add("/Script/Engine.MaterialExpressionMultiply");
	Multiply->GetInput(0)->Connect(2, *Vector);
	// An older input saved with only a mask reads the output with that mask.
	FExpressionInput& Legacy = *Multiply->GetInput(1);
	Legacy.Expression = Sample;
	Legacy.Mask = 1;
	Legacy.MaskA = 1;
	Material->GetExpressionInputForProperty(MP_BaseColor)->Connect(0, *Multiply);
	// An index past the outputs reads the last one.
	Material->GetExpressionInputForProperty(MP_Roughness)->Connect(9, *Vector);
	Graph->RebuildGraph();

	const std::vector<UEdGraphPin*> MultiplyInputs = NodeOf(Multiply)->GetInputPins();
	ASSERT_EQ(MultiplyInputs.size(), 2u);
	EXPECT_TRUE(IsLinked(*NodeOf(Vector)->FindPin("G"), *MultiplyInputs[0]));
	EXPECT_TRUE(IsLinked(*NodeOf(Sample)->FindPin("A"), *MultiplyInputs[1]));
	EXPECT_TRUE(IsLinked(*NodeOf(Multiply)->GetOutputPins().front(), *RootPin(*Graph, "Base Color")));
	EXPECT_TRUE(IsLinked(*NodeOf(Vector)->FindPin("B"), *RootPin(*Graph, "Roughness")));

	// Relinking follows the material as it is now, and links drawn by hand go.
	Multiply->GetInput(0)->Disconnect();
	NodeOf(Sample)->FindPin("R")->MakeLinkTo(*RootPin(*Graph, "Metallic"));
	Graph->LinkGraphNodesFromMaterial();
	EXPECT_TRUE(MultiplyInputs[0]->GetLinkedTo().empty());
	EXPECT_TRUE(RootPin(*Graph, "Metallic")->GetLinkedTo().empty());
	EXPECT_EQ(RootPin(*Graph, "Base Color")->GetLinkedTo().size(), 1u);
}

TEST_F(FMaterialGraph, RefreshKeepsShownNodesAddsNewOnesAndDropsThoseWhoseExpressionLeft)
{
	UMaterialExpression* const Kept = Add("/Script/Engine.MaterialExpressionConstant", 10, 20);
	UMaterialExpression* const Leaving = Add("/Script/Engine.MaterialExpressionAbs");
	Graph->RebuildGraph();
	UMaterialGraphNode* const KeptNode = NodeOf(Kept);
	UMaterialGraphNode* const LeavingNode = NodeOf(Leaving);

	std::erase(Material->GetExpressionCollection().Expressions, Leaving);
	Kept->MaterialExpressionEditorX = 300;
	UMaterialExpression* const Added = UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionAdd"), 5, 6);
	Material->GetExpressionInputForProperty(MP_EmissiveColor)->Connect(0, *Added);
	Graph->RefreshGraph();

	EXPECT_EQ(NodeOf(Kept), KeptNode) << "a node still showing its expression stays";
	EXPECT_EQ(KeptNode->NodePosX, 300) << "and takes its expression's position";
	EXPECT_TRUE(LeavingNode->IsGarbage());
	ASSERT_NE(NodeOf(Added), nullptr);
	EXPECT_EQ(NodeOf(Added)->GetOuter(), Graph);
	EXPECT_TRUE(IsLinked(*NodeOf(Added)->GetOutputPins().front(), *RootPin(*Graph, "Emissive Color")));
	EXPECT_EQ(Graph->GetNodes().size(), 3u);
}

TEST_F(FMaterialGraph, CommentsGetCommentNodesSizedAndTitledByTheComment)
{
	auto* const Comment = Cast<UMaterialExpressionComment>(NewMaterialExpression(Material, "/Script/Engine.MaterialExpressionComment"));
	Comment->MaterialExpressionEditorX = -64;
	Comment->SetKeptPropertyText("SizeX", "400");
	Comment->SetKeptPropertyText("Text", "\"Lighting\"");
	Material->GetExpressionCollection().AddComment(Comment);
	Graph->RebuildGraph();

	const std::vector<UMaterialGraphNode_Comment*> Comments = NodesOf<UMaterialGraphNode_Comment>(*Graph);
	ASSERT_EQ(Comments.size(), 1u);
	EXPECT_EQ(Comments[0]->MaterialExpressionComment, Comment);
	EXPECT_EQ(Comments[0]->NodePosX, -64);
	EXPECT_EQ(Comments[0]->NodeWidth, 400);
	EXPECT_EQ(Comments[0]->NodeHeight, 128) << "the class default";
	EXPECT_EQ(Comments[0]->NodeComment, "Lighting");
	EXPECT_TRUE(Comments[0]->GetPins().empty());
}

// A node made from a material (not pasted) copies as the editor writes it: the sample below is a
// real UE5 copy of a constant, with only the ids and the node's number being this graph's own.
TEST_F(FMaterialGraph, ANodeMadeFromTheMaterialCopiesInTheEditorsForm)
{
	UMaterial* const Brick = NewTestMaterial("M_Brick_Cut_Stone");
	UMaterialGraph* const BrickGraph = MakeMaterialGraph(*Brick);
	UMaterialExpression* const Constant = NewMaterialExpression(Brick, "/Script/Engine.MaterialExpressionConstant");
	Constant->Material = Brick;
	Constant->MaterialExpressionEditorX = -1328;
	Constant->MaterialExpressionEditorY = -880;
	Constant->MaterialExpressionGuid = *FGuid::Parse("1149D6828E794743B8343514F4B5E579");
	Constant->SetKeptPropertyText("R", "10000.000000");
	Constant->SetKeptPropertyText("bCollapsed", "False");
	Brick->GetExpressionCollection().AddExpression(Constant);
	BrickGraph->RebuildGraph();

	std::string Text = BrickGraph->ExportNodesAsText({NodeOf(Constant)});
	Text = std::regex_replace(Text, std::regex("(NodeGuid=|PinId=)[0-9A-F]{32}"), "$1<id>");
	const std::string Expected =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_0\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M_Brick_Cut_Stone:MaterialGraph_0.MaterialGraphNode_0\"'\r\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Brick_Cut_Stone:MaterialGraph_0.MaterialGraphNode_0.MaterialExpressionConstant_0\"'\r\n"
		"   End Object\r\n"
		"   Begin Object Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Brick_Cut_Stone:MaterialGraph_0.MaterialGraphNode_0.MaterialExpressionConstant_0\"'\r\n"
		"      R=10000.000000\r\n"
		"      MaterialExpressionEditorX=-1328\r\n"
		"      MaterialExpressionEditorY=-880\r\n"
		"      MaterialExpressionGuid=1149D6828E794743B8343514F4B5E579\r\n"
		"      Material=/Script/UnrealEd.PreviewMaterial'\"/Engine/Transient.M_Brick_Cut_Stone\"'\r\n"
		"      bCollapsed=False\r\n"
		"   End Object\r\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionConstant'\"MaterialExpressionConstant_0\"'\r\n"
		"   NodePosX=-1328\r\n"
		"   NodePosY=-880\r\n"
		"   NodeGuid=<id>\r\n"
		"   CustomProperties Pin (PinId=<id>,PinName=\"Value\",PinType.PinCategory=\"optional\",PinType.PinSubCategory=\"red\",PinType.PinSubCategoryObject=None,PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,PinType.bIsReference=False,PinType.bIsConst=False,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,PinType.bSerializeAsSinglePrecisionFloat=False,DefaultValue=\"10000.0\",PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=True,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,)\r\n"
		"   CustomProperties Pin (PinId=<id>,PinName=\"Output\",PinFriendlyName=NSLOCTEXT(\"MaterialGraphNode\", \"Space\", \" \"),Direction=\"EGPD_Output\",PinType.PinCategory=\"\",PinType.PinSubCategory=\"\",PinType.PinSubCategoryObject=None,PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,PinType.bIsReference=False,PinType.bIsConst=False,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,PinType.bSerializeAsSinglePrecisionFloat=False,PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=False,bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=False,bAdvancedView=False,bOrphanedPin=False,)\r\n"
		"End Object\r\n";
	EXPECT_EQ(Text, Expected);
	EXPECT_TRUE(NodeOf(Constant)->KeptObject.Children.empty()) << "copying leaves the node as it was";
}

TEST_F(FMaterialGraph, AFunctionsGraphShowsItsExpressionsWithoutARoot)
{
	UMaterialFunction* const Function = NewObject<UMaterialFunction>(CreatePackage("/Game/Functions/MF_Tint"), "MF_Tint", RF_Public | RF_Standalone);
	UMaterialExpression* const Input = NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionInput");
	UMaterialExpression* const Output = NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionOutput");
	Output->GetInput(0)->Connect(0, *Input);
	Function->FunctionExpressions = {Input, Output};
	auto* const FunctionGraph = Cast<UMaterialGraph>(FBlueprintEditorUtils::CreateNewGraph(Function, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass()));
	FunctionGraph->MaterialFunction = Function;
	FunctionGraph->RebuildGraph();

	EXPECT_EQ(FunctionGraph->RootNode, nullptr);
	ASSERT_EQ(FunctionGraph->GetNodes().size(), 2u);
	EXPECT_EQ(DescribePins(*NodeOf(Output)), std::vector<std::string>{"in Input/optional/"}) << "a function output has an unlabelled input and no output";
	EXPECT_TRUE(IsLinked(*NodeOf(Input)->GetOutputPins().front(), *NodeOf(Output)->GetInputPins().front()));
}
