#include "Meshes/Gltf/GltfStaticMeshBuilder.h"

#include "Meshes/Gltf/GltfMeshAssembly.h"

namespace
{
	FTransform WorldTransform(const FGltfDocument& Document, int32_t Node)
	{
		FTransform World = Document.Nodes[Node].Local;
		for (int32_t Ancestor = Document.Nodes[Node].Parent; Ancestor >= 0; Ancestor = Document.Nodes[Ancestor].Parent)
		{
			World = World * Document.Nodes[Ancestor].Local;
		}
		return World;
	}

	std::vector<int32_t> FindMeshNodes(const FGltfDocument& Document, bool bSkinnedToo)
	{
		std::vector<int32_t> Nodes;
		for (int32_t Node = 0; Node < static_cast<int32_t>(Document.Nodes.size()); ++Node)
		{
			if (Document.Nodes[Node].Mesh >= 0 && (bSkinnedToo || Document.Nodes[Node].Skin < 0))
			{
				Nodes.push_back(Node);
			}
		}
		return Nodes;
	}
}

TGltfResult<FStaticMeshModel> BuildGltfStaticMesh(const FGltfDocument& Document)
{
	std::vector<int32_t> Nodes = FindMeshNodes(Document, false);
	if (Nodes.empty())
	{
		Nodes = FindMeshNodes(Document, true);
	}
	if (Nodes.empty())
	{
		return MakeGltfError("no node instances a mesh");
	}
	const std::vector<int32_t> Levels = GltfDistinctLODs(Document, Nodes);
	FStaticMeshModel Model;
	FGltfMaterialSlots Slots;
	for (const int32_t Level : Levels)
	{
		FGltfLODGeometry Geometry;
		for (const int32_t Node : Nodes)
		{
			if (GltfLODOfNodeName(Document.Nodes[Node].Name) == Level)
			{
				AppendGltfMesh(Document, Document.Nodes[Node].Mesh, WorldTransform(Document, Node), Slots, Geometry);
			}
		}
		FStaticMeshLODResources LOD;
		LOD.Positions = std::move(Geometry.Positions);
		LOD.Normals = std::move(Geometry.Normals);
		LOD.UVs = std::move(Geometry.UVs);
		LOD.Sections = std::move(Geometry.Sections);
		LOD.IndexBuffer = FMultiSizeIndexContainer(Geometry.Indices, Geometry.bSourceIndices16Bit);
		Model.LODResources.push_back(std::move(LOD));
	}
	Model.Materials = Slots.GetSlots();
	Model.Bounds = FBoxSphereBounds::FromPoints(Model.LODResources.front().Positions);
	return Model;
}
