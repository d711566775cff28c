#pragma once

#include <pybind11/pybind11.h>

#include <string_view>

class UClass;
class UObject;

/**
 * How editor objects appear in Python: editor.Object (any object, held weakly:
 * using one whose object is gone raises RuntimeError), editor.Class (a class of
 * the class database) and editor.Property (one reflected property of a class).
 * Only the units of Python/ include this header.
 */
namespace EditorPythonObjects
{
	/** Adds Object, Class and Property to the editor module, and find_object. */
	void DefineTypes(pybind11::module_& Module);

	/** The class at a path ("/Script/Engine.Actor") or the first class with that name ("Actor"); nullptr when unknown. */
	UClass* FindClass(std::string_view PathOrName);
	/** The Python value for an object: None for nullptr, a Class for a class, an Object otherwise. */
	pybind11::object Wrap(UObject* Object);
	/** The object behind an editor.Object; TypeError for another value, RuntimeError when the object is gone. */
	UObject& ToObject(pybind11::handle Value);
	/** A class given as an editor.Class, a class path ("/Script/Engine.Actor") or a class name ("Actor"); TypeError or ValueError otherwise. */
	UClass& ToClass(pybind11::handle Value);
}
