#pragma once

#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialInstance.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture.h"

#include <string>
#include <string_view>

// Materials, functions, instances and textures made in memory with the host's API, for the
// material export and catalogue tests. Run on the game thread.

/** A new public asset of Class in its own package, named after the package's last segment ("/Game/M/M_Rock" -> M_Rock). */
template <typename T>
T* NewTestAsset(std::string_view PackageName, UClass* Class = T::StaticClass())
{
	UPackage* Package = CreatePackage(PackageName);
	const std::string_view Name = PackageName.substr(PackageName.rfind('/') + 1);
	return NewObject<T>(Package, Class, Name, RF_Public | RF_Standalone);
}

inline UTexture* NewTestTexture(std::string_view PackageName)
{
	return NewTestAsset<UTexture>(PackageName, FindEngineClassChecked("/Script/Engine.Texture2D"));
}

/** A new expression of Class added to the material's expressions. */
template <typename T>
T* AddTestExpression(UMaterial& Material, UClass* Class = T::StaticClass())
{
	return Cast<T>(UMaterialEditingLibrary::CreateMaterialExpression(&Material, Class));
}

/** A new expression of Class inside the function, added to its expressions. */
template <typename T>
T* AddTestExpression(UMaterialFunction& Function, UClass* Class = T::StaticClass())
{
	T* Expression = NewObject<T>(&Function, Class);
	Expression->Function = &Function;
	Function.FunctionExpressions.push_back(Expression);
	return Expression;
}

template <typename TOwner>
UMaterialExpressionScalarParameter* AddTestScalarParameter(TOwner& Owner, std::string_view Name, float Value)
{
	auto* Parameter = AddTestExpression<UMaterialExpressionScalarParameter>(Owner);
	FMaterialParameterFields::SetParameterName(*Parameter, Name);
	Parameter->SetDefaultValue(Value);
	return Parameter;
}

inline UMaterialExpressionVectorParameter* AddTestVectorParameter(UMaterial& Material, std::string_view Name, const FLinearColor& Value)
{
	auto* Parameter = AddTestExpression<UMaterialExpressionVectorParameter>(Material);
	FMaterialParameterFields::SetParameterName(*Parameter, Name);
	Parameter->SetDefaultValue(Value);
	return Parameter;
}

/** A 2D texture sample parameter (the editor's TextureSampleParameter2D); Texture may be nullptr. */
inline UMaterialExpressionTextureSampleParameter* AddTestTextureParameter(UMaterial& Material, std::string_view Name, UTexture* Texture)
{
	auto* Parameter = AddTestExpression<UMaterialExpressionTextureSampleParameter>(
		Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionTextureSampleParameter2D"));
	FMaterialParameterFields::SetParameterName(*Parameter, Name);
	Parameter->SetTexture(Texture);
	return Parameter;
}

inline UMaterialExpressionStaticSwitchParameter* AddTestStaticSwitch(UMaterial& Material, std::string_view Name, bool bValue)
{
	auto* Parameter = AddTestExpression<UMaterialExpressionStaticSwitchParameter>(Material);
	FMaterialParameterFields::SetParameterName(*Parameter, Name);
	Parameter->SetDefaultValue(bValue);
	return Parameter;
}

template <typename TOwner>
UMaterialExpressionTextureSample* AddTestTextureSample(TOwner& Owner, UTexture* Texture)
{
	auto* Sample = AddTestExpression<UMaterialExpressionTextureSample>(Owner);
	Sample->SetTexture(Texture);
	return Sample;
}

/**
 * A material attribute layers expression naming the layer and blend functions as the editor
 * writes its DefaultLayers property (`/Script/Engine.MaterialFunctionMaterialLayer'"/Game/L.L"'`).
 */
inline UMaterialExpressionMaterialAttributeLayers* AddTestAttributeLayers(UMaterial& Material, const std::vector<const UMaterialFunction*>& Layers,
	const std::vector<const UMaterialFunction*>& Blends)
{
	const auto PathList = [](const std::vector<const UMaterialFunction*>& Functions) {
		std::string Text;
		for (const UMaterialFunction* Function : Functions)
		{
			Text += (Text.empty() ? "" : ",") + (Function->GetClass()->GetPathName() + "'\"" + Function->GetPathName() + "\"'");
		}
		return Text;
	};
	auto* Expression = AddTestExpression<UMaterialExpressionMaterialAttributeLayers>(Material);
	Expression->SetKeptPropertyText("DefaultLayers", "(Layers=(" + PathList(Layers) + "),Blends=(" + PathList(Blends) + "))");
	return Expression;
}
