#pragma once

#include "Meshes/MeshQuat.h"
#include "Meshes/MeshVector.h"

/**
 * Rotation, translation and per-axis scale, as the editor's FTransform: a point is
 * scaled, then rotated, then moved. A * B applies A first and then B, so a bone's
 * component-space transform is Local * ParentComponentSpace.
 */
struct FTransform
{
	FQuat Rotation = FQuat::Identity();
	FVector Translation = FVector::ZeroVector();
	FVector Scale3D = FVector::OneVector();

	static FTransform Identity() { return {}; }

	FVector TransformPosition(const FVector& V) const { return Rotation.RotateVector(Scale3D * V) + Translation; }
	FVector TransformVector(const FVector& V) const { return Rotation.RotateVector(Scale3D * V); }
	FTransform operator*(const FTransform& Other) const;
	bool IsFinite() const { return Rotation.IsFinite() && Translation.IsFinite() && Scale3D.IsFinite(); }
};
