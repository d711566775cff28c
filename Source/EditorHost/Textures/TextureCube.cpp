#include "Textures/TextureCube.h"

#include "Textures/TexturePlatformBuild.h"

#include <algorithm>
#include <limits>

namespace
{
	constexpr int32_t NumCubeFaces = 6;
}

int32_t UTextureCube::GetSizeX() const
{
	return PlatformData.SizeX;
}

int32_t UTextureCube::GetSizeY() const
{
	return PlatformData.SizeY;
}

EPixelFormat UTextureCube::GetPixelFormat() const
{
	return PlatformData.PixelFormat;
}

int32_t UTextureCube::GetNumSourceSlices() const
{
	return NumCubeFaces;
}

void UTextureCube::UpdateResource()
{
	Super::UpdateResource();
	const bool bSquareFaces = Source.GetNumSlices() == NumCubeFaces && Source.GetSizeX() == Source.GetSizeY();
	PlatformData = bSquareFaces ? TexturePlatformBuild::BuildPlatformData(*this, Source.GetSizeX(), Source.GetSizeY(), TexturePlatformBuild::DetectSourceAlpha(Source))
								: FTexturePlatformData();
}

uint32_t UTextureCube::CalcTextureMemorySizeEnum([[maybe_unused]] ETextureMipCount Enum) const
{
	const uint64_t Bytes = TexturePlatformBuild::CalcPlatformDataMemorySize(PlatformData, NumCubeFaces);
	return static_cast<uint32_t>(std::min<uint64_t>(Bytes, std::numeric_limits<uint32_t>::max()));
}

bool UTextureCube::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	return Super::LoadAssetFields(File, OutError);
}

void UTextureCube::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
}
