#include "Meshes/MeshBounds.h"

#include <algorithm>
#include <cmath>

void FBox::Add(const FVector& Point)
{
	if (!bIsValid)
	{
		Min = Point;
		Max = Point;
		bIsValid = true;
		return;
	}
	Min = {std::min(Min.X, Point.X), std::min(Min.Y, Point.Y), std::min(Min.Z, Point.Z)};
	Max = {std::max(Max.X, Point.X), std::max(Max.Y, Point.Y), std::max(Max.Z, Point.Z)};
}

FBoxSphereBounds FBoxSphereBounds::FromPoints(std::span<const FVector3f> Points)
{
	FBox Box;
	for (const FVector3f& Point : Points)
	{
		Box.Add(FVector::FromFloat(Point));
	}
	FBoxSphereBounds Bounds;
	if (!Box.bIsValid)
	{
		return Bounds;
	}
	Bounds.Origin = Box.GetCenter();
	Bounds.BoxExtent = Box.GetExtent();
	double RadiusSquared = 0.0;
	for (const FVector3f& Point : Points)
	{
		RadiusSquared = std::max(RadiusSquared, (FVector::FromFloat(Point) - Bounds.Origin).SizeSquared());
	}
	Bounds.SphereRadius = std::sqrt(RadiusSquared);
	return Bounds;
}
