#include "EditorUI/ContentBrowserView.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonObject.h"

#include <string>
#include <vector>

namespace
{
	constexpr const char* ContentRoot = "/Game";

	std::string LastSegment(const std::string& Path)
	{
		const std::size_t Slash = Path.rfind('/');
		return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
	}
}

std::shared_ptr<FJsonObject> DescribeContentBrowser(const IAssetRegistry& Registry)
{
	auto Result = std::make_shared<FJsonObject>();
	Result->SetStringField("root", ContentRoot);

	std::vector<std::string> FolderPaths;
	Registry.GetSubPaths(ContentRoot, FolderPaths, true);
	FJsonValueArray Folders;
	Folders.reserve(FolderPaths.size());
	for (const std::string& Path : FolderPaths)
	{
		auto Folder = std::make_shared<FJsonObject>();
		Folder->SetStringField("path", Path);
		Folder->SetStringField("name", LastSegment(Path));
		Folders.emplace_back(std::move(Folder));
	}
	Result->SetArrayField("folders", std::move(Folders));

	std::vector<FAssetData> Found;
	Registry.GetAssetsByPath(ContentRoot, Found, true);
	FJsonValueArray Assets;
	Assets.reserve(Found.size());
	for (const FAssetData& Data : Found)
	{
		auto Asset = std::make_shared<FJsonObject>();
		Asset->SetStringField("name", Data.AssetName);
		Asset->SetStringField("path", Data.GetObjectPathString());
		Asset->SetStringField("folder", Data.PackagePath);
		Asset->SetStringField("class", Data.AssetClassPath.AssetName);
		Assets.emplace_back(std::move(Asset));
	}
	Result->SetArrayField("assets", std::move(Assets));
	return Result;
}
