#pragma once

#include <optional>
#include <string_view>

class FJsonObject;

/**
 * The field as the 32-bit float the editor keeps: empty when it is absent, not a
 * number, or too large to be a finite float (so no asset ever holds an infinity
 * that its JSON answers could not print).
 */
std::optional<float> TryGetFloatField(const FJsonObject& Object, std::string_view Key);
