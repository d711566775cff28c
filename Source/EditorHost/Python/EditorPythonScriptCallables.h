#pragma once

#include <pybind11/pybind11.h>

/**
 * The native classes plug-ins offer to scripts (RegisterScriptCallableClass), as editor.<ClassName>
 * with one static method per function under its script name: positional or keyword arguments,
 * defaults as declared, TypeError for a missing argument or one of the wrong type. Every call looks
 * the function up again, so a class registered again is used at once, and a function of an
 * unregistered class raises RuntimeError. Only the units of Python/ include this header.
 */
namespace EditorPythonScriptCallables
{
	/** Adds the class and function types, and the module's __getattr__ and __dir__ that find the classes. */
	void DefineTypes(pybind11::module_& Module);
}
