#include "Endpoints/TextureThumbnail.h"

#include "Endpoints/RenderedImages.h"

#include "Core/JsonObject.h"
#include "Imaging/ImageWrapper.h"
#include "Runtime/ModuleManager.h"
#include "Textures/Texture2D.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr int32_t DefaultThumbnailMaxSize = 256;
	constexpr int32_t MinThumbnailMaxSize = 32;
	constexpr int32_t MaxThumbnailMaxSize = 512;
	constexpr int32_t ThumbnailJpegQuality = 85;

	/** A scaled edge length, half rounded up, at least 1. */
	int32_t ScaleEdge(int32_t Edge, float Scale)
	{
		return std::max(1, static_cast<int32_t>(std::floor(static_cast<float>(Edge) * Scale + 0.5f)));
	}

	/** The source pixel index (column or row) an output pixel samples. */
	int32_t SampledIndex(int32_t OutputIndex, float Scale, int32_t SourceEdge)
	{
		return std::min(static_cast<int32_t>(static_cast<float>(OutputIndex) / Scale), SourceEdge - 1);
	}

	std::vector<uint8_t> EncodeJpeg(const FBgraImage& Image)
	{
		auto* ImageWrapperModule = dynamic_cast<IImageWrapperModule*>(FModuleManager::Get().LoadModule("ImageWrapper"));
		if (ImageWrapperModule == nullptr)
		{
			return {};
		}
		const std::shared_ptr<IImageWrapper> Wrapper = ImageWrapperModule->CreateImageWrapper(EImageFormat::JPEG);
		if (!Wrapper
			|| !Wrapper->SetRaw(Image.Pixels.data(), static_cast<int64_t>(Image.Pixels.size()), Image.Width, Image.Height, ERGBFormat::BGRA, 8))
		{
			return {};
		}
		return Wrapper->GetCompressed(ThumbnailJpegQuality);
	}
}

int32_t ReadThumbnailMaxSize(const FJsonObject& Body)
{
	const std::optional<double> Requested = Body.TryGetNumberField("maxSize");
	if (!Requested)
	{
		return DefaultThumbnailMaxSize;
	}
	// Clamped before the conversion, so a huge number cannot overflow the integer.
	const double Clamped = std::clamp(std::trunc(*Requested), static_cast<double>(MinThumbnailMaxSize), static_cast<double>(MaxThumbnailMaxSize));
	return static_cast<int32_t>(Clamped);
}

int32_t ChooseThumbnailMip(int32_t SourceSizeX, int32_t SourceSizeY, int32_t NumMips, int32_t MaxSize)
{
	int32_t Chosen = 0;
	for (int32_t MipIndex = 0; MipIndex < NumMips; ++MipIndex)
	{
		const int32_t MipSizeX = std::max(1, SourceSizeX >> MipIndex);
		const int32_t MipSizeY = std::max(1, SourceSizeY >> MipIndex);
		if (MipSizeX >= MaxSize || MipSizeY >= MaxSize)
		{
			Chosen = MipIndex;
		}
	}
	return Chosen;
}

std::optional<FBgraImage> ConvertToOpaqueBgra(std::span<const uint8_t> MipData, int32_t Width, int32_t Height, ETextureSourceFormat Format)
{
	const int32_t BytesPerPixel = FTextureSource::GetBytesPerPixel(Format);
	const int64_t PixelCount = static_cast<int64_t>(Width) * Height;
	if ((Format != TSF_G8 && Format != TSF_BGRA8) || PixelCount <= 0 || static_cast<int64_t>(MipData.size()) < PixelCount * BytesPerPixel)
	{
		return std::nullopt;
	}
	FBgraImage Image{Width, Height, std::vector<uint8_t>(static_cast<std::size_t>(PixelCount) * 4)};
	uint8_t* Out = Image.Pixels.data();
	const uint8_t* In = MipData.data();
	for (int64_t Pixel = 0; Pixel < PixelCount; ++Pixel, Out += 4, In += BytesPerPixel)
	{
		if (Format == TSF_G8)
		{
			Out[0] = Out[1] = Out[2] = In[0];
		}
		else
		{
			Out[0] = In[0];
			Out[1] = In[1];
			Out[2] = In[2];
		}
		Out[3] = 255;
	}
	return Image;
}

FThumbnailSize CalcThumbnailSize(int32_t Width, int32_t Height, int32_t MaxSize)
{
	if (Width <= MaxSize && Height <= MaxSize)
	{
		return {Width, Height};
	}
	const float Scale = static_cast<float>(MaxSize) / static_cast<float>(std::max(Width, Height));
	return {ScaleEdge(Width, Scale), ScaleEdge(Height, Scale)};
}

FBgraImage FitIntoThumbnail(FBgraImage Image, int32_t MaxSize)
{
	const FThumbnailSize Size = CalcThumbnailSize(Image.Width, Image.Height, MaxSize);
	if (Size.Width == Image.Width && Size.Height == Image.Height)
	{
		return Image;
	}
	const float Scale = static_cast<float>(MaxSize) / static_cast<float>(std::max(Image.Width, Image.Height));
	std::vector<int32_t> SourceColumns(static_cast<std::size_t>(Size.Width));
	for (int32_t X = 0; X < Size.Width; ++X)
	{
		SourceColumns[X] = SampledIndex(X, Scale, Image.Width);
	}

	FBgraImage Resized{Size.Width, Size.Height, std::vector<uint8_t>(static_cast<std::size_t>(Size.Width) * Size.Height * 4)};
	uint8_t* Out = Resized.Pixels.data();
	for (int32_t Y = 0; Y < Size.Height; ++Y)
	{
		const uint8_t* SourceRow = Image.Pixels.data() + static_cast<std::size_t>(SampledIndex(Y, Scale, Image.Height)) * Image.Width * 4;
		for (int32_t X = 0; X < Size.Width; ++X, Out += 4)
		{
			std::copy_n(SourceRow + static_cast<std::size_t>(SourceColumns[X]) * 4, 4, Out);
		}
	}
	return Resized;
}

std::string MakeTextureThumbnail(const UTexture2D* Texture, int32_t MaxSize)
{
	if (Texture == nullptr || !Texture->Source.IsValid() || Texture->Source.GetNumMips() <= 0)
	{
		return {};
	}
	const FTextureSource& Source = Texture->Source;
	const int32_t MipIndex = ChooseThumbnailMip(Source.GetSizeX(), Source.GetSizeY(), Source.GetNumMips(), MaxSize);
	const int32_t Width = std::max(1, Source.GetSizeX() >> MipIndex);
	const int32_t Height = std::max(1, Source.GetSizeY() >> MipIndex);

	std::vector<uint8_t> MipData;
	if (!Source.GetMipData(MipData, 0, 0, MipIndex))
	{
		return {};
	}
	std::optional<FBgraImage> Image = ConvertToOpaqueBgra(MipData, Width, Height, Source.GetFormat(0));
	if (!Image)
	{
		return {};
	}
	const std::vector<uint8_t> Jpeg = EncodeJpeg(FitIntoThumbnail(std::move(*Image), MaxSize));
	if (Jpeg.empty())
	{
		return {};
	}
	return MakeJpegDataUrl(Jpeg);
}
