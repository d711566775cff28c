#include "Materials/MaterialFunction.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Materials/MaterialAssetText.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunctionWalk.h"

#include <algorithm>

void FMaterialFunctionWalk::WalkExpressions(const std::vector<UMaterialExpression*>& Expressions)
{
	for (UMaterialExpression* const Expression : Expressions)
	{
		if (bStop)
		{
			return;
		}
		if (!IsValid(Expression))
		{
			continue;
		}
		if (OnExpression)
		{
			OnExpression(*Expression);
		}
		// Class tests rather than casts: the walk meets every expression of a material at each query.
		if (Expression->IsA(UMaterialExpressionMaterialFunctionCall::StaticClass()))
		{
			WalkFunction(static_cast<const UMaterialExpressionMaterialFunctionCall*>(Expression)->GetMaterialFunction());
		}
		else if (bThroughLayers && Expression->IsA(UMaterialExpressionMaterialAttributeLayers::StaticClass()))
		{
			const auto* const Layers = static_cast<const UMaterialExpressionMaterialAttributeLayers*>(Expression);
			for (UMaterialFunctionInterface* const Layer : Layers->GetLayers())
			{
				WalkFunction(Layer);
			}
			for (UMaterialFunctionInterface* const Blend : Layers->GetBlends())
			{
				WalkFunction(Blend);
			}
		}
	}
}

void FMaterialFunctionWalk::WalkFunction(UMaterialFunctionInterface* Function)
{
	if (Function == nullptr || !VisitedFunctions.insert(Function).second)
	{
		return;
	}
	if (OnFunction)
	{
		OnFunction(*Function);
	}
	// A copy: loading a function met on the way never changes this one's list, but the walk must not depend on it.
	const std::vector<UMaterialExpression*> Expressions = Function->GetExpressions();
	WalkExpressions(Expressions);
}

void UMaterialFunctionInterface::GetDependentFunctions(std::vector<UMaterialFunctionInterface*>& OutFunctions) const
{
	FMaterialFunctionWalk Walk;
	Walk.VisitedFunctions.insert(this);
	Walk.OnFunction = [&OutFunctions](UMaterialFunctionInterface& Function) { OutFunctions.push_back(&Function); };
	Walk.WalkExpressions(GetExpressions());
}

void UMaterialFunction::GetInputsAndOutputs(std::vector<FFunctionExpressionInput>& OutInputs, std::vector<FFunctionExpressionOutput>& OutOutputs) const
{
	std::vector<const UMaterialExpressionFunctionInput*> Inputs;
	std::vector<const UMaterialExpressionFunctionOutput*> Outputs;
	for (const UMaterialExpression* const Expression : FunctionExpressions)
	{
		if (const auto* const Input = Cast<UMaterialExpressionFunctionInput>(Expression); Input != nullptr && IsValid(Input))
		{
			Inputs.push_back(Input);
		}
		else if (const auto* const Output = Cast<UMaterialExpressionFunctionOutput>(Expression); Output != nullptr && IsValid(Output))
		{
			Outputs.push_back(Output);
		}
	}
	// The editor sorts a function's inputs and outputs by their sort priority, keeping the order of equals.
	std::stable_sort(Inputs.begin(), Inputs.end(), [](const auto* A, const auto* B) { return A->GetSortPriority() < B->GetSortPriority(); });
	std::stable_sort(Outputs.begin(), Outputs.end(), [](const auto* A, const auto* B) { return A->GetSortPriority() < B->GetSortPriority(); });
	for (const UMaterialExpressionFunctionInput* const Input : Inputs)
	{
		OutInputs.push_back({Input->GetId(), Input->GetFunctionInputName()});
	}
	for (const UMaterialExpressionFunctionOutput* const Output : Outputs)
	{
		OutOutputs.push_back({Output->GetId(), Output->GetFunctionOutputName()});
	}
}

bool UMaterialFunction::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	Description = File.TryGetStringField("description").value_or(std::string());
	FMaterialExpressionBlocks Blocks = ReadMaterialExpressionBlocks(*this, File, Warnings);
	ExpressionTextIndent = Blocks.Indent;
	for (UMaterialExpression* const Expression : Blocks.Expressions)
	{
		Expression->Function = this;
		FunctionExpressions.push_back(Expression);
	}
	for (UMaterialExpression* const Expression : Blocks.Comments)
	{
		Expression->Function = this;
		if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression))
		{
			FunctionEditorComments.push_back(Comment);
		}
		else
		{
			Warnings.push_back("editor comment " + Expression->GetName() + " is not a comment; it is kept among the expressions");
			FunctionExpressions.push_back(Expression);
		}
	}
	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Material function %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	return true;
}

void UMaterialFunction::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	OutFile.SetStringField("description", Description);
	OutFile.SetArrayField("expressions", WriteMaterialExpressionBlocks(FunctionExpressions, ExpressionTextIndent));
	OutFile.SetArrayField("editorComments", WriteMaterialExpressionBlocks({FunctionEditorComments.begin(), FunctionEditorComments.end()}, ExpressionTextIndent));
}
