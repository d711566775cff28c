#pragma once

#include "Graph/EdGraphPinType.h"

#include <pybind11/pybind11.h>

#include <string>
#include <tuple>
#include <vector>

class UBlueprint;
class UEdGraph;

/**
 * The Blueprint editing functions of the editor module: create a Blueprint, its member
 * variables (editor.PinType), construction-script components and their templates,
 * function graphs, and compiling. Only the units of Python/ include this header.
 */
namespace EditorPythonBlueprints
{
	void DefineFunctions(pybind11::module_& Module);
	/** The Blueprint behind an editor.Object; TypeError for any other object. */
	UBlueprint& ToBlueprint(pybind11::handle Value);
}

/**
 * The editor module's functions for a Blueprint's members beyond creating them: variable
 * details (type, default, category, replication, expose on spawn, tooltip), event graph pages,
 * function parameters (user-defined pins) and removing components.
 */
namespace EditorPythonBlueprintMembers
{
	void DefineFunctions(pybind11::module_& Module);
	/** Adds the (name, type) inputs and outputs to a function graph; a name already taken is passed over. */
	void AddFunctionParameters(UBlueprint& Blueprint, UEdGraph& Graph, const std::vector<std::tuple<std::string, FEdGraphPinType>>& Inputs,
		const std::vector<std::tuple<std::string, FEdGraphPinType>>& Outputs);
}
