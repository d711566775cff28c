#include "Render/CanvasTypes.h"

#include "Render/RenderTarget.h"

FCanvas::FCanvas(FRenderTarget* InRenderTarget, [[maybe_unused]] FHitProxyConsumer* InHitProxyConsumer, const FGameTime& InTime, ERHIFeatureLevel::Type InFeatureLevel)
	: RenderTarget(InRenderTarget), Time(InTime), FeatureLevel(InFeatureLevel)
{
}

void FCanvas::Clear(const FLinearColor& Color)
{
	if (RenderTarget != nullptr)
	{
		RenderTarget->Clear(Color);
	}
}

void FCanvas::Flush_GameThread([[maybe_unused]] bool bForce)
{
}
