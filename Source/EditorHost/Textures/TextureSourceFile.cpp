#include "Textures/TextureSourceFile.h"

#include "Data/AssetSourceFile.h"
#include "Imaging/ImageFileLoader.h"
#include "Textures/TextureSource.h"

#include <algorithm>
#include <bit>

ETextureSourceFormat ToTextureSourceFormat(EImagePixelFormat Format)
{
	switch (Format)
	{
	case EImagePixelFormat::G8:
		return TSF_G8;
	case EImagePixelFormat::G16:
		return TSF_G16;
	case EImagePixelFormat::BGRA8:
		return TSF_BGRA8;
	case EImagePixelFormat::RGBA16:
		return TSF_RGBA16;
	case EImagePixelFormat::RGBA16F:
		return TSF_RGBA16F;
	case EImagePixelFormat::RGBA32F:
		return TSF_RGBA32F;
	case EImagePixelFormat::R32F:
		return TSF_R32F;
	}
	return TSF_Invalid;
}

std::optional<EImagePixelFormat> ToImagePixelFormat(ETextureSourceFormat Format)
{
	switch (Format)
	{
	case TSF_G8:
		return EImagePixelFormat::G8;
	case TSF_G16:
		return EImagePixelFormat::G16;
	case TSF_BGRA8:
		return EImagePixelFormat::BGRA8;
	case TSF_RGBA16:
		return EImagePixelFormat::RGBA16;
	case TSF_RGBA16F:
		return EImagePixelFormat::RGBA16F;
	case TSF_RGBA32F:
		return EImagePixelFormat::RGBA32F;
	case TSF_R32F:
		return EImagePixelFormat::R32F;
	default:
		return std::nullopt;
	}
}

namespace
{
	std::optional<FImage> LoadSourceImage(const UObject& Asset, std::string_view FileName, std::string& OutError)
	{
		const std::optional<std::string> Path = ResolveAssetSourceFile(Asset, FileName, OutError);
		if (!Path)
		{
			return std::nullopt;
		}
		std::optional<FImage> Image = LoadImageFile(*Path);
		if (!Image || Image->SizeX <= 0 || Image->SizeY <= 0)
		{
			OutError = "source file " + std::string(FileName) + " is not a readable picture";
			return std::nullopt;
		}
		return Image;
	}
}

bool LoadTextureSourceFiles(const UObject& Asset, std::string_view SourceFileName, const std::vector<std::string>& MipFileNames, int32_t NumSlices,
	FTextureSource& OutSource, std::string& OutError)
{
	OutSource.Reset();
	const int32_t Slices = std::max(NumSlices, 1);
	std::optional<FImage> Top = LoadSourceImage(Asset, SourceFileName, OutError);
	if (!Top)
	{
		return false;
	}
	if (Top->SizeY % Slices != 0 || (Slices > 1 && Top->SizeY / Slices != Top->SizeX))
	{
		OutError = "source file " + std::string(SourceFileName) + " is " + std::to_string(Top->SizeX) + "x" + std::to_string(Top->SizeY) + ", not " +
			std::to_string(Slices) + " square faces stacked top to bottom";
		return false;
	}
	const int32_t SizeX = Top->SizeX;
	const int32_t SizeY = Top->SizeY / Slices;
	const int32_t NumMips = 1 + static_cast<int32_t>(MipFileNames.size());
	const int32_t MaxMips = std::bit_width(static_cast<uint32_t>(std::max(SizeX, SizeY)));
	if (NumMips > MaxMips)
	{
		OutError = "sourceMips names " + std::to_string(MipFileNames.size()) + " mips, more than a " + std::to_string(SizeX) + "x" + std::to_string(SizeY) +
			" source has below its top";
		return false;
	}
	std::vector<uint8_t> Data = std::move(Top->RawData);
	for (int32_t Mip = 1; Mip < NumMips; ++Mip)
	{
		const std::string& MipFileName = MipFileNames[Mip - 1];
		std::optional<FImage> Image = LoadSourceImage(Asset, MipFileName, OutError);
		if (!Image)
		{
			return false;
		}
		const int32_t ExpectedX = std::max(SizeX >> Mip, 1);
		const int32_t ExpectedY = std::max(SizeY >> Mip, 1) * Slices;
		if (Image->SizeX != ExpectedX || Image->SizeY != ExpectedY || Image->Format != Top->Format)
		{
			OutError = "source mip " + std::to_string(Mip) + " (" + MipFileName + ") is " + std::to_string(Image->SizeX) + "x" + std::to_string(Image->SizeY) + " " +
				std::string(LexToString(Image->Format)) + ", not " + std::to_string(ExpectedX) + "x" + std::to_string(ExpectedY) + " " +
				std::string(LexToString(Top->Format));
			return false;
		}
		Data.insert(Data.end(), Image->RawData.begin(), Image->RawData.end());
	}
	OutSource.Init(SizeX, SizeY, Slices, NumMips, ToTextureSourceFormat(Top->Format), Data.data());
	if (!OutSource.IsValid())
	{
		OutError = "source file " + std::string(SourceFileName) + " holds no usable picture";
		return false;
	}
	return true;
}

std::optional<FImage> MakeSourceMipImage(const FTextureSource& Source, int32_t MipIndex)
{
	const std::optional<EImagePixelFormat> Format = ToImagePixelFormat(Source.GetFormat());
	FImage Image;
	if (!Format || !Source.GetMipData(Image.RawData, 0, 0, MipIndex))
	{
		return std::nullopt;
	}
	Image.Format = *Format;
	Image.SizeX = Source.GetMipSizeX(MipIndex);
	Image.SizeY = Source.GetMipSizeY(MipIndex) * Source.GetNumSlices();
	return Image;
}
