#include "Textures/Texture.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Textures/TextureEnumNames.h"
#include "Textures/TextureSourceFile.h"

namespace
{
	/** Reads an enumerator name field; a name that is not one keeps the default, with a Warning. */
	template <typename TEnum>
	void ReadEnumField(const UObject& Texture, const FJsonObject& File, std::string_view Key, TEnum& InOutValue)
	{
		const FJsonValue* const Field = File.TryGetField(Key);
		if (Field == nullptr)
		{
			return;
		}
		const std::string* const Name = Field->TryGetString();
		const std::optional<TEnum> Value = Name != nullptr ? TextureEnumNames::FromName<TEnum>(*Name) : std::nullopt;
		if (!Value)
		{
			UE_LOG(LogHost, Warning, "Texture %s: %.*s %s is not a known value; it keeps %s", Texture.GetPathName().c_str(), static_cast<int>(Key.size()), Key.data(),
				Field->AsText().value_or(std::string("(not text)")).c_str(), TextureEnumNames::ToName(InOutValue).c_str());
			return;
		}
		InOutValue = *Value;
	}

	void ReadBoolField(const FJsonObject& File, std::string_view Key, bool& InOutValue)
	{
		InOutValue = File.TryGetBoolField(Key).value_or(InOutValue);
	}
}

bool UTexture::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	ReadEnumField(*this, File, "compressionSettings", CompressionSettings);
	ReadEnumField(*this, File, "mipGenSettings", MipGenSettings);
	ReadEnumField(*this, File, "lodGroup", LODGroup);
	ReadBoolField(File, "sRGB", SRGB);
	ReadBoolField(File, "compressionNoAlpha", CompressionNoAlpha);
	ReadBoolField(File, "compressionNone", CompressionNone);
	ReadBoolField(File, "flipGreenChannel", bFlipGreenChannel);
	ReadBoolField(File, "normalizeNormals", bNormalizeNormals);

	SourceFileName = File.TryGetStringField("source").value_or(std::string());
	SourceMipFileNames.clear();
	if (const std::shared_ptr<FJsonValueArray> Mips = File.TryGetArrayField("sourceMips"))
	{
		for (const FJsonValue& Mip : *Mips)
		{
			SourceMipFileNames.push_back(Mip.AsText().value_or(std::string()));
		}
	}
	if (!SourceFileName.empty())
	{
		std::string SourceError;
		if (!LoadTextureSourceFiles(*this, SourceFileName, SourceMipFileNames, GetNumSourceSlices(), Source, SourceError))
		{
			// The settings still load: the texture is listed and analysed without its pixels.
			UE_LOG(LogHost, Warning, "Texture %s has no usable source: %s", GetPathName().c_str(), SourceError.c_str());
		}
	}
	SavedSourceChangeCount = Source.GetChangeCount();
	UpdateResource();
	return true;
}

void UTexture::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (!SourceFileName.empty())
	{
		OutFile.SetStringField("source", SourceFileName);
	}
	else
	{
		OutFile.RemoveField("source");
	}
	if (!SourceMipFileNames.empty())
	{
		FJsonValueArray Mips;
		for (const std::string& Mip : SourceMipFileNames)
		{
			Mips.emplace_back(Mip);
		}
		OutFile.SetArrayField("sourceMips", std::move(Mips));
	}
	else
	{
		OutFile.RemoveField("sourceMips");
	}
	OutFile.SetStringField("compressionSettings", TextureEnumNames::ToName(CompressionSettings));
	OutFile.SetStringField("mipGenSettings", TextureEnumNames::ToName(MipGenSettings));
	OutFile.SetStringField("lodGroup", TextureEnumNames::ToName(LODGroup));
	OutFile.SetBoolField("sRGB", SRGB);
	OutFile.SetBoolField("compressionNoAlpha", CompressionNoAlpha);
	OutFile.SetBoolField("compressionNone", CompressionNone);
	OutFile.SetBoolField("flipGreenChannel", bFlipGreenChannel);
	OutFile.SetBoolField("normalizeNormals", bNormalizeNormals);
}

void UTexture::PostEditChange()
{
	Super::PostEditChange();
	UpdateResource();
}

void UTexture::UpdateResource()
{
}

uint32_t UTexture::CalcTextureMemorySizeEnum([[maybe_unused]] ETextureMipCount Enum) const
{
	return 0;
}
