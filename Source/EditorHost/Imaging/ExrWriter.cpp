#include "Imaging/ExrWriter.h"

#include "Core/LogHost.h"

#include <tinyexr.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace
{
	/** One image's channel planes as tinyexr writes them: channels in alphabetical order (A, B, G, R). */
	struct FExrPlanes
	{
		std::vector<std::vector<uint8_t>> Planes;
		std::vector<unsigned char*> PlanePointers;
		std::vector<EXRChannelInfo> Channels;
		std::vector<int> PixelTypes;
	};

	FExrPlanes SplitPlanes(const FImage& Image, int32_t SampleBytes, int PixelType)
	{
		// Source channel index of each plane, in the file's order.
		constexpr std::array<int32_t, 4> Order = {3, 2, 1, 0};
		const char* const Names[] = {"R", "G", "B", "A"};
		constexpr int32_t SourceChannels = 4;
		const std::size_t NumPixels = std::size_t(Image.SizeX) * Image.SizeY;
		FExrPlanes Out;
		for (const int32_t Channel : Order)
		{
			std::vector<uint8_t> Plane(NumPixels * SampleBytes);
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				std::memcpy(Plane.data() + Pixel * SampleBytes, Image.RawData.data() + (Pixel * SourceChannels + Channel) * SampleBytes, SampleBytes);
			}
			Out.Planes.push_back(std::move(Plane));
			EXRChannelInfo Info{};
			std::strncpy(Info.name, Names[Channel], sizeof(Info.name) - 1);
			Out.Channels.push_back(Info);
			Out.PixelTypes.push_back(PixelType);
		}
		for (std::vector<uint8_t>& Plane : Out.Planes)
		{
			Out.PlanePointers.push_back(Plane.data());
		}
		return Out;
	}
}

std::optional<std::vector<uint8_t>> EncodeExr(const FImage& Image)
{
	const bool bHalf = Image.Format == EImagePixelFormat::RGBA16F;
	if ((!bHalf && Image.Format != EImagePixelFormat::RGBA32F) || Image.SizeX <= 0 || Image.SizeY <= 0
		|| Image.RawData.size() != std::size_t(Image.SizeX) * Image.SizeY * GetBytesPerPixel(Image.Format))
	{
		return std::nullopt;
	}
	const int PixelType = bHalf ? TINYEXR_PIXELTYPE_HALF : TINYEXR_PIXELTYPE_FLOAT;
	FExrPlanes Planes = SplitPlanes(Image, bHalf ? 2 : 4, PixelType);

	EXRImage ExrImage;
	InitEXRImage(&ExrImage);
	ExrImage.num_channels = static_cast<int>(Planes.Planes.size());
	ExrImage.images = Planes.PlanePointers.data();
	ExrImage.width = Image.SizeX;
	ExrImage.height = Image.SizeY;

	EXRHeader Header;
	InitEXRHeader(&Header);
	Header.num_channels = ExrImage.num_channels;
	Header.channels = Planes.Channels.data();
	Header.pixel_types = Planes.PixelTypes.data();
	Header.requested_pixel_types = Planes.PixelTypes.data();
	Header.compression_type = TINYEXR_COMPRESSIONTYPE_ZIP;

	unsigned char* Memory = nullptr;
	const char* Error = nullptr;
	const std::size_t Size = SaveEXRImageToMemory(&ExrImage, &Header, &Memory, &Error);
	std::optional<std::vector<uint8_t>> Out;
	if (Size > 0 && Memory)
	{
		Out.emplace(Memory, Memory + Size);
	}
	else
	{
		UE_LOG(LogHost, Warning, "EXR encoding failed: %s", Error ? Error : "unknown error");
	}
	std::free(Memory);
	if (Error)
	{
		FreeEXRErrorMessage(Error);
	}
	return Out;
}
