#pragma once

class FClassDatabase;

/** Binds the sound wave, sound cue and sound node types to their engine classes. */
void BindAudioNativeClasses(FClassDatabase& Database);
