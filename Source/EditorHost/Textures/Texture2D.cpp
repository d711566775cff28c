#include "Textures/Texture2D.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Textures/TextureEnumNames.h"
#include "Textures/TexturePlatformBuild.h"

#include <algorithm>
#include <limits>

namespace
{
	void ReadAddressField(const UTexture2D& Texture, const FJsonObject& File, std::string_view Key, TextureAddress& InOutAddress)
	{
		const std::optional<std::string> Name = File.TryGetStringField(Key);
		if (!File.HasField(Key))
		{
			return;
		}
		const std::optional<TextureAddress> Address = Name ? TextureEnumNames::FromName<TextureAddress>(*Name) : std::nullopt;
		if (!Address)
		{
			UE_LOG(LogHost, Warning, "Texture %s: %.*s %s is not a known value; it keeps TA_Wrap", Texture.GetPathName().c_str(), static_cast<int>(Key.size()), Key.data(),
				File.TryGetField(Key)->AsText().value_or(std::string("(not text)")).c_str());
			InOutAddress = TA_Wrap;
			return;
		}
		InOutAddress = *Address;
	}
}

int32_t UTexture2D::GetSizeX() const
{
	return PlatformData.SizeX;
}

int32_t UTexture2D::GetSizeY() const
{
	return PlatformData.SizeY;
}

EPixelFormat UTexture2D::GetPixelFormat(uint32_t LayerIndex) const
{
	return LayerIndex == 0 ? PlatformData.PixelFormat : PF_Unknown;
}

int32_t UTexture2D::GetNumMips() const
{
	return PlatformData.NumMips;
}

const FTexturePlatformData* UTexture2D::GetPlatformData() const
{
	return PlatformData.NumMips > 0 ? &PlatformData : nullptr;
}

void UTexture2D::UpdateResource()
{
	Super::UpdateResource();
	PlatformData = TexturePlatformBuild::BuildPlatformData(*this, Source.GetSizeX(), Source.GetSizeY(), TexturePlatformBuild::DetectSourceAlpha(Source));
}

uint32_t UTexture2D::CalcTextureMemorySizeEnum([[maybe_unused]] ETextureMipCount Enum) const
{
	// Every platform mip is resident: the host streams nothing, so the three counts agree.
	const uint64_t Bytes = TexturePlatformBuild::CalcPlatformDataMemorySize(PlatformData, 1);
	return static_cast<uint32_t>(std::min<uint64_t>(Bytes, std::numeric_limits<uint32_t>::max()));
}

bool UTexture2D::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	ReadAddressField(*this, File, "addressX", AddressX);
	ReadAddressField(*this, File, "addressY", AddressY);
	return Super::LoadAssetFields(File, OutError);
}

void UTexture2D::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	OutFile.SetStringField("addressX", TextureEnumNames::ToName(AddressX));
	OutFile.SetStringField("addressY", TextureEnumNames::ToName(AddressY));
}

void UTexture2D::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "Dimensions" || Tag.Name == "Format"; });
	OutTags.push_back({"Dimensions", std::to_string(GetSizeX()) + "x" + std::to_string(GetSizeY())});
	OutTags.push_back({"Format", GPixelFormats[GetPixelFormat()].Name});
}
