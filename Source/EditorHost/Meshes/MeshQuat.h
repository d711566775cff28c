#pragma once

#include "Meshes/MeshVector.h"

/**
 * A rotation quaternion stored x, y, z, w, as the editor's FQuat. A * B applies B
 * first and then A, so a child's rotation in its parent's space composes as
 * Parent * Child.
 */
struct FQuat
{
	double X = 0.0;
	double Y = 0.0;
	double Z = 0.0;
	double W = 1.0;

	static constexpr FQuat Identity() { return {0.0, 0.0, 0.0, 1.0}; }
	/** The rotation of Angle radians about a unit-length axis; positive angles follow the right-hand rule on the numbers. */
	static FQuat FromAxisAngle(const FVector& Axis, double AngleRadians);
	/** The rotation whose matrix has these columns (the images of the unit X, Y and Z axes); they must be orthonormal. */
	static FQuat FromBasis(const FVector& XAxis, const FVector& YAxis, const FVector& ZAxis);
	/** Spherical interpolation along the shorter arc, normalised. */
	static FQuat Slerp(const FQuat& A, const FQuat& B, double Alpha);

	FQuat operator*(const FQuat& Q) const;
	FVector RotateVector(const FVector& V) const;
	FQuat Inverse() const { return {-X, -Y, -Z, W}; }
	double SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
	/** Scales to unit length; false (and unchanged) when the length is zero or not finite. */
	bool Normalize();
	bool IsFinite() const;
	/** Whether both describe the same rotation (q and -q are the same) within Tolerance per component. */
	bool Equals(const FQuat& Q, double Tolerance) const;
};
