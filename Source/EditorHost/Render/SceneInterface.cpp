#include "Render/SceneInterface.h"

#include <algorithm>

FScenePrimitiveId FSceneInterface::AddStaticMesh(FStaticMeshPrimitive Primitive)
{
	const FScenePrimitiveId Id = NextId++;
	StaticMeshes.push_back({Id, std::move(Primitive)});
	return Id;
}

FScenePrimitiveId FSceneInterface::AddDynamicMesh(FDynamicMeshPrimitive Primitive)
{
	const FScenePrimitiveId Id = NextId++;
	DynamicMeshes.push_back({Id, std::move(Primitive)});
	return Id;
}

FStaticMeshPrimitive* FSceneInterface::FindStaticMesh(FScenePrimitiveId Id)
{
	const auto Found = std::find_if(StaticMeshes.begin(), StaticMeshes.end(), [Id](const FStaticEntry& Entry) { return Entry.Id == Id; });
	return Found != StaticMeshes.end() ? &Found->Primitive : nullptr;
}

FDynamicMeshPrimitive* FSceneInterface::FindDynamicMesh(FScenePrimitiveId Id)
{
	const auto Found = std::find_if(DynamicMeshes.begin(), DynamicMeshes.end(), [Id](const FDynamicEntry& Entry) { return Entry.Id == Id; });
	return Found != DynamicMeshes.end() ? &Found->Primitive : nullptr;
}

void FSceneInterface::RemovePrimitive(FScenePrimitiveId Id)
{
	std::erase_if(StaticMeshes, [Id](const FStaticEntry& Entry) { return Entry.Id == Id; });
	std::erase_if(DynamicMeshes, [Id](const FDynamicEntry& Entry) { return Entry.Id == Id; });
}
