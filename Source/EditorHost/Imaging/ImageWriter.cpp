#include "Imaging/ImageWriter.h"

#include "Core/FileSystem.h"
#include "Core/LogHost.h"
#include "Imaging/ExrWriter.h"
#include "Imaging/PngWriter.h"
#include "Imaging/RawFloatWriter.h"
#include "Imaging/TgaWriter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

bool SaveImageFile(const FImage& Image, std::string_view Path)
{
	std::string Extension = std::filesystem::path(Path).extension().string();
	std::transform(Extension.begin(), Extension.end(), Extension.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
	std::optional<std::vector<uint8_t>> Bytes;
	if (Extension == ".png")
	{
		Bytes = EncodePng(Image);
	}
	else if (Extension == ".tga")
	{
		Bytes = EncodeTga(Image, {.bRunLengthEncoded = true});
	}
	else if (Extension == ".exr")
	{
		Bytes = EncodeExr(Image);
	}
	else if (Extension == ".rawf")
	{
		Bytes = EncodeRawFloat(Image);
	}
	else
	{
		UE_LOG(LogHost, Warning, "Cannot write image file '%.*s': unknown image extension '%s'", static_cast<int>(Path.size()), Path.data(), Extension.c_str());
		return false;
	}
	if (!Bytes)
	{
		const std::string_view Format = LexToString(Image.Format);
		UE_LOG(LogHost, Warning, "Cannot write image file '%.*s': a %s file cannot hold a %dx%d %.*s image", static_cast<int>(Path.size()), Path.data(), Extension.c_str(),
			Image.SizeX, Image.SizeY, static_cast<int>(Format.size()), Format.data());
		return false;
	}
	if (!FFileHelper::SaveBytesToFile(*Bytes, Path))
	{
		UE_LOG(LogHost, Warning, "Cannot write image file '%.*s': the file cannot be written", static_cast<int>(Path.size()), Path.data());
		return false;
	}
	return true;
}
