#pragma once

#include "Core/JsonValue.h"

/**
 * The five agent tools as `tools/list` describes them, in order: send_to_korvane,
 * send_material_to_korvane, compile_blueprint, check_assets_exist, get_korvane_status, each
 * with its name, description and input schema. Built once: the list never changes, and
 * agents ask for it often.
 */
const FJsonValueArray& GetFallbackMcpToolList();
