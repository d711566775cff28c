#include "Objects/TopLevelAssetPath.h"

FTopLevelAssetPath::FTopLevelAssetPath(std::string_view Path)
{
	if (IsValidText(Path))
	{
		const std::size_t Dot = Path.find('.');
		PackageName.assign(Path.substr(0, Dot));
		AssetName.assign(Path.substr(Dot + 1));
	}
}

bool FTopLevelAssetPath::IsValidText(std::string_view Path)
{
	const std::size_t Dot = Path.find('.');
	return Path.size() > 1 && Path.front() == '/' && Dot != std::string_view::npos && Dot > 1 && Dot + 1 < Path.size()
		&& Path.find_first_of(".:", Dot + 1) == std::string_view::npos && Path[Dot - 1] != '/';
}

std::string FTopLevelAssetPath::ToString() const
{
	std::string Out;
	AppendString(Out);
	return Out;
}

void FTopLevelAssetPath::AppendString(std::string& Out) const
{
	if (IsNull())
	{
		return;
	}
	Out.reserve(Out.size() + PackageName.size() + 1 + AssetName.size());
	Out.append(PackageName);
	Out.push_back('.');
	Out.append(AssetName);
}
