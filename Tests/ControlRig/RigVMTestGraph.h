#pragma once

#include "Assets/AssetFiles.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

/** A host for the rig graph tests: objects live in its transient package. */
class FRigVMTest : public ::testing::Test
{
protected:
	FTestEditor Editor{HostOnly()};
};

/** A rig graph with its controller, inside the transient package. */
struct FRigVMTestGraph
{
	URigVMGraph* Graph = NewObject<URigVMGraph>(nullptr);
	URigVMController* Controller = MakeController(Graph);

	static URigVMController* MakeController(URigVMGraph* ForGraph)
	{
		URigVMController* NewController = NewObject<URigVMController>(nullptr);
		NewController->SetGraph(ForGraph);
		return NewController;
	}

	URigVMUnitNode* Add(std::string_view StructName, std::string_view NodeName)
	{
		const std::string Path = (StructName.starts_with("RigVMFunction_") ? "/Script/RigVM." : "/Script/ControlRig.") + std::string(StructName);
		URigVMUnitNode* Node = Controller->AddUnitNodeFromStructPath(Path, "Execute", {}, NodeName);
		EXPECT_NE(Node, nullptr) << StructName;
		return Node;
	}

	std::vector<std::string> NodeNames() const
	{
		std::vector<std::string> Names;
		for (const URigVMNode* Node : Graph->GetNodes())
		{
			Names.push_back(Node->GetName());
		}
		return Names;
	}

	std::string ExportAll() const { return Controller->ExportNodesToText(NodeNames()); }
};
