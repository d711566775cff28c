#include "Textures/PixelFormat.h"

#include <algorithm>

namespace
{
	constexpr FPixelFormatInfo Info(EPixelFormat Format, const char* Name, int32_t BlockSizeX, int32_t BlockSizeY, int32_t BlockSizeZ, int32_t BlockBytes, int32_t NumComponents)
	{
		return FPixelFormatInfo{Name, BlockSizeX, BlockSizeY, BlockSizeZ, BlockBytes, NumComponents, Format};
	}

	/** The enumerator names, indexed by EPixelFormat. */
	constexpr const char* FormatStrings[PF_MAX] = {
		"PF_Unknown", "PF_A32B32G32R32F", "PF_B8G8R8A8", "PF_G8", "PF_G16", "PF_DXT1", "PF_DXT3", "PF_DXT5", "PF_UYVY",
		"PF_FloatRGB", "PF_FloatRGBA", "PF_DepthStencil", "PF_ShadowDepth", "PF_R32_FLOAT", "PF_G16R16", "PF_G16R16F",
		"PF_G16R16F_FILTER", "PF_G32R32F", "PF_A2B10G10R10", "PF_A16B16G16R16", "PF_D24", "PF_R16F", "PF_R16F_FILTER",
		"PF_BC5", "PF_V8U8", "PF_A1", "PF_FloatR11G11B10", "PF_A8", "PF_R32_UINT", "PF_R32_SINT", "PF_PVRTC2", "PF_PVRTC4",
		"PF_R16_UINT", "PF_R16_SINT", "PF_R16G16B16A16_UINT", "PF_R16G16B16A16_SINT", "PF_R5G6B5_UNORM", "PF_R8G8B8A8",
		"PF_A8R8G8B8", "PF_BC4", "PF_R8G8", "PF_ATC_RGB", "PF_ATC_RGBA_E", "PF_ATC_RGBA_I", "PF_X24_G8", "PF_ETC1",
		"PF_ETC2_RGB", "PF_ETC2_RGBA", "PF_R32G32B32A32_UINT", "PF_R16G16_UINT", "PF_ASTC_4x4", "PF_ASTC_6x6",
		"PF_ASTC_8x8", "PF_ASTC_10x10", "PF_ASTC_12x12", "PF_BC6H", "PF_BC7", "PF_R8_UINT", "PF_L8", "PF_XGXR8",
		"PF_R8G8B8A8_UINT", "PF_R8G8B8A8_SNORM", "PF_R16G16B16A16_UNORM", "PF_R16G16B16A16_SNORM", "PF_PLATFORM_HDR_0",
		"PF_PLATFORM_HDR_1", "PF_PLATFORM_HDR_2", "PF_NV12", "PF_R32G32_UINT", "PF_ETC2_R11_EAC", "PF_ETC2_RG11_EAC",
		"PF_R8", "PF_B5G5R5A1_UNORM", "PF_ASTC_4x4_HDR", "PF_ASTC_6x6_HDR", "PF_ASTC_8x8_HDR", "PF_ASTC_10x10_HDR",
		"PF_ASTC_12x12_HDR", "PF_G16R16_SNORM", "PF_R8G8_UINT", "PF_R32G32B32_UINT", "PF_R32G32B32_SINT", "PF_R32G32B32F",
		"PF_R8_SINT", "PF_R64_UINT", "PF_R9G9B9EXP5", "PF_P010", "PF_ASTC_4x4_NORM_RG", "PF_ASTC_6x6_NORM_RG",
		"PF_ASTC_8x8_NORM_RG", "PF_ASTC_10x10_NORM_RG", "PF_ASTC_12x12_NORM_RG", "PF_R16G16_SINT", "PF_R8G8B8"};
}

