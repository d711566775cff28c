#include "Core/Log.h"
#include "Imaging/ExrReader.h"
#include "Imaging/JpegImageWrapper.h"
#include "Imaging/PngReader.h"
#include "Imaging/RawFloatReader.h"
#include "Imaging/TgaReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace
{
	void CheckSize(const std::optional<FImage>& Image)
	{
		if (Image && Image->RawData.size() != std::size_t(Image->SizeX) * Image->SizeY * GetBytesPerPixel(Image->Format))
		{
			std::abort();
		}
	}
}

// Every decoder gets the same bytes; whatever it accepts must hold exactly width x height pixels.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	FLog::SetStderrEnabled(false);
	const std::span<const uint8_t> Bytes(Data, Size);
	CheckSize(DecodePng(Bytes, "Fuzz.png"));
	CheckSize(DecodeExr(Bytes, "Fuzz.exr"));
	CheckSize(DecodeRawFloat(Bytes, "Fuzz.rawf"));
	CheckSize(DecodeTga(Bytes, "Fuzz.tga"));
	const std::shared_ptr<IImageWrapper> Jpeg = MakeJpegImageWrapper();
	std::vector<uint8_t> Raw;
	if (Jpeg->SetCompressed(Data, static_cast<int64_t>(Size)) && Jpeg->GetRaw(ERGBFormat::BGRA, 8, Raw)
		&& Raw.size() != std::size_t(Jpeg->GetWidth()) * Jpeg->GetHeight() * 4)
	{
		std::abort();
	}
	return 0;
}
