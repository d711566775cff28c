#include "Endpoints/SkeletonEndpoints.h"

#include "Endpoints/AnimationJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "RequestConventions.h"

#include "Animation/Skeleton.h"
#include "Core/Base64.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <bit>

namespace
{
	constexpr float HighPrecisionNormalScale = 1.0f / 32767.0f;
	constexpr float NormalScale = 1.0f / 127.0f;

	template <typename T>
	std::vector<FAssetData> GetGameAssetsOf()
	{
		const FTopLevelAssetPath ClassPath = T::StaticClass()->GetClassPathName();
		return GetGameAssetsOfClass(ClassPath.PackageName, ClassPath.AssetName, true);
	}

	std::shared_ptr<FJsonObject> MakeSkeletalListEntry(const FAssetData& Asset)
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("packagePath", Asset.PackagePath);
		return Entry;
	}

	FJsonValueArray MakeNumberArray(std::initializer_list<double> Numbers)
	{
		return FJsonValueArray(Numbers.begin(), Numbers.end());
	}

	std::shared_ptr<FJsonObject> MakeBoneJson(const FReferenceSkeleton& Bones, int32_t BoneIndex)
	{
		const FMeshBoneInfo& Info = Bones.GetRefBoneInfo()[BoneIndex];
		const FTransform& Pose = Bones.GetRefBonePose()[BoneIndex];
		auto Bone = std::make_shared<FJsonObject>();
		Bone->SetStringField("name", Info.Name);
		Bone->SetNumberField("index", BoneIndex);
		Bone->SetNumberField("parent", Info.ParentIndex);
		Bone->SetArrayField("position", MakeNumberArray({Pose.Translation.X, Pose.Translation.Y, Pose.Translation.Z}));
		Bone->SetArrayField("rotation", MakeNumberArray({Pose.Rotation.X, Pose.Rotation.Y, Pose.Rotation.Z, Pose.Rotation.W}));
		Bone->SetArrayField("scale", MakeNumberArray({Pose.Scale3D.X, Pose.Scale3D.Y, Pose.Scale3D.Z}));
		FJsonValueArray Children;
		for (int32_t Other = 0; Other < Bones.Num(); ++Other)
		{
			if (Bones.GetRefBoneInfo()[Other].ParentIndex == BoneIndex)
			{
				Children.emplace_back(Other);
			}
		}
		Bone->SetArrayField("children", std::move(Children));
		return Bone;
	}

	/** Little-endian bytes of 32-bit values, whatever the machine's own order. */
	class FLittleEndianWriter
	{
	public:
		void Write(uint32_t Value)
		{
			for (int Shift = 0; Shift < 32; Shift += 8)
			{
				Bytes.push_back(static_cast<uint8_t>(Value >> Shift));
			}
		}
		void Write(float Value) { Write(std::bit_cast<uint32_t>(Value)); }
		std::string Encode() const { return FBase64::Encode(Bytes); }

	private:
		std::vector<uint8_t> Bytes;
	};

	/** The third tangent basis vector of every vertex, decoded from its stored width. */
	template <typename TPacked>
	void WriteNormals(const FStaticMeshVertexBuffer& Tangents, float Scale, FLittleEndianWriter& Normals)
	{
		for (const TStaticMeshVertexTangent<TPacked>& Basis : Tangents.GetTangentData<TPacked>())
		{
			Normals.Write(Basis.TangentZ.X * Scale);
			Normals.Write(Basis.TangentZ.Y * Scale);
			Normals.Write(Basis.TangentZ.Z * Scale);
		}
	}
}

std::shared_ptr<FJsonObject> ListSkeletons()
{
	FJsonValueArray Skeletons;
	for (const FAssetData& Asset : GetGameAssetsOf<USkeleton>())
	{
		std::shared_ptr<FJsonObject> Entry = MakeSkeletalListEntry(Asset);
		if (const USkeleton* Skeleton = Cast<USkeleton>(Asset.GetAsset()))
		{
			Entry->SetNumberField("boneCount", Skeleton->GetReferenceSkeleton().Num());
		}
		Skeletons.emplace_back(std::move(Entry));
	}
	return MakeListResponse("skeletons", std::move(Skeletons));
}

