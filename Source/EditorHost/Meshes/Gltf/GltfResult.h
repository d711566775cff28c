#pragma once

#include <string>
#include <utility>
#include <variant>

/** Why a glTF file was refused, in words for the log. */
struct FGltfError
{
	std::string Reason;
};

/** A printf-style FGltfError. */
FGltfError MakeGltfError(const char* Format, ...) __attribute__((format(printf, 1, 2)));

/** A value, or the reason there is none. */
template <typename T>
class TGltfResult
{
public:
	TGltfResult(T InValue) : State(std::move(InValue)) {}
	TGltfResult(FGltfError InError) : State(std::move(InError)) {}

	explicit operator bool() const { return std::holds_alternative<T>(State); }
	T& operator*() { return std::get<T>(State); }
	const T& operator*() const { return std::get<T>(State); }
	T* operator->() { return &std::get<T>(State); }
	const T* operator->() const { return &std::get<T>(State); }
	const FGltfError& Error() const { return std::get<FGltfError>(State); }

private:
	std::variant<T, FGltfError> State;
};
