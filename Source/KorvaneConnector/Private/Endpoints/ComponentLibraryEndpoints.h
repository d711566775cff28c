#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>

/**
 * A property's key in the component library: words joined by "_" in lower case, without
 * the "b" of a boolean (RelativeLocation gives relative_location, bHiddenInGame gives
 * hidden_in_game, LODData gives lod_data). Only the ASCII letters have a case here.
 */
std::string ToSnakeKey(std::string_view PropertyName);

/**
 * Writes the property metadata of ActorComponent and every class below it to Path, pretty-printed:
 * per class `isSceneComponent` and `properties`, per property (inherited ones included, by
 * ToSnakeKey) its `category` when it has one and the flags `editable`, `blueprintReadWrite`,
 * `replicated` and `exposeOnSpawn`. A failed write is not reported.
 */
void WriteComponentPropertyMetadata(std::string_view Path);

/**
 * POST /korvane/components/library/enrich: writes the property metadata into TransientDir and
 * answers what _kv_enrich_component_library.py makes of it, as the script wrote it.
 */
std::shared_ptr<FJsonObject> EnrichComponentLibrary();
