#pragma once

#include "Assets/AssetFiles.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialGraph.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Support/CopyPasteSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace MaterialGraphTest
{
	inline const std::filesystem::path MaterialSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/material";

	inline std::string ReadBytes(const std::filesystem::path& Path)
	{
		return ReadSampleBytes(Path);
	}

	/** The material samples of real editors, by file name; empty when the shared samples are not beside the checkout. */
	inline std::vector<std::filesystem::path> MaterialSamples()
	{
		return CopyPasteSampleFiles("material");
	}

	/** A new, empty material asset in a package of its own under /Game/Materials. */
	inline UMaterial* NewTestMaterial(std::string_view Name)
	{
		UPackage* const Package = CreatePackage("/Game/Materials/" + std::string(Name));
		return NewObject<UMaterial>(Package, Name, RF_Public | RF_Standalone);
	}

	/** The material's editor graph as the material editor makes it: created inside the material, linked to it and built from it. */
	inline UMaterialGraph* MakeMaterialGraph(UMaterial& Material)
	{
		auto* const Graph = Cast<UMaterialGraph>(FBlueprintEditorUtils::CreateNewGraph(&Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass()));
		Graph->Material = &Material;
		Material.MaterialGraph = Graph;
		Graph->RebuildGraph();
		return Graph;
	}

	/**
	 * Pastes the text into the material's graph as the paste route does: each pasted expression
	 * joins the material's expressions and each pasted comment its editor comments.
	 */
	inline std::vector<UEdGraphNode*> PasteIntoMaterial(UMaterialGraph& Graph, std::string_view Text)
	{
		const std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Text);
		for (UEdGraphNode* const Node : Nodes)
		{
			if (const auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node); ExpressionNode != nullptr && ExpressionNode->MaterialExpression != nullptr)
			{
				Graph.Material->GetExpressionCollection().AddExpression(ExpressionNode->MaterialExpression);
			}
			else if (const auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node); CommentNode != nullptr && CommentNode->MaterialExpressionComment != nullptr)
			{
				Graph.Material->GetExpressionCollection().AddComment(CommentNode->MaterialExpressionComment);
			}
		}
		return Nodes;
	}

	inline std::vector<const UEdGraphNode*> AsConst(const std::vector<UEdGraphNode*>& Nodes)
	{
		return {Nodes.begin(), Nodes.end()};
	}

	/** The nodes of the graph of class T, in graph order. */
	template <typename T>
	std::vector<T*> NodesOf(const UEdGraph& Graph)
	{
		std::vector<T*> Found;
		for (UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (auto* const Typed = Cast<T>(Node))
			{
				Found.push_back(Typed);
			}
		}
		return Found;
	}

	/** "Name/Category/SubCategory" of each pin, in order, so a node's pins read as one list. */
	inline std::vector<std::string> DescribePins(const UEdGraphNode& Node)
	{
		std::vector<std::string> Pins;
		for (const auto& Pin : Node.GetPins())
		{
			Pins.push_back((Pin->Direction == EEdGraphPinDirection::Input ? "in " : "out ") + Pin->PinName + "/" + Pin->PinType.PinCategory + "/" + Pin->PinType.PinSubCategory);
		}
		return Pins;
	}

	/** Whether the output pin's links include Input. */
	inline bool IsLinked(const UEdGraphPin& Output, const UEdGraphPin& Input)
	{
		const std::vector<UEdGraphPin*>& Links = Output.GetLinkedTo();
		return std::find(Links.begin(), Links.end(), &Input) != Links.end();
	}

	class FMaterialGraphFixture : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UMaterial* Material = NewTestMaterial("M_Test");
		UMaterialGraph* Graph = MakeMaterialGraph(*Material);

		/** A new expression of the class inside the material, in its expressions. */
		template <typename T = UMaterialExpression>
		T* Add(std::string_view ClassPath, int32_t X = 0, int32_t Y = 0)
		{
			UMaterialExpression* const Expression = NewMaterialExpression(Material, ClassPath);
			Expression->Material = Material;
			Expression->MaterialExpressionEditorX = X;
			Expression->MaterialExpressionEditorY = Y;
			Material->GetExpressionCollection().AddExpression(Expression);
			return Cast<T>(Expression);
		}
	};
}
