#include "Assets/AssetFiles.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphExportPath.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

namespace
{
	// Both ExportPath spellings: UE5.0 material (unquoted, with a sub-object) and UE5.1 quoted.
	const std::string TwoExportPathNodes =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_41\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M_Brick:MaterialGraph_0.MaterialGraphNode_41\"'\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Brick:MaterialGraph_0.MaterialGraphNode_41.MaterialExpressionConstant_0\"'\n"
		"   End Object\n"
		"   Begin Object Name=\"MaterialExpressionConstant_0\" ExportPath=/Script/Engine.MaterialExpressionConstant'\"/Engine/Transient.M_Brick:MaterialGraph_0.MaterialGraphNode_41.MaterialExpressionConstant_0\"'\n"
		"      R=1.000000\n"
		"   End Object\n"
		"   NodeGuid=11111111111111111111111111111111\n"
		"End Object\n"
		"Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\" ExportPath=\"/Script/BlueprintGraph.K2Node_CallFunction'/Engine/Maps/Level.Level:PersistentLevel.NewFunction.K2Node_CallFunction_0'\"\n"
		"   NodeGuid=22222222222222222222222222222222\n"
		"End Object\n";

	std::vector<const UEdGraphNode*> AsConst(const std::vector<UEdGraphNode*>& Nodes)
	{
		return {Nodes.begin(), Nodes.end()};
	}
}

TEST(EdGraphExportPath, RenamesTheLastPathComponentInEitherSpelling)
{
	EXPECT_EQ(RenameExportPathObject("/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_41\"'", "MaterialGraphNode_42"),
		"/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_42\"'");
	EXPECT_EQ(RenameExportPathObject("\"/Script/UMGEditor.WidgetSlotPair'/Engine/Transient.WidgetSlotPair_0'\"", "WidgetSlotPair_3"),
		"\"/Script/UMGEditor.WidgetSlotPair'/Engine/Transient.WidgetSlotPair_3'\"");
	EXPECT_EQ(RenameExportPathObject("T'Asset:Node_0'", "Node_1"), "T'Asset:Node_1'");
	EXPECT_EQ(RenameExportPathObject("T'NoSeparator'", "X"), std::nullopt);
	EXPECT_EQ(RenameExportPathObject("\"'", "X"), std::nullopt);
}

TEST(EdGraphExportPath, RenamedNodesExportTheirNewNameAndOthersKeepTheirPath)
{
	FTestEditor Editor(HostOnly());
	UEdGraph& Graph = *NewObject<UEdGraph>();
	const std::vector<UEdGraphNode*> First = ImportNodesFromText(Graph, TwoExportPathNodes);
	EXPECT_EQ(ExportNodesToText(AsConst(First)), TwoExportPathNodes);

	const std::vector<UEdGraphNode*> Second = ImportNodesFromText(Graph, TwoExportPathNodes);
	ASSERT_EQ(Second.size(), 2u);
	const std::string Text = ExportNodesToText(AsConst(Second));
	EXPECT_NE(Text.find("Name=\"MaterialGraphNode_42\" ExportPath=/Script/UnrealEd.MaterialGraphNode'\"/Engine/Transient.M_Brick:MaterialGraph_0.MaterialGraphNode_42\"'\n"), std::string::npos);
	EXPECT_NE(Text.find("Name=\"K2Node_CallFunction_1\" ExportPath=\"/Script/BlueprintGraph.K2Node_CallFunction'/Engine/Maps/Level.Level:PersistentLevel.NewFunction.K2Node_CallFunction_1'\"\n"), std::string::npos);
	// Sub-objects keep their paths as written.
	EXPECT_NE(Text.find("MaterialGraph_0.MaterialGraphNode_41.MaterialExpressionConstant_0"), std::string::npos);
}
