#pragma once

#include <string>
#include <string_view>

/**
 * A name as the editor displays it (FName::NameToDisplayString): a space before each word, where
 * a capital or a number follows lower case and before the last capital of an acronym followed by
 * lower case ("GetHUDScale" to "Get HUD Scale", "Vector2D" to "Vector 2D"); underscores become
 * spaces; the first letter and each word's first letter are capitals, except short joining words
 * ("In", "To", "Or", "The", ...) which stay lower case ("bIsInRange" to "Is in Range"); a bool's
 * "b" prefix is dropped when bIsBool.
 */
std::string NameToDisplayString(std::string_view Name, bool bIsBool = false);

/**
 * The object name of a reference in any of the copy-paste spellings (`Class'"/Script/Engine.Actor"'`,
 * `/Script/CoreUObject.Class'"/Script/Engine.Actor"'`, `EdGraph'/Pkg.Asset:Graph'`, a bare path):
 * the part after the last '.' or ':' ("Actor", "Graph"); empty for None or nothing.
 */
std::string ReferencedObjectName(std::string_view Reference);

/** The path inside a reference (`/Script/Engine.Actor` of `Class'"/Script/Engine.Actor"'`); the text itself when unquoted. */
std::string ReferencedObjectPath(std::string_view Reference);
