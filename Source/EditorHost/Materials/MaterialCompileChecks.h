#pragma once

#include <cstddef>
#include <string>
#include <vector>

class UMaterial;

/**
 * What compiling the material's expression graph reports, in the editor's wording and in the
 * order found, each error once: the graph is walked from the material's active property inputs,
 * each expression checked once (a texture sample without a texture, an input that must be
 * connected and is not, a value of the wrong kind, a cycle), and custom code that could not
 * compile is reported only when the graph itself has no error, as the shader compiler runs only
 * then. docs/MATERIAL_COMPILER.md lists the checks and their texts.
 */
std::vector<std::string> CheckMaterialExpressionGraph(const UMaterial& Material);

/** How many expressions a chain from a property input may pass through before the compile refuses it (each is a level of recursion). */
inline constexpr std::size_t MaxMaterialExpressionDepth = 2000;
