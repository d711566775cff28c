#pragma once

#include <cstdint>

class UControlRigBlueprint;
class URigHierarchy;

/**
 * Builds the elements of a modular rig's modules into Hierarchy: for each module (after its
 * parent module), every element of its rig class's Blueprint hierarchy, named "<Module>/<Name>"
 * and carrying the module's name, with the module's roots under the first target of its primary
 * connector. Elements the hierarchy already has are kept as they are. Returns how many were added.
 */
int32_t BuildModularRigElements(const UControlRigBlueprint& Blueprint, URigHierarchy& Hierarchy);
