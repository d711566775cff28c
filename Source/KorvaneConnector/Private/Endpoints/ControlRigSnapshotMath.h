#pragma once

#include "Core/Color.h"
#include "Meshes/MeshVector.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

/** One fixed camera of the rig snapshot: its name and the unit direction from the target towards the camera. */
struct FRigSnapshotView
{
	std::string_view Name;
	FVector Direction;
};

/** The eight views in the order the snapshot renders and answers them. */
const std::array<FRigSnapshotView, 8>& GetRigSnapshotViews();

/** The vector scaled to unit length; the zero vector when its squared length is below 1e-8. */
FVector GetSafeNormal(const FVector& Vector);

/**
 * The editor's compact text of a vector (FVector::ToCompactString): "V(0)" when every component
 * is within 1e-4 of zero, else "V(X=1.00, Z=2.50)" with the components beyond 1e-8 at two decimals.
 */
std::string ToCompactString(const FVector& Vector);

/** The mean over the pixels of each one's (R + G + B) / 3, cut to an integer per pixel (0 ... 255); 0 for no pixels. */
double MeanLuma(std::span<const FColor> Pixels);
