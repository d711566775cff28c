#pragma once

#include "Level/Rotator.h"
#include "Meshes/MeshTransform.h"
#include "Meshes/MeshVector.h"

#include <array>
#include <optional>

/** A 4×4 matrix stored column by column, as OpenGL and std140 blocks take it. */
struct FRenderMatrix
{
	std::array<float, 16> M{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

	float& At(int Row, int Column) { return M[Column * 4 + Row]; }
	float At(int Row, int Column) const { return M[Column * 4 + Row]; }
	FRenderMatrix operator*(const FRenderMatrix& Other) const;
	/** The inverse, or nullopt for a singular matrix. */
	std::optional<FRenderMatrix> Inverse() const;
};

/**
 * From world space (the editor's: X forward, Y right, Z up) to OpenGL clip space for a camera
 * at Location looking along Rotation's X axis, with a horizontal field of view in degrees, the
 * aspect ratio width / height and a near plane (the far plane is at infinity).
 */
FRenderMatrix MakeWorldToClip(const FVector& Location, const FRotator& Rotation, float FOVDegrees, float Aspect, float NearPlane);

/** A transform as a matrix that takes local points to world points. */
FRenderMatrix MakeLocalToWorld(const FTransform& Transform);

/** The rotation that looks from From toward To (no roll); zero when the points coincide. */
FRotator MakeLookAtRotation(const FVector& From, const FVector& To);
