#include "Materials/Material.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/LogHost.h"
#include "Data/AssetFieldReaders.h"
#include "Materials/MaterialAssetText.h"
#include "Materials/MaterialEnumNames.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunctionWalk.h"
#include "Materials/MaterialShared.h"

#include <algorithm>
#include <array>

namespace
{
	/** One setting of the asset file: how it is written as JSON, and how it is read back (false: not a value of the setting). */
	struct FMaterialSetting
	{
		std::string_view Key;
		FJsonValue (*Write)(const UMaterial& Material);
		bool (*Read)(UMaterial& Material, const FJsonValue& Value);
	};

	template <typename TEnum>
	bool ReadEnum(const FJsonValue& Value, TEnum& OutValue)
	{
		const std::string* const Name = Value.TryGetString();
		const std::optional<TEnum> Parsed = Name != nullptr ? MaterialEnumNames::FromName<TEnum>(*Name) : std::nullopt;
		if (Parsed)
		{
			OutValue = *Parsed;
		}
		return Parsed.has_value();
	}

	bool ReadBool(const FJsonValue& Value, bool& OutValue)
	{
		const std::optional<bool> Parsed = Value.TryGetBool();
		OutValue = Parsed.value_or(OutValue);
		return Parsed.has_value();
	}

	bool ReadFloat(const FJsonValue& Value, float& OutValue)
	{
		FJsonObject Holder;
		Holder.SetField("v", Value);
		const std::optional<float> Parsed = TryGetFloatField(Holder, "v");
		OutValue = Parsed.value_or(OutValue);
		return Parsed.has_value();
	}

	FJsonValue ShadingModelsValue(const UMaterial& Material)
	{
		FJsonValueArray Names;
		const FMaterialShadingModelField Models = Material.GetShadingModels();
		for (int Model = 0; Model < MSM_NUM; ++Model)
		{
			if (Models.HasShadingModel(static_cast<EMaterialShadingModel>(Model)))
			{
				Names.emplace_back(MaterialEnumNames::ToName(static_cast<EMaterialShadingModel>(Model)));
			}
		}
		return FJsonValue(std::move(Names));
	}

	bool ReadShadingModels(UMaterial& Material, const FJsonValue& Value)
	{
		const std::shared_ptr<FJsonValueArray> Names = Value.TryGetArray();
		if (!Names)
		{
			return false;
		}
		FMaterialShadingModelField Models;
		for (const FJsonValue& Name : *Names)
		{
			const std::string* const Text = Name.TryGetString();
			const std::optional<EMaterialShadingModel> Model = Text != nullptr ? MaterialEnumNames::FromName<EMaterialShadingModel>(*Text) : std::nullopt;
			if (!Model)
			{
				return false;
			}
			Models.AddShadingModel(*Model);
		}
		if (!Models.IsValid())
		{
			return false;
		}
		Material.SetShadingModels(Models);
		return true;
	}

