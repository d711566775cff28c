#include "Audio/AudioNativeClasses.h"

#include "Audio/SoundCue.h"
#include "Audio/SoundNodes.h"
#include "Audio/SoundWave.h"
#include "Objects/ClassDatabase.h"

void BindAudioNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<USoundWave>();
	Database.BindNativeClass<USoundCue>();
	// The abstract node type too, so a node kind without a type of its own still plays its inputs.
	Database.BindNativeClass<USoundNode>();
	Database.BindNativeClass<USoundNodeWavePlayer>();
	Database.BindNativeClass<USoundNodeRandom>();
	Database.BindNativeClass<USoundNodeMixer>();
	Database.BindNativeClass<USoundNodeLooping>();
	Database.BindNativeClass<USoundNodeAttenuation>();
	Database.BindNativeClass<USoundNodeModulator>();
}
