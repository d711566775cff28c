#include "Endpoints/MaterialExport.h"

#include "Endpoints/MaterialNameTables.h"
#include "Endpoints/MaterialParameterInfos.h"
#include "Endpoints/MaterialParameterJson.h"
#include "KorvaneLog.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialInstance.h"
#include "Objects/Enum.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

#include <string_view>
#include <vector>

namespace
{
	template <std::size_t Count>
	void SetSettingNameField(FJsonObject& Settings, std::string_view Key, const std::array<std::string_view, Count>& Names, int64_t Value)
	{
		if (const std::optional<std::string_view> Name = FindMaterialSettingName(Names, Value))
		{
			Settings.SetStringField(Key, *Name);
		}
	}

	std::shared_ptr<FJsonObject> MakeMaterialSettings(const UMaterial& Material)
	{
		auto Settings = std::make_shared<FJsonObject>();
		SetSettingNameField(*Settings, "domain", MaterialDomainNames, Material.MaterialDomain);
		SetSettingNameField(*Settings, "blendMode", BlendModeNames, Material.BlendMode);
		// A material whose shading model comes from an expression reports the lowest model it may use.
		SetSettingNameField(*Settings, "shadingModel", ShadingModelNames, Material.GetShadingModels().GetFirstShadingModel());
		Settings->SetBoolField("twoSided", Material.TwoSided);
		Settings->SetNumberField("opacityMaskClipValue", Material.OpacityMaskClipValue);
		SetSettingNameField(*Settings, "translucencyLightingMode", TranslucencyLightingModeNames, Material.TranslucencyLightingMode);
		SetSettingNameField(*Settings, "refractionMethod", RefractionMethodNames, Material.RefractionMethod);
		Settings->SetNumberField("numCustomizedUVs", Material.NumCustomizedUVs);
		Settings->SetNumberField("maxWorldPositionOffsetDisplacement", Material.MaxWorldPositionOffsetDisplacement);
		Settings->SetBoolField("allowNegativeEmissiveColor", Material.bAllowNegativeEmissiveColor);
		Settings->SetBoolField("useMaterialAttributes", Material.bUseMaterialAttributes);
		Settings->SetBoolField("ditheredLODTransition", Material.DitheredLODTransition);
		return Settings;
	}

	FJsonValueArray MakeScalarParameters(const UMaterialInterface& Material)
	{
		FJsonValueArray Parameters;
		for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllScalarParameterInfo>(Material))
		{
			float Value = 0.0f;
			Material.GetScalarParameterValue(Info, Value);
			std::shared_ptr<FJsonObject> Entry = MakeNamedParameterEntry(Info);
			Entry->SetNumberField("value", Value);
			Parameters.emplace_back(std::move(Entry));
		}
		return Parameters;
	}

	FJsonValueArray MakeTextureParameters(const UMaterialInterface& Material)
	{
		FJsonValueArray Parameters;
		for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllTextureParameterInfo>(Material))
		{
			UTexture* Texture = nullptr;
			Material.GetTextureParameterValue(Info, Texture);
			std::shared_ptr<FJsonObject> Entry = MakeNamedParameterEntry(Info);
			if (Texture != nullptr)
			{
				Entry->SetStringField("texturePath", Texture->GetPathName());
				Entry->SetStringField("textureName", Texture->GetName());
			}
			Parameters.emplace_back(std::move(Entry));
		}
		return Parameters;
	}


	std::shared_ptr<FJsonObject> MakeCustomCodeRecord(const UMaterialExpressionCustom& Custom)
	{
		auto Record = std::make_shared<FJsonObject>();
		Record->SetStringField("code", Custom.GetCode());
		Record->SetStringField("description", Custom.GetDescription());
		FJsonValueArray Inputs;
		for (const FExpressionInput& Input : Custom.Inputs)
		{
			Inputs.emplace_back(Input.InputName);
		}
		Record->SetArrayField("inputs", std::move(Inputs));
		if (const UEnum* OutputTypes = StaticEnum<ECustomMaterialOutputType>())
		{
			Record->SetStringField("outputType", OutputTypes->GetNameStringByValue(Custom.GetOutputType()));
		}
		return Record;
	}
}

std::shared_ptr<FJsonObject> SerializeMaterial(const UMaterialInterface* Material)
{
	auto Payload = std::make_shared<FJsonObject>();
	if (Material == nullptr)
	{
		return Payload;
	}
	const UMaterial* BaseMaterial = Cast<UMaterial>(Material);
	Payload->SetStringField("name", Material->GetName());
	Payload->SetStringField("path", Material->GetPathName());
	Payload->SetStringField("sourceAddon", "materials");
	Payload->SetBoolField("isMaterialInstance", BaseMaterial == nullptr);
	if (BaseMaterial != nullptr)
	{
		Payload->SetObjectField("materialSettings", MakeMaterialSettings(*BaseMaterial));
	}
	else if (const UMaterialInstanceConstant* Instance = Cast<UMaterialInstanceConstant>(Material); Instance != nullptr && Instance->Parent != nullptr)
	{
		Payload->SetStringField("parentMaterial", Instance->Parent->GetPathName());
	}
	Payload->SetArrayField("scalarParameters", MakeScalarParameters(*Material));
	Payload->SetArrayField("vectorParameters", MakeVectorParameterEntries(*Material));
	Payload->SetArrayField("textureParameters", MakeTextureParameters(*Material));
	Payload->SetArrayField("staticSwitchParameters", MakeStaticSwitchParameterEntries(*Material));
	return Payload;
}

void PopulateNodeTextures(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload)
{
	const UMaterial* BaseMaterial = Cast<UMaterial>(Material);
	if (BaseMaterial == nullptr || Payload == nullptr)
	{
		return;
	}
	std::vector<UMaterialExpressionTextureBase*> Expressions;
	BaseMaterial->GetAllExpressionsInMaterialAndFunctionsOfType(Expressions);
	auto NodeTextures = std::make_shared<FJsonObject>();
	for (const UMaterialExpressionTextureBase* Expression : Expressions)
	{
		if (const UTexture* Texture = Expression->GetTexture())
		{
			NodeTextures->SetStringField(Expression->GetName(), Texture->GetPathName());
		}
	}
	const int32_t Count = static_cast<int32_t>(NodeTextures->Num());
	Payload->SetObjectField("nodeTextures", std::move(NodeTextures));
	UE_LOG(LogKorvane, Log, "Populated nodeTextures map: %d entries", Count);
}

void PopulateNodeCustomCode(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload)
{
	const UMaterial* BaseMaterial = Cast<UMaterial>(Material);
	if (BaseMaterial == nullptr || Payload == nullptr)
	{
		return;
	}
	std::vector<UMaterialExpressionCustom*> Expressions;
	BaseMaterial->GetAllExpressionsInMaterialAndFunctionsOfType(Expressions);
	auto NodeCustomCode = std::make_shared<FJsonObject>();
	for (const UMaterialExpressionCustom* Expression : Expressions)
	{
		NodeCustomCode->SetObjectField(Expression->GetName(), MakeCustomCodeRecord(*Expression));
	}
	const int32_t Count = static_cast<int32_t>(NodeCustomCode->Num());
	Payload->SetObjectField("nodeCustomCode", std::move(NodeCustomCode));
	UE_LOG(LogKorvane, Log, "Populated nodeCustomCode map: %d entries", Count);
}
