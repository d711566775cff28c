#pragma once

#include "Core/JsonValue.h"

#include <string>
#include <vector>

struct FModularRigModel;

/**
 * A modular rig's "modules" and "connections" arrays (docs/PROJECT_FORMAT.md). Reads append to
 * the model in order; an entry that cannot be read is left out with a warning and goes to
 * OutUnread as it was written.
 */
void ReadRigModules(const FJsonValueArray& Entries, FModularRigModel& Model, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread);
void ReadRigConnections(const FJsonValueArray& Entries, FModularRigModel& Model, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread);
FJsonValueArray WriteRigModules(const FModularRigModel& Model);
FJsonValueArray WriteRigConnections(const FModularRigModel& Model);
