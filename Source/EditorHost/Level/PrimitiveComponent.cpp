#include "Level/PrimitiveComponent.h"

#include "Level/Actor.h"
#include "Meshes/MeshRelativeTransform.h"
#include "Render/SceneInterface.h"

UPrimitiveComponent::~UPrimitiveComponent()
{
	DestroyScenePrimitive();
}

void UPrimitiveComponent::SetVisibility(bool bNewVisibility, bool bPropagateToChildren)
{
	if (bVisible != bNewVisibility)
	{
		bVisible = bNewVisibility;
		RecreateRenderState_Concurrent();
	}
	const AActor* Owner = GetOwner();
	if (!bPropagateToChildren || Owner == nullptr)
	{
		return;
	}
	for (UActorComponent* Component : Owner->GetComponents())
	{
		auto* Child = Cast<UPrimitiveComponent>(static_cast<UObject*>(Component));
		if (Child != nullptr && Child != this && Child->GetAttachParent() == this)
		{
			Child->SetVisibility(bNewVisibility, true);
		}
	}
}

void UPrimitiveComponent::SetWorldTransform(const FTransform& Transform)
{
	const USceneComponent* Parent = GetAttachParent();
	SetRelativeTransform(Parent != nullptr ? ::GetRelativeTransform(Transform, Parent->GetComponentTransform()) : Transform);
	UpdateComponentToWorld();
}

void UPrimitiveComponent::UpdateComponentToWorld()
{
	Bounds = CalcBounds(GetComponentTransform());
	MarkRenderStateDirty();
}

void UPrimitiveComponent::MarkRenderStateDirty()
{
	RecreateRenderState_Concurrent();
}

void UPrimitiveComponent::MarkRenderDynamicDataDirty()
{
	RecreateRenderState_Concurrent();
}

void UPrimitiveComponent::RecreateRenderState_Concurrent()
{
	DestroyScenePrimitive();
	if (Scene != nullptr && bVisible)
	{
		PrimitiveId = CreateScenePrimitive(*Scene);
	}
}

void UPrimitiveComponent::SetScene(FSceneInterface* InScene)
{
	if (InScene == Scene)
	{
		return;
	}
	DestroyScenePrimitive();
	Scene = InScene;
	if (Scene != nullptr)
	{
		UpdateComponentToWorld();
	}
}

void UPrimitiveComponent::DestroyScenePrimitive()
{
	if (Scene != nullptr && PrimitiveId != 0)
	{
		Scene->RemovePrimitive(PrimitiveId);
	}
	PrimitiveId = 0;
}
