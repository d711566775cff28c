#include "Render/RenderCore.h"

#include "Render/RenderDevice.h"

ERHIFeatureLevel::Type GMaxRHIFeatureLevel = ERHIFeatureLevel::SM5;

void FlushRenderingCommands()
{
	if (FRenderDevice* Device = FRenderDevice::GetIfCreated())
	{
		Device->Flush();
	}
}
