#include "Animation/Skeleton.h"

#include "Animation/AnimFieldReader.h"
#include "Meshes/AssetGltfSource.h"

bool USkeleton::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	Super::LoadAssetFields(File, OutError);
	FAnimFieldReader Fields(File, OutError);
	const std::string Source = Fields.String("source");
	if (!Fields.IsOk())
	{
		return false;
	}
	if (Source.empty())
	{
		return Fields.Fail("a skeleton needs a glTF 'source' with a skin");
	}
	const std::optional<FGltfFile> Gltf = LoadAssetGltfSource(*this, Source, OutError);
	std::optional<FReferenceSkeleton> Bones = Gltf ? Gltf->BuildReferenceSkeleton() : std::nullopt;
	if (!Bones)
	{
		return Fields.Fail("source '" + Source + "' has no usable skin");
	}
	ReferenceSkeleton = std::move(*Bones);
	return true;
}
