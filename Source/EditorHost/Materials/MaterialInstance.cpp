#include "Materials/MaterialInstance.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Core/TextHelpers.h"
#include "Data/AssetFieldReaders.h"
#include "Materials/MaterialEnumNames.h"
#include "Materials/MaterialShared.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

#include <algorithm>
#include <unordered_set>

namespace
{
	/**
	 * Calls Visit for the instance and each instance up its parent chain until Visit answers true;
	 * a chain that comes back to an instance already seen stops there. Answers whether Visit did.
	 */
	template <typename TVisit>
	bool VisitInstanceChain(const UMaterialInstance& Start, TVisit&& Visit)
	{
		std::unordered_set<const UMaterialInstance*> Seen;
		for (const UMaterialInstance* Instance = &Start; Instance != nullptr && Seen.insert(Instance).second; Instance = Cast<UMaterialInstance>(Instance->Parent))
		{
			if (Visit(*Instance))
			{
				return true;
			}
		}
		return false;
	}

	template <typename TEntry>
	const TEntry* FindEntry(const std::vector<TEntry>& Entries, const FMaterialParameterInfo& Info)
	{
		const auto Found = std::find_if(Entries.begin(), Entries.end(), [&Info](const TEntry& Entry) { return Entry.ParameterInfo == Info; });
		return Found != Entries.end() ? &*Found : nullptr;
	}

	template <typename TEntry>
	TEntry& FindOrAddEntry(std::vector<TEntry>& Entries, const FMaterialParameterInfo& Info)
	{
		const auto Found = std::find_if(Entries.begin(), Entries.end(), [&Info](const TEntry& Entry) { return Entry.ParameterInfo == Info; });
		if (Found != Entries.end())
		{
			return *Found;
		}
		TEntry& Added = Entries.emplace_back();
		Added.ParameterInfo = Info;
		return Added;
	}

	FMaterialParameterInfo GlobalInfo(std::string_view Name)
	{
		return {std::string(Name), GlobalParameter, -1};
	}
}

UMaterialInstance::UMaterialInstance() = default;
UMaterialInstance::~UMaterialInstance() = default;

UMaterial* UMaterialInstance::GetMaterial()
{
	UMaterial* Material = nullptr;
	VisitInstanceChain(*this, [&Material](const UMaterialInstance& Instance) {
		if (Instance.Parent != nullptr && !Instance.Parent->IsA<UMaterialInstance>())
		{
			Material = Instance.Parent->GetMaterial();
			return true;
		}
		return false;
	});
	return Material;
}

bool UMaterialInstance::GetScalarParameterValue(const FMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly) const
{
	const bool bOverridden = VisitInstanceChain(*this, [&](const UMaterialInstance& Instance) {
		const FScalarParameterValue* const Entry = FindEntry(Instance.ScalarParameterValues, ParameterInfo);
		if (Entry != nullptr)
		{
			OutValue = Entry->ParameterValue;
		}
		return Entry != nullptr;
	});
	return bOverridden || Super::GetScalarParameterValue(ParameterInfo, OutValue, bOveriddenOnly);
}

bool UMaterialInstance::GetVectorParameterValue(const FMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly) const
{
	const bool bOverridden = VisitInstanceChain(*this, [&](const UMaterialInstance& Instance) {
		const FVectorParameterValue* const Entry = FindEntry(Instance.VectorParameterValues, ParameterInfo);
		if (Entry != nullptr)
		{
			OutValue = Entry->ParameterValue;
		}
		return Entry != nullptr;
	});
	return bOverridden || Super::GetVectorParameterValue(ParameterInfo, OutValue, bOveriddenOnly);
}

bool UMaterialInstance::GetTextureParameterValue(const FMaterialParameterInfo& ParameterInfo, UTexture*& OutValue, bool bOveriddenOnly) const
{
	const bool bOverridden = VisitInstanceChain(*this, [&](const UMaterialInstance& Instance) {
		const FTextureParameterValue* const Entry = FindEntry(Instance.TextureParameterValues, ParameterInfo);
		if (Entry != nullptr)
		{
			OutValue = Entry->ParameterValue;
		}
		return Entry != nullptr;
	});
	return bOverridden || Super::GetTextureParameterValue(ParameterInfo, OutValue, bOveriddenOnly);
}

