#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string_view>

class UMaterialInterface;

/**
 * Adds the material's own 2D textures to its material payload as `bundledAssets`: the texture
 * export script writes each as a TGA into the user temp folder's KorvaneBundle, and the files
 * travel inside the payload as base64 ("inline", up to 32 MiB in all) or stay on disk with
 * their absolute paths in the manifest ("disk handoff"). Engine content, cubes and render
 * targets are never bundled. Every failure is logged and leaves the payload as it was.
 */
void BundleMaterialTextures(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload);

/** Whether an object path lies in the engine's content (/Engine/, /EngineMaterials/... in any case). */
bool IsEngineContentPath(std::string_view Path);

/** The largest total of exported bytes sent inline; one more is a disk handoff. */
inline constexpr int64_t BundleInlineLimitBytes = 33'554'432;
