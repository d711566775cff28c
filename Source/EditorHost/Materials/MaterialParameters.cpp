#include "Materials/MaterialParameters.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialFunctionWalk.h"
#include "Materials/MaterialInstance.h"
#include "Textures/Texture.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace
{
	/** The parameter's name: ParameterName of the parameter kinds. */
	std::string ParameterNameOf(const UMaterialExpression& Expression)
	{
		return FMaterialParameterFields::GetParameterName(Expression);
	}

	/**
	 * Whether the parameter is named Name, without making its name: a parameter's name is looked
	 * at once per parameter of every value query.
	 */
	bool HasParameterName(const UMaterialExpression& Expression, std::string_view Name)
	{
		const std::optional<std::string_view> Text = Expression.FindKeptPropertyText("ParameterName");
		if (!Text)
		{
			return ParameterNameOf(Expression) == Name;
		}
		const bool bPlainQuoted = Text->size() >= 2 && Text->front() == '"' && Text->back() == '"' && Text->find('\\') == std::string_view::npos;
		if (bPlainQuoted)
		{
			return !Name.empty() && Text->substr(1, Text->size() - 2) == Name;
		}
		return ParameterNameOf(Expression) == Name;
	}

	FGuid ExpressionGuidOf(const UMaterialExpression& Expression)
	{
		const std::optional<std::string> Text = Expression.GetKeptPropertyText("ExpressionGUID");
		return Text ? FGuid::Parse(*Text).value_or(FGuid{}) : FGuid{};
	}

	/**
	 * Visits the parameter expressions of a kind in the engine's order, each with the association
	 * and index of where it was met, until Visit answers true.
	 */
	template <typename TVisit>
	void VisitParameterExpressions(const UMaterial& Material, const UClass* ParameterClass, TVisit&& Visit)
	{
		bool bDone = false;
		const auto Walk = [&](const std::vector<UMaterialExpression*>& Expressions, EMaterialParameterAssociation Association, int32_t Index, bool bThroughLayers) {
			if (bDone)
			{
				return;
			}
			FMaterialFunctionWalk Walker;
			Walker.bThroughLayers = bThroughLayers;
			Walker.OnExpression = [&](UMaterialExpression& Expression) {
				if (Expression.IsA(ParameterClass) && Visit(Expression, Association, Index))
				{
					bDone = true;
					Walker.bStop = true;
				}
			};
			Walker.WalkExpressions(Expressions);
		};
		const std::vector<UMaterialExpression*>& Expressions = Material.GetExpressions();
		Walk(Expressions, GlobalParameter, -1, false);
		for (const UMaterialExpression* const Expression : Expressions)
		{
			if (!IsValid(Expression) || !Expression->IsA(UMaterialExpressionMaterialAttributeLayers::StaticClass()))
			{
				continue;
			}
			const auto* const Layers = static_cast<const UMaterialExpressionMaterialAttributeLayers*>(Expression);
			const std::vector<UMaterialFunctionInterface*> LayerFunctions = Layers->GetLayers();
			for (std::size_t Index = 0; Index < LayerFunctions.size(); ++Index)
			{
				if (LayerFunctions[Index] != nullptr)
				{
					Walk(LayerFunctions[Index]->GetExpressions(), LayerParameter, static_cast<int32_t>(Index), true);
				}
			}
			const std::vector<UMaterialFunctionInterface*> BlendFunctions = Layers->GetBlends();
			for (std::size_t Index = 0; Index < BlendFunctions.size(); ++Index)
			{
				if (BlendFunctions[Index] != nullptr)
				{
					Walk(BlendFunctions[Index]->GetExpressions(), BlendParameter, static_cast<int32_t>(Index), true);
				}
			}
		}
	}
}

std::vector<FMaterialParameterExpression> CollectMaterialParameters(const UMaterial& Material, const UClass* ParameterClass)
{
	std::vector<FMaterialParameterExpression> Parameters;
	std::unordered_set<std::string> Listed;
	VisitParameterExpressions(Material, ParameterClass, [&](const UMaterialExpression& Expression, EMaterialParameterAssociation Association, int32_t Index) {
		FMaterialParameterInfo Info{ParameterNameOf(Expression), Association, Index};
		if (Listed.insert(std::to_string(Association) + ":" + std::to_string(Index) + ":" + Info.Name).second)
		{
			Parameters.push_back({std::move(Info), &Expression, ExpressionGuidOf(Expression)});
		}
		return false;
	});
	return Parameters;
}

std::optional<FMaterialParameterExpression> FindMaterialParameter(const UMaterial& Material, const UClass* ParameterClass, const FMaterialParameterInfo& Info)
{
	// The first expression met with the name, association and index is the one listed for it.
	std::optional<FMaterialParameterExpression> Found;
	VisitParameterExpressions(Material, ParameterClass, [&](const UMaterialExpression& Expression, EMaterialParameterAssociation Association, int32_t Index) {
		if (Association == Info.Association && Index == Info.Index && HasParameterName(Expression, Info.Name))
		{
			Found = FMaterialParameterExpression{Info, &Expression, ExpressionGuidOf(Expression)};
			return true;
		}
		return false;
	});
	return Found;
}

