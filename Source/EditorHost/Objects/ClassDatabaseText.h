#pragma once

#include <string_view>

/** The text of Data/EngineClasses.json, compiled into the host by a build step. */
std::string_view EngineClassDatabaseText();
