#pragma once

#include "Assets/AssetFiles.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Support/TestEditor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

/**
 * Copy-paste text for test graphs: nodes carry only the lines and pin fields a test needs, as
 * the importer fills the rest with defaults. Pins are numbered; a link names a node and a number.
 */
namespace TestGraphs
{
	inline std::string PinId(int Number)
	{
		char Buffer[33];
		std::snprintf(Buffer, sizeof(Buffer), "%032X", Number);
		return Buffer;
	}

	/** `Node Id,` for a pin's LinkedTo list. */
	inline std::string Link(std::string_view NodeName, int Number)
	{
		return std::string(NodeName) + " " + PinId(Number) + ",";
	}

	inline std::string InPin(int Number, std::string_view Name, std::string_view Category, std::string_view Links = {}, std::string_view Extra = {})
	{
		std::string Line = "   CustomProperties Pin (PinId=" + PinId(Number) + ",PinName=\"" + std::string(Name) + "\",PinType.PinCategory=\"" + std::string(Category) + "\","
			+ std::string(Extra);
		return Line + (Links.empty() ? "" : "LinkedTo=(" + std::string(Links) + "),") + ")\n";
	}

	inline std::string OutPin(int Number, std::string_view Name, std::string_view Category, std::string_view Links = {}, std::string_view Extra = {})
	{
		std::string Line = "   CustomProperties Pin (PinId=" + PinId(Number) + ",PinName=\"" + std::string(Name) + "\",Direction=\"EGPD_Output\",PinType.PinCategory=\""
			+ std::string(Category) + "\"," + std::string(Extra);
		return Line + (Links.empty() ? "" : "LinkedTo=(" + std::string(Links) + "),") + ")\n";
	}

	/** `PinType.PinSubCategoryObject=...` naming a class or structure by path. */
	inline std::string SubObject(std::string_view TypeClass, std::string_view Path)
	{
		return "PinType.PinSubCategoryObject=/Script/CoreUObject." + std::string(TypeClass) + "'\"" + std::string(Path) + "\"',";
	}

	inline std::string Node(std::string_view ClassName, std::string_view Name, std::string_view Body)
	{
		const std::string ClassPath = ClassName.starts_with('/') ? std::string(ClassName) : "/Script/BlueprintGraph." + std::string(ClassName);
		return "Begin Object Class=" + ClassPath + " Name=\"" + std::string(Name) + "\"\n" + std::string(Body) + "End Object\n";
	}

	/** `FunctionReference=` of a call on a class (`/Script/Engine.KismetSystemLibrary`), or of a self call when ClassPath is empty. */
	inline std::string FunctionReference(std::string_view ClassPath, std::string_view FunctionName)
	{
		if (ClassPath.empty())
		{
			return "   FunctionReference=(MemberName=\"" + std::string(FunctionName) + "\",bSelfContext=True)\n";
		}
		return "   FunctionReference=(MemberParent=/Script/CoreUObject.Class'\"" + std::string(ClassPath) + "\"',MemberName=\"" + std::string(FunctionName) + "\")\n";
	}

	inline std::string EventNode(std::string_view Name, std::string_view EventName, std::string_view Body = {})
	{
		return Node("K2Node_Event", Name,
			"   EventReference=(MemberParent=/Script/CoreUObject.Class'\"/Script/Engine.Actor\"',MemberName=\"" + std::string(EventName) + "\")\n   bOverrideFunction=True\n"
				+ std::string(Body));
	}

	inline std::string VariableReference(std::string_view VariableName)
	{
		return "   VariableReference=(MemberName=\"" + std::string(VariableName) + "\",bSelfContext=True)\n";
	}
}

/** An editor with an actor Blueprint, BP_Test, whose graphs the tests fill from copy-paste text and compile. */
class FBlueprintCompilerTest : public testing::Test
{
protected:
	FTestEditor Editor{HostOnly()};
	UBlueprint* Blueprint = MakeBlueprint("BP_Test", "/Script/Engine.Actor");

	static UBlueprint* MakeBlueprint(std::string_view Name, std::string_view ParentClassPath)
	{
		UClass* const Parent = FindEngineClassChecked(ParentClassPath);
		return FKismetEditorUtilities::CreateBlueprint(Parent, CreatePackage("/Game/Tests/" + std::string(Name)), Name);
	}

	UEdGraph& EventGraph() const { return *Blueprint->UbergraphPages.front(); }

	std::vector<UEdGraphNode*> Paste(UEdGraph& Graph, std::string_view Text) const
	{
		std::vector<UEdGraphNode*> Nodes = ImportNodesFromText(Graph, Text);
		EXPECT_FALSE(Nodes.empty()) << Text;
		return Nodes;
	}

	FCompilerResultsLog Compile() const
	{
		FCompilerResultsLog Results;
		FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::None, &Results);
		return Results;
	}

	static std::vector<std::string> Texts(const FCompilerResultsLog& Results)
	{
		std::vector<std::string> Texts;
		for (const FCompilerResultsMessage& Message : Results.Messages)
		{
			Texts.push_back(Message.Text);
		}
		return Texts;
	}
};
