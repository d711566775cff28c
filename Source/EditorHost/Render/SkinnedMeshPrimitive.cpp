#include "Render/SkinnedMeshPrimitive.h"

#include "Materials/Material.h"
#include "Meshes/SkeletalMesh.h"

#include <algorithm>

namespace
{
	/** What moves a point from the bone's reference pose to its posed place: the pose after the inverse of the reference. */
	struct FBoneSkin
	{
		FTransform Reference;
		FTransform Pose;

		FVector Position(const FVector& Point) const
		{
			const FVector Local = Reference.Rotation.Inverse().RotateVector(Point - Reference.Translation);
			return Pose.TransformPosition(FVector{SafeDivide(Local.X, Reference.Scale3D.X), SafeDivide(Local.Y, Reference.Scale3D.Y), SafeDivide(Local.Z, Reference.Scale3D.Z)});
		}
		FVector Direction(const FVector& Vector) const { return Pose.Rotation.RotateVector(Reference.Rotation.Inverse().RotateVector(Vector)); }

		static double SafeDivide(double Value, double Scale) { return Scale != 0.0 ? Value / Scale : Value; }
	};

	FVector3f Normalized(const FVector& V)
	{
		const double Length = V.Size();
		return Length > 1e-12 ? (V * (1.0 / Length)).ToFloat() : FVector3f{0.0f, 0.0f, 1.0f};
	}
}

std::optional<FDynamicMeshPrimitive> MakeSkinnedMeshPrimitive(const USkeletalMesh& Mesh, std::span<const FTransform> ComponentSpaceBoneTransforms,
	std::span<UMaterialInterface* const> OverrideMaterials)
{
	const FSkeletalMeshModel* Model = Mesh.GetImportedModel();
	if (Model == nullptr || Model->LODModels.empty())
	{
		return std::nullopt;
	}
	const FSkeletalMeshLODModel& LOD = Model->LODModels.front();
	const FReferenceSkeleton& Skeleton = Mesh.GetRefSkeleton();
	std::vector<FBoneSkin> Bones(static_cast<std::size_t>(Skeleton.Num()));
	for (int32_t Bone = 0; Bone < Skeleton.Num(); ++Bone)
	{
		Bones[Bone].Reference = Skeleton.GetComponentSpaceTransform(Bone);
		Bones[Bone].Pose = Bone < static_cast<int32_t>(ComponentSpaceBoneTransforms.size()) ? ComponentSpaceBoneTransforms[Bone] : Bones[Bone].Reference;
	}

	FDynamicMeshPrimitive Primitive;
	const std::size_t NumVertices = LOD.Positions.size();
	Primitive.Positions.reserve(NumVertices);
	Primitive.Normals.reserve(NumVertices);
	const bool bTangents = LOD.Tangents.size() == NumVertices;
	for (std::size_t Index = 0; Index < NumVertices; ++Index)
	{
		const FVector Position = FVector::FromFloat(LOD.Positions[Index]);
		const FVector Normal = Index < LOD.Normals.size() ? FVector::FromFloat(LOD.Normals[Index]) : FVector{0.0, 0.0, 1.0};
		const FVector Tangent = bTangents ? FVector{LOD.Tangents[Index].X, LOD.Tangents[Index].Y, LOD.Tangents[Index].Z} : FVector{1.0, 0.0, 0.0};
		FVector SkinnedPosition;
		FVector SkinnedNormal;
		FVector SkinnedTangent;
		double TotalWeight = 0.0;
		if (Index < LOD.SkinWeights.size())
		{
			const FSkinWeightInfo& Weights = LOD.SkinWeights[Index];
			for (int32_t Influence = 0; Influence < MaxSkinInfluences; ++Influence)
			{
				const double Weight = Weights.InfluenceWeights[Influence];
				const uint16_t Bone = Weights.InfluenceBones[Influence];
				if (Weight <= 0.0 || Bone >= Bones.size())
				{
					continue;
				}
				SkinnedPosition = SkinnedPosition + Bones[Bone].Position(Position) * Weight;
				SkinnedNormal = SkinnedNormal + Bones[Bone].Direction(Normal) * Weight;
				SkinnedTangent = SkinnedTangent + Bones[Bone].Direction(Tangent) * Weight;
				TotalWeight += Weight;
			}
		}
		if (TotalWeight <= 0.0)
		{
			SkinnedPosition = Position;
			SkinnedNormal = Normal;
			SkinnedTangent = Tangent;
		}
		else
		{
			SkinnedPosition = SkinnedPosition * (1.0 / TotalWeight);
		}
		Primitive.Positions.push_back(SkinnedPosition.ToFloat());
		Primitive.Normals.push_back(Normalized(SkinnedNormal));
		if (bTangents)
		{
			const FVector3f T = Normalized(SkinnedTangent);
			Primitive.Tangents.push_back({T.X, T.Y, T.Z, LOD.Tangents[Index].W});
		}
	}
	if (!LOD.UVs.empty())
	{
		Primitive.UV0 = LOD.UVs.front();
	}
	Primitive.Indices = LOD.IndexBuffer.GetIndexBuffer();
	const std::vector<FSkeletalMaterial>& Slots = Mesh.GetMaterials();
	for (const FMeshSection& Section : LOD.Sections)
	{
		const int32_t Slot = Section.MaterialIndex;
		UMaterialInterface* Material = Slot >= 0 && Slot < static_cast<int32_t>(OverrideMaterials.size()) ? OverrideMaterials[Slot] : nullptr;
		if (Material == nullptr && Slot >= 0 && Slot < static_cast<int32_t>(Slots.size()))
		{
			Material = Cast<UMaterialInterface>(Slots[Slot].MaterialInterface.TryLoad());
		}
		Primitive.Sections.push_back({Section.BaseIndex, Section.NumTriangles * 3, Material});
	}
	return Primitive;
}
