#include "Imaging/JpegImageWrapper.h"

#include "Core/LogHost.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
	constexpr int32_t DefaultQuality = 85;
	constexpr int64_t MaxPixels = int64_t(1) << 28;

	struct FTurboJpegHandle
	{
		explicit FTurboJpegHandle(tjhandle InHandle) : Handle(InHandle) {}
		~FTurboJpegHandle()
		{
			if (Handle)
			{
				tjDestroy(Handle);
			}
		}
		FTurboJpegHandle(const FTurboJpegHandle&) = delete;
		FTurboJpegHandle& operator=(const FTurboJpegHandle&) = delete;
		tjhandle Handle;
	};

	int TurboPixelFormat(ERGBFormat Format)
	{
		switch (Format)
		{
		case ERGBFormat::BGRA:
			return TJPF_BGRA;
		case ERGBFormat::RGBA:
			return TJPF_RGBA;
		case ERGBFormat::Gray:
			return TJPF_GRAY;
		default:
			return -1;
		}
	}

	int32_t BytesPerPixel(ERGBFormat Format)
	{
		return Format == ERGBFormat::Gray ? 1 : 4;
	}

	class FJpegImageWrapper final : public IImageWrapper
	{
	public:
		bool SetRaw(const void* RawData, int64_t RawSize, int32_t Width, int32_t Height, ERGBFormat Format, int32_t BitDepth) override
		{
			Reset();
			if (!RawData || Width <= 0 || Height <= 0 || BitDepth != 8 || TurboPixelFormat(Format) < 0 || int64_t(Width) * Height > MaxPixels)
			{
				return false;
			}
			const int64_t Needed = int64_t(Width) * Height * BytesPerPixel(Format);
			if (RawSize < Needed)
			{
				return false;
			}
			const auto* Bytes = static_cast<const uint8_t*>(RawData);
			Raw.assign(Bytes, Bytes + Needed);
			ImageWidth = Width;
			ImageHeight = Height;
			ImageFormat = Format;
			return true;
		}

		bool SetCompressed(const void* CompressedData, int64_t CompressedSize) override
		{
			Reset();
			if (!CompressedData || CompressedSize < 3 || CompressedSize > std::numeric_limits<int32_t>::max())
			{
				return false;
			}
			const auto* Bytes = static_cast<const uint8_t*>(CompressedData);
			if (Bytes[0] != 0xFF || Bytes[1] != 0xD8 || Bytes[2] != 0xFF)
			{
				return false;
			}
			FTurboJpegHandle Decompressor(tjInitDecompress());
			int Width = 0;
			int Height = 0;
			int Subsampling = 0;
			int ColorSpace = 0;
			if (!Decompressor.Handle
				|| tjDecompressHeader3(Decompressor.Handle, Bytes, static_cast<unsigned long>(CompressedSize), &Width, &Height, &Subsampling, &ColorSpace) != 0
				|| Width <= 0 || Height <= 0 || int64_t(Width) * Height > MaxPixels)
			{
				UE_LOG(LogHost, Warning, "Refusing JPEG data: the header is corrupt or the image is too large");
				return false;
			}
			Compressed.assign(Bytes, Bytes + CompressedSize);
			ImageWidth = Width;
			ImageHeight = Height;
			ImageFormat = ColorSpace == TJCS_GRAY ? ERGBFormat::Gray : ERGBFormat::BGRA;
			return true;
		}

		std::vector<uint8_t> GetCompressed(int32_t Quality) override
		{
			if (Raw.empty())
			{
				return {};
			}
			FTurboJpegHandle Compressor(tjInitCompress());
			if (!Compressor.Handle)
			{
				return {};
			}
			const int32_t ChosenQuality = Quality <= 0 ? DefaultQuality : std::min(Quality, 100);
			const bool bGray = ImageFormat == ERGBFormat::Gray;
			unsigned char* Jpeg = nullptr;
			unsigned long JpegSize = 0;
			const int Result = tjCompress2(Compressor.Handle, Raw.data(), ImageWidth, 0, ImageHeight, TurboPixelFormat(ImageFormat), &Jpeg, &JpegSize,
				bGray ? TJSAMP_GRAY : TJSAMP_420, ChosenQuality, TJFLAG_ACCURATEDCT);
			std::vector<uint8_t> Out;
			if (Result == 0 && Jpeg && JpegSize > 0)
			{
				Out.assign(Jpeg, Jpeg + JpegSize);
			}
			else
			{
				UE_LOG(LogHost, Warning, "JPEG compression failed: %s", tjGetErrorStr2(Compressor.Handle));
			}
			tjFree(Jpeg);
			return Out;
		}

		bool GetRaw(ERGBFormat Format, int32_t BitDepth, std::vector<uint8_t>& OutRawData) override
		{
			OutRawData.clear();
			if (BitDepth != 8 || TurboPixelFormat(Format) < 0)
			{
				return false;
			}
			if (!Raw.empty())
			{
				return ConvertRaw(Format, OutRawData);
			}
			if (Compressed.empty())
			{
				return false;
			}
			FTurboJpegHandle Decompressor(tjInitDecompress());
			if (!Decompressor.Handle)
			{
				return false;
			}
			OutRawData.resize(std::size_t(ImageWidth) * ImageHeight * BytesPerPixel(Format));
			// TurboJPEG answers -1 for a warning too (a truncated file); both are refusals here.
			if (tjDecompress2(Decompressor.Handle, Compressed.data(), static_cast<unsigned long>(Compressed.size()), OutRawData.data(), ImageWidth, 0, ImageHeight,
					TurboPixelFormat(Format), TJFLAG_ACCURATEDCT)
				!= 0)
			{
				UE_LOG(LogHost, Warning, "Refusing JPEG data: %s", tjGetErrorStr2(Decompressor.Handle));
				OutRawData.clear();
				return false;
			}
			return true;
		}

		int32_t GetWidth() const override { return ImageWidth; }
		int32_t GetHeight() const override { return ImageHeight; }
		ERGBFormat GetFormat() const override { return ImageFormat; }
		int32_t GetBitDepth() const override { return ImageWidth > 0 ? 8 : 0; }

	private:
		void Reset()
		{
			Raw.clear();
			Compressed.clear();
			ImageWidth = 0;
			ImageHeight = 0;
			ImageFormat = ERGBFormat::Invalid;
		}

		/** The raw pixels that were set, in another of the 8-bit layouts. */
		bool ConvertRaw(ERGBFormat Format, std::vector<uint8_t>& OutRawData) const
		{
			const std::size_t NumPixels = std::size_t(ImageWidth) * ImageHeight;
			if (Format == ImageFormat)
			{
				OutRawData = Raw;
				return true;
			}
			OutRawData.resize(NumPixels * BytesPerPixel(Format));
			for (std::size_t Pixel = 0; Pixel < NumPixels; ++Pixel)
			{
				uint8_t R = 0, G = 0, B = 0, A = 255;
				if (ImageFormat == ERGBFormat::Gray)
				{
					R = G = B = Raw[Pixel];
				}
				else
				{
					const uint8_t* Source = &Raw[Pixel * 4];
					const bool bBgra = ImageFormat == ERGBFormat::BGRA;
					R = Source[bBgra ? 2 : 0];
					G = Source[1];
					B = Source[bBgra ? 0 : 2];
					A = Source[3];
				}
				if (Format == ERGBFormat::Gray)
				{
					OutRawData[Pixel] = static_cast<uint8_t>((R * 299 + G * 587 + B * 114 + 500) / 1000);
					continue;
				}
				uint8_t* Target = &OutRawData[Pixel * 4];
				const bool bBgra = Format == ERGBFormat::BGRA;
				Target[bBgra ? 2 : 0] = R;
				Target[1] = G;
				Target[bBgra ? 0 : 2] = B;
				Target[3] = A;
			}
			return true;
		}

		std::vector<uint8_t> Raw;
		std::vector<uint8_t> Compressed;
		int32_t ImageWidth = 0;
		int32_t ImageHeight = 0;
		ERGBFormat ImageFormat = ERGBFormat::Invalid;
	};
}

std::shared_ptr<IImageWrapper> MakeJpegImageWrapper()
{
	return std::make_shared<FJpegImageWrapper>();
}
