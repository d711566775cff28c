#pragma once

#include <pybind11/pybind11.h>

/**
 * The Blueprint editing functions of the editor module: create a Blueprint, its member
 * variables (editor.PinType), construction-script components and their templates,
 * function graphs, and compiling. Only the units of Python/ include this header.
 */
namespace EditorPythonBlueprints
{
	void DefineFunctions(pybind11::module_& Module);
}
