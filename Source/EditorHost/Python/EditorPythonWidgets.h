#pragma once

#include <pybind11/pybind11.h>

/**
 * The Widget Blueprint functions of the editor module: create one (a Widget Blueprint or an
 * Editor Utility Widget), read its widget tree as nested dicts, add widgets, set widget and slot
 * properties from export text, animations and the design size. Only the units of Python/ include
 * this header.
 */
namespace EditorPythonWidgets
{
	void DefineFunctions(pybind11::module_& Module);
}
