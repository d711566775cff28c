#include "Level/MeshComponent.h"

void UMeshComponent::SetMaterial(int32_t ElementIndex, UMaterialInterface* Material)
{
	if (ElementIndex < 0 || ElementIndex >= GetNumMaterials())
	{
		return;
	}
	const auto Slot = static_cast<std::size_t>(ElementIndex);
	if (OverrideMaterials.size() <= Slot)
	{
		OverrideMaterials.resize(Slot + 1, nullptr);
	}
	OverrideMaterials[Slot] = Material;
	MarkRenderStateDirty();
}

UMaterialInterface* UMeshComponent::GetMaterial(int32_t ElementIndex) const
{
	return ElementIndex >= 0 && ElementIndex < static_cast<int32_t>(OverrideMaterials.size()) ? OverrideMaterials[static_cast<std::size_t>(ElementIndex)] : nullptr;
}
