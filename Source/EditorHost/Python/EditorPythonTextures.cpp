#include "Python/EditorPythonTextures.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonObjects.h"

#include "Imaging/ImageConversion.h"
#include "Imaging/ImageFileLoader.h"
#include "Imaging/ImageWriter.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"
#include "Textures/Texture2D.h"
#include "Textures/TextureEnumNames.h"
#include "Textures/TextureSourceFile.h"

#include <pybind11/stl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace py = pybind11;

namespace
{
	const char* SourceFormatName(ETextureSourceFormat Format)
	{
		static constexpr const char* Names[] = {"TSF_Invalid", "TSF_G8", "TSF_BGRA8", "TSF_BGRE8", "TSF_RGBA16", "TSF_RGBA16F", "TSF_RGBA8_DEPRECATED",
			"TSF_RGBE8_DEPRECATED", "TSF_G16", "TSF_RGBA32F", "TSF_R16F", "TSF_R32F"};
		return Format < TSF_MAX ? Names[Format] : "TSF_Invalid";
	}

	UTexture& ToTexture(py::handle Value)
	{
		UObject* const Object = py::isinstance<py::str>(Value) ? EditorAssetLibrary::LoadAsset(Value.cast<std::string>()) : &EditorPythonObjects::ToObject(Value);
		UTexture* const Texture = Cast<UTexture>(Object);
		if (Texture == nullptr)
		{
			throw py::type_error("expected a texture (an editor.Object or an asset path)");
		}
		return *Texture;
	}

	std::string CheckedPackageName(std::string_view FolderPath, std::string_view Name)
	{
		const std::string PackageName = std::string(FolderPath) + "/" + std::string(Name);
		if (!FPackageName::IsValidPath(FolderPath) || !FPackageName::IsValidLongPackageName(PackageName) || FPackageName::IsReadOnlyPackage(PackageName))
		{
			throw py::value_error("not a valid asset path for a new texture: '" + PackageName + "'");
		}
		return PackageName;
	}

	/** The 2D texture at folder/name: the one there, or a new one when there is none; ValueError when another kind of asset holds the path. */
	UTexture2D& FindOrCreateTexture2D(std::string_view FolderPath, std::string_view Name)
	{
		const std::string PackageName = CheckedPackageName(FolderPath, Name);
		if (EditorAssetLibrary::DoesAssetExist(PackageName))
		{
			UTexture2D* const Existing = Cast<UTexture2D>(EditorAssetLibrary::LoadAsset(PackageName));
			if (Existing == nullptr)
			{
				throw py::value_error("an asset that is not a Texture2D already exists at '" + PackageName + "'");
			}
			return *Existing;
		}
		UPackage* const Package = CreatePackage(PackageName);
		UTexture2D* const Texture = Package != nullptr ? NewObject<UTexture2D>(Package, Name, RF_Public | RF_Standalone) : nullptr;
		if (Texture == nullptr)
		{
			throw py::value_error("cannot create a texture at '" + PackageName + "'");
		}
		return *Texture;
	}

	py::object CreateTexture(std::string_view FolderPath, std::string_view Name)
	{
		const std::string PackageName = CheckedPackageName(FolderPath, Name);
		if (EditorAssetLibrary::DoesAssetExist(PackageName))
		{
			throw py::value_error("an asset already exists at '" + PackageName + "'");
		}
		return EditorPythonObjects::Wrap(&FindOrCreateTexture2D(FolderPath, Name));
	}

	py::object ImportTexture(std::string_view FilePath, std::string_view FolderPath, const py::object& NameValue)
	{
		const std::string Name = NameValue.is_none() ? std::filesystem::path(FilePath).stem().string() : NameValue.cast<std::string>();
		const std::optional<FImage> Image = LoadImageFile(FilePath);
		if (!Image)
		{
			throw py::value_error("cannot read an image from '" + std::string(FilePath) + "'");
		}
		UTexture2D& Texture = FindOrCreateTexture2D(FolderPath, Name);
		Texture.Modify();
		Texture.PreEditChange(nullptr);
		Texture.Source.Init(Image->SizeX, Image->SizeY, 1, 1, ToTextureSourceFormat(Image->Format), Image->RawData.data());
		Texture.PostEditChange();
		return EditorPythonObjects::Wrap(&Texture);
	}

	py::dict GetSourceInfo(const UTexture& Texture)
	{
		py::dict Info;
		Info["valid"] = Texture.Source.IsValid();
		Info["width"] = Texture.Source.GetSizeX();
		Info["height"] = Texture.Source.GetSizeY();
		Info["mips"] = Texture.Source.GetNumMips();
		Info["format"] = SourceFormatName(Texture.Source.GetFormat());
		return Info;
	}

	py::dict GetSettings(const UTexture& Texture)
	{
		py::dict Settings;
		Settings["sRGB"] = Texture.SRGB;
		Settings["compressionSettings"] = TextureEnumNames::ToName(Texture.CompressionSettings);
		Settings["mipGenSettings"] = TextureEnumNames::ToName(Texture.MipGenSettings);
		Settings["lodGroup"] = TextureEnumNames::ToName(Texture.LODGroup);
		Settings["flipGreenChannel"] = Texture.bFlipGreenChannel;
		Settings["normalizeNormals"] = Texture.bNormalizeNormals;
		Settings["compressionNoAlpha"] = Texture.CompressionNoAlpha;
		Settings["compressionNone"] = Texture.CompressionNone;
		if (const UTexture2D* const Texture2D = Cast<UTexture2D>(&Texture))
		{
			Settings["addressX"] = TextureEnumNames::ToName(Texture2D->AddressX);
			Settings["addressY"] = TextureEnumNames::ToName(Texture2D->AddressY);
		}
		return Settings;
	}

