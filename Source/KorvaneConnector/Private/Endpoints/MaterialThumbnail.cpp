#include "Endpoints/MaterialThumbnail.h"

#include "Endpoints/RenderedImages.h"
#include "Endpoints/TurntableThumbnailScene.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"

#include "Core/JsonValue.h"
#include "Materials/Material.h"
#include "Objects/ObjectGlobals.h"
#include "Render/CanvasTypes.h"
#include "Render/ObjectTools.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Runtime/ModuleManager.h"
#include "Textures/TextureRenderTarget2D.h"

#include <algorithm>

namespace
{
	constexpr int32_t TurntableJpegQuality = 80;
	constexpr int32_t StillJpegQuality = 90;
	constexpr int32_t MaxTurntableFrames = 120;
	constexpr int32_t MinTurntableSize = 32;
	constexpr int32_t MaxTurntableSize = 512;
	constexpr int32_t DefaultTurntableSize = 192;

	/** Renders the scene's view of the whole target into it, cleared to black first, and reads the pixels back. */
	bool RenderFrame(FTurntableThumbnailScene& Scene, FTextureRenderTargetResource& Target, int32_t Size, std::vector<FColor>& OutPixels)
	{
		const FGameTime Time = FGameTime::GetTimeSinceAppStart();
		FCanvas Canvas(&Target, nullptr, Time, GMaxRHIFeatureLevel);
		Canvas.Clear(FLinearColor(0.0f, 0.0f, 0.0f, 1.0f));

		FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(&Target, Scene.GetScene(), FEngineShowFlags(ESFIM_Game))
											   .SetTime(Time));
		Scene.CreateView(&ViewFamily, 0, 0, static_cast<uint32_t>(Size), static_cast<uint32_t>(Size));
		GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
		Canvas.Flush_GameThread();
		FlushRenderingCommands();
		return Target.ReadPixels(OutPixels);
	}

	std::shared_ptr<FJsonObject> StillThumbnailResponse(UMaterialInterface& Material, const std::string& Path)
	{
		FObjectThumbnail Thumbnail;
		ThumbnailTools::GenerateThumbnailForObjectToSaveToDisk(&Material, Thumbnail);
		if (Thumbnail.IsEmpty())
		{
			return MakeFailureResponse("Thumbnail render failed");
		}
		const int32_t Width = Thumbnail.GetImageWidth();
		const int32_t Height = Thumbnail.GetImageHeight();
		const std::vector<uint8_t>& Pixels = Thumbnail.GetUncompressedImageData();
		if (Width < 1 || Height < 1 || Pixels.size() < static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 4u)
		{
			return MakeFailureResponse("Thumbnail produced no image data");
		}
		const std::optional<std::vector<uint8_t>> Jpeg = EncodeBgraJpeg(Pixels.data(), static_cast<int64_t>(Pixels.size()), Width, Height, StillJpegQuality);
		if (!Jpeg)
		{
			return MakeFailureResponse("JPEG encode failed");
		}
		if (Jpeg->empty())
		{
			return MakeFailureResponse("JPEG encode produced no data");
		}

		auto Response = std::make_shared<FJsonObject>();
		Response->SetBoolField("success", true);
		Response->SetStringField("name", Material.GetName());
		Response->SetStringField("path", Path);
		Response->SetNumberField("width", Width);
		Response->SetNumberField("height", Height);
		Response->SetStringField("thumbnail", MakeJpegDataUrl(*Jpeg));
		UE_LOG(LogKorvane, Log, "Material thumbnail rendered for %s (%dx%d, %d bytes compressed)", Path.c_str(), Width, Height, static_cast<int32_t>(Jpeg->size()));
		return Response;
	}
}

void FTurntableThumbnailScene::GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const
{
	FMaterialThumbnailScene::GetViewMatrixParameters(InFOVDegrees, OutOrigin, OutOrbitPitch, OutOrbitYaw, OutOrbitZoom);
	OutOrbitYaw += YawOffset;
}

