#pragma once

#include "Core/JsonObject.h"

#include <memory>

class UMaterialInterface;

/**
 * The JSON form of one material as the desktop app receives it: `name`, `path`,
 * `sourceAddon`, `isMaterialInstance`, the parent of a constant instance, a base
 * Material's `materialSettings`, and the scalar, vector, texture and static switch
 * parameter lists in the host's order. Reads the material only; whatever cannot be
 * read is left out. An empty object for nullptr.
 */
std::shared_ptr<FJsonObject> SerializeMaterial(const UMaterialInterface* Material);

/**
 * Sets `nodeTextures` on the payload: each texture-sampling expression of a base
 * Material (and of the functions it uses) that has a texture, by expression name,
 * to the texture's object path. Does nothing for an instance or a null argument.
 */
void PopulateNodeTextures(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload);

/**
 * Sets `nodeCustomCode` on the payload: each custom-code expression of a base
 * Material (and of the functions it uses), by expression name, to its code,
 * description, input names and output type. Does nothing for an instance or a
 * null argument.
 */
void PopulateNodeCustomCode(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload);
