#pragma once

#include <optional>
#include <string>
#include <string_view>

/**
 * The `ExportPath` attribute value with the object name its path ends in (the part after the last
 * `.` or `:`) replaced by NewName, in either spelling: `T'"Asset:Graph.Node"'` or `"T'Asset:Graph.Node'"`.
 * Nothing when the value holds no such name.
 */
std::optional<std::string> RenameExportPathObject(std::string_view ExportPath, std::string_view NewName);
