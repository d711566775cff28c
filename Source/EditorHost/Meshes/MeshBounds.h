#pragma once

#include "Meshes/MeshVector.h"

#include <span>

/** An axis-aligned box; empty until a point is added. */
struct FBox
{
	FVector Min;
	FVector Max;
	bool bIsValid = false;

	void Add(const FVector& Point);
	FVector GetCenter() const { return (Min + Max) * 0.5; }
	FVector GetExtent() const { return (Max - Min) * 0.5; }
};

/** The editor's mesh bounds: a box (origin and half extent) and a sphere about the same origin. */
struct FBoxSphereBounds
{
	FVector Origin;
	FVector BoxExtent;
	double SphereRadius = 0.0;

	/** The box around the points, and the smallest sphere about the box's centre that holds them all. */
	static FBoxSphereBounds FromPoints(std::span<const FVector3f> Points);
};
