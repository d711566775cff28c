#pragma once

#include <string>
#include <string_view>

class FJsonValue;

/**
 * The pieces both JSON writers share: the text quoted with the editor's escapes
 * (\" \\ \b \t \n \f \r, other bytes below 0x20 as \u00xx, all else as is;
 * runs that need no escape are copied in one go), and any value that is
 * neither an array nor an object.
 */
void AppendJsonString(std::string& Out, std::string_view Text);
void AppendJsonScalar(std::string& Out, const FJsonValue& Value);
