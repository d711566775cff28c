#pragma once

#include "Meshes/MeshQuat.h"
#include "Meshes/MeshVector.h"

#include <cstdint>
#include <string>
#include <vector>

/**
 * One bone's keys, one per sampled frame (NumberOfKeys of the sequence), local to
 * the bone's parent: translations in centimetres, the editor's axes.
 */
struct FRawAnimSequenceTrack
{
	std::vector<FVector> PosKeys;
	std::vector<FQuat> RotKeys;
	std::vector<FVector> ScaleKeys;
};

struct FBoneAnimationTrack
{
	std::string Name;
	int32_t BoneTreeIndex = 0;
	FRawAnimSequenceTrack InternalTrackData;
};

/** A float curve sampled at the sequence's frames (one value per key), e.g. a morph target's weight. */
struct FFloatCurveData
{
	std::string Name;
	std::vector<float> Values;
};

/**
 * The heavy data of an animation sequence: bone tracks and float curves sampled at
 * FrameRate. NumberOfFrames is the number of frame intervals; there is one key more
 * than frames (both ends are sampled), and PlayLength = NumberOfFrames / FrameRate.
 */
struct FAnimSequenceData
{
	std::string Name;
	double FrameRate = 30.0;
	int32_t NumberOfFrames = 0;
	int32_t NumberOfKeys = 0;
	double PlayLength = 0.0;
	std::vector<FBoneAnimationTrack> BoneTracks;
	std::vector<FFloatCurveData> Curves;
};
