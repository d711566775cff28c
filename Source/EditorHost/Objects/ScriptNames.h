#pragma once

#include "Objects/ScriptCallable.h"

#include <string>
#include <string_view>

/**
 * The name a script sees for a C++ name, as the engine's Python layer writes it: words split at
 * case changes and joined with "_" in lower case ("SendBlueprintToKorvane" is
 * "send_blueprint_to_korvane", "GetHTTPPort" is "get_http_port").
 */
std::string ToScriptName(std::string_view CppName);
/** A parameter's script name; a bool's "b" prefix is dropped ("bBundleTextures" is "bundle_textures"). */
std::string ToScriptParamName(const FScriptParam& Param);
/** The type as a script's error messages name it ("str", "list of str"). */
std::string_view GetScriptTypeName(EScriptValueType Type);
