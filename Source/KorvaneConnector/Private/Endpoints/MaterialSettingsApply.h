#pragma once

#include <cstdint>

class FJsonObject;
class UMaterial;

/**
 * Applies the desktop app's `materialSettings` to the material, key by key in the payload's
 * order (domain, blendMode, shadingModel, twoSided, opacityMaskClipValue,
 * translucencyLightingMode, refractionMethod, numCustomizedUVs,
 * maxWorldPositionOffsetDisplacement, allowNegativeEmissiveColor, useMaterialAttributes,
 * ditheredLODTransition). Names are the payload's ("Surface", "Masked"...), matched in any
 * letter case. A key present with the right JSON type counts as applied even when its name is
 * unknown: an unknown shading model sets DefaultLit, any other unknown name keeps the current
 * value. Returns the number of keys applied.
 */
int32_t ApplyMaterialSettings(UMaterial& Material, const FJsonObject& Settings);
