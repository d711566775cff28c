#include "Assets/AssetFiles.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/ObjectGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
	const std::filesystem::path SamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste";

	std::string ExportAll(const std::vector<UEdGraphNode*>& Nodes)
	{
		return ExportNodesToText({Nodes.begin(), Nodes.end()});
	}
}

/** Material and widget copies are not K2 graphs, but a graph still holds them as opaque nodes and writes them back stably. */
TEST(EdGraphSamples, MaterialAndWidgetSamplesRoundTripAsOpaqueNodes)
{
	FTestEditor Editor(HostOnly());
	bool bFoundAny = false;
	for (const std::string_view Folder : {"material", "widget"})
	{
		if (!std::filesystem::is_directory(SamplesDir / Folder))
		{
			continue;
		}
		for (const auto& Entry : std::filesystem::directory_iterator(SamplesDir / Folder))
		{
			bFoundAny = true;
			SCOPED_TRACE(Entry.path().filename().string());
			std::ifstream Stream(Entry.path(), std::ios::binary);
			std::ostringstream Bytes;
			Bytes << Stream.rdbuf();

			const std::vector<UEdGraphNode*> FirstNodes = ImportNodesFromText(*NewObject<UEdGraph>(), Bytes.str());
			ASSERT_FALSE(FirstNodes.empty());
			const std::string FirstText = ExportAll(FirstNodes);
			EXPECT_EQ(ExportAll(ImportNodesFromText(*NewObject<UEdGraph>(), FirstText)), FirstText);
		}
	}
	if (!bFoundAny)
	{
		GTEST_SKIP() << "no material or widget samples under " << SamplesDir;
	}
}
