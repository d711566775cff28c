#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/** GET /korvane/status: versions, project, Python, and the four pending flags. */
std::shared_ptr<FJsonObject> GetStatus();
/** POST /korvane/clipboard/get: the clipboard text and its UTF-16 length. */
std::shared_ptr<FJsonObject> GetClipboard();
/** POST /korvane/clipboard/set: a {"text": ...} object, or any other body taken as the text itself. */
std::shared_ptr<FJsonObject> SetClipboard(const std::string& Body);

/** Whether the Python scripting module is loaded and reports Python as available. */
bool IsPythonAvailable();
