#include "Meshes/MeshRelativeTransform.h"

namespace
{
	double SafeDivide(double Value, double Divisor)
	{
		return Divisor != 0.0 ? Value / Divisor : 0.0;
	}

	FVector SafeDivide(const FVector& Value, const FVector& Divisor)
	{
		return {SafeDivide(Value.X, Divisor.X), SafeDivide(Value.Y, Divisor.Y), SafeDivide(Value.Z, Divisor.Z)};
	}
}

FTransform GetRelativeTransform(const FTransform& Transform, const FTransform& Parent)
{
	const FQuat InverseRotation = Parent.Rotation.Inverse();
	FTransform Result;
	Result.Rotation = InverseRotation * Transform.Rotation;
	Result.Rotation.Normalize();
	Result.Scale3D = SafeDivide(Transform.Scale3D, Parent.Scale3D);
	Result.Translation = SafeDivide(InverseRotation.RotateVector(Transform.Translation - Parent.Translation), Parent.Scale3D);
	return Result;
}
