#pragma once

#include "Animation/AnimSequenceData.h"
#include "Meshes/Gltf/GltfDocument.h"
#include "Meshes/Gltf/GltfSkeletonBinding.h"

/**
 * Resamples one glTF animation at FrameRate frames per second over the span of its
 * key times (first key to last). Bones with a translation, rotation or scale
 * channel get a track with every key (parts without a channel hold the node's rest
 * value); morph weight channels become float curves named after the targets.
 * Channels on nodes that are not bones of the skeleton are left out.
 */
TGltfResult<FAnimSequenceData> BuildGltfAnimation(const FGltfDocument& Document, const FGltfAnimation& Animation, const FGltfSkeletonBinding& Binding, double FrameRate);
