#pragma once

#include "Render/ThumbnailHelpers.h"

/** The material thumbnail scene seen from its orbit turned further by a yaw offset, one turntable frame at a time. */
class FTurntableThumbnailScene : public FMaterialThumbnailScene
{
public:
	/** Degrees added to the thumbnail orbit's yaw (0 after construction). */
	float YawOffset = 0.0f;

protected:
	void GetViewMatrixParameters(float InFOVDegrees, FVector& OutOrigin, float& OutOrbitPitch, float& OutOrbitYaw, float& OutOrbitZoom) const override;
};
