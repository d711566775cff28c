#pragma once

#include "Level/Rotator.h"
#include "Meshes/MeshVector.h"

#include <memory>
#include <string>
#include <string_view>

class FJsonObject;

// The level file writes vectors as {"x","y","z"} and rotators as
// {"pitch","yaw","roll"}, numbers in each. A read leaves the value as it is when
// the key is absent and fails (with a reason naming the key) when the key holds
// anything else than that form.

bool ReadVectorField(const FJsonObject& Object, std::string_view Key, FVector& InOutVector, std::string& OutError);
bool ReadRotatorField(const FJsonObject& Object, std::string_view Key, FRotator& InOutRotator, std::string& OutError);
/** A single-precision number field, as the camera's lens values are kept. */
bool ReadFloatField(const FJsonObject& Object, std::string_view Key, float& InOutValue, std::string& OutError);

std::shared_ptr<FJsonObject> MakeVectorObject(const FVector& Vector);
std::shared_ptr<FJsonObject> MakeRotatorObject(const FRotator& Rotator);
