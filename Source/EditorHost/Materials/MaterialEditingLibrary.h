#pragma once

#include "Materials/MaterialTypes.h"

#include <string_view>

class UClass;
class UMaterial;
class UMaterialExpression;
class UMaterialInterface;

/** The editor's scriptable material editing operations. */
class UMaterialEditingLibrary
{
public:
	/**
	 * Connects an output of From to an input of To, both by name; an empty name means the first
	 * output or input. False (nothing changed) when a name does not exist or the output index
	 * is out of range.
	 */
	static bool ConnectMaterialExpressions(UMaterialExpression* FromExpression, std::string_view FromOutputName, UMaterialExpression* ToExpression, std::string_view ToInputName);
	/** Connects an output of From (by name; empty for the first) to a material property input. */
	static bool ConnectMaterialProperty(UMaterialExpression* FromExpression, std::string_view FromOutputName, EMaterialProperty Property);
	/** A new expression of ExpressionClass inside Material, at the position, added to its expressions. */
	static UMaterialExpression* CreateMaterialExpression(UMaterial* Material, UClass* ExpressionClass, int32_t NodePosX = 0, int32_t NodePosY = 0);
	/**
	 * Compiles the material again (its resource and its compile errors are renewed) and refreshes
	 * its graph when it has one. An instance is only marked as changed: it renders with its base
	 * material's resource.
	 */
	static void RecompileMaterial(UMaterialInterface* Material);
};
