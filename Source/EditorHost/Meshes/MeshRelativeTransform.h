#pragma once

#include "Meshes/MeshTransform.h"

/**
 * Transform relative to Parent: the transform that, applied before Parent, gives Transform
 * (Result * Parent == Transform), as the engine's FTransform::GetRelativeTransform. A zero
 * scale axis of the parent gives a zero scale and translation on that axis rather than a
 * division by zero.
 */
FTransform GetRelativeTransform(const FTransform& Transform, const FTransform& Parent);
