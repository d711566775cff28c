#pragma once

#include "Core/JsonObject.h"

#include <memory>

class UMaterialInterface;
struct FMaterialParameterInfo;

/**
 * The parameter entries the material export and the material detail write alike: an entry that
 * starts with the parameter's `name`, the vector parameters (`name`, `value` as R, G, B, A) and
 * the static switches (`name` only), each in the host's order.
 */
std::shared_ptr<FJsonObject> MakeNamedParameterEntry(const FMaterialParameterInfo& Info);
FJsonValueArray MakeVectorParameterEntries(const UMaterialInterface& Material);
FJsonValueArray MakeStaticSwitchParameterEntries(const UMaterialInterface& Material);
