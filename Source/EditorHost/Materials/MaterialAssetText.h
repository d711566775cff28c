#pragma once

#include "Core/JsonValue.h"

#include <string>
#include <string_view>
#include <vector>

class FJsonObject;
class UMaterialExpression;
class UObject;

/**
 * The expression graph of a material or material function in its asset file: the fields
 * `expressions` and `editorComments`, each an array of lines of node copy-paste text holding one
 * top-level `Begin Object Class=... Name="..."` block per expression, as
 * UMaterialExpression::WriteExpressionBody writes it for the material's scope.
 */
struct FMaterialExpressionBlocks
{
	std::vector<UMaterialExpression*> Expressions;
	/** The blocks of `editorComments` (comment expressions). */
	std::vector<UMaterialExpression*> Comments;
	/** One level of indentation as the blocks were written, so saving writes them the same way. */
	std::string Indent = "   ";
};

/**
 * Makes the expressions of both fields inside Owner (names as written; a repeated name gets the
 * next free one), then reads their bodies, resolving input references by expression name among
 * them. Lines that are not text are skipped with a warning.
 */
FMaterialExpressionBlocks ReadMaterialExpressionBlocks(UObject& Owner, const FJsonObject& File, std::vector<std::string>& OutWarnings);

/** The lines of the expressions' blocks, in order. */
FJsonValueArray WriteMaterialExpressionBlocks(const std::vector<UMaterialExpression*>& Expressions, std::string_view Indent);

/** The expression of that object name among Expressions, or nullptr. */
UMaterialExpression* FindExpressionByName(const std::vector<UMaterialExpression*>& Expressions, std::string_view Name);
