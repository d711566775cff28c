#include "Data/AssetFieldReaders.h"

#include "Core/JsonObject.h"

#include <cmath>

std::optional<float> TryGetFloatField(const FJsonObject& Object, std::string_view Key)
{
	const std::optional<double> Number = Object.TryGetNumberField(Key);
	if (!Number)
	{
		return std::nullopt;
	}
	const float Value = static_cast<float>(*Number);
	return std::isfinite(Value) ? std::optional<float>(Value) : std::nullopt;
}