	const std::array<FMaterialSetting, 12> MaterialSettings = {{
		{"materialDomain", [](const UMaterial& M) { return FJsonValue(MaterialEnumNames::ToName(M.MaterialDomain)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadEnum(V, M.MaterialDomain); }},
		{"blendMode", [](const UMaterial& M) { return FJsonValue(MaterialEnumNames::ToName(M.BlendMode)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadEnum(V, M.BlendMode); }},
		{"shadingModels", &ShadingModelsValue, &ReadShadingModels},
		{"twoSided", [](const UMaterial& M) { return FJsonValue(M.TwoSided); }, [](UMaterial& M, const FJsonValue& V) { return ReadBool(V, M.TwoSided); }},
		{"opacityMaskClipValue", [](const UMaterial& M) { return FJsonValue(static_cast<double>(M.OpacityMaskClipValue)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadFloat(V, M.OpacityMaskClipValue); }},
		{"translucencyLightingMode", [](const UMaterial& M) { return FJsonValue(MaterialEnumNames::ToName(M.TranslucencyLightingMode)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadEnum(V, M.TranslucencyLightingMode); }},
		{"refractionMethod", [](const UMaterial& M) { return FJsonValue(MaterialEnumNames::ToName(M.RefractionMethod)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadEnum(V, M.RefractionMethod); }},
		{"numCustomizedUVs", [](const UMaterial& M) { return FJsonValue(M.NumCustomizedUVs); },
			[](UMaterial& M, const FJsonValue& V) {
				const std::optional<int32_t> Count = V.TryGetInt32();
				M.NumCustomizedUVs = std::clamp(Count.value_or(M.NumCustomizedUVs), 0, 8);
				return Count.has_value();
			}},
		{"maxWorldPositionOffsetDisplacement", [](const UMaterial& M) { return FJsonValue(static_cast<double>(M.MaxWorldPositionOffsetDisplacement)); },
			[](UMaterial& M, const FJsonValue& V) { return ReadFloat(V, M.MaxWorldPositionOffsetDisplacement); }},
		{"allowNegativeEmissiveColor", [](const UMaterial& M) { return FJsonValue(M.bAllowNegativeEmissiveColor); },
			[](UMaterial& M, const FJsonValue& V) { return ReadBool(V, M.bAllowNegativeEmissiveColor); }},
		{"useMaterialAttributes", [](const UMaterial& M) { return FJsonValue(M.bUseMaterialAttributes); },
			[](UMaterial& M, const FJsonValue& V) { return ReadBool(V, M.bUseMaterialAttributes); }},
		{"ditheredLODTransition", [](const UMaterial& M) { return FJsonValue(M.DitheredLODTransition); },
			[](UMaterial& M, const FJsonValue& V) { return ReadBool(V, M.DitheredLODTransition); }},
	}};

	std::string CondensedText(const FJsonValue& Value)
	{
		FJsonObject Holder;
		Holder.SetField("v", Value);
		return FJsonSerializer::SerializeCondensed(Holder);
	}
}

UMaterial::UMaterial()
	: PropertyInputs(MP_MAX)
{
}

UMaterial::~UMaterial() = default;

const UMaterial* UMaterialInterface::GetMaterial() const
{
	return const_cast<UMaterialInterface*>(this)->GetMaterial();
}

void UMaterial::SetShadingModel(EMaterialShadingModel NewModel)
{
	ShadingModels = FMaterialShadingModelField(NewModel);
}

FExpressionInput* UMaterial::GetExpressionInputForProperty(EMaterialProperty Property)
{
	return Property < MP_MAX ? &PropertyInputs[Property] : nullptr;
}

const FExpressionInput* UMaterial::GetExpressionInputForProperty(EMaterialProperty Property) const
{
	return Property < MP_MAX ? &PropertyInputs[Property] : nullptr;
}

std::vector<UMaterialExpression*> UMaterial::CollectAllExpressions(const UClass* ExpressionClass) const
{
	std::vector<UMaterialExpression*> Collected;
	FMaterialFunctionWalk Walk;
	Walk.OnExpression = [&Collected, ExpressionClass](UMaterialExpression& Expression) {
		if (ExpressionClass == nullptr || Expression.IsA(ExpressionClass))
		{
			Collected.push_back(&Expression);
		}
	};
	Walk.WalkExpressions(ExpressionCollection.Expressions);
	return Collected;
}

FMaterialResource* UMaterial::GetMaterialResource(int32_t ShaderPlatform, int32_t QualityLevel)
{
	const bool bKnownPlatform = ShaderPlatform >= 0 && ShaderPlatform < SP_NumPlatforms;
	const bool bKnownQuality = QualityLevel >= 0 && QualityLevel < EMaterialQualityLevel::Num;
	return bKnownPlatform && bKnownQuality ? MaterialResource.get() : nullptr;
}

void UMaterial::CacheResourceShadersForRendering()
{
	if (MaterialResource == nullptr)
	{
		MaterialResource = std::make_unique<FMaterialResource>();
		MaterialResource->Compile(*this);
	}
}

bool UMaterial::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	SettingsAsRead.clear();
	for (const FMaterialSetting& Setting : MaterialSettings)
	{
		const FJsonValue* const Value = File.TryGetField(Setting.Key);
		if (Value == nullptr)
		{
			continue;
		}
		if (!Setting.Read(*this, *Value))
		{
			Warnings.push_back("\"" + std::string(Setting.Key) + "\" is not a value of the setting; it keeps its default");
		}
		SettingsAsRead.emplace_back(Setting.Key, CondensedText(Setting.Write(*this)));
	}

	FMaterialExpressionBlocks Blocks = ReadMaterialExpressionBlocks(*this, File, Warnings);
	ExpressionTextIndent = Blocks.Indent;
	for (UMaterialExpression* const Expression : Blocks.Expressions)
	{
		Expression->Material = this;
		ExpressionCollection.AddExpression(Expression);
	}
	for (UMaterialExpression* const Expression : Blocks.Comments)
	{
		Expression->Material = this;
		if (auto* const Comment = Cast<UMaterialExpressionComment>(Expression))
		{
			ExpressionCollection.AddComment(Comment);
		}
		else
		{
			Warnings.push_back("editor comment " + Expression->GetName() + " is not a comment; it is kept among the expressions");
			ExpressionCollection.AddExpression(Expression);
		}
	}

	if (const std::shared_ptr<FJsonObject> Inputs = File.TryGetObjectField("propertyInputs"))
	{
		for (const FJsonObject::FMember& Member : Inputs->Values())
		{
			const std::optional<EMaterialProperty> Property = MaterialEnumNames::FromName<EMaterialProperty>(Member.first);
			const std::shared_ptr<FJsonObject> Entry = Member.second.TryGetObject();
			const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("expression") : std::nullopt;
			UMaterialExpression* const From = Name ? FindExpressionByName(ExpressionCollection.Expressions, *Name) : nullptr;
			if (!Property || From == nullptr)
			{
				Warnings.push_back("property input \"" + Member.first + "\" names no property or no expression of the material; it is left unconnected");
				continue;
			}
			PropertyInputs[*Property].Connect(Entry->TryGetInt32Field("outputIndex").value_or(0), *From);
		}
	}
	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Material %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	return true;
}

void UMaterial::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	for (const FMaterialSetting& Setting : MaterialSettings)
	{
		FJsonValue Value = Setting.Write(*this);
		const auto AsRead = std::find_if(SettingsAsRead.begin(), SettingsAsRead.end(), [&Setting](const auto& Entry) { return Entry.first == Setting.Key; });
		const bool bUnchanged = AsRead != SettingsAsRead.end() && AsRead->second == CondensedText(Value) && OutFile.HasField(Setting.Key);
		if (!bUnchanged)
		{
			OutFile.SetField(Setting.Key, std::move(Value));
		}
	}
	auto Inputs = std::make_shared<FJsonObject>();
	for (int Property = 0; Property < MP_MAX; ++Property)
	{
		const FExpressionInput& Input = PropertyInputs[static_cast<std::size_t>(Property)];
		if (IsValid(Input.Expression))
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("expression", Input.Expression->GetName());
			Entry->SetNumberField("outputIndex", Input.OutputIndex);
			Inputs->SetObjectField(MaterialEnumNames::ToName(static_cast<EMaterialProperty>(Property)), std::move(Entry));
		}
	}
	OutFile.SetObjectField("propertyInputs", std::move(Inputs));
	OutFile.SetArrayField("expressions", WriteMaterialExpressionBlocks(ExpressionCollection.Expressions, ExpressionTextIndent));
	OutFile.SetArrayField("editorComments",
		WriteMaterialExpressionBlocks({ExpressionCollection.EditorComments.begin(), ExpressionCollection.EditorComments.end()}, ExpressionTextIndent));
}

void UMaterial::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
}
