#pragma once

#include "Connector/MaterialTestAssets.h"

#include "Core/Base64.h"
#include "Imaging/ImageWrapper.h"
#include "Runtime/ModuleManager.h"
#include "Textures/Texture2D.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// 2D textures made in memory with the host's texture model, and the decoding of the JPEG
// thumbnails the texture routes answer. Run on the game thread.

/** The bytes of a source with NumMips mips, mip 0 first; FillMip writes each mip's pixels (bytes of that format). */
inline std::vector<uint8_t> MakeSourceMips(int32_t SizeX, int32_t SizeY, int32_t NumMips, ETextureSourceFormat Format,
	const std::function<void(int32_t MipIndex, int32_t MipSizeX, int32_t MipSizeY, uint8_t* Pixels)>& FillMip)
{
	const int32_t BytesPerPixel = FTextureSource::GetBytesPerPixel(Format);
	std::vector<uint8_t> Data;
	for (int32_t MipIndex = 0; MipIndex < NumMips; ++MipIndex)
	{
		const int32_t MipSizeX = std::max(1, SizeX >> MipIndex);
		const int32_t MipSizeY = std::max(1, SizeY >> MipIndex);
		const std::size_t Offset = Data.size();
		Data.resize(Offset + static_cast<std::size_t>(MipSizeX) * MipSizeY * BytesPerPixel);
		FillMip(MipIndex, MipSizeX, MipSizeY, Data.data() + Offset);
	}
	return Data;
}

/** Every pixel of a mip set to the same bytes (B, G, R, A for BGRA8). */
inline void FillPixels(uint8_t* Pixels, int64_t PixelCount, std::initializer_list<uint8_t> PixelBytes)
{
	for (int64_t Pixel = 0; Pixel < PixelCount; ++Pixel)
	{
		std::copy(PixelBytes.begin(), PixelBytes.end(), Pixels + Pixel * static_cast<int64_t>(PixelBytes.size()));
	}
}

/** A new 2D texture asset with that source; Configure may change its settings before the platform data is built. */
inline UTexture2D* NewTestTexture2D(std::string_view PackageName, int32_t SizeX, int32_t SizeY, int32_t NumMips, ETextureSourceFormat Format,
	const std::vector<uint8_t>& Data, const std::function<void(UTexture2D&)>& Configure = {})
{
	UTexture2D* Texture = NewTestAsset<UTexture2D>(PackageName);
	Texture->Source.Init(SizeX, SizeY, 1, NumMips, Format, Data.empty() ? nullptr : Data.data());
	if (Configure)
	{
		Configure(*Texture);
	}
	Texture->UpdateResource();
	return Texture;
}

/** A decoded thumbnail: its size and BGRA pixels. */
struct FDecodedThumbnail
{
	int32_t Width = 0;
	int32_t Height = 0;
	std::vector<uint8_t> Bgra;

	/** B, G, R of one pixel. */
	std::vector<int> ColorAt(int32_t X, int32_t Y) const
	{
		const uint8_t* Pixel = Bgra.data() + (static_cast<std::size_t>(Y) * Width + X) * 4;
		return {Pixel[0], Pixel[1], Pixel[2]};
	}
};

/** Decodes "data:image/jpeg;base64,..." with the host's JPEG wrapper; nothing when it is not one. */
inline std::optional<FDecodedThumbnail> DecodeThumbnail(std::string_view DataUri)
{
	constexpr std::string_view Prefix = "data:image/jpeg;base64,";
	if (!DataUri.starts_with(Prefix))
	{
		return std::nullopt;
	}
	const std::optional<std::vector<uint8_t>> Jpeg = FBase64::Decode(DataUri.substr(Prefix.size()));
	auto* Module = dynamic_cast<IImageWrapperModule*>(FModuleManager::Get().LoadModule("ImageWrapper"));
	if (!Jpeg || Module == nullptr)
	{
		return std::nullopt;
	}
	const std::shared_ptr<IImageWrapper> Wrapper = Module->CreateImageWrapper(EImageFormat::JPEG);
	FDecodedThumbnail Decoded;
	if (!Wrapper || !Wrapper->SetCompressed(Jpeg->data(), static_cast<int64_t>(Jpeg->size())) || !Wrapper->GetRaw(ERGBFormat::BGRA, 8, Decoded.Bgra))
	{
		return std::nullopt;
	}
	Decoded.Width = Wrapper->GetWidth();
	Decoded.Height = Wrapper->GetHeight();
	return Decoded;
}