	template <typename TEnum>
	bool ApplyEnum(const py::handle Value, TEnum& OutValue)
	{
		const std::optional<TEnum> Parsed = py::isinstance<py::str>(Value) ? TextureEnumNames::FromName<TEnum>(Value.cast<std::string>()) : std::nullopt;
		if (Parsed)
		{
			OutValue = *Parsed;
		}
		return Parsed.has_value();
	}

	bool ApplyBool(const py::handle Value, bool& OutValue)
	{
		if (!py::isinstance<py::bool_>(Value))
		{
			return false;
		}
		OutValue = Value.cast<bool>();
		return true;
	}

	/** Applies the settings it knows; returns (number applied, keys refused). Unknown keys are refused too. */
	py::tuple SetSettings(UTexture& Texture, const py::dict& Settings)
	{
		Texture.Modify();
		Texture.PreEditChange(nullptr);
		UTexture2D* const Texture2D = Cast<UTexture2D>(&Texture);
		int32_t Applied = 0;
		std::vector<std::string> Refused;
		for (const auto& [KeyValue, Value] : Settings)
		{
			const std::string Key = py::str(KeyValue);
			bool bDone = false;
			if (Key == "sRGB")
				bDone = ApplyBool(Value, Texture.SRGB);
			else if (Key == "compressionSettings")
				bDone = ApplyEnum(Value, Texture.CompressionSettings);
			else if (Key == "mipGenSettings")
				bDone = ApplyEnum(Value, Texture.MipGenSettings);
			else if (Key == "lodGroup")
				bDone = ApplyEnum(Value, Texture.LODGroup);
			else if (Key == "flipGreenChannel")
				bDone = ApplyBool(Value, Texture.bFlipGreenChannel);
			else if (Key == "normalizeNormals")
				bDone = ApplyBool(Value, Texture.bNormalizeNormals);
			else if (Key == "compressionNoAlpha")
				bDone = ApplyBool(Value, Texture.CompressionNoAlpha);
			else if (Key == "compressionNone")
				bDone = ApplyBool(Value, Texture.CompressionNone);
			else if (Key == "addressX" && Texture2D != nullptr)
				bDone = ApplyEnum(Value, Texture2D->AddressX);
			else if (Key == "addressY" && Texture2D != nullptr)
				bDone = ApplyEnum(Value, Texture2D->AddressY);
			if (bDone)
			{
				++Applied;
			}
			else
			{
				Refused.push_back(Key);
			}
		}
		Texture.PostEditChange();
		return py::make_tuple(Applied, Refused);
	}

	/** Writes mip 0 of the source as an 8-bit TGA (run-length encoded); False when the texture has no usable source or the file cannot be written. */
	bool ExportSourceAsTga(const UTexture& Texture, std::string_view FilePath)
	{
		const std::optional<FImage> Image = Texture.Source.IsValid() ? MakeSourceMipImage(Texture.Source, 0) : std::nullopt;
		return Image && SaveImageFile(ConvertToEightBit(*Image), FilePath);
	}
}

void EditorPythonTextures::DefineFunctions(py::module_& Module)
{
	Module.def("create_texture", &CreateTexture, py::arg("folder_path"), py::arg("name"),
		"A new Texture2D without source art in memory at folder_path/name (save it with save_asset).");
	Module.def("import_texture", &ImportTexture, py::arg("file_path"), py::arg("folder_path"), py::arg("name") = py::none(),
		"Imports an image file (.png, .tga, .exr, .rawf) as the source of the Texture2D folder_path/name (the file's name without extension "
		"by default), creating it or replacing the source of the one there; save it with save_asset.");
	Module.def("get_texture_source_info", [](const py::object& Texture) { return GetSourceInfo(ToTexture(Texture)); }, py::arg("texture"),
		"The source art: valid, width, height, mips and format (TSF_ name).");
	Module.def("get_texture_source_pixels", [](const py::object& Texture) {
		const UTexture& Found = ToTexture(Texture);
		std::vector<uint8_t> Mip;
		Found.Source.GetMipData(Mip, 0, 0, 0);
		return py::bytes(reinterpret_cast<const char*>(Mip.data()), Mip.size());
	}, py::arg("texture"), "The bytes of the source's top mip, in its format's layout (empty without a source).");
	Module.def("get_texture_settings", [](const py::object& Texture) { return GetSettings(ToTexture(Texture)); }, py::arg("texture"),
		"The import settings by their asset-file names (enumerations as enumerator names).");
	Module.def("set_texture_settings", [](const py::object& Texture, const py::dict& Settings) { return SetSettings(ToTexture(Texture), Settings); },
		py::arg("texture"), py::arg("settings"), "Applies settings by the names get_texture_settings gives; returns (number applied, keys refused).");
	Module.def("export_texture_source_tga", [](const py::object& Texture, std::string_view FilePath) { return ExportSourceAsTga(ToTexture(Texture), FilePath); },
		py::arg("texture"), py::arg("file_path"),
		"Writes the source's top mip as an 8-bit TGA (16-bit and float sources converted); False when there is no source or the file cannot be written.");
}
