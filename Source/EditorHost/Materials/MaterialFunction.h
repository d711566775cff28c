#pragma once

#include "Materials/MaterialExpression.h"
#include "Objects/Object.h"

#include <string>
#include <vector>

class UMaterialExpressionComment;

/** One input or output of a material function, as a call shows it. */
struct FFunctionExpressionInput
{
	FGuid ExpressionInputId;
	std::string InputName;
};

struct FFunctionExpressionOutput
{
	FGuid ExpressionOutputId;
	std::string OutputName;
};

class UMaterialFunctionInterface : public UObject
{
	DECLARE_ENGINE_CLASS(UMaterialFunctionInterface, UObject, "/Script/Engine.MaterialFunctionInterface")

public:
	/** The function's inputs and outputs in their sort order (the FunctionInput and FunctionOutput expressions). */
	virtual void GetInputsAndOutputs(std::vector<FFunctionExpressionInput>& OutInputs, std::vector<FFunctionExpressionOutput>& OutOutputs) const = 0;
	/** The function's own expressions. */
	virtual const std::vector<UMaterialExpression*>& GetExpressions() const = 0;
	/** Every function this one calls, directly or through others, each once (itself never). */
	void GetDependentFunctions(std::vector<UMaterialFunctionInterface*>& OutFunctions) const;
};

/**
 * A material function asset: expressions of its own (with FunctionInput and FunctionOutput
 * expressions as its interface) and editor comments. Material layers and layer blends are
 * classes below it (/Script/Engine.MaterialFunctionMaterialLayer, ...MaterialLayerBlend).
 */
class UMaterialFunction : public UMaterialFunctionInterface
{
	DECLARE_ENGINE_CLASS(UMaterialFunction, UMaterialFunctionInterface, "/Script/Engine.MaterialFunction")

public:
	std::string Description;
	std::vector<UMaterialExpression*> FunctionExpressions;
	std::vector<UMaterialExpressionComment*> FunctionEditorComments;

	void GetInputsAndOutputs(std::vector<FFunctionExpressionInput>& OutInputs, std::vector<FFunctionExpressionOutput>& OutOutputs) const override;
	const std::vector<UMaterialExpression*>& GetExpressions() const override { return FunctionExpressions; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	/** The indentation of the expression text as the asset file was written. */
	std::string ExpressionTextIndent = "   ";
};
