#pragma once

#include "ControlRig/RigElementKey.h"
#include "Level/Rotator.h"
#include "Meshes/MeshTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

inline FRigElementKey Bone(std::string Name) { return {ERigElementType::Bone, std::move(Name)}; }
inline FRigElementKey Null(std::string Name) { return {ERigElementType::Null, std::move(Name)}; }
inline FRigElementKey Control(std::string Name) { return {ERigElementType::Control, std::move(Name)}; }
inline FRigElementKey Curve(std::string Name) { return {ERigElementType::Curve, std::move(Name)}; }
inline FRigElementKey Connector(std::string Name) { return {ERigElementType::Connector, std::move(Name)}; }

inline FTransform MakeTransform(const FVector& Location, const FRotator& Rotation = {}, const FVector& Scale = FVector::OneVector())
{
	FTransform Transform;
	Transform.Translation = Location;
	Transform.Rotation = Rotation.Quaternion();
	Transform.Scale3D = Scale;
	return Transform;
}

inline testing::AssertionResult VectorsNear(const FVector& Actual, const FVector& Expected, double Tolerance = 1e-6)
{
	if (std::abs(Actual.X - Expected.X) <= Tolerance && std::abs(Actual.Y - Expected.Y) <= Tolerance && std::abs(Actual.Z - Expected.Z) <= Tolerance)
	{
		return testing::AssertionSuccess();
	}
	return testing::AssertionFailure() << "(" << Actual.X << ", " << Actual.Y << ", " << Actual.Z << ") is not (" << Expected.X << ", " << Expected.Y << ", "
									   << Expected.Z << ")";
}

inline testing::AssertionResult TransformsNear(const FTransform& Actual, const FTransform& Expected, double Tolerance = 1e-6)
{
	if (!VectorsNear(Actual.Translation, Expected.Translation, Tolerance))
	{
		return VectorsNear(Actual.Translation, Expected.Translation, Tolerance) << " (translation)";
	}
	if (!VectorsNear(Actual.Scale3D, Expected.Scale3D, Tolerance))
	{
		return VectorsNear(Actual.Scale3D, Expected.Scale3D, Tolerance) << " (scale)";
	}
	if (!Actual.Rotation.Equals(Expected.Rotation, Tolerance))
	{
		return testing::AssertionFailure() << "rotation (" << Actual.Rotation.X << ", " << Actual.Rotation.Y << ", " << Actual.Rotation.Z << ", " << Actual.Rotation.W
										   << ") is not (" << Expected.Rotation.X << ", " << Expected.Rotation.Y << ", " << Expected.Rotation.Z << ", "
										   << Expected.Rotation.W << ")";
	}
	return testing::AssertionSuccess();
}
