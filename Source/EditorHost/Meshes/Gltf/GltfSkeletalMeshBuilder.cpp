#include "Meshes/Gltf/GltfSkeletalMeshBuilder.h"

#include "Meshes/Gltf/GltfAxes.h"
#include "Meshes/Gltf/GltfMeshAssembly.h"

#include <algorithm>
#include <numeric>

namespace
{
	/** The vertex's influences from every JOINTS_n/WEIGHTS_n set, strongest first, summing to 1. */
	TGltfResult<FSkinWeightInfo> MakeSkinWeight(const FGltfPrimitive& Primitive, std::size_t Vertex, const FGltfSkeletonBinding& Binding)
	{
		std::vector<std::pair<float, uint16_t>> Influences;
		for (std::size_t Set = 0; Set < Primitive.JointSets.size(); ++Set)
		{
			for (int32_t Slot = 0; Slot < 4; ++Slot)
			{
				const float Weight = Primitive.WeightSets[Set][Vertex][Slot];
				const uint16_t Joint = Primitive.JointSets[Set][Vertex][Slot];
				if (Weight < 0.0f)
				{
					return MakeGltfError("vertex %zu has a negative skin weight", Vertex);
				}
				if (Weight == 0.0f)
				{
					continue;
				}
				if (Joint >= Binding.BoneOfJoint.size())
				{
					return MakeGltfError("vertex %zu follows joint %u, past the skin's %zu joints", Vertex, Joint, Binding.BoneOfJoint.size());
				}
				Influences.emplace_back(Weight, static_cast<uint16_t>(Binding.BoneOfJoint[Joint]));
			}
		}
		std::stable_sort(Influences.begin(), Influences.end(), [](const auto& A, const auto& B) { return A.first > B.first; });
		Influences.resize(std::min<std::size_t>(Influences.size(), MaxSkinInfluences));
		const float Total = std::accumulate(Influences.begin(), Influences.end(), 0.0f, [](float Sum, const auto& Influence) { return Sum + Influence.first; });
		FSkinWeightInfo Info;
		if (Influences.empty())
		{
			Info.InfluenceWeights[0] = 1.0f;
			return Info;
		}
		for (std::size_t Index = 0; Index < Influences.size(); ++Index)
		{
			Info.InfluenceBones[Index] = Influences[Index].second;
			Info.InfluenceWeights[Index] = Influences[Index].first / Total;
		}
		return Info;
	}

	std::optional<FGltfError> AppendSkinWeights(const FGltfMesh& Mesh, const FGltfSkeletonBinding& Binding, std::vector<FSkinWeightInfo>& Weights)
	{
		for (const FGltfPrimitive& Primitive : Mesh.Primitives)
		{
			if (Primitive.JointSets.empty())
			{
				return MakeGltfError("mesh %s is skinned but a primitive has no JOINTS_0", Mesh.Name.c_str());
			}
			for (std::size_t Vertex = 0; Vertex < Primitive.Positions.size(); ++Vertex)
			{
				auto Weight = MakeSkinWeight(Primitive, Vertex, Binding);
				if (!Weight)
				{
					return MakeGltfError("mesh %s: %s", Mesh.Name.c_str(), Weight.Error().Reason.c_str());
				}
				Weights.push_back(*Weight);
			}
		}
		return std::nullopt;
	}

	FMorphTarget& FindOrAddMorphTarget(std::vector<FMorphTarget>& Targets, const std::string& Name, std::size_t NumLODs)
	{
		const auto Found = std::find_if(Targets.begin(), Targets.end(), [&Name](const FMorphTarget& Target) { return Target.Name == Name; });
		if (Found != Targets.end())
		{
			return *Found;
		}
		Targets.push_back({Name, std::vector<std::vector<FMorphTargetDelta>>(NumLODs)});
		return Targets.back();
	}

