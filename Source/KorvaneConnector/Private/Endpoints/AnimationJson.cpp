#include "Endpoints/AnimationJson.h"

#include "Animation/AnimMontage.h"
#include "Animation/BlendSpace.h"
#include "Meshes/SkeletalMesh.h"

void SetRegistryTagField(FJsonObject& Entry, const FAssetData& Asset, std::string_view Tag, std::string_view Key)
{
	std::string Value;
	if (Asset.GetTagValue(Tag, Value))
	{
		Entry.SetStringField(Key, Value);
	}
}

std::shared_ptr<FJsonObject> MakeListResponse(std::string_view ArrayKey, FJsonValueArray Entries)
{
	auto Response = std::make_shared<FJsonObject>();
	const double Count = static_cast<double>(Entries.size());
	Response->SetArrayField(ArrayKey, std::move(Entries));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> MakeBlendAxisJson(const FBlendParameter& Parameter)
{
	auto Axis = std::make_shared<FJsonObject>();
	Axis->SetStringField("name", Parameter.DisplayName);
	Axis->SetNumberField("min", Parameter.Min);
	Axis->SetNumberField("max", Parameter.Max);
	return Axis;
}

FJsonValueArray MakeMontageSectionsJson(const UAnimMontage& Montage)
{
	FJsonValueArray Sections;
	for (const FCompositeSection& Section : Montage.CompositeSections)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Section.SectionName);
		Entry->SetNumberField("startTime", Section.GetTime());
		Entry->SetStringField("nextSection", Section.NextSectionName);
		Sections.emplace_back(std::move(Entry));
	}
	return Sections;
}

FJsonValueArray MakeMontageSlotsJson(const UAnimMontage& Montage)
{
	FJsonValueArray Slots;
	for (const FSlotAnimationTrack& Track : Montage.SlotAnimTracks)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("slotName", Track.SlotName);
		Slots.emplace_back(std::move(Entry));
	}
	return Slots;
}

FJsonValueArray MakeMaterialSlotsJson(const USkeletalMesh& Mesh)
{
	FJsonValueArray Slots;
	for (const FSkeletalMaterial& Material : Mesh.GetMaterials())
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("slotName", Material.MaterialSlotName);
		if (Material.MaterialInterface.IsValid())
		{
			Entry->SetStringField("material", Material.MaterialInterface.ToString());
		}
		Slots.emplace_back(std::move(Entry));
	}
	return Slots;
}

FJsonValueArray MakeMorphTargetNamesJson(const USkeletalMesh& Mesh)
{
	FJsonValueArray Names;
	for (const UMorphTarget* MorphTarget : Mesh.GetMorphTargets())
	{
		Names.emplace_back(MorphTarget->GetName());
	}
	return Names;
}
