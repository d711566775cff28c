#include "Meshes/MeshTransform.h"

FTransform FTransform::operator*(const FTransform& Other) const
{
	FTransform Result;
	Result.Rotation = Other.Rotation * Rotation;
	Result.Scale3D = Scale3D * Other.Scale3D;
	Result.Translation = Other.Rotation.RotateVector(Other.Scale3D * Translation) + Other.Translation;
	return Result;
}
