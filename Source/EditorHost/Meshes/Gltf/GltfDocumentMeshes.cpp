#include "Meshes/Gltf/GltfDocumentParts.h"

#include "Meshes/Gltf/GltfAccessors.h"

#include <tiny_gltf.h>

#include <map>
#include <optional>
#include <string>

namespace
{
	constexpr int32_t MaxTexCoordSets = 8;
	constexpr int32_t MaxSkinSets = 2;

	std::optional<int32_t> FindAttribute(const std::map<std::string, int>& Attributes, const std::string& Name)
	{
		const auto Found = Attributes.find(Name);
		return Found == Attributes.end() ? std::nullopt : std::optional<int32_t>(Found->second);
	}

	/** Groups N consecutive floats into one T (an aggregate of N floats). */
	template <typename T, int32_t N>
	std::vector<T> GroupFloats(const std::vector<float>& Values)
	{
		std::vector<T> Result;
		Result.reserve(Values.size() / N);
		for (std::size_t First = 0; First + N <= Values.size(); First += N)
		{
			const float* V = &Values[First];
			if constexpr (N == 2)
			{
				Result.push_back(T{V[0], V[1]});
			}
			else if constexpr (N == 3)
			{
				Result.push_back(T{V[0], V[1], V[2]});
			}
			else
			{
				Result.push_back(T{V[0], V[1], V[2], V[3]});
			}
		}
		return Result;
	}

	/** Reads a float attribute of Count elements of N components into a vector of T (an aggregate of N floats). */
	template <typename T, int32_t N>
	TGltfResult<std::vector<T>> ReadAttribute(const tinygltf::Model& Model, int32_t Accessor, std::size_t Count, const std::string& What)
	{
		auto Elements = ReadGltfFloats(Model, Accessor, N, What);
		if (!Elements)
		{
			return Elements.Error();
		}
		if (Elements->Count != Count)
		{
			return MakeGltfError("%s has %zu elements for %zu vertices", What.c_str(), Elements->Count, Count);
		}
		return GroupFloats<T, N>(Elements->Values);
	}

	std::optional<FGltfError> ReadSkinSets(const tinygltf::Model& Model, const tinygltf::Primitive& Source, FGltfPrimitive& Primitive)
	{
		const std::size_t Count = Primitive.Positions.size();
		for (int32_t Set = 0; Set < MaxSkinSets; ++Set)
		{
			const auto Joints = FindAttribute(Source.attributes, "JOINTS_" + std::to_string(Set));
			const auto Weights = FindAttribute(Source.attributes, "WEIGHTS_" + std::to_string(Set));
			if (!Joints && !Weights)
			{
				break;
			}
			if (!Joints || !Weights)
			{
				return MakeGltfError("a primitive has JOINTS_%d and WEIGHTS_%d unpaired", Set, Set);
			}
			const auto JointValues = ReadGltfIntegers(Model, *Joints, 4, 2, "JOINTS_" + std::to_string(Set));
			if (!JointValues)
			{
				return JointValues.Error();
			}
			auto WeightValues = ReadAttribute<std::array<float, 4>, 4>(Model, *Weights, Count, "WEIGHTS_" + std::to_string(Set));
			if (!WeightValues)
			{
				return WeightValues.Error();
			}
			if (JointValues->Count != Count)
			{
				return MakeGltfError("JOINTS_%d has %zu elements for %zu vertices", Set, JointValues->Count, Count);
			}
			std::vector<std::array<uint16_t, 4>> JointSet(Count);
			for (std::size_t Vertex = 0; Vertex < Count; ++Vertex)
			{
				for (int32_t Influence = 0; Influence < 4; ++Influence)
				{
					JointSet[Vertex][Influence] = static_cast<uint16_t>(JointValues->Values[Vertex * 4 + Influence]);
				}
			}
			Primitive.JointSets.push_back(std::move(JointSet));
			Primitive.WeightSets.push_back(std::move(*WeightValues));
		}
		return std::nullopt;
	}

	std::optional<FGltfError> ReadIndices(const tinygltf::Model& Model, const tinygltf::Primitive& Source, FGltfPrimitive& Primitive)
	{
		const std::size_t NumVertices = Primitive.Positions.size();
		if (Source.indices < 0)
		{
			if (NumVertices % 3 != 0)
			{
				return MakeGltfError("a primitive without indices has %zu vertices, not whole triangles", NumVertices);
			}
			for (std::size_t Vertex = 0; Vertex < NumVertices; ++Vertex)
			{
				Primitive.Indices.push_back(static_cast<uint32_t>(Vertex));
			}
			return std::nullopt;
		}
		auto Indices = ReadGltfIntegers(Model, Source.indices, 1, 4, "indices");
		if (!Indices)
		{
			return Indices.Error();
		}
		if (Indices->Count % 3 != 0)
		{
			return MakeGltfError("a primitive has %zu indices, not whole triangles", Indices->Count);
		}
		for (const uint32_t Index : Indices->Values)
		{
			if (Index >= NumVertices)
			{
				return MakeGltfError("index %u is out of range for %zu vertices", Index, NumVertices);
			}
		}
		Primitive.Indices = std::move(Indices->Values);
		Primitive.SourceIndexBytes = Indices->ComponentBytes;
		return std::nullopt;
	}

