#include "Endpoints/RenderedImages.h"

#include "Core/Base64.h"
#include "Imaging/ImageWrapper.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/WeakObjectPtr.h"
#include "Runtime/ModuleManager.h"
#include "Textures/TextureRenderTarget2D.h"

std::optional<std::vector<uint8_t>> EncodeBgraJpeg(const uint8_t* Pixels, int64_t ByteCount, int32_t Width, int32_t Height, int32_t Quality)
{
	auto* const ImageWrapperModule = dynamic_cast<IImageWrapperModule*>(FModuleManager::Get().LoadModule("ImageWrapper"));
	const std::shared_ptr<IImageWrapper> Wrapper = ImageWrapperModule != nullptr ? ImageWrapperModule->CreateImageWrapper(EImageFormat::JPEG) : nullptr;
	if (Wrapper == nullptr || !Wrapper->SetRaw(Pixels, ByteCount, Width, Height, ERGBFormat::BGRA, 8))
	{
		return std::nullopt;
	}
	return Wrapper->GetCompressed(Quality);
}

std::string MakeJpegDataUrl(const std::vector<uint8_t>& Jpeg)
{
	return "data:image/jpeg;base64," + FBase64::Encode(Jpeg);
}

UTextureRenderTarget2D* GetReusedRenderTarget()
{
	static TWeakObjectPtr<UTextureRenderTarget2D> Kept;
	if (UTextureRenderTarget2D* const Alive = Kept.Get())
	{
		return Alive;
	}
	UTextureRenderTarget2D* const Made = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
	Kept = Made;
	return Made;
}
