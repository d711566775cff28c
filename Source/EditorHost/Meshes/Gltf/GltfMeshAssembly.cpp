#include "Meshes/Gltf/GltfMeshAssembly.h"

#include "Meshes/Gltf/GltfAxes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace
{
	FVector3f Normalized(const FVector& V, const FVector3f& Fallback)
	{
		const double Size = V.Size();
		return Size > 1e-20 ? (V * (1.0 / Size)).ToFloat() : Fallback;
	}

	/** Area-weighted face normals by the editor's rule, (C - A) ^ (B - A), summed at the corners. */
	void MakeNormals(FGltfLODGeometry& Geometry, uint32_t FirstVertex, std::size_t FirstIndex)
	{
		std::vector<FVector> Sums(Geometry.Positions.size() - FirstVertex);
		for (std::size_t Corner = FirstIndex; Corner + 2 < Geometry.Indices.size(); Corner += 3)
		{
			const uint32_t A = Geometry.Indices[Corner];
			const uint32_t B = Geometry.Indices[Corner + 1];
			const uint32_t C = Geometry.Indices[Corner + 2];
			const FVector PA = FVector::FromFloat(Geometry.Positions[A]);
			const FVector Face = (FVector::FromFloat(Geometry.Positions[C]) - PA) ^ (FVector::FromFloat(Geometry.Positions[B]) - PA);
			for (const uint32_t Vertex : {A, B, C})
			{
				Sums[Vertex - FirstVertex] = Sums[Vertex - FirstVertex] + Face;
			}
		}
		for (std::size_t Vertex = 0; Vertex < Sums.size(); ++Vertex)
		{
			Geometry.Normals[FirstVertex + Vertex] = Normalized(Sums[Vertex], {0.0f, 0.0f, 1.0f});
		}
	}
}

int32_t FGltfMaterialSlots::SlotFor(const FGltfDocument& Document, int32_t Material)
{
	const auto Found = std::find(MaterialOfSlot.begin(), MaterialOfSlot.end(), Material);
	if (Found != MaterialOfSlot.end())
	{
		return static_cast<int32_t>(Found - MaterialOfSlot.begin());
	}
	std::string Name = Material < 0 ? "DefaultMaterial" : Document.MaterialNames[Material];
	if (Name.empty())
	{
		Name = "Material_" + std::to_string(Material);
	}
	Slots.push_back({std::move(Name)});
	MaterialOfSlot.push_back(Material);
	return static_cast<int32_t>(Slots.size()) - 1;
}

void AppendGltfMesh(const FGltfDocument& Document, int32_t MeshIndex, const FTransform& Bake, FGltfMaterialSlots& Slots, FGltfLODGeometry& Geometry)
{
	const bool bMirrored = Bake.Scale3D.X * Bake.Scale3D.Y * Bake.Scale3D.Z < 0.0;
	const FVector InverseScale{1.0 / Bake.Scale3D.X, 1.0 / Bake.Scale3D.Y, 1.0 / Bake.Scale3D.Z};
	bool bAllTangents = Geometry.Positions.empty() || !Geometry.Tangents.empty();
	for (const FGltfPrimitive& Primitive : Document.Meshes[MeshIndex].Primitives)
	{
		const auto BaseVertex = static_cast<uint32_t>(Geometry.Positions.size());
		const std::size_t BaseIndex = Geometry.Indices.size();
		const std::size_t Count = Primitive.Positions.size();
		for (std::size_t Vertex = 0; Vertex < Count; ++Vertex)
		{
			Geometry.Positions.push_back(GltfAxes::ConvertPosition(Bake.TransformPosition(FVector::FromFloat(Primitive.Positions[Vertex]))).ToFloat());
			const FVector Normal = Primitive.Normals.empty() ? FVector{} : Bake.Rotation.RotateVector(FVector::FromFloat(Primitive.Normals[Vertex]) * InverseScale);
			Geometry.Normals.push_back(Normalized(GltfAxes::ConvertDirection(Normal), {0.0f, 0.0f, 1.0f}));
			if (!Primitive.Tangents.empty())
			{
				const FVector4f& T = Primitive.Tangents[Vertex];
				const FVector3f Direction = Normalized(Bake.TransformVector({T.X, T.Y, T.Z}), {1.0f, 0.0f, 0.0f});
				Geometry.Tangents.push_back(GltfAxes::ConvertTangent({Direction.X, Direction.Y, Direction.Z, bMirrored ? -T.W : T.W}));
			}
		}
		bAllTangents = bAllTangents && !Primitive.Tangents.empty();
		if (Geometry.UVs.size() < Primitive.TexCoords.size())
		{
			Geometry.UVs.resize(Primitive.TexCoords.size(), std::vector<FVector2f>(BaseVertex));
		}
		for (std::size_t Channel = 0; Channel < Geometry.UVs.size(); ++Channel)
		{
			std::vector<FVector2f>& UVs = Geometry.UVs[Channel];
			if (Channel < Primitive.TexCoords.size())
			{
				UVs.insert(UVs.end(), Primitive.TexCoords[Channel].begin(), Primitive.TexCoords[Channel].end());
			}
			else
			{
				UVs.resize(UVs.size() + Count);
			}
		}
		for (std::size_t Corner = 0; Corner < Primitive.Indices.size(); Corner += 3)
		{
			Geometry.Indices.push_back(BaseVertex + Primitive.Indices[Corner]);
			Geometry.Indices.push_back(BaseVertex + Primitive.Indices[Corner + (bMirrored ? 2 : 1)]);
			Geometry.Indices.push_back(BaseVertex + Primitive.Indices[Corner + (bMirrored ? 1 : 2)]);
		}
		Geometry.bSourceIndices16Bit = Geometry.bSourceIndices16Bit && Primitive.SourceIndexBytes != 4;
		if (Primitive.Normals.empty())
		{
			MakeNormals(Geometry, BaseVertex, BaseIndex);
		}
		Geometry.Sections.push_back({Slots.SlotFor(Document, Primitive.Material), static_cast<uint32_t>(BaseIndex), static_cast<uint32_t>(Primitive.Indices.size() / 3), BaseVertex,
			static_cast<uint32_t>(Count)});
	}
	if (!bAllTangents)
	{
		Geometry.Tangents.clear();
	}
}

int32_t GltfLODOfNodeName(std::string_view Name)
{
	const std::size_t Marker = Name.size() >= 5 ? Name.rfind('_') : std::string_view::npos;
	if (Marker == std::string_view::npos || Name.size() - Marker < 5)
	{
		return 0;
	}
	const std::string_view Suffix = Name.substr(Marker + 1);
	const auto Lower = [](char C) { return static_cast<char>(std::tolower(static_cast<unsigned char>(C))); };
	if (Lower(Suffix[0]) != 'l' || Lower(Suffix[1]) != 'o' || Lower(Suffix[2]) != 'd')
	{
		return 0;
	}
	int32_t Level = 0;
	const auto [End, Error] = std::from_chars(Suffix.data() + 3, Suffix.data() + Suffix.size(), Level);
	return Error == std::errc() && End == Suffix.data() + Suffix.size() && Level >= 0 ? Level : 0;
}

std::vector<int32_t> GltfDistinctLODs(const FGltfDocument& Document, const std::vector<int32_t>& Nodes)
{
	std::vector<int32_t> Levels;
	for (const int32_t Node : Nodes)
	{
		Levels.push_back(GltfLODOfNodeName(Document.Nodes[Node].Name));
	}
	std::sort(Levels.begin(), Levels.end());
	Levels.erase(std::unique(Levels.begin(), Levels.end()), Levels.end());
	return Levels;
}
