#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

class FJsonObject;
class FJsonValue;

/** The JSON type of a value. */
enum class EJson : uint8_t
{
	Null,
	String,
	Number,
	Boolean,
	Array,
	Object
};

/** An array of values; arrays are shared between the values that hold them. */
using FJsonValueArray = std::vector<FJsonValue>;

/**
 * One JSON value: null, boolean, number (always a double), UTF-8 string, array or
 * object. Scalars are held by value; arrays and objects by shared pointer, so a
 * value copied out of an object still refers to the very same container.
 *
 * The typed accessors are strict: each succeeds only for a value of its own JSON
 * type. `AsText` is the one conversion, for the few readers that take any scalar
 * as text.
 */
class FJsonValue
{
public:
	/** A null value. */
	FJsonValue() = default;
	FJsonValue(std::nullptr_t) {}
	FJsonValue(bool bValue) : Value(bValue) {}
	FJsonValue(double Number) : Value(Number) {}
	/** Every integer becomes a number (a double), as in the editor's JSON. */
	template <typename T>
		requires(std::is_integral_v<T> && !std::is_same_v<T, bool>)
	FJsonValue(T Number) : Value(static_cast<double>(Number))
	{
	}
	FJsonValue(std::string Text) : Value(std::move(Text)) {}
	FJsonValue(std::string_view Text) : Value(std::string(Text)) {}
	FJsonValue(const char* Text) : Value(std::string(Text)) {}
	/** A null pointer makes a null value, as the editor's SetObjectField does. */
	FJsonValue(std::shared_ptr<FJsonObject> Object);
	FJsonValue(std::shared_ptr<FJsonValueArray> Array);
	FJsonValue(FJsonValueArray Array);

	EJson Type() const;
	bool IsNull() const { return Type() == EJson::Null; }

	std::optional<bool> TryGetBool() const;
	std::optional<double> TryGetNumber() const;
	/** The number rounded toward zero and saturated to the integer's range; NaN reads as absent. */
	std::optional<int32_t> TryGetInt32() const;
	std::optional<int64_t> TryGetInt64() const;
	/** The string, or nullptr when the value is not a string. Valid while the value lives. */
	const std::string* TryGetString() const;
	/** The array, or nullptr when the value is not an array. */
	std::shared_ptr<FJsonValueArray> TryGetArray() const;
	/** The object, or nullptr when the value is not an object. */
	std::shared_ptr<FJsonObject> TryGetObject() const;

	/**
	 * Any scalar as text: a string as it is, a number in the "%.17g" form with
	 * an integral value written without exponent where it fits, true/false, and
	 * null as the empty text. Arrays and objects have no text form.
	 */
	std::optional<std::string> AsText() const;

private:
	std::variant<std::monostate, bool, double, std::string, std::shared_ptr<FJsonValueArray>, std::shared_ptr<FJsonObject>> Value;
};

/** Saturating conversions used by every integer read of a JSON number. */
int32_t SaturatingDoubleToInt32(double Number);
int64_t SaturatingDoubleToInt64(double Number);
