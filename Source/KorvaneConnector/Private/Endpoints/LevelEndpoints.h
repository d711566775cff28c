#pragma once

#include "Core/JsonObject.h"

#include <memory>

/** GET /korvane/level/actors: every actor of the editor world. */
std::shared_ptr<FJsonObject> ListLevelActors();
/** GET /korvane/sequencer/cameras: the cine camera actors with their lens and sensor data. */
std::shared_ptr<FJsonObject> ListSequencerCameras();
/** GET /korvane/sequencer/sequences: the Level Sequence assets under /Game. */
std::shared_ptr<FJsonObject> ListLevelSequences();
/** GET /korvane/content/folders: "/Game" and its sub-folders, sorted without regard to case, at most 500. */
std::shared_ptr<FJsonObject> ListContentFolders();