std::shared_ptr<FJsonObject> GetSkeletonHierarchy(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	const USkeleton* Skeleton = LoadObject<USkeleton>(Request.Path);
	if (Skeleton == nullptr)
	{
		return MakeErrorResponse("Skeleton not found");
	}

	const FReferenceSkeleton& Bones = Skeleton->GetReferenceSkeleton();
	auto Hierarchy = std::make_shared<FJsonObject>();
	Hierarchy->SetStringField("name", Skeleton->GetName());
	Hierarchy->SetStringField("path", Request.Path);
	Hierarchy->SetNumberField("boneCount", Bones.Num());
	FJsonValueArray BoneArray;
	for (int32_t BoneIndex = 0; BoneIndex < Bones.Num(); ++BoneIndex)
	{
		BoneArray.emplace_back(MakeBoneJson(Bones, BoneIndex));
	}
	Hierarchy->SetArrayField("bones", std::move(BoneArray));
	return Hierarchy;
}

std::shared_ptr<FJsonObject> ListSkeletalMeshes()
{
	FJsonValueArray Meshes;
	for (const FAssetData& Asset : GetGameAssetsOf<USkeletalMesh>())
	{
		std::shared_ptr<FJsonObject> Entry = MakeSkeletalListEntry(Asset);
		SetRegistryTagField(*Entry, Asset, "Skeleton", "skeleton");
		if (const USkeletalMesh* Mesh = Cast<USkeletalMesh>(Asset.GetAsset()))
		{
			Entry->SetNumberField("lodCount", Mesh->GetLODNum());
			Entry->SetArrayField("materialSlots", MakeMaterialSlotsJson(*Mesh));
			Entry->SetArrayField("morphTargets", MakeMorphTargetNamesJson(*Mesh));
		}
		Meshes.emplace_back(std::move(Entry));
	}
	return MakeListResponse("skeletalMeshes", std::move(Meshes));
}

std::shared_ptr<FJsonObject> GetSkeletalMeshGeometry(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (!Request)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> Path = Request->TryGetStringField("path");
	if (!Path || !IsValidAssetPath(*Path))
	{
		return MakeFailureResponse("Missing or invalid 'path'");
	}
	const USkeletalMesh* Mesh = LoadObject<USkeletalMesh>(*Path);
	if (Mesh == nullptr)
	{
		return MakeFailureResponse("Skeletal mesh not found");
	}
	const FSkeletalMeshRenderData* RenderData = Mesh->GetResourceForRendering();
	if (RenderData == nullptr || RenderData->LODRenderData.empty())
	{
		return MakeFailureResponse("Mesh has no render data");
	}
	const int32_t NumLODs = static_cast<int32_t>(RenderData->LODRenderData.size());
	const int32_t LODIndex = std::max(std::min(Request->TryGetInt32Field("lod").value_or(0), NumLODs - 1), 0);
	const FSkeletalMeshLODRenderData& LOD = RenderData->LODRenderData[LODIndex];

	const FPositionVertexBuffer& PositionBuffer = LOD.StaticVertexBuffers.PositionVertexBuffer;
	const FStaticMeshVertexBuffer& TangentBuffer = LOD.StaticVertexBuffers.StaticMeshVertexBuffer;
	const uint32_t VertexCount = PositionBuffer.GetNumVertices();
	FLittleEndianWriter Positions;
	for (uint32_t Vertex = 0; Vertex < VertexCount; ++Vertex)
	{
		const FVector3f& Position = PositionBuffer.VertexPosition(Vertex);
		Positions.Write(Position.X);
		Positions.Write(Position.Y);
		Positions.Write(Position.Z);
	}
	FLittleEndianWriter Normals;
	if (TangentBuffer.GetUseHighPrecisionTangentBasis())
	{
		WriteNormals<FPackedRGBA16N>(TangentBuffer, HighPrecisionNormalScale, Normals);
	}
	else
	{
		WriteNormals<FPackedNormal>(TangentBuffer, NormalScale, Normals);
	}
	const std::vector<uint32_t> IndexBuffer = LOD.MultiSizeIndexContainer.GetIndexBuffer();
	FLittleEndianWriter Indices;
	for (const uint32_t Index : IndexBuffer)
	{
		Indices.Write(Index);
	}

	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("positions", Positions.Encode());
	Response->SetStringField("normals", Normals.Encode());
	Response->SetStringField("indices", Indices.Encode());
	Response->SetNumberField("vertexCount", VertexCount);
	Response->SetNumberField("indexCount", static_cast<double>(IndexBuffer.size()));
	Response->SetNumberField("lod", LODIndex);
	Response->SetBoolField("success", true);
	return Response;
}
