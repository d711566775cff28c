#include "Meshes/AssetGltfSource.h"

#include "Data/AssetSourceFile.h"

std::optional<FGltfFile> LoadAssetGltfSource(const UObject& Asset, std::string_view FileName, std::string& OutError)
{
	const std::optional<std::string> SourcePath = ResolveAssetSourceFile(Asset, FileName, OutError);
	if (!SourcePath)
	{
		return std::nullopt;
	}
	std::optional<FGltfFile> File = FGltfFile::Load(*SourcePath);
	if (!File)
	{
		OutError = "source file " + std::string(FileName) + " is not a usable glTF file";
	}
	return File;
}
