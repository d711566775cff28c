#include "Objects/Vector2DPropertyValue.h"

#include "Graph/CopyPasteTextValue.h"
#include "Objects/Property.h"
#include "Objects/PropertyValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace
{
	std::optional<double> ParseNumber(std::string_view Text)
	{
		double Number = 0.0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
		if (Error != std::errc() || End != Text.data() + Text.size() || !std::isfinite(Number))
		{
			return std::nullopt;
		}
		return Number;
	}

	/** A double as the editor exports a structure member: six decimals (room for the largest finite double). */
	std::string ExportNumber(double Number)
	{
		char Buffer[512];
		std::snprintf(Buffer, sizeof(Buffer), "%f", Number);
		return Buffer;
	}
}

std::optional<FVector2D> GetVector2DPropertyValue(const UObject& Object, const FProperty& Property)
{
	const std::optional<std::string> Text = GetPropertyValueText(Object, Property.GetName());
	if (!Text)
	{
		return std::nullopt;
	}
	std::optional<double> X;
	std::optional<double> Y;
	FCopyPasteListReader Reader(*Text);
	while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
	{
		if (Item->Key == "X")
		{
			X = ParseNumber(Item->Value);
		}
		else if (Item->Key == "Y")
		{
			Y = ParseNumber(Item->Value);
		}
	}
	if (!X || !Y)
	{
		return std::nullopt;
	}
	return FVector2D{*X, *Y};
}

bool SetVector2DPropertyValue(UObject& Object, const FProperty& Property, const FVector2D& Value)
{
	return SetPropertyValueText(Object, Property.GetName(), "(X=" + ExportNumber(Value.X) + ",Y=" + ExportNumber(Value.Y) + ")");
}
