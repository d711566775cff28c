#include "Meshes/Gltf/GltfSkeletonBinding.h"

#include "Meshes/Gltf/GltfAxes.h"

namespace
{
	/** The nearest ancestor of Node that is a joint, or -1, and the transform of the nodes passed on the way. */
	struct FJointParent
	{
		int32_t Node = -1;
		FTransform Chain;
	};

	FJointParent FindJointParent(const FGltfDocument& Document, const std::vector<bool>& bIsJoint, int32_t Node)
	{
		FJointParent Result;
		for (int32_t Ancestor = Document.Nodes[Node].Parent; Ancestor >= 0; Ancestor = Document.Nodes[Ancestor].Parent)
		{
			if (bIsJoint[Ancestor])
			{
				Result.Node = Ancestor;
				return Result;
			}
			Result.Chain = Result.Chain * Document.Nodes[Ancestor].Local;
		}
		return Result;
	}
}

TGltfResult<FGltfSkeletonBinding> BindGltfSkeleton(const FGltfDocument& Document, int32_t SkinIndex)
{
	const FGltfSkin& Skin = Document.Skins[SkinIndex];
	const auto NumNodes = static_cast<int32_t>(Document.Nodes.size());
	std::vector<bool> bIsJoint(NumNodes, false);
	for (const int32_t Joint : Skin.Joints)
	{
		bIsJoint[Joint] = true;
	}
	std::vector<FJointParent> Parents(NumNodes);
	std::vector<std::vector<int32_t>> JointChildren(NumNodes);
	std::vector<int32_t> Roots;
	for (const int32_t Joint : Skin.Joints)
	{
		Parents[Joint] = FindJointParent(Document, bIsJoint, Joint);
		(Parents[Joint].Node < 0 ? Roots : JointChildren[Parents[Joint].Node]).push_back(Joint);
	}
	if (Roots.size() != 1)
	{
		return MakeGltfError("skin %d has %zu root joints; the editor's skeleton needs exactly one", SkinIndex, Roots.size());
	}

	FGltfSkeletonBinding Binding;
	Binding.BoneOfNode.assign(NumNodes, -1);
	// Depth-first, children in the order the skin lists them, so every parent precedes its children.
	std::vector<int32_t> Pending{Roots.front()};
	while (!Pending.empty())
	{
		const int32_t Node = Pending.back();
		Pending.pop_back();
		const int32_t ParentNode = Parents[Node].Node;
		const int32_t ParentBone = ParentNode < 0 ? -1 : Binding.BoneOfNode[ParentNode];
		const FTransform GltfLocal = Document.Nodes[Node].Local * Parents[Node].Chain;
		if (!Binding.Skeleton.Add({Document.Nodes[Node].Name, ParentBone}, GltfAxes::ConvertTransform(GltfLocal)))
		{
			return MakeGltfError("skin %d names two bones %s", SkinIndex, Document.Nodes[Node].Name.c_str());
		}
		Binding.BoneOfNode[Node] = Binding.Skeleton.Num() - 1;
		Binding.ParentChain.push_back(Parents[Node].Chain);
		Pending.insert(Pending.end(), JointChildren[Node].rbegin(), JointChildren[Node].rend());
	}
	for (const int32_t Joint : Skin.Joints)
	{
		Binding.BoneOfJoint.push_back(Binding.BoneOfNode[Joint]);
	}
	return Binding;
}
