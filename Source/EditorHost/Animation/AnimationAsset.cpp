#include "Animation/AnimationAsset.h"

#include "Animation/AnimFieldReader.h"

#include <algorithm>

bool UAnimationAsset::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	Super::LoadAssetFields(File, OutError);
	FAnimFieldReader Fields(File, OutError);
	Skeleton = Fields.Asset<USkeleton>("skeleton");
	return Fields.IsOk();
}

void UAnimationAsset::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "Skeleton"; });
	if (const USkeleton* Target = GetSkeleton())
	{
		OutTags.push_back({"Skeleton", Target->GetPathName()});
	}
}