	/** Adds the mesh's morph target deltas, converted, for the vertices they move; BaseVertex is where the mesh starts in the level. */
	void AppendMorphTargets(const FGltfMesh& Mesh, uint32_t BaseVertex, std::size_t LODIndex, std::size_t NumLODs, std::vector<FMorphTarget>& Targets)
	{
		for (std::size_t TargetIndex = 0; TargetIndex < Mesh.TargetNames.size(); ++TargetIndex)
		{
			std::vector<FMorphTargetDelta>& Deltas = FindOrAddMorphTarget(Targets, Mesh.TargetNames[TargetIndex], NumLODs).LODDeltas[LODIndex];
			uint32_t PrimitiveBase = BaseVertex;
			for (const FGltfPrimitive& Primitive : Mesh.Primitives)
			{
				const FGltfMorphTargetData& Data = Primitive.Targets[TargetIndex];
				for (std::size_t Vertex = 0; Vertex < Primitive.Positions.size(); ++Vertex)
				{
					const FVector3f Position = Data.PositionDeltas[Vertex];
					const FVector3f Normal = Data.NormalDeltas.empty() ? FVector3f{} : Data.NormalDeltas[Vertex];
					if (Position == FVector3f{} && Normal == FVector3f{})
					{
						continue;
					}
					Deltas.push_back({GltfAxes::ConvertPosition(FVector::FromFloat(Position)).ToFloat(), GltfAxes::ConvertDirection(FVector::FromFloat(Normal)).ToFloat(),
						PrimitiveBase + static_cast<uint32_t>(Vertex)});
				}
				PrimitiveBase += static_cast<uint32_t>(Primitive.Positions.size());
			}
		}
	}
}

TGltfResult<FSkeletalMeshModel> BuildGltfSkeletalMesh(const FGltfDocument& Document, int32_t SkinIndex, const FGltfSkeletonBinding& Binding)
{
	std::vector<int32_t> Nodes;
	for (int32_t Node = 0; Node < static_cast<int32_t>(Document.Nodes.size()); ++Node)
	{
		if (Document.Nodes[Node].Mesh >= 0 && Document.Nodes[Node].Skin == SkinIndex)
		{
			Nodes.push_back(Node);
		}
	}
	if (Nodes.empty())
	{
		return MakeGltfError("no node instances a mesh with skin %d", SkinIndex);
	}
	const std::vector<int32_t> Levels = GltfDistinctLODs(Document, Nodes);
	FSkeletalMeshModel Model;
	FGltfMaterialSlots Slots;
	for (std::size_t LODIndex = 0; LODIndex < Levels.size(); ++LODIndex)
	{
		FGltfLODGeometry Geometry;
		std::vector<FSkinWeightInfo> Weights;
		for (const int32_t Node : Nodes)
		{
			if (GltfLODOfNodeName(Document.Nodes[Node].Name) != Levels[LODIndex])
			{
				continue;
			}
			const FGltfMesh& Mesh = Document.Meshes[Document.Nodes[Node].Mesh];
			if (std::optional<FGltfError> Error = AppendSkinWeights(Mesh, Binding, Weights))
			{
				return *Error;
			}
			AppendMorphTargets(Mesh, static_cast<uint32_t>(Geometry.Positions.size()), LODIndex, Levels.size(), Model.MorphTargets);
			AppendGltfMesh(Document, Document.Nodes[Node].Mesh, FTransform::Identity(), Slots, Geometry);
		}
		FSkeletalMeshLODModel LOD;
		LOD.Positions = std::move(Geometry.Positions);
		LOD.Normals = std::move(Geometry.Normals);
		LOD.Tangents = std::move(Geometry.Tangents);
		LOD.UVs = std::move(Geometry.UVs);
		LOD.SkinWeights = std::move(Weights);
		LOD.Sections = std::move(Geometry.Sections);
		LOD.IndexBuffer = FMultiSizeIndexContainer(Geometry.Indices, Geometry.bSourceIndices16Bit);
		Model.LODModels.push_back(std::move(LOD));
	}
	Model.Materials = Slots.GetSlots();
	Model.Bounds = FBoxSphereBounds::FromPoints(Model.LODModels.front().Positions);
	return Model;
}
