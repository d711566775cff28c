#pragma once

#include "Render/GlResources.h"

#include <array>
#include <cstdint>
#include <string>

/**
 * The textures one view renders into, all the view's size: the G-buffer (four RGBA16F targets
 * and depth) of the opaque pass, a second one for each translucent layer, and the output colour
 * (sRGB-encoded when the target wants gamma), which starts as the background and shares the
 * opaque pass's depth.
 */
class FSceneTargets
{
public:
	struct FGBuffer
	{
		FGlFramebuffer Framebuffer;
		std::array<FGlTexture, 4> Colors;
		FGlTexture Depth;
	};

	/** Makes (or keeps) targets of this size and encoding; false with OutError when the framebuffer is incomplete. */
	bool Prepare(int32_t InWidth, int32_t InHeight, bool bInSRGB, std::string& OutError);

	int32_t GetWidth() const { return Width; }
	int32_t GetHeight() const { return Height; }
	const FGBuffer& GetOpaque() const { return Opaque; }
	const FGBuffer& GetTranslucent() const { return Translucent; }
	/** The output colour texture; it starts as the background. */
	uint32_t GetOutput() const { return Output.Get(); }
	uint32_t GetOutputFramebuffer() const { return OutputFramebuffer.Get(); }

private:
	int32_t Width = 0;
	int32_t Height = 0;
	bool bSRGB = false;
	FGBuffer Opaque;
	FGBuffer Translucent;
	FGlTexture Output;
	FGlFramebuffer OutputFramebuffer;
};