	std::optional<FGltfError> ReadTargets(const tinygltf::Model& Model, const tinygltf::Primitive& Source, FGltfPrimitive& Primitive)
	{
		const std::size_t Count = Primitive.Positions.size();
		for (const std::map<std::string, int>& Target : Source.targets)
		{
			FGltfMorphTargetData Data;
			if (const auto Position = FindAttribute(Target, "POSITION"))
			{
				auto Deltas = ReadAttribute<FVector3f, 3>(Model, *Position, Count, "morph target POSITION");
				if (!Deltas)
				{
					return Deltas.Error();
				}
				Data.PositionDeltas = std::move(*Deltas);
			}
			else
			{
				Data.PositionDeltas.assign(Count, FVector3f{});
			}
			if (const auto Normal = FindAttribute(Target, "NORMAL"))
			{
				auto Deltas = ReadAttribute<FVector3f, 3>(Model, *Normal, Count, "morph target NORMAL");
				if (!Deltas)
				{
					return Deltas.Error();
				}
				Data.NormalDeltas = std::move(*Deltas);
			}
			Primitive.Targets.push_back(std::move(Data));
		}
		return std::nullopt;
	}

	TGltfResult<FGltfPrimitive> ReadPrimitive(const tinygltf::Model& Model, const tinygltf::Primitive& Source)
	{
		if (Source.mode != -1 && Source.mode != TINYGLTF_MODE_TRIANGLES)
		{
			return MakeGltfError("a primitive has mode %d; only triangle lists are read", Source.mode);
		}
		if (Source.material < -1 || Source.material >= static_cast<int32_t>(Model.materials.size()))
		{
			return MakeGltfError("a primitive refers to missing material %d", Source.material);
		}
		FGltfPrimitive Primitive;
		Primitive.Material = Source.material;
		const auto Position = FindAttribute(Source.attributes, "POSITION");
		if (!Position)
		{
			return MakeGltfError("a primitive has no POSITION");
		}
		auto Positions = ReadGltfFloats(Model, *Position, 3, "POSITION");
		if (!Positions)
		{
			return Positions.Error();
		}
		const std::size_t Count = Positions->Count;
		Primitive.Positions = GroupFloats<FVector3f, 3>(Positions->Values);
		if (const auto Normal = FindAttribute(Source.attributes, "NORMAL"))
		{
			auto Normals = ReadAttribute<FVector3f, 3>(Model, *Normal, Count, "NORMAL");
			if (!Normals)
			{
				return Normals.Error();
			}
			Primitive.Normals = std::move(*Normals);
		}
		if (const auto Tangent = FindAttribute(Source.attributes, "TANGENT"))
		{
			auto Tangents = ReadAttribute<FVector4f, 4>(Model, *Tangent, Count, "TANGENT");
			if (!Tangents)
			{
				return Tangents.Error();
			}
			Primitive.Tangents = std::move(*Tangents);
		}
		for (int32_t Set = 0; Set < MaxTexCoordSets; ++Set)
		{
			const auto TexCoord = FindAttribute(Source.attributes, "TEXCOORD_" + std::to_string(Set));
			if (!TexCoord)
			{
				break;
			}
			auto UVs = ReadAttribute<FVector2f, 2>(Model, *TexCoord, Count, "TEXCOORD_" + std::to_string(Set));
			if (!UVs)
			{
				return UVs.Error();
			}
			Primitive.TexCoords.push_back(std::move(*UVs));
		}
		for (const auto Step : {&ReadSkinSets, &ReadIndices, &ReadTargets})
		{
			if (std::optional<FGltfError> Error = Step(Model, Source, Primitive))
			{
				return *Error;
			}
		}
		return Primitive;
	}

	std::vector<std::string> ReadTargetNames(const tinygltf::Mesh& Mesh, std::size_t NumTargets)
	{
		std::vector<std::string> Names;
		const tinygltf::Value& Listed = Mesh.extras.Get("targetNames");
		if (Listed.IsArray() && Listed.ArrayLen() == NumTargets)
		{
			for (std::size_t Index = 0; Index < NumTargets; ++Index)
			{
				const tinygltf::Value& Name = Listed.Get(static_cast<int>(Index));
				Names.push_back(Name.IsString() && !Name.Get<std::string>().empty() ? Name.Get<std::string>() : "MorphTarget_" + std::to_string(Index));
			}
			return Names;
		}
		for (std::size_t Index = 0; Index < NumTargets; ++Index)
		{
			Names.push_back("MorphTarget_" + std::to_string(Index));
		}
		return Names;
	}
}

TGltfResult<std::vector<FGltfMesh>> ReadGltfMeshes(const tinygltf::Model& Model)
{
	std::vector<FGltfMesh> Meshes;
	for (std::size_t MeshIndex = 0; MeshIndex < Model.meshes.size(); ++MeshIndex)
	{
		const tinygltf::Mesh& Source = Model.meshes[MeshIndex];
		if (Source.primitives.empty())
		{
			return MakeGltfError("mesh %zu has no primitives", MeshIndex);
		}
		FGltfMesh Mesh;
		Mesh.Name = Source.name.empty() ? "Mesh_" + std::to_string(MeshIndex) : Source.name;
		for (const tinygltf::Primitive& SourcePrimitive : Source.primitives)
		{
			auto Primitive = ReadPrimitive(Model, SourcePrimitive);
			if (!Primitive)
			{
				return MakeGltfError("mesh %zu: %s", MeshIndex, Primitive.Error().Reason.c_str());
			}
			if (Primitive->Targets.size() != Source.primitives.front().targets.size())
			{
				return MakeGltfError("mesh %zu has primitives with different numbers of morph targets", MeshIndex);
			}
			Mesh.Primitives.push_back(std::move(*Primitive));
		}
		Mesh.TargetNames = ReadTargetNames(Source, Source.primitives.front().targets.size());
		Meshes.push_back(std::move(Mesh));
	}
	return Meshes;
}
