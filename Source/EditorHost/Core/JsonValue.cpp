#include "Core/JsonValue.h"

#include "Core/JsonNumberText.h"
#include "Core/JsonObject.h"

#include <cmath>
#include <limits>

namespace
{
	/** Saturates to Integer's range; the bounds are powers of two, exact as doubles, so no cast ever leaves the range. */
	template <typename Integer>
	Integer SaturatingDoubleTo(double Number)
	{
		constexpr double Lowest = static_cast<double>(std::numeric_limits<Integer>::min());
		// -min is 2^(bits-1): the smallest double whose truncation no longer fits.
		constexpr double Beyond = -Lowest;
		if (std::isnan(Number))
		{
			return 0;
		}
		if (Number >= Beyond)
		{
			return std::numeric_limits<Integer>::max();
		}
		if (Number <= Lowest)
		{
			return std::numeric_limits<Integer>::min();
		}
		return static_cast<Integer>(Number);
	}

	template <typename Integer>
	std::optional<Integer> TryGetInteger(std::optional<double> Number)
	{
		if (!Number || std::isnan(*Number))
		{
			return std::nullopt;
		}
		return SaturatingDoubleTo<Integer>(*Number);
	}
}

int32_t SaturatingDoubleToInt32(double Number)
{
	return SaturatingDoubleTo<int32_t>(Number);
}

int64_t SaturatingDoubleToInt64(double Number)
{
	return SaturatingDoubleTo<int64_t>(Number);
}

FJsonValue::FJsonValue(std::shared_ptr<FJsonObject> Object)
{
	if (Object)
	{
		Value = std::move(Object);
	}
}

FJsonValue::FJsonValue(std::shared_ptr<FJsonValueArray> Array)
{
	if (Array)
	{
		Value = std::move(Array);
	}
}

FJsonValue::FJsonValue(FJsonValueArray Array) : Value(std::make_shared<FJsonValueArray>(std::move(Array)))
{
}

EJson FJsonValue::Type() const
{
	struct FTypeOf
	{
		EJson operator()(std::monostate) const { return EJson::Null; }
		EJson operator()(bool) const { return EJson::Boolean; }
		EJson operator()(double) const { return EJson::Number; }
		EJson operator()(const std::string&) const { return EJson::String; }
		EJson operator()(const std::shared_ptr<FJsonValueArray>&) const { return EJson::Array; }
		EJson operator()(const std::shared_ptr<FJsonObject>&) const { return EJson::Object; }
	};
	return std::visit(FTypeOf{}, Value);
}

std::optional<bool> FJsonValue::TryGetBool() const
{
	if (const bool* Bool = std::get_if<bool>(&Value))
	{
		return *Bool;
	}
	return std::nullopt;
}

std::optional<double> FJsonValue::TryGetNumber() const
{
	if (const double* Number = std::get_if<double>(&Value))
	{
		return *Number;
	}
	return std::nullopt;
}

std::optional<int32_t> FJsonValue::TryGetInt32() const
{
	return TryGetInteger<int32_t>(TryGetNumber());
}

std::optional<int64_t> FJsonValue::TryGetInt64() const
{
	return TryGetInteger<int64_t>(TryGetNumber());
}

const std::string* FJsonValue::TryGetString() const
{
	return std::get_if<std::string>(&Value);
}

std::shared_ptr<FJsonValueArray> FJsonValue::TryGetArray() const
{
	if (const auto* Array = std::get_if<std::shared_ptr<FJsonValueArray>>(&Value))
	{
		return *Array;
	}
	return nullptr;
}

std::shared_ptr<FJsonObject> FJsonValue::TryGetObject() const
{
	if (const auto* Object = std::get_if<std::shared_ptr<FJsonObject>>(&Value))
	{
		return *Object;
	}
	return nullptr;
}

std::optional<std::string> FJsonValue::AsText() const
{
	switch (Type())
	{
	case EJson::Null:
		return std::string();
	case EJson::String:
		return *TryGetString();
	case EJson::Number:
	{
		std::string Text;
		AppendNumberAsIntegerWherePossible(Text, *TryGetNumber());
		return Text;
	}
	case EJson::Boolean:
		return std::string(*TryGetBool() ? "true" : "false");
	case EJson::Array:
	case EJson::Object:
		break;
	}
	return std::nullopt;
}
