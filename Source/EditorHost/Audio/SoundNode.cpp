#include "Audio/SoundNode.h"

#include "Core/JsonObject.h"

#include <algorithm>

namespace
{
	float Largest(std::span<const float> Values)
	{
		return Values.empty() ? 0.0f : std::max(0.0f, *std::max_element(Values.begin(), Values.end()));
	}
}

float USoundNode::GetDuration(std::span<const float> ChildDurations) const
{
	return Largest(ChildDurations);
}

float USoundNode::GetMaxDistance(std::span<const float> ChildMaxDistances) const
{
	return Largest(ChildMaxDistances);
}

void USoundNode::SaveAssetFields(FJsonObject& OutEntry) const
{
	Super::SaveAssetFields(OutEntry);
	FJsonValueArray Children;
	Children.reserve(ChildNodes.size());
	for (const USoundNode* Child : ChildNodes)
	{
		Children.emplace_back(Child != nullptr ? Child->GetName() : std::string());
	}
	OutEntry.SetArrayField("children", std::move(Children));
}
