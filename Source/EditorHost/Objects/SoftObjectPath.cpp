#include "Objects/SoftObjectPath.h"

#include "Objects/Object.h"
#include "Objects/ObjectGlobals.h"

FSoftObjectPath::FSoftObjectPath(std::string_view Path)
{
	const std::size_t Colon = Path.find(':');
	const std::string_view TopLevel = Path.substr(0, Colon);
	const std::string_view SubPath = Colon == std::string_view::npos ? std::string_view() : Path.substr(Colon + 1);
	if (!FTopLevelAssetPath::IsValidText(TopLevel) || (Colon != std::string_view::npos && SubPath.empty()))
	{
		return;
	}
	AssetPath = FTopLevelAssetPath(TopLevel);
	SubPathString.assign(SubPath);
}

FSoftObjectPath::FSoftObjectPath(const UObject* Object)
	: FSoftObjectPath(Object != nullptr ? std::string_view(Object->GetPathName()) : std::string_view())
{
}

std::string FSoftObjectPath::ToString() const
{
	std::string Out = AssetPath.ToString();
	if (!SubPathString.empty())
	{
		Out.push_back(':');
		Out.append(SubPathString);
	}
	return Out;
}

UObject* FSoftObjectPath::ResolveObject() const
{
	return IsValid() ? StaticFindObject(nullptr, nullptr, ToString()) : nullptr;
}

UObject* FSoftObjectPath::TryLoad() const
{
	return IsValid() ? StaticLoadObject(nullptr, ToString()) : nullptr;
}
