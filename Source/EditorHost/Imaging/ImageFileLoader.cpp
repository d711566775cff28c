#include "Imaging/ImageFileLoader.h"

#include "Core/FileSystem.h"
#include "Imaging/ExrReader.h"
#include "Imaging/ImageRefusal.h"
#include "Imaging/PngReader.h"
#include "Imaging/RawFloatReader.h"
#include "Imaging/TgaReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

std::optional<FImage> LoadImageFile(std::string_view Path)
{
	std::string Extension = std::filesystem::path(Path).extension().string();
	std::transform(Extension.begin(), Extension.end(), Extension.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
	using FDecoder = std::optional<FImage> (*)(std::span<const uint8_t>, std::string_view);
	const FDecoder Decoder = Extension == ".png" ? &DecodePng : Extension == ".tga" ? &DecodeTga : Extension == ".exr" ? &DecodeExr : Extension == ".rawf" ? &DecodeRawFloat : nullptr;
	if (!Decoder)
	{
		return RefuseImage(Path, "unknown image extension '" + Extension + "'");
	}
	const std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(Path);
	if (!Bytes)
	{
		return RefuseImage(Path, "the file cannot be read");
	}
	return Decoder(*Bytes, Path);
}
