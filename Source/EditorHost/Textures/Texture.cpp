#include "Textures/Texture.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Textures/TextureEnumNames.h"
#include "Textures/TextureSourceFile.h"

#include "Imaging/ImageWriter.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"

#include <filesystem>

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

	/** The picture kind that holds a source format without loss: PNG for 8- and 16-bit, EXR for float RGBA, raw float for one float channel. */
	std::string_view SourceFileExtension(EImagePixelFormat Format)
	{
		switch (Format)
		{
		case EImagePixelFormat::RGBA16F:
		case EImagePixelFormat::RGBA32F:
			return ".exr";
		case EImagePixelFormat::R32F:
			return ".rawf";
		default:
			return ".png";
		}
	}
}

bool UTexture::WriteSourceFiles() const
{
	const UPackage* const Package = GetPackage();
	const std::optional<std::string> AssetFile = Package ? FPackageName::TryConvertLongPackageNameToFilename(Package->GetName()) : std::nullopt;
	const std::optional<EImagePixelFormat> Layout = ToImagePixelFormat(Source.GetFormat());
	if (!AssetFile || !Layout)
	{
		UE_LOG(LogHost, Warning, "Texture %s: its source cannot be written beside the asset file", GetPathName().c_str());
		return false;
	}
	const std::filesystem::path Folder = std::filesystem::path(*AssetFile).parent_path();
	const std::string Extension(SourceFileExtension(*Layout));
	std::vector<std::string> FileNames;
	for (int32_t Mip = 0; Mip < Source.GetNumMips(); ++Mip)
	{
		const std::string FileName = GetName() + (Mip == 0 ? std::string() : "_Mip" + std::to_string(Mip)) + Extension;
		const std::optional<FImage> Image = MakeSourceMipImage(Source, Mip);
		if (!Image || !SaveImageFile(*Image, (Folder / FileName).string()))
		{
			return false;
		}
		FileNames.push_back(FileName);
	}
	SourceFileName = FileNames.front();
	SourceMipFileNames.assign(FileNames.begin() + 1, FileNames.end());
	SavedSourceChangeCount = Source.GetChangeCount();
	return true;
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
	// A source made or changed in the editor (an import) is written beside the asset first.
	const bool bSourceChanged = Source.IsValid() && (SourceFileName.empty() || Source.GetChangeCount() != SavedSourceChangeCount);
	if (bSourceChanged && !WriteSourceFiles())
	{
		SourceFileName.clear();
		SourceMipFileNames.clear();
	}
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
