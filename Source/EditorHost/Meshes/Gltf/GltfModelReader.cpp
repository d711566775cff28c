#include "Meshes/Gltf/GltfModelReader.h"

#include "Core/FileSystem.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

namespace
{
	constexpr std::size_t MaxFileBytes = std::size_t(1) << 30;
	constexpr std::array<std::string_view, 2> ReadableRequiredExtensions = {"KHR_mesh_quantization", "KHR_materials_emissive_strength"};

	/** The folder external buffers may come from, resolved once. */
	struct FBufferFolder
	{
		std::filesystem::path Root;
	};

	/** Whether Path names a regular file inside the folder (after resolving "..", links and the like). */
	bool IsInsideFolder(const std::string& Path, void* UserData)
	{
		const auto* Folder = static_cast<const FBufferFolder*>(UserData);
		if (Folder->Root.empty())
		{
			return false;
		}
		std::error_code Error;
		const std::filesystem::path Resolved = std::filesystem::weakly_canonical(Path, Error);
		if (Error || !std::filesystem::is_regular_file(Resolved, Error))
		{
			return false;
		}
		const auto [RootEnd, Unused] = std::mismatch(Folder->Root.begin(), Folder->Root.end(), Resolved.begin(), Resolved.end());
		return RootEnd == Folder->Root.end();
	}

	std::string KeepPath(const std::string& Path, void*)
	{
		return Path;
	}

	bool ReadInsideFolder(std::vector<unsigned char>* Out, std::string* Error, const std::string& Path, void* UserData)
	{
		if (!IsInsideFolder(Path, UserData))
		{
			*Error = "external file outside the glTF file's folder: " + Path;
			return false;
		}
		std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(Path);
		if (!Bytes)
		{
			*Error = "cannot read " + Path;
			return false;
		}
		*Out = std::move(*Bytes);
		return true;
	}

	bool NeverWrite(std::string*, const std::string&, const std::vector<unsigned char>&, void*)
	{
		return false;
	}

	bool SkipImage(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int, void*)
	{
		return true;
	}

	/** tinygltf's first error line, shortened: it may quote a whole data URI. */
	std::string FirstLine(std::string Text)
	{
		constexpr std::size_t MaxLength = 160;
		Text.erase(std::find(Text.begin(), Text.end(), '\n'), Text.end());
		if (Text.size() > MaxLength)
		{
			Text = Text.substr(0, MaxLength) + "...";
		}
		return Text.empty() ? "not a glTF file" : Text;
	}
}

std::optional<FGltfError> ReadGltfModel(std::span<const uint8_t> Bytes, std::string_view BaseDir, tinygltf::Model& OutModel)
{
	if (Bytes.empty() || Bytes.size() > MaxFileBytes)
	{
		return MakeGltfError("the file is empty or larger than 1 GiB");
	}
	FBufferFolder Folder;
	if (!BaseDir.empty())
	{
		std::error_code Error;
		Folder.Root = std::filesystem::weakly_canonical(std::filesystem::path(BaseDir), Error);
	}
	tinygltf::TinyGLTF Loader;
	Loader.SetFsCallbacks({&IsInsideFolder, &KeepPath, &ReadInsideFolder, &NeverWrite, &Folder});
	Loader.SetImageLoader(&SkipImage, nullptr);

	std::string Error;
	std::string Warning;
	const std::string Base(BaseDir);
	const auto Size = static_cast<unsigned int>(Bytes.size());
	const bool bBinary = Bytes.size() >= 4 && std::equal(Bytes.begin(), Bytes.begin() + 4, "glTF");
	const bool bLoaded = bBinary ? Loader.LoadBinaryFromMemory(&OutModel, &Error, &Warning, Bytes.data(), Size, Base)
								 : Loader.LoadASCIIFromString(&OutModel, &Error, &Warning, reinterpret_cast<const char*>(Bytes.data()), Size, Base);
	if (!bLoaded)
	{
		return MakeGltfError("%s", FirstLine(Error).c_str());
	}
	for (const std::string& Extension : OutModel.extensionsRequired)
	{
		if (std::find(ReadableRequiredExtensions.begin(), ReadableRequiredExtensions.end(), Extension) == ReadableRequiredExtensions.end())
		{
			return MakeGltfError("it needs the glTF extension %s, which the host does not read", Extension.c_str());
		}
	}
	return std::nullopt;
}
