#pragma once

#include "Core/JsonObject.h"

#include <memory>

/** GET /korvane/metasounds: MetaSound sources, then patches, from the asset registry. */
std::shared_ptr<FJsonObject> ListMetaSounds();
/** GET /korvane/niagara/systems: the Niagara systems under /Game, from the asset registry. */
std::shared_ptr<FJsonObject> ListNiagaraSystems();
/** GET /korvane/niagara/emitters: the Niagara emitters under /Game, from the asset registry. */
std::shared_ptr<FJsonObject> ListNiagaraEmitters();
