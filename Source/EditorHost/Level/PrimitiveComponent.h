#pragma once

#include "Level/SceneComponent.h"
#include "Meshes/MeshBounds.h"

class FSceneInterface;

/**
 * A scene component that draws something. Once registered with a scene (FPreviewScene::AddComponent)
 * it keeps a primitive there, which follows the component when its render state is updated:
 * MarkRenderStateDirty and MarkRenderDynamicDataDirty ask for an update, RecreateRenderState_Concurrent
 * makes the primitive afresh at once. The host has no render thread and no end of frame, so an
 * update asked for is made at once too, before anything else can draw the scene. A hidden component
 * has no primitive. Destroying the component takes its primitive out of the scene.
 */
class UPrimitiveComponent : public USceneComponent
{
	DECLARE_ENGINE_CLASS(UPrimitiveComponent, USceneComponent, "/Script/Engine.PrimitiveComponent")

public:
	~UPrimitiveComponent() override;

	/**
	 * Shows or hides the component; with bPropagateToChildren also the primitive components of its
	 * owner attached below it.
	 */
	void SetVisibility(bool bNewVisibility, bool bPropagateToChildren = false);
	bool IsVisible() const { return bVisible; }
	/** Places the component so that its component transform is Transform, and updates it. */
	void SetWorldTransform(const FTransform& Transform);
	/** Recomputes the component's bounds from its world transform (and pose), and its primitive with them. */
	void UpdateComponentToWorld();

	void MarkRenderStateDirty();
	void MarkRenderDynamicDataDirty();
	/** Brings the component's primitive in its scene up to date now. */
	void RecreateRenderState_Concurrent();

	/** The component's bounds in the world, as of its last update. */
	const FBoxSphereBounds& GetBounds() const { return Bounds; }

	/** Called by the scene that takes the component; nullptr removes it from its scene. */
	void SetScene(FSceneInterface* InScene);
	FSceneInterface* GetScene() const { return Scene; }
	/** Whether the component has a primitive in its scene now. */
	bool HasScenePrimitive() const { return PrimitiveId != 0; }

protected:
	/** Adds the component's primitive to Scene and returns its id; 0 when it has nothing to draw. */
	virtual int32_t CreateScenePrimitive([[maybe_unused]] FSceneInterface& InScene) { return 0; }
	/** The bounds of what the component draws, in the world. */
	virtual FBoxSphereBounds CalcBounds(const FTransform& LocalToWorld) const { return {LocalToWorld.Translation, {}, 0.0}; }

	FBoxSphereBounds Bounds;

private:
	void DestroyScenePrimitive();

	FSceneInterface* Scene = nullptr;
	int32_t PrimitiveId = 0;
	bool bVisible = true;
};
