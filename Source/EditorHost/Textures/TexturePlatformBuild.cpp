#include "Textures/TexturePlatformBuild.h"

#include "Textures/Texture.h"
#include "Textures/TextureSource.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace TexturePlatformBuild
{
	TextureMipGenSettings GetTextureGroupMipGenSettings(TextureGroup Group)
	{
		switch (Group)
		{
		case TEXTUREGROUP_UI:
		case TEXTUREGROUP_ColorLookupTable:
		case TEXTUREGROUP_Pixels2D:
			return TMGS_NoMipmaps;
		default:
			return TMGS_SimpleAverage;
		}
	}

	TextureMipGenSettings ResolveMipGenSettings(TextureMipGenSettings MipGenSettings, TextureGroup Group)
	{
		return MipGenSettings == TMGS_FromTextureGroup ? GetTextureGroupMipGenSettings(Group) : MipGenSettings;
	}

	int32_t CalcNumPlatformMips(int32_t SizeX, int32_t SizeY, int32_t NumSourceMips, TextureMipGenSettings ResolvedMipGenSettings)
	{
		if (SizeX <= 0 || SizeY <= 0)
		{
			return 0;
		}
		if (ResolvedMipGenSettings == TMGS_NoMipmaps)
		{
			return 1;
		}
		if (ResolvedMipGenSettings == TMGS_LeaveExistingMips)
		{
			return std::max(NumSourceMips, 1);
		}
		if (!std::has_single_bit(static_cast<uint32_t>(SizeX)) || !std::has_single_bit(static_cast<uint32_t>(SizeY)))
		{
			return 1;
		}
		return std::bit_width(static_cast<uint32_t>(std::max(SizeX, SizeY)));
	}

	bool DetectSourceAlpha(const FTextureSource& Source)
	{
		std::vector<uint8_t> Top;
		if (!Source.GetMipData(Top, 0, 0, 0))
		{
			return false;
		}
		const int32_t BytesPerPixel = Source.GetBytesPerPixel();
		const std::size_t NumPixels = BytesPerPixel > 0 ? Top.size() / BytesPerPixel : 0;
		switch (Source.GetFormat())
		{
		case TSF_BGRA8:
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				if (Top[Pixel * 4 + 3] != 255)
				{
					return true;
				}
			}
			return false;
		case TSF_RGBA16:
		case TSF_RGBA16F:
		{
			// 16-bit unsigned opaque is 65535; half float opaque is 1.0 (0x3C00).
			const uint16_t Opaque = Source.GetFormat() == TSF_RGBA16 ? 0xFFFF : 0x3C00;
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				uint16_t Alpha = 0;
				std::memcpy(&Alpha, Top.data() + Pixel * 8 + 6, sizeof(Alpha));
				if (Alpha != Opaque)
				{
					return true;
				}
			}
			return false;
		}
		case TSF_RGBA32F:
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				float Alpha = 0.0f;
				std::memcpy(&Alpha, Top.data() + Pixel * 16 + 12, sizeof(Alpha));
				if (Alpha != 1.0f)
				{
					return true;
				}
			}
			return false;
		default:
			return false;
		}
	}

	EPixelFormat GetUncompressedPixelFormat(ETextureSourceFormat SourceFormat)
	{
		switch (SourceFormat)
		{
		case TSF_G8:
			return PF_G8;
		case TSF_G16:
			return PF_G16;
		case TSF_RGBA16F:
		case TSF_RGBA32F:
		case TSF_R16F:
		case TSF_R32F:
			return PF_FloatRGBA;
		default:
			return PF_B8G8R8A8;
		}
	}

	namespace
	{
		EPixelFormat ChooseBySettings(const FFormatChoiceInput& Input)
		{
			const bool bNoAlpha = Input.bCompressionNoAlpha || !Input.bSourceHasAlpha;
			switch (Input.CompressionSettings)
			{
			case TC_Normalmap:
				return PF_BC5;
			case TC_Grayscale:
				return Input.SourceFormat == TSF_G16 || Input.SourceFormat == TSF_RGBA16 ? PF_G16 : PF_G8;
			case TC_Displacementmap:
				return PF_G16;
			case TC_VectorDisplacementmap:
			case TC_EditorIcon:
			case TC_EncodedReflectionCapture:
				return PF_B8G8R8A8;
			case TC_HDR:
				return PF_FloatRGBA;
			case TC_Alpha:
				return PF_BC4;
			case TC_DistanceFieldFont:
				return PF_G8;
			case TC_HDR_Compressed:
				return PF_BC6H;
			case TC_BC7:
				return PF_BC7;
			case TC_HalfFloat:
				return PF_R16F;
			case TC_SingleFloat:
				return PF_R32_FLOAT;
			case TC_HDR_F32:
				return PF_A32B32G32R32F;
			case TC_LQ:
				return bNoAlpha ? PF_R5G6B5_UNORM : PF_B5G5R5A1_UNORM;
			case TC_Default:
			case TC_Masks:
			default:
				return bNoAlpha ? PF_DXT1 : PF_DXT5;
			}
		}
	}

	EPixelFormat ChoosePixelFormat(const FFormatChoiceInput& Input)
	{
		const EPixelFormat Chosen = ChooseBySettings(Input);
		const FPixelFormatInfo& Info = GPixelFormats[Chosen];
		const bool bBlockCompressed = Info.BlockSizeX > 1 || Info.BlockSizeY > 1;
		if (!bBlockCompressed)
		{
			return Chosen;
		}
		const bool bWholeBlocks = Input.SizeX > 0 && Input.SizeY > 0 && Input.SizeX % Info.BlockSizeX == 0 && Input.SizeY % Info.BlockSizeY == 0;
		if (Input.bCompressionNone || !bWholeBlocks)
		{
			return GetUncompressedPixelFormat(Input.SourceFormat);
		}
		return Chosen;
	}

	uint64_t CalcPlatformDataMemorySize(const FTexturePlatformData& PlatformData, int32_t NumSlices)
	{
		uint64_t Bytes = 0;
		for (int32_t Mip = 0; Mip < PlatformData.NumMips && Mip < 32; ++Mip)
		{
			Bytes += CalcTextureMipMapSize(std::max(PlatformData.SizeX >> Mip, 1), std::max(PlatformData.SizeY >> Mip, 1), PlatformData.PixelFormat);
		}
		return Bytes * static_cast<uint64_t>(std::max(NumSlices, 1));
	}

	FTexturePlatformData BuildPlatformData(const UTexture& Texture, int32_t SizeX, int32_t SizeY, bool bSourceHasAlpha)
	{
		FTexturePlatformData PlatformData;
		if (!Texture.Source.IsValid() || SizeX <= 0 || SizeY <= 0)
		{
			return PlatformData;
		}
		PlatformData.SizeX = SizeX;
		PlatformData.SizeY = SizeY;
		PlatformData.NumMips = CalcNumPlatformMips(SizeX, SizeY, Texture.Source.GetNumMips(), ResolveMipGenSettings(Texture.MipGenSettings, Texture.LODGroup));
		FFormatChoiceInput Input;
		Input.CompressionSettings = Texture.CompressionSettings;
		Input.SourceFormat = Texture.Source.GetFormat();
		Input.bSourceHasAlpha = bSourceHasAlpha;
		Input.bCompressionNoAlpha = Texture.CompressionNoAlpha;
		Input.bCompressionNone = Texture.CompressionNone;
		Input.SizeX = SizeX;
		Input.SizeY = SizeY;
		PlatformData.PixelFormat = ChoosePixelFormat(Input);
		return PlatformData;
	}
}
