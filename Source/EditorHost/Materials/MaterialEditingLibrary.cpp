#include "Materials/MaterialEditingLibrary.h"

#include "Core/Text.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialGraphPins.h"
#include "Materials/MaterialShared.h"
#include "Objects/Class.h"

#include <memory>

namespace
{
	/** The output of that name: the first for an empty name; an unnamed output answers to R, G, B or A when it masks that one channel. */
	std::optional<int32_t> FindOutputIndex(const UMaterialExpression& Expression, std::string_view OutputName)
	{
		const std::vector<FExpressionOutput> Outputs = Expression.GetOutputs();
		if (Outputs.empty())
		{
			return std::nullopt;
		}
		if (OutputName.empty())
		{
			return 0;
		}
		for (std::size_t Index = 0; Index < Outputs.size(); ++Index)
		{
			const FExpressionOutput& Output = Outputs[Index];
			bool bMatch = false;
			if (!Output.OutputName.empty())
			{
				bMatch = Text::EqualsIgnoreCase(Output.OutputName, OutputName);
			}
			else
			{
				const bool R = Output.MaskR != 0;
				const bool G = Output.MaskG != 0;
				const bool B = Output.MaskB != 0;
				const bool A = Output.MaskA != 0;
				bMatch = (R && !G && !B && !A && Text::EqualsIgnoreCase(OutputName, "R")) || (!R && G && !B && !A && Text::EqualsIgnoreCase(OutputName, "G"))
					|| (!R && !G && B && !A && Text::EqualsIgnoreCase(OutputName, "B")) || (!R && !G && !B && A && Text::EqualsIgnoreCase(OutputName, "A"));
			}
			if (bMatch)
			{
				return static_cast<int32_t>(Index);
			}
		}
		return std::nullopt;
	}

	/**
	 * The input of that name as the editor names its pins (shortened: "UVs", "Tex"...; a function
	 * call's inputs by their bare names); the first input for an empty name.
	 */
	FExpressionInput* FindInput(UMaterialExpression& Expression, std::string_view InputName)
	{
		if (Expression.CountInputs() <= 0)
		{
			return nullptr;
		}
		if (InputName.empty())
		{
			return Expression.GetInput(0);
		}
		const auto* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(&Expression);
		for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
		{
			FExpressionInput* const Input = Expression.GetInput(Index);
			const std::string TestName = Call != nullptr ? (Input != nullptr ? Input->InputName : std::string()) : GetShortenPinName(Expression.GetInputName(Index));
			if (Input != nullptr && !TestName.empty() && Text::EqualsIgnoreCase(TestName, InputName))
			{
				return Input;
			}
		}
		return nullptr;
	}

	/** Fields the editor gives a new expression of some kinds so that it works as placed: fresh ids, a useful mask. */
	void InitializeNewExpression(UMaterialExpression& Expression)
	{
		const UClass* const Class = Expression.GetClass();
		for (const std::string_view IdProperty : {"ExpressionGUID", "Id", "VariableGuid"})
		{
			if (Class->FindPropertyByName(IdProperty) != nullptr)
			{
				Expression.SetKeptPropertyText(IdProperty, FGuid::NewGuid().ToString());
			}
		}
		if (Class->GetName() == "MaterialExpressionComponentMask")
		{
			Expression.SetKeptPropertyText("R", "True");
			Expression.SetKeptPropertyText("G", "True");
		}
	}
}

bool UMaterialEditingLibrary::ConnectMaterialExpressions(UMaterialExpression* FromExpression, std::string_view FromOutputName, UMaterialExpression* ToExpression, std::string_view ToInputName)
{
	if (FromExpression == nullptr || ToExpression == nullptr)
	{
		return false;
	}
	FExpressionInput* const Input = FindInput(*ToExpression, ToInputName);
	const std::optional<int32_t> FromIndex = FindOutputIndex(*FromExpression, FromOutputName);
	if (Input == nullptr || !FromIndex)
	{
		return false;
	}
	Input->Connect(*FromIndex, *FromExpression);
	return true;
}

bool UMaterialEditingLibrary::ConnectMaterialProperty(UMaterialExpression* FromExpression, std::string_view FromOutputName, EMaterialProperty Property)
{
	// The property belongs to the material the expression lives in.
	UMaterial* const Material = FromExpression != nullptr ? Cast<UMaterial>(FromExpression->GetOuter()) : nullptr;
	if (Material == nullptr)
	{
		return false;
	}
	FExpressionInput* const Input = Material->GetExpressionInputForProperty(Property);
	const std::optional<int32_t> FromIndex = FindOutputIndex(*FromExpression, FromOutputName);
	if (Input == nullptr || !FromIndex)
	{
		return false;
	}
	Input->Connect(*FromIndex, *FromExpression);
	return true;
}

UMaterialExpression* UMaterialEditingLibrary::CreateMaterialExpression(UMaterial* Material, UClass* ExpressionClass, int32_t NodePosX, int32_t NodePosY)
{
	if (Material == nullptr || ExpressionClass == nullptr || !ExpressionClass->IsChildOf<UMaterialExpression>() || ExpressionClass->HasAnyClassFlags(CLASS_Abstract))
	{
		return nullptr;
	}
	UMaterialExpression* const Expression = NewMaterialExpression(Material, ExpressionClass->GetPathName());
	if (Expression == nullptr)
	{
		return nullptr;
	}
	if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression))
	{
		Material->GetExpressionCollection().AddComment(Comment);
	}
	else
	{
		Material->GetExpressionCollection().AddExpression(Expression);
	}
	Expression->Material = Material;
	Expression->MaterialExpressionEditorX = NodePosX;
	Expression->MaterialExpressionEditorY = NodePosY;
	Expression->UpdateMaterialExpressionGuid(true, true);
	InitializeNewExpression(*Expression);
	Material->MarkPackageDirty();
	return Expression;
}

void UMaterialEditingLibrary::RecompileMaterial(UMaterialInterface* Material)
{
	if (Material == nullptr)
	{
		return;
	}
	Material->PreEditChange(nullptr);
	Material->PostEditChange();
	Material->MarkPackageDirty();
	UMaterial* const BaseMaterial = Cast<UMaterial>(Material);
	if (BaseMaterial == nullptr)
	{
		return;
	}
	if (BaseMaterial->MaterialResource == nullptr)
	{
		BaseMaterial->MaterialResource = std::make_unique<FMaterialResource>();
	}
	BaseMaterial->MaterialResource->Compile(*BaseMaterial);
	if (BaseMaterial->MaterialGraph != nullptr)
	{
		BaseMaterial->MaterialGraph->RefreshGraph();
	}
}
