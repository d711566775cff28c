#pragma once

#include "Core/JsonValue.h"

class UControlRigBlueprint;

/**
 * The module objects of a modular rig, in its model's order: each module's name, parent, rig
 * class, connectors (from the Blueprint's own hierarchy, grouped by the module each carries,
 * with their resolved targets), configuration overrides and variable bindings.
 */
FJsonValueArray MakeRigModulesJson(const UControlRigBlueprint& Blueprint);
