#include "Meshes/Gltf/GltfFile.h"

#include "Core/FileSystem.h"
#include "Core/LogHost.h"
#include "Meshes/Gltf/GltfAnimationBuilder.h"
#include "Meshes/Gltf/GltfSkeletalMeshBuilder.h"
#include "Meshes/Gltf/GltfSkeletonBinding.h"
#include "Meshes/Gltf/GltfStaticMeshBuilder.h"

#include <filesystem>

namespace
{
	void LogRefusal(std::string_view SourceName, std::string_view Reason)
	{
		UE_LOG(LogHost, Warning, "Refusing glTF file '%.*s': %.*s", static_cast<int>(SourceName.size()), SourceName.data(), static_cast<int>(Reason.size()), Reason.data());
	}
}

std::optional<FGltfFile> FGltfFile::Load(std::string_view Path)
{
	const std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(Path);
	if (!Bytes)
	{
		LogRefusal(Path, "the file cannot be read");
		return std::nullopt;
	}
	const std::string Folder = std::filesystem::path(Path).parent_path().string();
	return Parse(*Bytes, Path, Folder.empty() ? "." : Folder);
}

std::optional<FGltfFile> FGltfFile::LoadFromMemory(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	return Parse(Bytes, SourceName, "");
}

std::optional<FGltfFile> FGltfFile::Parse(std::span<const uint8_t> Bytes, std::string_view SourceName, std::string_view BaseDir)
{
	TGltfResult<FGltfDocument> Document = ParseGltfDocument(Bytes, BaseDir);
	if (!Document)
	{
		LogRefusal(SourceName, Document.Error().Reason);
		return std::nullopt;
	}
	return FGltfFile(std::string(SourceName), std::move(*Document));
}

void FGltfFile::Refuse(const FGltfError& Error) const
{
	LogRefusal(SourceName, Error.Reason);
}

std::optional<FReferenceSkeleton> FGltfFile::BuildReferenceSkeleton() const
{
	if (Document.Skins.empty())
	{
		Refuse(MakeGltfError("it has no skin"));
		return std::nullopt;
	}
	TGltfResult<FGltfSkeletonBinding> Binding = BindGltfSkeleton(Document, 0);
	if (!Binding)
	{
		Refuse(Binding.Error());
		return std::nullopt;
	}
	return std::move(Binding->Skeleton);
}

std::optional<FSkeletalMeshModel> FGltfFile::BuildSkeletalMesh() const
{
	if (Document.Skins.empty())
	{
		Refuse(MakeGltfError("it has no skin"));
		return std::nullopt;
	}
	TGltfResult<FGltfSkeletonBinding> Binding = BindGltfSkeleton(Document, 0);
	if (!Binding)
	{
		Refuse(Binding.Error());
		return std::nullopt;
	}
	TGltfResult<FSkeletalMeshModel> Mesh = BuildGltfSkeletalMesh(Document, 0, *Binding);
	if (!Mesh)
	{
		Refuse(Mesh.Error());
		return std::nullopt;
	}
	return std::move(*Mesh);
}

std::optional<FStaticMeshModel> FGltfFile::BuildStaticMesh() const
{
	TGltfResult<FStaticMeshModel> Mesh = BuildGltfStaticMesh(Document);
	if (!Mesh)
	{
		Refuse(Mesh.Error());
		return std::nullopt;
	}
	return std::move(*Mesh);
}

std::optional<std::vector<FAnimSequenceData>> FGltfFile::BuildAnimations(double FrameRate) const
{
	if (Document.Skins.empty())
	{
		Refuse(MakeGltfError("it has no skin to animate"));
		return std::nullopt;
	}
	TGltfResult<FGltfSkeletonBinding> Binding = BindGltfSkeleton(Document, 0);
	if (!Binding)
	{
		Refuse(Binding.Error());
		return std::nullopt;
	}
	std::vector<FAnimSequenceData> Sequences;
	for (const FGltfAnimation& Animation : Document.Animations)
	{
		TGltfResult<FAnimSequenceData> Sequence = BuildGltfAnimation(Document, Animation, *Binding, FrameRate);
		if (!Sequence)
		{
			Refuse(Sequence.Error());
			return std::nullopt;
		}
		Sequences.push_back(std::move(*Sequence));
	}
	return Sequences;
}
