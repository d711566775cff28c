#pragma once

#include "Meshes/MeshTransform.h"
#include "Meshes/MeshVector.h"

/**
 * From glTF's space (metres, +Y up, +Z the model's front, right-handed) to the
 * editor's (centimetres, +Z up, left-handed: X forward, Y right):
 *
 *     editor (X, Y, Z) = 100 × glTF (x, z, y)
 *
 * glTF's up becomes the editor's up and the model's front becomes +Y, the way the
 * editor's skeletal meshes face. Swapping two axes is a reflection (determinant −1):
 * that is what turns right-handed numbers into left-handed ones while the shape
 * itself stays unmirrored (a glTF point at (0, 1, 0) m lands at Z = +100 cm).
 *
 * What follows from it:
 * - directions (normals, tangent vectors) swap the same way, unscaled;
 * - rotations (x, y, z, w) become (−x, −z, −y, w): the same turn seen through the
 *   reflection, so Convert(R) rotates Convert(v) to Convert(R v);
 * - scales (x, y, z) become (x, z, y);
 * - a tangent's sign W is negated, so the editor's (Normal ^ Tangent) × W is the
 *   reflected glTF bitangent;
 * - triangle corners keep their order: glTF's front faces are counter-clockwise
 *   in a right-handed frame, the editor's are those whose (C − A) ^ (B − A) points
 *   out, and the reflection maps one onto the other. Corners are swapped only
 *   where a node's own transform mirrors (negative determinant).
 */
namespace GltfAxes
{
	inline constexpr double CentimetresPerMetre = 100.0;

	inline FVector ConvertDirection(const FVector& V) { return {V.X, V.Z, V.Y}; }
	inline FVector ConvertPosition(const FVector& V) { return ConvertDirection(V) * CentimetresPerMetre; }
	inline FVector ConvertScale(const FVector& V) { return {V.X, V.Z, V.Y}; }
	// Subtracting from zero keeps an identity rotation at +0 (plain negation would print -0).
	inline FQuat ConvertRotation(const FQuat& Q) { return {0.0 - Q.X, 0.0 - Q.Z, 0.0 - Q.Y, Q.W}; }
	inline FVector4f ConvertTangent(const FVector4f& T) { return {T.X, T.Z, T.Y, -T.W}; }
	inline FTransform ConvertTransform(const FTransform& T) { return {ConvertRotation(T.Rotation), ConvertPosition(T.Translation), ConvertScale(T.Scale3D)}; }
}
