#include "Meshes/Gltf/GltfDocument.h"

#include "Meshes/Gltf/GltfDocumentParts.h"
#include "Meshes/Gltf/GltfModelReader.h"

#include <tiny_gltf.h>

TGltfResult<FGltfDocument> ParseGltfDocument(std::span<const uint8_t> Bytes, std::string_view BaseDir)
{
	tinygltf::Model Model;
	if (std::optional<FGltfError> Error = ReadGltfModel(Bytes, BaseDir, Model))
	{
		return *Error;
	}
	FGltfDocument Document;
	auto Nodes = ReadGltfNodes(Model);
	if (!Nodes)
	{
		return Nodes.Error();
	}
	Document.Nodes = std::move(*Nodes);
	auto Skins = ReadGltfSkins(Model);
	if (!Skins)
	{
		return Skins.Error();
	}
	Document.Skins = std::move(*Skins);
	auto Meshes = ReadGltfMeshes(Model);
	if (!Meshes)
	{
		return Meshes.Error();
	}
	Document.Meshes = std::move(*Meshes);
	auto Animations = ReadGltfAnimations(Model, Document.Nodes, Document.Meshes);
	if (!Animations)
	{
		return Animations.Error();
	}
	Document.Animations = std::move(*Animations);
	for (const tinygltf::Material& Material : Model.materials)
	{
		Document.MaterialNames.push_back(Material.name);
	}
	return Document;
}
