#pragma once

#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/MeshQuat.h"
#include "Meshes/MeshVector.h"

#include <span>

/**
 * Evaluates animation samplers at a time in seconds, as the glTF 2.0 standard
 * interpolates: before the first key the first value holds, after the last key the
 * last; STEP holds the earlier key, LINEAR blends (rotations along the shorter
 * arc), CUBICSPLINE follows the Hermite curve of the keys' tangents.
 */
namespace GltfSampling
{
	/** Writes the sampler's Components values at Time into Out. */
	void Sample(const FGltfSampler& Sampler, double Time, std::span<float> Out);
	FVector SampleVector(const FGltfSampler& Sampler, double Time);
	/** A unit quaternion; rotation keys need not be normalised in the file. */
	FQuat SampleRotation(const FGltfSampler& Sampler, double Time);
}