namespace
{
	void ListParameters(const UMaterialInterface& Interface, const UClass* ParameterClass, std::vector<FMaterialParameterInfo>& OutInfo, std::vector<FGuid>& OutIds)
	{
		const UMaterial* const Material = Interface.GetMaterial();
		if (Material == nullptr)
		{
			return;
		}
		for (FMaterialParameterExpression& Parameter : CollectMaterialParameters(*Material, ParameterClass))
		{
			OutInfo.push_back(std::move(Parameter.Info));
			OutIds.push_back(Parameter.ExpressionGuid);
		}
	}

	/** The parameter expression of the interface's base material, when it is not asked for overrides only. */
	std::optional<FMaterialParameterExpression> FindDefault(const UMaterialInterface& Interface, const UClass* ParameterClass, const FMaterialParameterInfo& Info, bool bOveriddenOnly)
	{
		const UMaterial* const Material = Interface.GetMaterial();
		return Material != nullptr && !bOveriddenOnly ? FindMaterialParameter(*Material, ParameterClass, Info) : std::nullopt;
	}
}

void UMaterialInterface::GetAllScalarParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const
{
	ListParameters(*this, UMaterialExpressionScalarParameter::StaticClass(), OutParameterInfo, OutParameterIds);
}

void UMaterialInterface::GetAllVectorParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const
{
	ListParameters(*this, UMaterialExpressionVectorParameter::StaticClass(), OutParameterInfo, OutParameterIds);
}

void UMaterialInterface::GetAllTextureParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const
{
	ListParameters(*this, UMaterialExpressionTextureSampleParameter::StaticClass(), OutParameterInfo, OutParameterIds);
}

void UMaterialInterface::GetAllStaticSwitchParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const
{
	ListParameters(*this, UMaterialExpressionStaticBoolParameter::StaticClass(), OutParameterInfo, OutParameterIds);
}

bool UMaterialInterface::GetScalarParameterValue(const FMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly) const
{
	const std::optional<FMaterialParameterExpression> Found = FindDefault(*this, UMaterialExpressionScalarParameter::StaticClass(), ParameterInfo, bOveriddenOnly);
	if (Found)
	{
		OutValue = static_cast<const UMaterialExpressionScalarParameter*>(Found->Expression)->GetDefaultValue();
	}
	return Found.has_value();
}

bool UMaterialInterface::GetVectorParameterValue(const FMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly) const
{
	const std::optional<FMaterialParameterExpression> Found = FindDefault(*this, UMaterialExpressionVectorParameter::StaticClass(), ParameterInfo, bOveriddenOnly);
	if (Found)
	{
		OutValue = static_cast<const UMaterialExpressionVectorParameter*>(Found->Expression)->GetDefaultValue();
	}
	return Found.has_value();
}

bool UMaterialInterface::GetTextureParameterValue(const FMaterialParameterInfo& ParameterInfo, UTexture*& OutValue, bool bOveriddenOnly) const
{
	const std::optional<FMaterialParameterExpression> Found = FindDefault(*this, UMaterialExpressionTextureSampleParameter::StaticClass(), ParameterInfo, bOveriddenOnly);
	if (Found)
	{
		OutValue = static_cast<const UMaterialExpressionTextureSampleParameter*>(Found->Expression)->GetTexture();
	}
	return Found.has_value();
}

bool UMaterialInterface::GetStaticSwitchParameterValue(const FMaterialParameterInfo& ParameterInfo, bool& OutValue, FGuid& OutExpressionGuid, bool bOveriddenOnly) const
{
	const std::optional<FMaterialParameterExpression> Found = FindDefault(*this, UMaterialExpressionStaticBoolParameter::StaticClass(), ParameterInfo, bOveriddenOnly);
	if (Found)
	{
		OutValue = static_cast<const UMaterialExpressionStaticBoolParameter*>(Found->Expression)->GetDefaultValue();
		OutExpressionGuid = Found->ExpressionGuid;
	}
	return Found.has_value();
}

void UMaterialInterface::GetUsedTextures(std::vector<UTexture*>& OutTextures) const
{
	const UMaterial* const Material = GetMaterial();
	if (Material == nullptr)
	{
		return;
	}
	const auto Add = [&OutTextures](UTexture* Texture) {
		if (Texture != nullptr && std::find(OutTextures.begin(), OutTextures.end(), Texture) == OutTextures.end())
		{
			OutTextures.push_back(Texture);
		}
	};
	// In the order the collection meets them: a texture parameter samples the value this interface
	// gives it, any other texture expression its own texture; then the values the parameters take
	// elsewhere (the same function used by another layer).
	const std::vector<FMaterialParameterExpression> Parameters = CollectMaterialParameters(*Material, UMaterialExpressionTextureSampleParameter::StaticClass());
	const auto ValueOf = [this](const FMaterialParameterInfo& Info) {
		UTexture* Texture = nullptr;
		GetTextureParameterValue(Info, Texture);
		return Texture;
	};
	for (const UMaterialExpression* const Expression : Material->CollectAllExpressions(UMaterialExpressionTextureBase::StaticClass()))
	{
		const auto Parameter = std::find_if(Parameters.begin(), Parameters.end(), [Expression](const FMaterialParameterExpression& Entry) { return Entry.Expression == Expression; });
		Add(Parameter != Parameters.end() ? ValueOf(Parameter->Info) : static_cast<const UMaterialExpressionTextureBase*>(Expression)->GetTexture());
	}
	for (const FMaterialParameterExpression& Parameter : Parameters)
	{
		Add(ValueOf(Parameter.Info));
	}
}
