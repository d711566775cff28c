#pragma once

#include <pybind11/pybind11.h>

class UMaterial;
class UMaterialExpression;
class UMaterialInterface;

/**
 * The material functions of the editor module: create, settings, expressions (add, find, move,
 * remove, properties, inputs and outputs), links between expressions and to the material's
 * property inputs, recompiling and its errors. Only the units of Python/ include this header.
 */
namespace EditorPythonMaterials
{
	void DefineFunctions(pybind11::module_& Module);
	/** The Material behind an editor.Object; TypeError for any other object. */
	UMaterial& ToMaterial(pybind11::handle Value);
	UMaterialInterface& ToMaterialInterface(pybind11::handle Value);
	UMaterialExpression& ToExpression(pybind11::handle Value);
}

/** Material instances and parameters: create instances, set overrides, list parameters with their values. */
namespace EditorPythonMaterialInstances
{
	void DefineFunctions(pybind11::module_& Module);
}

/**
 * A material's settings as the desktop app's material payload words them ("Surface", "Masked",
 * "DefaultLit"...), with words of their own for the values the payload has none for
 * ("RuntimeVirtualTexture", "Substrate", "2DOffset"), so every setting reads back as it was set.
 */
namespace EditorPythonMaterialSettings
{
	pybind11::dict GetSettings(const UMaterial& Material);
	/** Applies the settings it understands; returns how many it applied and the keys whose values it refused. */
	pybind11::tuple SetSettings(UMaterial& Material, const pybind11::dict& Settings);
}
