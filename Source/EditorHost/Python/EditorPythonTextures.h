#pragma once

#include <pybind11/pybind11.h>

/**
 * The texture functions of the editor module: create and import 2D textures, read their source
 * art, read and write their import settings, export the source as an 8-bit TGA. Only the units
 * of Python/ include this header.
 */
namespace EditorPythonTextures
{
	void DefineFunctions(pybind11::module_& Module);
}
