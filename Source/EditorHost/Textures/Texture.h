#pragma once

#include "Objects/Object.h"

/**
 * A texture asset (Texture2D, TextureCube, render targets...). Its fields are kept as read, like a
 * plain object's, and written back unchanged; materials point at textures through it.
 */
class UTexture : public UObject
{
	DECLARE_ENGINE_CLASS(UTexture, UObject, "/Script/Engine.Texture")
};
