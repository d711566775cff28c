#include "Level/RelativeTransform.h"

namespace
{
	double SafeDivide(double Value, double Divisor)
	{
		return Divisor != 0.0 ? Value / Divisor : Value;
	}

	FVector SafeDivide(const FVector& Value, const FVector& Divisor)
	{
		return {SafeDivide(Value.X, Divisor.X), SafeDivide(Value.Y, Divisor.Y), SafeDivide(Value.Z, Divisor.Z)};
	}
}

FTransform MakeRelativeTransform(const FTransform& Transform, const FTransform& Parent)
{
	const FQuat InverseParent = Parent.Rotation.Inverse();
	FTransform Relative;
	Relative.Rotation = InverseParent * Transform.Rotation;
	Relative.Scale3D = SafeDivide(Transform.Scale3D, Parent.Scale3D);
	Relative.Translation = SafeDivide(InverseParent.RotateVector(Transform.Translation - Parent.Translation), Parent.Scale3D);
	return Relative;
}
