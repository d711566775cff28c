#include "Endpoints/MaterialEndpoints.h"

#include "Endpoints/AnimationJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "Endpoints/MaterialParameterInfos.h"
#include "Endpoints/MaterialParameterJson.h"
#include "RequestConventions.h"

#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

namespace
{
	template <typename T>
	std::vector<FAssetData> GetGameAssetsOf(bool bIncludeSubclasses)
	{
		const FTopLevelAssetPath ClassPath = T::StaticClass()->GetClassPathName();
		return GetGameAssetsOfClass(ClassPath.PackageName, ClassPath.AssetName, bIncludeSubclasses);
	}

	std::shared_ptr<FJsonObject> MakeMaterialListEntry(const FAssetData& Asset)
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("class", Asset.AssetClassPath.ToString());
		Entry->SetStringField("packagePath", Asset.PackagePath);
		SetRegistryTagField(*Entry, Asset, "Parent", "parent");
		return Entry;
	}

	/** "Global" for the material's own parameters, "Layer" for those of its attribute layers and blends. */
	std::string_view GroupOf(const FMaterialParameterInfo& Info)
	{
		return Info.Association == GlobalParameter ? "Global" : "Layer";
	}

	FJsonValueArray MakeScalarParameters(const UMaterialInterface& Material)
	{
		FJsonValueArray Parameters;
		for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllScalarParameterInfo>(Material))
		{
			float Value = 0.0f;
			Material.GetScalarParameterValue(Info, Value);
			std::shared_ptr<FJsonObject> Entry = MakeNamedParameterEntry(Info);
			Entry->SetStringField("group", GroupOf(Info));
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
				Entry->SetStringField("textureName", Texture->GetName());
				Entry->SetStringField("texturePath", Texture->GetPathName());
			}
			else
			{
				Entry->SetStringField("textureName", "None");
			}
			Parameters.emplace_back(std::move(Entry));
		}
		return Parameters;
	}

}

std::shared_ptr<FJsonObject> ListMaterials()
{
	FJsonValueArray Materials;
	for (const FAssetData& Asset : GetGameAssetsOf<UMaterial>(false))
	{
		Materials.emplace_back(MakeMaterialListEntry(Asset));
	}
	for (const FAssetData& Asset : GetGameAssetsOf<UMaterialInstanceConstant>(true))
	{
		Materials.emplace_back(MakeMaterialListEntry(Asset));
	}
	return MakeListResponse("materials", std::move(Materials));
}

std::shared_ptr<FJsonObject> GetMaterialDetail(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	const UMaterialInterface* Material = LoadObject<UMaterialInterface>(Request.Path);
	if (Material == nullptr)
	{
		return MakeErrorResponse("Material not found");
	}

	auto Detail = std::make_shared<FJsonObject>();
	Detail->SetStringField("name", Material->GetName());
	Detail->SetStringField("path", Request.Path);
	Detail->SetArrayField("scalarParameters", MakeScalarParameters(*Material));
	Detail->SetArrayField("vectorParameters", MakeVectorParameterEntries(*Material));
	Detail->SetArrayField("textureParameters", MakeTextureParameters(*Material));
	Detail->SetArrayField("staticSwitchParameters", MakeStaticSwitchParameterEntries(*Material));
	return Detail;
}
