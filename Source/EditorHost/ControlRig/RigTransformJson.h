#pragma once

#include "ControlRig/RigHierarchyElements.h"
#include "Core/JsonValue.h"

#include <memory>
#include <optional>
#include <string>

class FJsonObject;

// A rig asset writes transforms as {"location", "rotation", "scale"}, each optional: a location
// and a scale {"x","y","z"}, a rotation {"pitch","yaw","roll"} in degrees or a quaternion
// {"x","y","z","w"}. Control values take the form of their control type. Reads answer nothing
// and a reason for anything else.

std::optional<FTransform> ReadRigTransform(const FJsonValue& Value, std::string& OutError);
/** The transform with the members at their defaults left out; the rotation as a rotator rounded to a millionth of a degree. */
std::shared_ptr<FJsonObject> MakeRigTransformObject(const FTransform& Transform);

std::optional<FRigControlValue> ReadRigControlValue(const FJsonValue& Value, ERigControlType ControlType, std::string& OutError);
FJsonValue MakeRigControlValueJson(const FRigControlValue& Value, ERigControlType ControlType);
