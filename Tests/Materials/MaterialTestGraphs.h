#pragma once

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <string>
#include <string_view>

/** Builds materials and functions in memory for the material tests. */
namespace MaterialTestGraphs
{
	/** The asset of a new package at PackageName, named after it. */
	template <typename T>
	T* NewAsset(std::string_view PackageName, std::string_view ClassPath = T::StaticClassPath)
	{
		UPackage* Package = CreatePackage(PackageName);
		const std::string_view Name = PackageName.substr(PackageName.rfind('/') + 1);
		return NewObject<T>(Package, FindEngineClassChecked(ClassPath), Name, RF_Public | RF_Standalone);
	}

	inline UMaterialExpression* AddExpression(UMaterial& Material, std::string_view ClassPath)
	{
		UMaterialExpression* Expression = NewMaterialExpression(&Material, ClassPath);
		Expression->Material = &Material;
		Material.GetExpressionCollection().AddExpression(Expression);
		return Expression;
	}

	inline UMaterialExpression* AddExpression(UMaterialFunction& Function, std::string_view ClassPath)
	{
		UMaterialExpression* Expression = NewMaterialExpression(&Function, ClassPath);
		Expression->Function = &Function;
		Function.FunctionExpressions.push_back(Expression);
		return Expression;
	}

	template <typename TOwner>
	UMaterialExpressionScalarParameter* AddScalar(TOwner& Owner, std::string_view Name, float DefaultValue)
	{
		auto* Scalar = Cast<UMaterialExpressionScalarParameter>(AddExpression(Owner, "/Script/Engine.MaterialExpressionScalarParameter"));
		FMaterialParameterFields::SetParameterName(*Scalar, Name);
		Scalar->SetDefaultValue(DefaultValue);
		return Scalar;
	}

	template <typename TOwner>
	UMaterialExpressionMaterialFunctionCall* AddCall(TOwner& Owner, UMaterialFunction* Called)
	{
		auto* Call = Cast<UMaterialExpressionMaterialFunctionCall>(AddExpression(Owner, "/Script/Engine.MaterialExpressionMaterialFunctionCall"));
		Call->SetMaterialFunction(Called);
		return Call;
	}

	/** Attribute layers over the layer and blend functions (object paths). */
	inline UMaterialExpressionMaterialAttributeLayers* AddLayers(UMaterial& Material, std::vector<const UMaterialFunction*> Layers, std::vector<const UMaterialFunction*> Blends)
	{
		const auto List = [](const std::vector<const UMaterialFunction*>& Functions) {
			std::string Text = "(";
			for (std::size_t Index = 0; Index < Functions.size(); ++Index)
			{
				Text += (Index > 0 ? "," : "") + Functions[Index]->GetClass()->GetPathName() + "'\"" + Functions[Index]->GetPathName() + "\"'";
			}
			return Text + ")";
		};
		auto* Expression = Cast<UMaterialExpressionMaterialAttributeLayers>(AddExpression(Material, "/Script/Engine.MaterialExpressionMaterialAttributeLayers"));
		Expression->SetKeptPropertyText("DefaultLayers", "(Layers=" + List(Layers) + ",Blends=" + List(Blends) + ",LayerStates=(True,True))");
		return Expression;
	}
}
