#include "Render/ObjectTools.h"

#include "Materials/Material.h"
#include "Render/CanvasTypes.h"
#include "Render/ImageRenderTarget.h"
#include "Render/RenderLog.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Render/ThumbnailHelpers.h"

void ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(UObject* InObject, FObjectThumbnail& OutThumbnail)
{
	OutThumbnail = FObjectThumbnail();
	UMaterialInterface* Material = Cast<UMaterialInterface>(InObject);
	if (Material == nullptr)
	{
		return;
	}
	FMaterialThumbnailScene ThumbnailScene;
	ThumbnailScene.SetMaterialInterface(Material);

	FImageRenderTarget RenderTarget(DefaultThumbnailSize, DefaultThumbnailSize);
	const FGameTime Time = FGameTime::GetTimeSinceAppStart();
	FCanvas Canvas(&RenderTarget, nullptr, Time, GMaxRHIFeatureLevel);
	Canvas.Clear(FLinearColor{0.0f, 0.0f, 0.0f, 1.0f});
	FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(&RenderTarget, ThumbnailScene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
	ThumbnailScene.CreateView(&ViewFamily, 0, 0, DefaultThumbnailSize, DefaultThumbnailSize);
	IRendererModule& Renderer = GetRendererModule();
	Renderer.BeginRenderingViewFamily(&Canvas, &ViewFamily);
	Canvas.Flush_GameThread();
	FlushRenderingCommands();
	if (!Renderer.LastFrameSucceeded())
	{
		UE_LOG(LogRenderer, Warning, "Renderer: no thumbnail for %s", Material->GetPathName().c_str());
		return;
	}
	const std::vector<FColor>& Pixels = RenderTarget.GetPixels();
	std::vector<uint8_t>& Bytes = OutThumbnail.AccessImageData();
	Bytes.reserve(Pixels.size() * 4);
	for (const FColor& Pixel : Pixels)
	{
		Bytes.insert(Bytes.end(), {Pixel.B, Pixel.G, Pixel.R, Pixel.A});
	}
	OutThumbnail.SetImageSize(DefaultThumbnailSize, DefaultThumbnailSize);
}
