#include "Meshes/StaticMesh.h"

#include "Core/JsonObject.h"
#include "Meshes/AssetGltfSource.h"

#include <algorithm>

int32_t UStaticMesh::GetNumLODs() const
{
	return RenderData ? static_cast<int32_t>(RenderData->LODResources.size()) : 0;
}

const FStaticMeshLODResources* UStaticMesh::GetLODForExport(int32_t LODIndex) const
{
	const int32_t NumLODs = GetNumLODs();
	if (NumLODs == 0)
	{
		return nullptr;
	}
	return &RenderData->LODResources[static_cast<std::size_t>(std::clamp(LODIndex, 0, NumLODs - 1))];
}

FBoxSphereBounds UStaticMesh::GetBounds() const
{
	return RenderData ? RenderData->Bounds : FBoxSphereBounds();
}

bool UStaticMesh::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	SourceFileName = File.TryGetStringField("source").value_or(std::string());
	return LoadRenderData(OutError) && LoadStaticMaterials(File, OutError);
}

bool UStaticMesh::LoadRenderData(std::string& OutError)
{
	if (SourceFileName.empty())
	{
		return true;
	}
	const std::optional<FGltfFile> Gltf = LoadAssetGltfSource(*this, SourceFileName, OutError);
	if (!Gltf)
	{
		return false;
	}
	RenderData = Gltf->BuildStaticMesh();
	if (!RenderData)
	{
		OutError = "source file " + SourceFileName + " holds no static mesh";
		return false;
	}
	return true;
}

bool UStaticMesh::LoadStaticMaterials(const FJsonObject& File, std::string& OutError)
{
	const std::shared_ptr<FJsonValueArray> Entries = File.TryGetArrayField("staticMaterials");
	if (!Entries)
	{
		if (RenderData)
		{
			for (const FMaterialSlot& Slot : RenderData->Materials)
			{
				StaticMaterials.push_back({Slot.SlotName, {}});
			}
		}
		return true;
	}
	StaticMaterials.reserve(Entries->size());
	for (const FJsonValue& Value : *Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> SlotName = Entry ? Entry->TryGetStringField("slotName") : std::nullopt;
		if (!SlotName)
		{
			OutError = "a static material needs a \"slotName\"";
			return false;
		}
		StaticMaterials.push_back({*SlotName, Entry->TryGetStringField("material").value_or(std::string())});
	}
	return true;
}

void UStaticMesh::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (!SourceFileName.empty())
	{
		OutFile.SetStringField("source", SourceFileName);
	}
	FJsonValueArray Materials;
	Materials.reserve(StaticMaterials.size());
	for (const FStaticMaterial& Material : StaticMaterials)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("slotName", Material.MaterialSlotName);
		if (!Material.MaterialInterfacePath.empty())
		{
			Entry->SetStringField("material", Material.MaterialInterfacePath);
		}
		Materials.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("staticMaterials", std::move(Materials));
}