bool UMaterialInstance::GetStaticSwitchParameterValue(const FMaterialParameterInfo& ParameterInfo, bool& OutValue, FGuid& OutExpressionGuid, bool bOveriddenOnly) const
{
	const bool bOverridden = VisitInstanceChain(*this, [&](const UMaterialInstance& Instance) {
		const FStaticSwitchParameter* const Entry = FindEntry(Instance.StaticSwitchParameters, ParameterInfo);
		if (Entry != nullptr)
		{
			OutValue = Entry->Value;
			OutExpressionGuid = Entry->ExpressionGUID;
		}
		return Entry != nullptr;
	});
	return bOverridden || Super::GetStaticSwitchParameterValue(ParameterInfo, OutValue, OutExpressionGuid, bOveriddenOnly);
}

std::vector<FStaticSwitchOverride> UMaterialInstance::GetStaticSwitchOverrides() const
{
	std::vector<FStaticSwitchOverride> Overrides;
	VisitInstanceChain(*this, [&Overrides](const UMaterialInstance& Instance) {
		for (const FStaticSwitchParameter& Parameter : Instance.StaticSwitchParameters)
		{
			const bool bGlobal = Parameter.ParameterInfo.Association == GlobalParameter;
			const bool bSeen = std::any_of(Overrides.begin(), Overrides.end(), [&Parameter](const FStaticSwitchOverride& Override) {
				return Text::EqualsIgnoreCase(Override.Name, Parameter.ParameterInfo.Name);
			});
			if (bGlobal && !bSeen)
			{
				Overrides.push_back({Parameter.ParameterInfo.Name, Parameter.Value});
			}
		}
		return false;
	});
	return Overrides;
}

FMaterialResource* UMaterialInstance::GetRenderingMaterialResource()
{
	UMaterial* const Base = GetMaterial();
	if (Base == nullptr)
	{
		return nullptr;
	}
	Base->CacheResourceShadersForRendering();
	FMaterialResource* const BaseResource = Base->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::Epic);
	std::vector<FStaticSwitchOverride> Overrides = GetStaticSwitchOverrides();
	if (Overrides.empty() || BaseResource == nullptr)
	{
		StaticPermutationResource.reset();
		return BaseResource;
	}
	const bool bStale = StaticPermutationResource == nullptr || Overrides != StaticPermutationSwitches || BaseResource != StaticPermutationBaseResource
		|| BaseResource->GetCompileCount() != StaticPermutationBaseCompile;
	if (bStale)
	{
		StaticPermutationResource = std::make_unique<FMaterialResource>();
		StaticPermutationResource->Compile(*Base, Overrides);
		StaticPermutationSwitches = std::move(Overrides);
		StaticPermutationBaseResource = BaseResource;
		StaticPermutationBaseCompile = BaseResource->GetCompileCount();
	}
	return StaticPermutationResource.get();
}

void UMaterialInstanceConstant::SetScalarParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, float Value)
{
	FindOrAddEntry(ScalarParameterValues, ParameterInfo).ParameterValue = Value;
}

void UMaterialInstanceConstant::SetVectorParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, const FLinearColor& Value)
{
	FindOrAddEntry(VectorParameterValues, ParameterInfo).ParameterValue = Value;
}

void UMaterialInstanceConstant::SetTextureParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, UTexture* Value)
{
	FindOrAddEntry(TextureParameterValues, ParameterInfo).ParameterValue = Value;
	std::erase_if(MissingTexturePaths, [&ParameterInfo](const auto& Entry) { return Entry.first == ParameterInfo; });
}

void UMaterialInstanceConstant::SetStaticSwitchParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, bool Value)
{
	FindOrAddEntry(StaticSwitchParameters, ParameterInfo).Value = Value;
}

UMaterialInstanceDynamic* UMaterialInstanceDynamic::Create(UMaterialInterface* ParentMaterial, UObject* InOuter)
{
	UMaterialInstanceDynamic* const Instance = NewObject<UMaterialInstanceDynamic>(InOuter, {}, RF_Transient);
	if (Instance != nullptr)
	{
		Instance->Parent = ParentMaterial;
	}
	return Instance;
}

void UMaterialInstanceDynamic::SetScalarParameterValue(std::string_view ParameterName, float Value)
{
	FindOrAddEntry(ScalarParameterValues, GlobalInfo(ParameterName)).ParameterValue = Value;
}

void UMaterialInstanceDynamic::SetVectorParameterValue(std::string_view ParameterName, const FLinearColor& Value)
{
	FindOrAddEntry(VectorParameterValues, GlobalInfo(ParameterName)).ParameterValue = Value;
}

void UMaterialInstanceDynamic::SetTextureParameterValue(std::string_view ParameterName, UTexture* Value)
{
	FindOrAddEntry(TextureParameterValues, GlobalInfo(ParameterName)).ParameterValue = Value;
}
