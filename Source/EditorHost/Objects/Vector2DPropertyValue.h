#pragma once

#include "Core/Vector2D.h"

#include <optional>

class FProperty;
class UObject;

/**
 * A 2-D vector structure property (FVector2D) read and written on an object as the editor reaches
 * the structure in the object's memory: X and Y as doubles. The value lives in the object's
 * property value texts (Objects/PropertyValues.h) as `(X=800.000000,Y=600.000000)`.
 */

/** X and Y of the property's value on Object (its class default when not set); nothing when the value has no numeric X and Y. */
std::optional<FVector2D> GetVector2DPropertyValue(const UObject& Object, const FProperty& Property);

/** Writes X then Y into the property's value on Object; false when Object's class has no such property. */
bool SetVector2DPropertyValue(UObject& Object, const FProperty& Property, const FVector2D& Value);
