#pragma once

#include <functional>
#include <unordered_set>
#include <vector>

class UMaterialExpression;
class UMaterialFunctionInterface;

/**
 * Walks expressions the way the editor's collection does: each expression in order, and where a
 * function call is met, the expressions of its function (loading it) before going on, then those of
 * the functions that one calls, depth first. With bThroughLayers, material attribute layers lead to
 * their layer functions, then their blend functions, the same way. Each function is entered once
 * (VisitedFunctions holds those already entered), so functions that call each other end.
 */
struct FMaterialFunctionWalk
{
	std::function<void(UMaterialExpression&)> OnExpression;
	/** Called as a function is entered, before its expressions. */
	std::function<void(UMaterialFunctionInterface&)> OnFunction;
	bool bThroughLayers = true;
	/** Set (by OnExpression) to end the walk after the current expression. */
	bool bStop = false;
	std::unordered_set<const UMaterialFunctionInterface*> VisitedFunctions;

	void WalkExpressions(const std::vector<UMaterialExpression*>& Expressions);
	void WalkFunction(UMaterialFunctionInterface* Function);
};
