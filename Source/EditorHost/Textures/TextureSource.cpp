#include "Textures/TextureSource.h"

#include <algorithm>
#include <bit>
#include <cstring>

void FTextureSource::Init(int32_t NewSizeX, int32_t NewSizeY, int32_t NewNumSlices, int32_t NewNumMips, ETextureSourceFormat NewFormat, const uint8_t* NewData)
{
	Reset();
	const int32_t LargestEdge = std::max(NewSizeX, NewSizeY);
	const int32_t MaxMips = LargestEdge > 0 ? std::bit_width(static_cast<uint32_t>(LargestEdge)) : 0;
	if (NewSizeX <= 0 || NewSizeY <= 0 || NewNumSlices <= 0 || NewNumMips <= 0 || NewNumMips > MaxMips || GetBytesPerPixel(NewFormat) == 0)
	{
		return;
	}
	SizeX = NewSizeX;
	SizeY = NewSizeY;
	NumSlices = NewNumSlices;
	NumMips = NewNumMips;
	Format = NewFormat;
	const int64_t TotalBytes = CalcMipOffset(NumMips);
	if (NewData != nullptr)
	{
		Data.assign(NewData, NewData + TotalBytes);
	}
	else
	{
		Data.assign(static_cast<std::size_t>(TotalBytes), 0);
	}
	++ChangeCount;
}

void FTextureSource::Reset()
{
	const bool bWasValid = IsValid();
	SizeX = 0;
	SizeY = 0;
	NumSlices = 0;
	NumMips = 0;
	Format = TSF_Invalid;
	Data.clear();
	Data.shrink_to_fit();
	if (bWasValid)
	{
		++ChangeCount;
	}
}

bool FTextureSource::IsValid() const
{
	return SizeX > 0 && SizeY > 0 && NumSlices > 0 && NumMips > 0 && Format != TSF_Invalid;
}

ETextureSourceFormat FTextureSource::GetFormat(int32_t LayerIndex) const
{
	return LayerIndex == 0 ? Format : TSF_Invalid;
}

int32_t FTextureSource::GetBytesPerPixel(int32_t LayerIndex) const
{
	return GetBytesPerPixel(GetFormat(LayerIndex));
}

int32_t FTextureSource::GetBytesPerPixel(ETextureSourceFormat Format)
{
	switch (Format)
	{
	case TSF_G8:
		return 1;
	case TSF_G16:
	case TSF_R16F:
		return 2;
	case TSF_BGRA8:
	case TSF_BGRE8:
	case TSF_RGBA8_DEPRECATED:
	case TSF_RGBE8_DEPRECATED:
	case TSF_R32F:
		return 4;
	case TSF_RGBA16:
	case TSF_RGBA16F:
		return 8;
	case TSF_RGBA32F:
		return 16;
	case TSF_Invalid:
	case TSF_MAX:
		break;
	}
	return 0;
}

int32_t FTextureSource::GetMipSizeX(int32_t MipIndex) const
{
	return MipIndex >= 0 && MipIndex < 31 ? std::max(SizeX >> MipIndex, 1) : 1;
}

int32_t FTextureSource::GetMipSizeY(int32_t MipIndex) const
{
	return MipIndex >= 0 && MipIndex < 31 ? std::max(SizeY >> MipIndex, 1) : 1;
}

int64_t FTextureSource::CalcMipSize(int32_t MipIndex) const
{
	if (!IsValid() || MipIndex < 0 || MipIndex >= NumMips)
	{
		return 0;
	}
	return static_cast<int64_t>(GetMipSizeX(MipIndex)) * GetMipSizeY(MipIndex) * NumSlices * GetBytesPerPixel();
}

int64_t FTextureSource::CalcMipOffset(int32_t MipIndex) const
{
	int64_t Offset = 0;
	for (int32_t Mip = 0; Mip < MipIndex; ++Mip)
	{
		Offset += CalcMipSize(Mip);
	}
	return Offset;
}

bool FTextureSource::GetMipData(std::vector<uint8_t>& OutMipData, int32_t BlockIndex, int32_t LayerIndex, int32_t MipIndex) const
{
	OutMipData.clear();
	if (!IsValid() || BlockIndex != 0 || LayerIndex != 0 || MipIndex < 0 || MipIndex >= NumMips)
	{
		return false;
	}
	const int64_t Offset = CalcMipOffset(MipIndex);
	const int64_t Size = CalcMipSize(MipIndex);
	if (Offset + Size > static_cast<int64_t>(Data.size()))
	{
		return false;
	}
	OutMipData.assign(Data.begin() + Offset, Data.begin() + Offset + Size);
	return true;
}
