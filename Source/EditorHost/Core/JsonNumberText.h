#pragma once

#include <string>

/**
 * Appends the number exactly as C's printf("%.17g") would write it (C locale),
 * "-0", "nan" and "inf" included. Integers below 2^53 take a shortcut; every
 * other value goes through std::to_chars with the same format and precision.
 */
void AppendNumberText(std::string& Out, double Number);

/** Appends an integral number within the int64 range as a plain integer, anything else as AppendNumberText does. */
void AppendNumberAsIntegerWherePossible(std::string& Out, double Number);
