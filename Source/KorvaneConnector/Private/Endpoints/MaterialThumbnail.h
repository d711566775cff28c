#pragma once

#include "Core/JsonObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UMaterialInterface;

/**
 * Renders the material's preview from FrameCount evenly spaced yaws around it at Size × Size
 * pixels, appending each frame that could be made as a JPEG data URI (quality 80) to OutFrames.
 * True when at least one frame was made.
 */
bool RenderMaterialTurntable(UMaterialInterface* Material, int32_t FrameCount, int32_t Size, std::vector<std::string>& OutFrames);

/** POST /korvane/material/thumbnail: the editor's still thumbnail of a material, or a turntable of frames. */
std::shared_ptr<FJsonObject> RenderMaterialThumbnail(const std::string& Body);