// The engine's table: display names (some keep their "PF_" prefix, as the engine's do) and block
// layouts. Formats whose layout the engine leaves to the platform (the HDR placeholders) have none.
const FPixelFormatInfo GPixelFormats[PF_MAX] = {
	Info(PF_Unknown, "unknown", 0, 0, 0, 0, 0),
	Info(PF_A32B32G32R32F, "A32B32G32R32F", 1, 1, 1, 16, 4),
	Info(PF_B8G8R8A8, "B8G8R8A8", 1, 1, 1, 4, 4),
	Info(PF_G8, "G8", 1, 1, 1, 1, 1),
	Info(PF_G16, "G16", 1, 1, 1, 2, 1),
	Info(PF_DXT1, "DXT1", 4, 4, 1, 8, 3),
	Info(PF_DXT3, "DXT3", 4, 4, 1, 16, 4),
	Info(PF_DXT5, "DXT5", 4, 4, 1, 16, 4),
	Info(PF_UYVY, "UYVY", 2, 1, 1, 4, 4),
	Info(PF_FloatRGB, "FloatRGB", 1, 1, 1, 4, 3),
	Info(PF_FloatRGBA, "FloatRGBA", 1, 1, 1, 8, 4),
	Info(PF_DepthStencil, "DepthStencil", 1, 1, 1, 4, 1),
	Info(PF_ShadowDepth, "ShadowDepth", 1, 1, 1, 4, 1),
	Info(PF_R32_FLOAT, "R32_FLOAT", 1, 1, 1, 4, 1),
	Info(PF_G16R16, "G16R16", 1, 1, 1, 4, 2),
	Info(PF_G16R16F, "G16R16F", 1, 1, 1, 4, 2),
	Info(PF_G16R16F_FILTER, "G16R16F_FILTER", 1, 1, 1, 4, 2),
	Info(PF_G32R32F, "G32R32F", 1, 1, 1, 8, 2),
	Info(PF_A2B10G10R10, "A2B10G10R10", 1, 1, 1, 4, 4),
	Info(PF_A16B16G16R16, "A16B16G16R16", 1, 1, 1, 8, 4),
	Info(PF_D24, "D24", 1, 1, 1, 4, 1),
	Info(PF_R16F, "PF_R16F", 1, 1, 1, 2, 1),
	Info(PF_R16F_FILTER, "PF_R16F_FILTER", 1, 1, 1, 2, 1),
	Info(PF_BC5, "BC5", 4, 4, 1, 16, 2),
	Info(PF_V8U8, "V8U8", 1, 1, 1, 2, 2),
	Info(PF_A1, "A1", 1, 1, 1, 1, 1),
	Info(PF_FloatR11G11B10, "FloatR11G11B10", 1, 1, 1, 4, 3),
	Info(PF_A8, "A8", 1, 1, 1, 1, 1),
	Info(PF_R32_UINT, "R32_UINT", 1, 1, 1, 4, 1),
	Info(PF_R32_SINT, "R32_SINT", 1, 1, 1, 4, 1),
	Info(PF_PVRTC2, "PVRTC2", 8, 4, 1, 8, 4),
	Info(PF_PVRTC4, "PVRTC4", 4, 4, 1, 8, 4),
	Info(PF_R16_UINT, "R16_UINT", 1, 1, 1, 2, 1),
	Info(PF_R16_SINT, "R16_SINT", 1, 1, 1, 2, 1),
	Info(PF_R16G16B16A16_UINT, "R16G16B16A16_UINT", 1, 1, 1, 8, 4),
	Info(PF_R16G16B16A16_SINT, "R16G16B16A16_SINT", 1, 1, 1, 8, 4),
	Info(PF_R5G6B5_UNORM, "R5G6B5_UNORM", 1, 1, 1, 2, 3),
	Info(PF_R8G8B8A8, "R8G8B8A8", 1, 1, 1, 4, 4),
	Info(PF_A8R8G8B8, "A8R8G8B8", 1, 1, 1, 4, 4),
	Info(PF_BC4, "BC4", 4, 4, 1, 8, 1),
	Info(PF_R8G8, "R8G8", 1, 1, 1, 2, 2),
	Info(PF_ATC_RGB, "ATC_RGB", 4, 4, 1, 8, 3),
	Info(PF_ATC_RGBA_E, "ATC_RGBA_E", 4, 4, 1, 16, 4),
	Info(PF_ATC_RGBA_I, "ATC_RGBA_I", 4, 4, 1, 16, 4),
	Info(PF_X24_G8, "X24_G8", 1, 1, 1, 1, 1),
	Info(PF_ETC1, "ETC1", 4, 4, 1, 8, 3),
	Info(PF_ETC2_RGB, "ETC2_RGB", 4, 4, 1, 8, 3),
	Info(PF_ETC2_RGBA, "ETC2_RGBA", 4, 4, 1, 16, 4),
	Info(PF_R32G32B32A32_UINT, "PF_R32G32B32A32_UINT", 1, 1, 1, 16, 4),
	Info(PF_R16G16_UINT, "PF_R16G16_UINT", 1, 1, 1, 4, 4),
	Info(PF_ASTC_4x4, "ASTC_4x4", 4, 4, 1, 16, 4),
	Info(PF_ASTC_6x6, "ASTC_6x6", 6, 6, 1, 16, 4),
	Info(PF_ASTC_8x8, "ASTC_8x8", 8, 8, 1, 16, 4),
	Info(PF_ASTC_10x10, "ASTC_10x10", 10, 10, 1, 16, 4),
	Info(PF_ASTC_12x12, "ASTC_12x12", 12, 12, 1, 16, 4),
	Info(PF_BC6H, "BC6H", 4, 4, 1, 16, 3),
	Info(PF_BC7, "BC7", 4, 4, 1, 16, 4),
	Info(PF_R8_UINT, "R8_UINT", 1, 1, 1, 1, 1),
	Info(PF_L8, "L8", 1, 1, 1, 1, 1),
	Info(PF_XGXR8, "XGXR8", 1, 1, 1, 4, 4),
	Info(PF_R8G8B8A8_UINT, "R8G8B8A8_UINT", 1, 1, 1, 4, 4),
	Info(PF_R8G8B8A8_SNORM, "R8G8B8A8_SNORM", 1, 1, 1, 4, 4),
	Info(PF_R16G16B16A16_UNORM, "R16G16B16A16_UINT", 1, 1, 1, 8, 4),
	Info(PF_R16G16B16A16_SNORM, "R16G16B16A16_SINT", 1, 1, 1, 8, 4),
	Info(PF_PLATFORM_HDR_0, "PLATFORM_HDR_0", 0, 0, 0, 0, 0),
	Info(PF_PLATFORM_HDR_1, "PLATFORM_HDR_1", 0, 0, 0, 0, 0),
	Info(PF_PLATFORM_HDR_2, "PLATFORM_HDR_2", 0, 0, 0, 0, 0),
	Info(PF_NV12, "NV12", 1, 1, 1, 1, 3),
	Info(PF_R32G32_UINT, "PF_R32G32_UINT", 1, 1, 1, 8, 2),
	Info(PF_ETC2_R11_EAC, "PF_ETC2_R11_EAC", 4, 4, 1, 8, 1),
	Info(PF_ETC2_RG11_EAC, "PF_ETC2_RG11_EAC", 4, 4, 1, 16, 2),
	Info(PF_R8, "R8", 1, 1, 1, 1, 1),
	Info(PF_B5G5R5A1_UNORM, "B5G5R5A1_UNORM", 1, 1, 1, 2, 4),
	Info(PF_ASTC_4x4_HDR, "ASTC_4x4_HDR", 4, 4, 1, 16, 4),
	Info(PF_ASTC_6x6_HDR, "ASTC_6x6_HDR", 6, 6, 1, 16, 4),
	Info(PF_ASTC_8x8_HDR, "ASTC_8x8_HDR", 8, 8, 1, 16, 4),
	Info(PF_ASTC_10x10_HDR, "ASTC_10x10_HDR", 10, 10, 1, 16, 4),
	Info(PF_ASTC_12x12_HDR, "ASTC_12x12_HDR", 12, 12, 1, 16, 4),
	Info(PF_G16R16_SNORM, "G16R16_SNORM", 1, 1, 1, 4, 2),
	Info(PF_R8G8_UINT, "R8G8_UINT", 1, 1, 1, 2, 2),
	Info(PF_R32G32B32_UINT, "R32G32B32_UINT", 1, 1, 1, 12, 3),
	Info(PF_R32G32B32_SINT, "R32G32B32_SINT", 1, 1, 1, 12, 3),
	Info(PF_R32G32B32F, "R32G32B32F", 1, 1, 1, 12, 3),
	Info(PF_R8_SINT, "R8_SINT", 1, 1, 1, 1, 1),
	Info(PF_R64_UINT, "R64_UINT", 1, 1, 1, 8, 1),
	Info(PF_R9G9B9EXP5, "R9G9B9EXP5", 1, 1, 1, 4, 4),
	Info(PF_P010, "P010", 1, 1, 1, 2, 3),
	Info(PF_ASTC_4x4_NORM_RG, "ASTC_4x4_NORM_RG", 4, 4, 1, 16, 2),
	Info(PF_ASTC_6x6_NORM_RG, "ASTC_6x6_NORM_RG", 6, 6, 1, 16, 2),
	Info(PF_ASTC_8x8_NORM_RG, "ASTC_8x8_NORM_RG", 8, 8, 1, 16, 2),
	Info(PF_ASTC_10x10_NORM_RG, "ASTC_10x10_NORM_RG", 10, 10, 1, 16, 2),
	Info(PF_ASTC_12x12_NORM_RG, "ASTC_12x12_NORM_RG", 12, 12, 1, 16, 2),
	Info(PF_R16G16_SINT, "R16G16_SINT", 1, 1, 1, 4, 2),
	Info(PF_R8G8B8, "R8G8B8", 1, 1, 1, 3, 3),
};

const char* GetPixelFormatString(EPixelFormat Format)
{
	return Format < PF_MAX ? FormatStrings[Format] : "PF_Unknown";
}

uint64_t CalcTextureMipMapSize(int32_t SizeX, int32_t SizeY, EPixelFormat Format)
{
	if (Format >= PF_MAX)
	{
		return 0;
	}
	const FPixelFormatInfo& Info = GPixelFormats[Format];
	if (Info.BlockSizeX <= 0 || Info.BlockSizeY <= 0 || Info.BlockBytes <= 0)
	{
		return 0;
	}
	const uint64_t Width = static_cast<uint64_t>(std::max(SizeX, 1));
	const uint64_t Height = static_cast<uint64_t>(std::max(SizeY, 1));
	const uint64_t BlocksX = (Width + Info.BlockSizeX - 1) / Info.BlockSizeX;
	const uint64_t BlocksY = (Height + Info.BlockSizeY - 1) / Info.BlockSizeY;
	return BlocksX * BlocksY * static_cast<uint64_t>(Info.BlockBytes);
}
