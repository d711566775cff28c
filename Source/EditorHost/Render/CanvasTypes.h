#pragma once

#include "Core/Color.h"
#include "Render/GameTime.h"
#include "Render/RenderCore.h"

class FRenderTarget;

/** Receives the hit proxies a canvas draws; the host draws none, so this only names the type. */
class FHitProxyConsumer
{
public:
	virtual ~FHitProxyConsumer() = default;
};

/**
 * Drawing onto a render target from the game thread. Clear fills the target at once; views
 * rendered through the renderer module draw over what is there; Flush_GameThread finishes the
 * canvas's own drawing (a no-op beyond the clear, which is already in the target).
 */
class FCanvas
{
public:
	FCanvas(FRenderTarget* InRenderTarget, FHitProxyConsumer* InHitProxyConsumer, const FGameTime& InTime, ERHIFeatureLevel::Type InFeatureLevel);

	void Clear(const FLinearColor& Color);
	void Flush_GameThread(bool bForce = false);

	FRenderTarget* GetRenderTarget() const { return RenderTarget; }
	const FGameTime& GetTime() const { return Time; }
	ERHIFeatureLevel::Type GetFeatureLevel() const { return FeatureLevel; }

private:
	FRenderTarget* RenderTarget = nullptr;
	FGameTime Time;
	ERHIFeatureLevel::Type FeatureLevel = ERHIFeatureLevel::SM5;
};
