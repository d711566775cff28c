#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/** GET /korvane/textures: every Texture2D (exactly that class) under /Game, from the asset registry without loading them. */
std::shared_ptr<FJsonObject> ListTextures();
/** POST /korvane/textures/thumbnail: one texture's JPEG thumbnail from its source art. */
std::shared_ptr<FJsonObject> GetTextureThumbnail(const std::string& Body);
/** POST /korvane/textures/thumbnail/batch: thumbnails of many textures at one size limit. */
std::shared_ptr<FJsonObject> GetTextureThumbnailBatch(const std::string& Body);
/** POST /korvane/texture/analyse: one texture's settings and colour analysis. */
std::shared_ptr<FJsonObject> GetTextureAnalysis(const std::string& Body);
/** POST /korvane/texture/analyse/batch: the analyses of many textures. */
std::shared_ptr<FJsonObject> GetTextureAnalysisBatch(const std::string& Body);
