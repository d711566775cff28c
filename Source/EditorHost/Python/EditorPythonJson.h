#pragma once

#include "Core/JsonValue.h"

#include <pybind11/pybind11.h>

#include <string>

class FJsonObject;

/**
 * JSON values to and from Python values: None, bool, int and float (JSON numbers), str, list
 * (a tuple is taken as a list) and dict with str keys. Only the units of Python/ include this.
 */
namespace EditorPythonJson
{
	/**
	 * The JSON value of a Python value; TypeError naming Where and the path inside it for a
	 * value without a JSON form (a set, a non-str key), ValueError for a float that is not
	 * finite or nesting deeper than 100 levels (a list that holds itself).
	 */
	FJsonValue ToJson(pybind11::handle Value, const std::string& Where);
	/** The Python value of a JSON value: a whole number within ±2^53 becomes an int, any other number a float. */
	pybind11::object ToPython(const FJsonValue& Value);
	pybind11::dict ToPython(const FJsonObject& Object);
}
