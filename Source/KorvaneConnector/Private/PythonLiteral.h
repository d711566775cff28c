#pragma once

#include <string>
#include <string_view>

/**
 * A Python string literal that evaluates to Text. Text without a quote or control
 * character becomes the raw literal r'<Text>' (the usual case for folder paths); any
 * other text becomes an escaped literal, so a folder name can never end the
 * literal early and run the rest as Python.
 */
std::string PythonStringLiteral(std::string_view Text);
