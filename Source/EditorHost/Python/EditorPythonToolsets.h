#pragma once

#include <pybind11/pybind11.h>

/**
 * The toolset registry as scripts use it: register_toolset, unregister_toolset,
 * get_registered_toolsets and is_toolset_registry_available. A tool is a dict naming its
 * `name`, `description`, `input_schema` (the JSON Schema of its arguments) and `function`, a
 * callable that takes the arguments dict and returns the text of the result. Toolsets that
 * scripts registered are withdrawn when the interpreter ends, so the registry never holds a
 * callable of an interpreter that is gone. Only the units of Python/ include this header.
 */
namespace EditorPythonToolsets
{
	void DefineFunctions(pybind11::module_& Module);
}
