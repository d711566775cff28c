#pragma once

#include "Core/JsonValue.h"
#include "Meshes/MeshTransform.h"

// JSON pieces that the control rig routes share.

/** [x, y, z] */
FJsonValueArray MakeVectorJson(const FVector& Vector);
/** [x, y, z, w] */
FJsonValueArray MakeQuatJson(const FQuat& Rotation);
