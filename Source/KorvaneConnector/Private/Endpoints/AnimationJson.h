#pragma once

#include "Assets/AssetData.h"
#include "Core/JsonObject.h"

#include <memory>
#include <string_view>

class UAnimMontage;
class USkeletalMesh;
struct FBlendParameter;

// JSON pieces that the animation and skeleton listings share with the metadata
// blocks of asset details.

/** Sets Key to the registry tag's text when the asset has the tag; leaves it out otherwise. */
void SetRegistryTagField(FJsonObject& Entry, const FAssetData& Asset, std::string_view Tag, std::string_view Key);
/** A listing answer: the entries under ArrayKey, then `count`. */
std::shared_ptr<FJsonObject> MakeListResponse(std::string_view ArrayKey, FJsonValueArray Entries);

/** {name (display name), min, max} of one blend parameter. */
std::shared_ptr<FJsonObject> MakeBlendAxisJson(const FBlendParameter& Parameter);
/** [{name, startTime, nextSection}] of the montage's sections. */
FJsonValueArray MakeMontageSectionsJson(const UAnimMontage& Montage);
/** [{slotName}] of the montage's slot tracks. */
FJsonValueArray MakeMontageSlotsJson(const UAnimMontage& Montage);
/** [{slotName, material (object path, only when set)}] of the mesh's material slots. */
FJsonValueArray MakeMaterialSlotsJson(const USkeletalMesh& Mesh);
/** The names of the mesh's morph targets. */
FJsonValueArray MakeMorphTargetNamesJson(const USkeletalMesh& Mesh);
