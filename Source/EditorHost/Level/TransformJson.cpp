#include "Level/TransformJson.h"

#include "Core/JsonObject.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace
{
	/** The three named numbers of the member at Key; empty when it is not an object holding all three as finite numbers. */
	std::optional<std::array<double, 3>> ReadTriple(const FJsonValue& Value, const std::array<std::string_view, 3>& Names)
	{
		const std::shared_ptr<FJsonObject> Object = Value.TryGetObject();
		if (!Object)
		{
			return std::nullopt;
		}
		std::array<double, 3> Numbers{};
		for (std::size_t Index = 0; Index < Names.size(); ++Index)
		{
			const std::optional<double> Number = Object->TryGetNumberField(Names[Index]);
			if (!Number || !std::isfinite(*Number))
			{
				return std::nullopt;
			}
			Numbers[Index] = *Number;
		}
		return Numbers;
	}

	bool Refuse(std::string_view Key, std::string_view Form, std::string& OutError)
	{
		OutError.clear();
		OutError.append(1, '"').append(Key).append("\" is not ").append(Form);
		return false;
	}
}

bool ReadVectorField(const FJsonObject& Object, std::string_view Key, FVector& InOutVector, std::string& OutError)
{
	const FJsonValue* Value = Object.TryGetField(Key);
	if (Value == nullptr)
	{
		return true;
	}
	const std::optional<std::array<double, 3>> Numbers = ReadTriple(*Value, {"x", "y", "z"});
	if (!Numbers)
	{
		return Refuse(Key, "a vector {x, y, z}", OutError);
	}
	InOutVector = {(*Numbers)[0], (*Numbers)[1], (*Numbers)[2]};
	return true;
}

bool ReadRotatorField(const FJsonObject& Object, std::string_view Key, FRotator& InOutRotator, std::string& OutError)
{
	const FJsonValue* Value = Object.TryGetField(Key);
	if (Value == nullptr)
	{
		return true;
	}
	const std::optional<std::array<double, 3>> Numbers = ReadTriple(*Value, {"pitch", "yaw", "roll"});
	if (!Numbers)
	{
		return Refuse(Key, "a rotator {pitch, yaw, roll}", OutError);
	}
	InOutRotator = {(*Numbers)[0], (*Numbers)[1], (*Numbers)[2]};
	return true;
}

bool ReadFloatField(const FJsonObject& Object, std::string_view Key, float& InOutValue, std::string& OutError)
{
	const FJsonValue* Value = Object.TryGetField(Key);
	if (Value == nullptr)
	{
		return true;
	}
	const std::optional<double> Number = Value->TryGetNumber();
	if (!Number || !(std::abs(*Number) <= std::numeric_limits<float>::max()))
	{
		return Refuse(Key, "a single-precision number", OutError);
	}
	InOutValue = static_cast<float>(*Number);
	return true;
}

std::shared_ptr<FJsonObject> MakeVectorObject(const FVector& Vector)
{
	auto Object = std::make_shared<FJsonObject>();
	Object->SetNumberField("x", Vector.X);
	Object->SetNumberField("y", Vector.Y);
	Object->SetNumberField("z", Vector.Z);
	return Object;
}

std::shared_ptr<FJsonObject> MakeRotatorObject(const FRotator& Rotator)
{
	auto Object = std::make_shared<FJsonObject>();
	Object->SetNumberField("pitch", Rotator.Pitch);
	Object->SetNumberField("yaw", Rotator.Yaw);
	Object->SetNumberField("roll", Rotator.Roll);
	return Object;
}
