#pragma once

#include "Objects/WeakObjectPtr.h"
#include "Render/GlResources.h"

#include <cstdint>
#include <unordered_map>

class UTexture;

/**
 * The device copies of textures: 2D textures and cubes uploaded from their source mips (8-bit,
 * 16-bit or float), render targets from their current pixels on every use. A texture that is
 * missing or has no usable source binds as black.
 */
class FTextureUploads
{
public:
	/** The GL texture name to bind for the texture as a 2D texture or a cube map. */
	uint32_t GetTexture(UTexture* Texture, bool bCube);

private:
	struct FEntry
	{
		FWeakObjectPtr Object;
		uint32_t ChangeCount = 0;
		bool bCube = false;
		FGlTexture Texture;
	};

	uint32_t GetBlack(bool bCube);

	std::unordered_map<const UTexture*, FEntry> Entries;
	FGlTexture Black2D;
	FGlTexture BlackCube;
};
