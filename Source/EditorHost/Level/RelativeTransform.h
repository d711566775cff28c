#pragma once

#include "Meshes/MeshTransform.h"

/**
 * Transform as seen from Parent, as the editor's FTransform::GetRelativeTransform: the R with
 * R * Parent == Transform (exact for uniform scale; per-axis scales are divided axis by axis).
 * A zero scale axis of Parent divides as one.
 */
FTransform MakeRelativeTransform(const FTransform& Transform, const FTransform& Parent);
