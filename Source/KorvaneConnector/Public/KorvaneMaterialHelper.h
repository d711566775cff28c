#pragma once

#include <cstdint>

class UMaterial;

/** Material operations the connector offers to scripts as well as to its own routes. */
class UKorvaneMaterialHelper
{
public:
	/**
	 * Empties the material: every expression and editor comment is marked as garbage and taken
	 * out of its list, and every property input is disconnected. The graph is left for the caller
	 * to rebuild or to paste into. Returns the number of expressions removed (comments are not
	 * counted); 0, with a warning, for no material.
	 */
	static int32_t ForceClearMaterialGraph(UMaterial* Material);
};
