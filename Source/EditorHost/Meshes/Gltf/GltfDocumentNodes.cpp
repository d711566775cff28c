#include "Meshes/Gltf/GltfDocumentParts.h"

#include "Meshes/Gltf/GltfAccessors.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>

namespace
{
	bool AllFinite(const std::vector<double>& Values)
	{
		return std::all_of(Values.begin(), Values.end(), [](double Value) { return std::isfinite(Value); });
	}

	/** Splits a column-major 4x4 matrix into translation, rotation and scale; shear is dropped. */
	TGltfResult<FTransform> DecomposeMatrix(const std::vector<double>& M, int32_t NodeIndex)
	{
		if (M[3] != 0.0 || M[7] != 0.0 || M[11] != 0.0 || M[15] != 1.0)
		{
			return MakeGltfError("node %d has a projective matrix", NodeIndex);
		}
		FVector Columns[3] = {{M[0], M[1], M[2]}, {M[4], M[5], M[6]}, {M[8], M[9], M[10]}};
		FTransform Result;
		Result.Translation = {M[12], M[13], M[14]};
		Result.Scale3D = {Columns[0].Size(), Columns[1].Size(), Columns[2].Size()};
		if (!(Result.Scale3D.X > 1e-12 && Result.Scale3D.Y > 1e-12 && Result.Scale3D.Z > 1e-12))
		{
			return MakeGltfError("node %d has a matrix that collapses an axis", NodeIndex);
		}
		if (((Columns[0] ^ Columns[1]) | Columns[2]) < 0.0)
		{
			Result.Scale3D.X = -Result.Scale3D.X;
		}
		Result.Rotation = FQuat::FromBasis(Columns[0] * (1.0 / Result.Scale3D.X), Columns[1] * (1.0 / Result.Scale3D.Y), Columns[2] * (1.0 / Result.Scale3D.Z));
		return Result;
	}

	TGltfResult<FTransform> ReadLocalTransform(const tinygltf::Node& Node, int32_t NodeIndex)
	{
		if (!AllFinite(Node.matrix) || !AllFinite(Node.translation) || !AllFinite(Node.rotation) || !AllFinite(Node.scale))
		{
			return MakeGltfError("node %d has a transform that is not finite", NodeIndex);
		}
		if (Node.matrix.size() == 16)
		{
			return DecomposeMatrix(Node.matrix, NodeIndex);
		}
		const auto SizeIs = [](const std::vector<double>& Values, std::size_t Size) { return Values.empty() || Values.size() == Size; };
		if (!Node.matrix.empty() || !SizeIs(Node.translation, 3) || !SizeIs(Node.rotation, 4) || !SizeIs(Node.scale, 3))
		{
			return MakeGltfError("node %d has a transform of the wrong size", NodeIndex);
		}
		FTransform Local;
		if (!Node.translation.empty())
		{
			Local.Translation = {Node.translation[0], Node.translation[1], Node.translation[2]};
		}
		if (!Node.rotation.empty())
		{
			Local.Rotation = {Node.rotation[0], Node.rotation[1], Node.rotation[2], Node.rotation[3]};
			if (!Local.Rotation.Normalize())
			{
				return MakeGltfError("node %d has a zero rotation quaternion", NodeIndex);
			}
		}
		if (!Node.scale.empty())
		{
			Local.Scale3D = {Node.scale[0], Node.scale[1], Node.scale[2]};
		}
		return Local;
	}
}

TGltfResult<std::vector<FGltfNode>> ReadGltfNodes(const tinygltf::Model& Model)
{
	const auto NumNodes = static_cast<int32_t>(Model.nodes.size());
	std::vector<FGltfNode> Nodes(NumNodes);
	for (int32_t Index = 0; Index < NumNodes; ++Index)
	{
		const tinygltf::Node& Source = Model.nodes[Index];
		FGltfNode& Node = Nodes[Index];
		Node.Name = Source.name.empty() ? "Node_" + std::to_string(Index) : Source.name;
		if (Source.mesh < -1 || Source.mesh >= static_cast<int32_t>(Model.meshes.size()) || Source.skin < -1 || Source.skin >= static_cast<int32_t>(Model.skins.size()))
		{
			return MakeGltfError("node %d refers to a missing mesh or skin", Index);
		}
		Node.Mesh = Source.mesh;
		Node.Skin = Source.skin;
		auto Local = ReadLocalTransform(Source, Index);
		if (!Local)
		{
			return Local.Error();
		}
		Node.Local = *Local;
	}
	for (int32_t Index = 0; Index < NumNodes; ++Index)
	{
		for (const int Child : Model.nodes[Index].children)
		{
			if (Child < 0 || Child >= NumNodes || Child == Index || Nodes[Child].Parent >= 0)
			{
				return MakeGltfError("node %d has child %d, which is missing, itself or another node's child", Index, Child);
			}
			Nodes[Child].Parent = Index;
			Nodes[Index].Children.push_back(Child);
		}
	}
	for (int32_t Index = 0; Index < NumNodes; ++Index)
	{
		int32_t Steps = 0;
		for (int32_t Ancestor = Nodes[Index].Parent; Ancestor >= 0; Ancestor = Nodes[Ancestor].Parent)
		{
			if (++Steps > NumNodes)
			{
				return MakeGltfError("the node hierarchy has a cycle through node %d", Index);
			}
		}
	}
	return Nodes;
}

TGltfResult<std::vector<FGltfSkin>> ReadGltfSkins(const tinygltf::Model& Model)
{
	std::vector<FGltfSkin> Skins;
	for (std::size_t Index = 0; Index < Model.skins.size(); ++Index)
	{
		const tinygltf::Skin& Source = Model.skins[Index];
		if (Source.joints.empty())
		{
			return MakeGltfError("skin %zu has no joints", Index);
		}
		std::vector<int32_t> Sorted(Source.joints.begin(), Source.joints.end());
		std::sort(Sorted.begin(), Sorted.end());
		if (Sorted.front() < 0 || Sorted.back() >= static_cast<int32_t>(Model.nodes.size()) || std::adjacent_find(Sorted.begin(), Sorted.end()) != Sorted.end())
		{
			return MakeGltfError("skin %zu has a joint that refers to a missing node or is listed twice", Index);
		}
		if (Source.inverseBindMatrices >= 0)
		{
			const auto Matrices = ReadGltfFloats(Model, Source.inverseBindMatrices, 16, "inverse bind matrices");
			if (!Matrices)
			{
				return Matrices.Error();
			}
			if (Matrices->Count < Source.joints.size())
			{
				return MakeGltfError("skin %zu has fewer inverse bind matrices than joints", Index);
			}
		}
		Skins.push_back({Source.name, std::vector<int32_t>(Source.joints.begin(), Source.joints.end())});
	}
	return Skins;
}
