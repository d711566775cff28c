#include "Endpoints/AudioEffectsEndpoints.h"

#include "RequestConventions.h"

// Not served by this build yet.

std::shared_ptr<FJsonObject> ListMetaSounds()
{
	return MakeNotImplementedResponse("/korvane/metasounds");
}

std::shared_ptr<FJsonObject> ListNiagaraSystems()
{
	return MakeNotImplementedResponse("/korvane/niagara/systems");
}

std::shared_ptr<FJsonObject> ListNiagaraEmitters()
{
	return MakeNotImplementedResponse("/korvane/niagara/emitters");
}
