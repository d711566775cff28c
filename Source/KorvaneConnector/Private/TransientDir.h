#pragma once

#include <string>

/** The connector's working folder: the project's Intermediate/Korvane/. No file access. */
std::string TransientDir();
/** Creates the working folder with its parents if needed; true when it exists afterwards. */
bool EnsureTransientDir();
