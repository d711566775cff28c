#include "Imaging/ExrReader.h"

#include "Imaging/ImageRefusal.h"

#include <tinyexr.h>

#include <array>
#include <cstring>
#include <string>

namespace
{
	constexpr int64_t MaxPixels = int64_t(1) << 28;
	constexpr uint16_t HalfOne = 0x3C00;

	/**
	 * Owns a header and an image and frees both. The header is freed even when parsing
	 * failed: tinyexr may have allocated its channel lists before finding the fault.
	 */
	struct FExrHandles
	{
		EXRHeader Header;
		EXRImage Image;
		bool bImageLoaded = false;

		FExrHandles()
		{
			InitEXRHeader(&Header);
			InitEXRImage(&Image);
		}
		~FExrHandles()
		{
			if (bImageLoaded)
			{
				FreeEXRImage(&Image);
			}
			FreeEXRHeader(&Header);
		}
		FExrHandles(const FExrHandles&) = delete;
		FExrHandles& operator=(const FExrHandles&) = delete;
	};

	std::string TakeError(const char* Error)
	{
		std::string Text = Error ? Error : "unknown error";
		if (Error)
		{
			FreeEXRErrorMessage(Error);
		}
		return Text;
	}

	/** The channel index of each of R, G, B, A (-1 when missing); a lone Y feeds R, G and B. */
	std::array<int, 4> FindChannels(const EXRHeader& Header)
	{
		std::array<int, 4> Found = {-1, -1, -1, -1};
		int Grey = -1;
		for (int Channel = 0; Channel < Header.num_channels; ++Channel)
		{
			const std::string_view Name = Header.channels[Channel].name;
			const std::string_view Names[] = {"R", "G", "B", "A"};
			for (int Slot = 0; Slot < 4; ++Slot)
			{
				Found[Slot] = Name == Names[Slot] ? Channel : Found[Slot];
			}
			Grey = Name == "Y" ? Channel : Grey;
		}
		if (Found[0] < 0 && Found[1] < 0 && Found[2] < 0 && Grey >= 0)
		{
			Found[0] = Found[1] = Found[2] = Grey;
		}
		return Found;
	}

	float ReadAsFloat(const EXRImage& Image, int PixelType, int Channel, std::size_t Pixel)
	{
		if (PixelType == TINYEXR_PIXELTYPE_UINT)
		{
			uint32_t Value;
			std::memcpy(&Value, Image.images[Channel] + Pixel * 4, 4);
			return static_cast<float>(Value);
		}
		float Value;
		std::memcpy(&Value, Image.images[Channel] + Pixel * 4, 4);
		return Value;
	}
}

std::optional<FImage> DecodeExr(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	EXRVersion Version;
	if (ParseEXRVersionFromMemory(&Version, Bytes.data(), Bytes.size()) != TINYEXR_SUCCESS)
	{
		return RefuseImage(SourceName, "not an OpenEXR file");
	}
	if (Version.multipart || Version.non_image || Version.tiled)
	{
		return RefuseImage(SourceName, "multi-part, deep and tiled OpenEXR files are not read");
	}
	FExrHandles Exr;
	const char* Error = nullptr;
	if (ParseEXRHeaderFromMemory(&Exr.Header, &Version, Bytes.data(), Bytes.size(), &Error) != TINYEXR_SUCCESS)
	{
		return RefuseImage(SourceName, "corrupt OpenEXR header: " + TakeError(Error));
	}
	const std::array<int, 4> Channels = FindChannels(Exr.Header);
	if (Channels[0] < 0 && Channels[1] < 0 && Channels[2] < 0)
	{
		return RefuseImage(SourceName, "the OpenEXR image has no R, G, B or Y channel");
	}
	bool bAllHalf = true;
	for (int Channel = 0; Channel < Exr.Header.num_channels; ++Channel)
	{
		if (Exr.Header.channels[Channel].x_sampling != 1 || Exr.Header.channels[Channel].y_sampling != 1)
		{
			return RefuseImage(SourceName, "subsampled OpenEXR channels are not read");
		}
	}
	for (const int Channel : Channels)
	{
		bAllHalf = bAllHalf && (Channel < 0 || Exr.Header.pixel_types[Channel] == TINYEXR_PIXELTYPE_HALF);
	}
	for (int Channel = 0; Channel < Exr.Header.num_channels; ++Channel)
	{
		if (!bAllHalf && Exr.Header.pixel_types[Channel] == TINYEXR_PIXELTYPE_HALF)
		{
			Exr.Header.requested_pixel_types[Channel] = TINYEXR_PIXELTYPE_FLOAT;
		}
	}
	const EXRBox2i& Window = Exr.Header.data_window;
	if (int64_t(Window.max_x) - Window.min_x + 1 <= 0 || int64_t(Window.max_y) - Window.min_y + 1 <= 0
		|| (int64_t(Window.max_x) - Window.min_x + 1) * (int64_t(Window.max_y) - Window.min_y + 1) > MaxPixels)
	{
		return RefuseImage(SourceName, "the OpenEXR image is empty or too large");
	}
	// tinyexr frees a half-decoded image by its channel count, which it only sets on
	// success; set it first so a corrupt file's channel buffers are not leaked.
	Exr.Image.num_channels = Exr.Header.num_channels;
	if (LoadEXRImageFromMemory(&Exr.Image, &Exr.Header, Bytes.data(), Bytes.size(), &Error) != TINYEXR_SUCCESS)
	{
		return RefuseImage(SourceName, "corrupt or truncated OpenEXR data: " + TakeError(Error));
	}
	Exr.bImageLoaded = true;
	if (!Exr.Image.images || Exr.Image.width <= 0 || Exr.Image.height <= 0)
	{
		return RefuseImage(SourceName, "the OpenEXR image holds no scanline pixels");
	}

	FImage Image;
	Image.SizeX = Exr.Image.width;
	Image.SizeY = Exr.Image.height;
	Image.Format = bAllHalf ? EImagePixelFormat::RGBA16F : EImagePixelFormat::RGBA32F;
	const std::size_t NumPixels = std::size_t(Image.SizeX) * Image.SizeY;
	Image.RawData.resize(NumPixels * GetBytesPerPixel(Image.Format));
	for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
	{
		for (int Slot = 0; Slot < 4; ++Slot)
		{
			const int Channel = Channels[Slot];
			if (bAllHalf)
			{
				uint16_t Value = Slot == 3 ? HalfOne : 0;
				if (Channel >= 0)
				{
					std::memcpy(&Value, Exr.Image.images[Channel] + Pixel * 2, 2);
				}
				std::memcpy(&Image.RawData[(Pixel * 4 + Slot) * 2], &Value, 2);
			}
			else
			{
				const float Value = Channel >= 0 ? ReadAsFloat(Exr.Image, Exr.Header.requested_pixel_types[Channel], Channel, Pixel) : (Slot == 3 ? 1.0f : 0.0f);
				std::memcpy(&Image.RawData[(Pixel * 4 + Slot) * 4], &Value, 4);
			}
		}
	}
	return Image;
}
