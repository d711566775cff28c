#pragma once

#include "Core/JsonObject.h"
#include "Textures/TextureDefines.h"

#include <memory>
#include <optional>
#include <string_view>

class FTextureSource;
class UTexture2D;

/** `min`, `max`, `mid` and `range` of one channel, as 32-bit floats. */
std::shared_ptr<FJsonObject> MakeRangeObject(float Min, float Max);

/** The analysis's name of a compression setting: the common ones by name, every other "TC_Other". */
std::string_view GetCompressionSettingsName(TextureCompressionSettings Settings);

/** The lowest and highest value of R, G, B and A (0..1) over the pixels of one source mip. */
struct FChannelRanges
{
	float Min[4] = {1.0f, 1.0f, 1.0f, 1.0f};
	float Max[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

/**
 * The channel ranges of the source's smallest mip (for a full chain, the 1×1 average colour).
 * Nothing when the source is not valid, the mip cannot be read or is short, or the source is
 * 16-bit float; formats the analysis does not read count as opaque black.
 */
std::optional<FChannelRanges> MeasureSmallestSourceMip(const FTextureSource& Source);

/** "high", "medium" or "low" by the mean range of R, G and B. */
std::string_view DescribeContrast(const FChannelRanges& Ranges);
/** "warm", "cool" or "neutral" by the mid values of R and B. */
std::string_view DescribeTemperature(const FChannelRanges& Ranges);

/**
 * The analysis object of a 2D texture: its platform size and format, import settings and
 * memory size, then, when its source art can be read, channel ranges, dominant colour,
 * brightness, contrast and temperature.
 */
std::shared_ptr<FJsonObject> AnalyseTexture(const UTexture2D& Texture, std::string_view Path);
