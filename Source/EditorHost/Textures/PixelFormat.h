#pragma once

#include <cstdint>

/** The engine's pixel formats of platform data and render targets, with the engine's numbers. */
enum EPixelFormat : uint8_t
{
	PF_Unknown,
	PF_A32B32G32R32F,
	PF_B8G8R8A8,
	PF_G8,
	PF_G16,
	PF_DXT1,
	PF_DXT3,
	PF_DXT5,
	PF_UYVY,
	PF_FloatRGB,
	PF_FloatRGBA,
	PF_DepthStencil,
	PF_ShadowDepth,
	PF_R32_FLOAT,
	PF_G16R16,
	PF_G16R16F,
	PF_G16R16F_FILTER,
	PF_G32R32F,
	PF_A2B10G10R10,
	PF_A16B16G16R16,
	PF_D24,
	PF_R16F,
	PF_R16F_FILTER,
	PF_BC5,
	PF_V8U8,
	PF_A1,
	PF_FloatR11G11B10,
	PF_A8,
	PF_R32_UINT,
	PF_R32_SINT,
	PF_PVRTC2,
	PF_PVRTC4,
	PF_R16_UINT,
	PF_R16_SINT,
	PF_R16G16B16A16_UINT,
	PF_R16G16B16A16_SINT,
	PF_R5G6B5_UNORM,
	PF_R8G8B8A8,
	PF_A8R8G8B8,
	PF_BC4,
	PF_R8G8,
	PF_ATC_RGB,
	PF_ATC_RGBA_E,
	PF_ATC_RGBA_I,
	PF_X24_G8,
	PF_ETC1,
	PF_ETC2_RGB,
	PF_ETC2_RGBA,
	PF_R32G32B32A32_UINT,
	PF_R16G16_UINT,
	PF_ASTC_4x4,
	PF_ASTC_6x6,
	PF_ASTC_8x8,
	PF_ASTC_10x10,
	PF_ASTC_12x12,
	PF_BC6H,
	PF_BC7,
	PF_R8_UINT,
	PF_L8,
	PF_XGXR8,
	PF_R8G8B8A8_UINT,
	PF_R8G8B8A8_SNORM,
	PF_R16G16B16A16_UNORM,
	PF_R16G16B16A16_SNORM,
	PF_PLATFORM_HDR_0,
	PF_PLATFORM_HDR_1,
	PF_PLATFORM_HDR_2,
	PF_NV12,
	PF_R32G32_UINT,
	PF_ETC2_R11_EAC,
	PF_ETC2_RG11_EAC,
	PF_R8,
	PF_B5G5R5A1_UNORM,
	PF_ASTC_4x4_HDR,
	PF_ASTC_6x6_HDR,
	PF_ASTC_8x8_HDR,
	PF_ASTC_10x10_HDR,
	PF_ASTC_12x12_HDR,
	PF_G16R16_SNORM,
	PF_R8G8_UINT,
	PF_R32G32B32_UINT,
	PF_R32G32B32_SINT,
	PF_R32G32B32F,
	PF_R8_SINT,
	PF_R64_UINT,
	PF_R9G9B9EXP5,
	PF_P010,
	PF_ASTC_4x4_NORM_RG,
	PF_ASTC_6x6_NORM_RG,
	PF_ASTC_8x8_NORM_RG,
	PF_ASTC_10x10_NORM_RG,
	PF_ASTC_12x12_NORM_RG,
	PF_R16G16_SINT,
	PF_R8G8B8,
	PF_MAX
};

/** What the engine knows of a pixel format: its display name ("DXT1", "B8G8R8A8") and its block layout. */
struct FPixelFormatInfo
{
	const char* Name = "";
	int32_t BlockSizeX = 1;
	int32_t BlockSizeY = 1;
	int32_t BlockSizeZ = 1;
	/** Bytes of one block (one pixel for uncompressed formats). */
	int32_t BlockBytes = 0;
	int32_t NumComponents = 0;
	EPixelFormat UnrealFormat = PF_Unknown;
};

/** The table of every pixel format, indexed by EPixelFormat. */
extern const FPixelFormatInfo GPixelFormats[PF_MAX];

/** The enumerator name ("PF_B8G8R8A8") of a format; "PF_Unknown" for numbers outside the table. */
const char* GetPixelFormatString(EPixelFormat Format);

/** Bytes of one mip of that size in that format, counting whole blocks (a 1×1 DXT1 mip is one 8-byte block). */
uint64_t CalcTextureMipMapSize(int32_t SizeX, int32_t SizeY, EPixelFormat Format);
