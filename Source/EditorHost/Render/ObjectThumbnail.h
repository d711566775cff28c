#pragma once

#include <cstdint>
#include <vector>

/** A thumbnail image of an asset: its size and 8-bit BGRA pixels, rows top to bottom. */
class FObjectThumbnail
{
public:
	int32_t GetImageWidth() const { return ImageWidth; }
	int32_t GetImageHeight() const { return ImageHeight; }
	void SetImageSize(int32_t InWidth, int32_t InHeight)
	{
		ImageWidth = InWidth;
		ImageHeight = InHeight;
	}
	/** Four bytes (B, G, R, A) a pixel. */
	std::vector<uint8_t>& AccessImageData() { return ImageData; }
	const std::vector<uint8_t>& GetUncompressedImageData() const { return ImageData; }
	bool IsEmpty() const { return ImageWidth == 0 || ImageHeight == 0 || ImageData.empty(); }

private:
	int32_t ImageWidth = 0;
	int32_t ImageHeight = 0;
	std::vector<uint8_t> ImageData;
};
