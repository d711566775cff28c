#pragma once

#include "Core/JsonValue.h"

#include <string>
#include <string_view>
#include <vector>

/**
 * Copy-paste text in an asset file (a graph's nodes, a widget tree): one JSON string per line,
 * without line ends, so the file shows one property a line.
 */

/** The text's lines without their line ends (LF or CR LF). */
FJsonValueArray SplitCopyPasteTextLines(std::string_view Text);

/**
 * The lines joined with the editor's CR LF, as the clipboard holds them. A line that is not text
 * is skipped with the warning "<LineDescription> is not text and is skipped".
 */
std::string JoinCopyPasteTextLines(const FJsonValueArray& Lines, std::string_view LineDescription, std::vector<std::string>& OutWarnings);
