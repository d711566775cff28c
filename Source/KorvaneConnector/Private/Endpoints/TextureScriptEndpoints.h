#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>
#include <string_view>

/**
 * POST /korvane/textures/export: has _kv_texture_export.py write the textures of `paths` as
 * image files into Intermediate/KorvaneExport and answers `success` with the script's
 * per-texture `results`. Other body keys are passed on; `outputDir` is always the export folder.
 */
std::shared_ptr<FJsonObject> ExportTextures(const std::string& BodyText);

/**
 * POST /korvane/textures/import: writes each entry of `textures` (base64 file bytes) into a
 * session folder under Intermediate/KorvaneImport, has _kv_texture_import.py import them under
 * their /Game/ target folders, removes every temporary file and answers `success` with the
 * script's `results`. An entry whose file name would leave the session folder, or repeats an
 * earlier entry's, is refused with a Warning and skipped.
 */
std::shared_ptr<FJsonObject> ImportTextures(const std::string& BodyText);

/** A fresh run identifier: a new GUID as 32 upper-case hexadecimal digits. */
std::string MakeTextureSessionId();

/** Whether a file name from a request names a file directly inside its folder: no separators, drive, "." or "..". */
bool IsPlainFileName(std::string_view FileName);
