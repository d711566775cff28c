#include "Level/PointLightComponent.h"

#include <numbers>

namespace
{
	float ToCandelas(float Intensity, ELightUnits Units)
	{
		switch (Units)
		{
		case ELightUnits::Unitless:
			return Intensity / 625.0f;
		case ELightUnits::Lumens:
			return Intensity / (4.0f * std::numbers::pi_v<float>);
		case ELightUnits::Candelas:
			break;
		}
		return Intensity;
	}
}

FPointLight UPointLightComponent::MakePointLight() const
{
	FPointLight Light;
	Light.Location = GetComponentLocation();
	Light.Intensity = ToCandelas(Intensity, IntensityUnits);
	Light.LightColor = LightColor;
	Light.AttenuationRadius = AttenuationRadius;
	Light.SourceRadius = SourceRadius;
	Light.SoftSourceRadius = SoftSourceRadius;
	return Light;
}
