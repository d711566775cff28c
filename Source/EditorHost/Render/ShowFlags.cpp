#include "Render/ShowFlags.h"

FEngineShowFlags::FEngineShowFlags(EShowFlagInitMode InitMode)
{
	const bool bOn = InitMode != ESFIM_All0;
	Lighting = bOn;
	Materials = bOn;
	Translucency = bOn;
	SkyLighting = bOn;
	DirectionalLights = bOn;
	PointLights = bOn;
}
