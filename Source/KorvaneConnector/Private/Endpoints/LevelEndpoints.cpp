#include "Endpoints/LevelEndpoints.h"

#include "RequestConventions.h"

// Not served by this build yet.

std::shared_ptr<FJsonObject> ListLevelActors()
{
	return MakeNotImplementedResponse("/korvane/level/actors");
}

std::shared_ptr<FJsonObject> ListSequencerCameras()
{
	return MakeNotImplementedResponse("/korvane/sequencer/cameras");
}

std::shared_ptr<FJsonObject> ListLevelSequences()
{
	return MakeNotImplementedResponse("/korvane/sequencer/sequences");
}

std::shared_ptr<FJsonObject> ListContentFolders()
{
	return MakeNotImplementedResponse("/korvane/content/folders");
}
