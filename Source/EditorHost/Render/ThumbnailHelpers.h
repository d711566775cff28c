#pragma once

#include "Render/PreviewScene.h"

#include <cstdint>
#include <optional>

class FSceneView;
class FSceneViewFamily;
class UMaterialInterface;

/**
 * A preview scene seen by the editor's thumbnail orbit camera: a 30° field of view looking at
 * an origin from a pitch, yaw and distance that subclasses choose.
 */
class FThumbnailPreviewScene : public FPreviewScene
{
public:
	FThumbnailPreviewScene();

	/** Makes a view of the scene into the rectangle (X, Y, SizeX, SizeY), adds it to the family and returns it (owned by the family). */
	FSceneView* CreateView(FSceneViewFamily* ViewFamily, int32_t X, int32_t Y, uint32_t SizeX, uint32_t SizeY) const;

protected:
	/**
	 * The orbit camera: the point looked at is -OutOrigin; the camera is OutOrbitZoom away from
	 * it, turned by OutOrbitYaw about Z and raised by -OutOrbitPitch (degrees).
	 */
	virtual void GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const = 0;
};

/** The scene of a material thumbnail: the preview sphere (or a plane for user-interface materials) wearing the material. */
class FMaterialThumbnailScene : public FThumbnailPreviewScene
{
public:
	FMaterialThumbnailScene();

	/** Shows the material; nullptr shows the default material. */
	void SetMaterialInterface(UMaterialInterface* InMaterial);
	UMaterialInterface* GetMaterialInterface() const { return Material; }

protected:
	void GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const override;

private:
	UMaterialInterface* Material = nullptr;
	bool bIsUIMaterial = false;
	/** The preview mesh's bounds sphere radius and how far it is lifted to stand above the ground. */
	float BoundsSphereRadius = 0.0f;
	float BoundsZOffset = 0.0f;
	std::optional<FScenePrimitiveId> PreviewPrimitive;
};
