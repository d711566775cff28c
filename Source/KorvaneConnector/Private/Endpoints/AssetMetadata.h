#pragma once

#include "Core/JsonObject.h"

#include <memory>

class UObject;

// Builders of the type-specific metadata that asset details embed. Each takes an
// asset already loaded and of its class (the caller tests the class), never fails,
// and returns a new object.

/** A blend space, one- or two-dimensional: skeleton, blendType, axes, sampleCount. */
std::shared_ptr<FJsonObject> BuildBlendSpaceMetadata(const UObject& BlendSpace);
/** A float curve: keyCount and its time and value ranges. */
std::shared_ptr<FJsonObject> BuildCurveFloatMetadata(const UObject& Curve);
/** A data table: rowStruct, columns, rowCount. */
std::shared_ptr<FJsonObject> BuildDataTableMetadata(const UObject& DataTable);
/** An animation montage: duration, skeleton, sections, slots, notifyCount. */
std::shared_ptr<FJsonObject> BuildAnimMontageMetadata(const UObject& Montage);
/** A Niagara system: emitterCount and the emitter handle names. */
std::shared_ptr<FJsonObject> BuildNiagaraSystemMetadata(const UObject& System);
/** A skeletal mesh: skeleton, bones, lodCount, materialSlots, morphTargets. */
std::shared_ptr<FJsonObject> BuildSkeletalMeshMetadata(const UObject& SkeletalMesh);
/** A sound cue: duration, maxDistance, nodeCount. */
std::shared_ptr<FJsonObject> BuildSoundCueMetadata(const UObject& SoundCue);
/** A sound wave: duration, numChannels, sampleRate, looping. */
std::shared_ptr<FJsonObject> BuildSoundWaveMetadata(const UObject& SoundWave);
/** A static mesh: lodCount, level 0 triangles and vertices, bounds, materialSlots. */
std::shared_ptr<FJsonObject> BuildStaticMeshMetadata(const UObject& StaticMesh);
