#pragma once

#include "Core/Guid.h"
#include "Materials/MaterialTypes.h"

#include <vector>

class UClass;
class UMaterial;
class UMaterialExpression;

/** A parameter expression as the engine lists it: where it lives, and the expression that gives its default. */
struct FMaterialParameterExpression
{
	FMaterialParameterInfo Info;
	const UMaterialExpression* Expression = nullptr;
	FGuid ExpressionGuid;
};

/**
 * The parameter expressions of a kind (expressions of ParameterClass or a class below it) that
 * Material offers, in the engine's order: those of the material's own expressions and of the
 * functions they call (global association, index -1), then for each attribute-layers expression of
 * the material the parameters of each layer's function (layer association, the layer's index) and
 * of each blend's function (blend association, the blend's index). A name with the same
 * association and index is listed once: the first one found gives its default.
 */
std::vector<FMaterialParameterExpression> CollectMaterialParameters(const UMaterial& Material, const UClass* ParameterClass);

/** The parameter of that kind and info, or nothing. */
std::optional<FMaterialParameterExpression> FindMaterialParameter(const UMaterial& Material, const UClass* ParameterClass, const FMaterialParameterInfo& Info);
