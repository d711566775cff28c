#include "Data/AssetSourceFile.h"

#include "Core/Paths.h"
#include "Objects/Object.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

namespace
{
	bool IsPlainFileName(std::string_view FileName)
	{
		return !FileName.empty() && FileName != "." && FileName != ".." && FileName.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
	}
}

std::optional<std::string> ResolveAssetSourceFile(const UObject& Asset, std::string_view FileName, std::string& OutError)
{
	if (!IsPlainFileName(FileName))
	{
		OutError = "source \"" + std::string(FileName) + "\" is not a file name in the asset's folder";
		return std::nullopt;
	}
	const UPackage* Package = Asset.GetPackage();
	const std::optional<std::string> AssetFile = Package != nullptr ? FPackageName::TryConvertLongPackageNameToFilename(Package->GetName()) : std::nullopt;
	if (!AssetFile)
	{
		OutError = "the asset has no content folder to read its source from";
		return std::nullopt;
	}
	const std::string SourceFile = FPaths::Combine(AssetFile->substr(0, AssetFile->rfind('/')), FileName);
	if (!FPaths::FileExists(SourceFile))
	{
		OutError = "source file " + std::string(FileName) + " does not exist";
		return std::nullopt;
	}
	if (!FPackageName::IsInsideContentRootOf(Package->GetName(), SourceFile))
	{
		OutError = "source file " + std::string(FileName) + " lies outside the asset's content folder";
		return std::nullopt;
	}
	return SourceFile;
}
