#pragma once

#include "Animation/Skeleton.h"
#include "Objects/Object.h"
#include "Objects/WeakObjectPtr.h"

/**
 * The base of animation assets (sequences, montages, blend spaces): the skeleton they
 * animate, read from the "skeleton" field (an object path) and published as the
 * registry tag "Skeleton". References to other assets are weak: an asset that is
 * unloaded reads as unset instead of dangling.
 */
class UAnimationAsset : public UObject
{
	DECLARE_ENGINE_CLASS(UAnimationAsset, UObject, "/Script/Engine.AnimationAsset")

public:
	USkeleton* GetSkeleton() const { return Skeleton.Get(); }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	TWeakObjectPtr<USkeleton> Skeleton;
};