bool RenderMaterialTurntable(UMaterialInterface* Material, int32_t FrameCount, int32_t Size, std::vector<std::string>& OutFrames)
{
	UTextureRenderTarget2D* const RenderTarget = GetReusedRenderTarget();
	if (RenderTarget == nullptr)
	{
		return false;
	}
	RenderTarget->InitCustomFormat(static_cast<uint32_t>(Size), static_cast<uint32_t>(Size), PF_B8G8R8A8, false);
	RenderTarget->UpdateResourceImmediate();
	FTextureRenderTargetResource* const Target = RenderTarget->GameThread_GetRenderTargetResource();
	if (Target == nullptr)
	{
		return false;
	}

	FTurntableThumbnailScene Scene;
	Scene.SetMaterialInterface(Material);
	FModuleManager::Get().LoadModule("ImageWrapper");

	const std::size_t PixelCount = static_cast<std::size_t>(Size) * static_cast<std::size_t>(Size);
	for (int32_t Frame = 0; Frame < FrameCount; ++Frame)
	{
		Scene.YawOffset = static_cast<float>(Frame) * 360.0f * (1.0f / static_cast<float>(FrameCount));
		std::vector<FColor> Pixels;
		if (!RenderFrame(Scene, *Target, Size, Pixels) || Pixels.size() < PixelCount)
		{
			continue;
		}
		for (FColor& Pixel : Pixels)
		{
			Pixel.A = 255;
		}
		const std::optional<std::vector<uint8_t>> Jpeg =
			EncodeBgraJpeg(reinterpret_cast<const uint8_t*>(Pixels.data()), static_cast<int64_t>(PixelCount * sizeof(FColor)), Size, Size, TurntableJpegQuality);
		if (Jpeg && !Jpeg->empty())
		{
			OutFrames.push_back(MakeJpegDataUrl(*Jpeg));
		}
	}
	return !OutFrames.empty();
}

std::shared_ptr<FJsonObject> RenderMaterialThumbnail(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (Request == nullptr)
	{
		return MakeFailureResponse("Invalid JSON body");
	}
	const std::string Path = Request->TryGetStringField("materialPath").value_or(std::string());
	if (Path.empty())
	{
		return MakeFailureResponse("materialPath is required");
	}
	if (!IsValidAssetPath(Path))
	{
		return MakeFailureResponse("Invalid asset path");
	}
	UMaterialInterface* const Material = Cast<UMaterialInterface>(StaticLoadObject(UMaterialInterface::StaticClass(), nullptr, Path));
	if (Material == nullptr)
	{
		return MakeFailureResponse("No material at " + Path);
	}

	const int32_t RequestedFrames = SaturatingDoubleToInt32(std::trunc(Request->TryGetNumberField("frames").value_or(0.0)));
	const std::optional<double> RequestedSize = Request->TryGetNumberField("size");
	const int32_t Size = RequestedSize ? std::clamp(SaturatingDoubleToInt32(std::trunc(*RequestedSize)), MinTurntableSize, MaxTurntableSize) : DefaultTurntableSize;

	if (RequestedFrames >= 2)
	{
		const int32_t FrameCount = std::min(RequestedFrames, MaxTurntableFrames);
		std::vector<std::string> Frames;
		if (RenderMaterialTurntable(Material, FrameCount, Size, Frames))
		{
			FJsonValueArray FrameValues;
			for (const std::string& Frame : Frames)
			{
				FrameValues.emplace_back(Frame);
			}
			auto Response = std::make_shared<FJsonObject>();
			Response->SetBoolField("success", true);
			Response->SetStringField("name", Material->GetName());
			Response->SetStringField("path", Path);
			Response->SetNumberField("width", Size);
			Response->SetNumberField("height", Size);
			Response->SetStringField("thumbnail", Frames.front());
			Response->SetArrayField("frames", std::move(FrameValues));
			UE_LOG(LogKorvane, Log, "Material turntable rendered for %s (%d frames @ %dpx)", Path.c_str(), static_cast<int32_t>(Frames.size()), Size);
			return Response;
		}
		UE_LOG(LogKorvane, Warning, "Turntable render failed for %s - falling back to still thumbnail.", Path.c_str());
	}
	return StillThumbnailResponse(*Material, Path);
}
