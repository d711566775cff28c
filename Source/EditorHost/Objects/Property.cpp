#include "Objects/Property.h"

#include <algorithm>
#include <array>

namespace
{
	struct FFlagName
	{
		std::string_view Name;
		EPropertyFlags Flag;
	};

	constexpr std::array PropertyFlagNames{
		FFlagName{"Edit", CPF_Edit},
		FFlagName{"ConstParm", CPF_ConstParm},
		FFlagName{"BlueprintVisible", CPF_BlueprintVisible},
		FFlagName{"ExportObject", CPF_ExportObject},
		FFlagName{"BlueprintReadOnly", CPF_BlueprintReadOnly},
		FFlagName{"Net", CPF_Net},
		FFlagName{"EditFixedSize", CPF_EditFixedSize},
		FFlagName{"Parm", CPF_Parm},
		FFlagName{"OutParm", CPF_OutParm},
		FFlagName{"ZeroConstructor", CPF_ZeroConstructor},
		FFlagName{"ReturnParm", CPF_ReturnParm},
		FFlagName{"DisableEditOnTemplate", CPF_DisableEditOnTemplate},
		FFlagName{"NonNullable", CPF_NonNullable},
		FFlagName{"Transient", CPF_Transient},
		FFlagName{"Config", CPF_Config},
		FFlagName{"RequiredParm", CPF_RequiredParm},
		FFlagName{"DisableEditOnInstance", CPF_DisableEditOnInstance},
		FFlagName{"EditConst", CPF_EditConst},
		FFlagName{"GlobalConfig", CPF_GlobalConfig},
		FFlagName{"InstancedReference", CPF_InstancedReference},
		FFlagName{"DuplicateTransient", CPF_DuplicateTransient},
		FFlagName{"SaveGame", CPF_SaveGame},
		FFlagName{"NoClear", CPF_NoClear},
		FFlagName{"ReferenceParm", CPF_ReferenceParm},
		FFlagName{"BlueprintAssignable", CPF_BlueprintAssignable},
		FFlagName{"Deprecated", CPF_Deprecated},
		FFlagName{"IsPlainOldData", CPF_IsPlainOldData},
		FFlagName{"RepSkip", CPF_RepSkip},
		FFlagName{"RepNotify", CPF_RepNotify},
		FFlagName{"Interp", CPF_Interp},
		FFlagName{"NonTransactional", CPF_NonTransactional},
		FFlagName{"EditorOnly", CPF_EditorOnly},
		FFlagName{"NoDestructor", CPF_NoDestructor},
		FFlagName{"AutoWeak", CPF_AutoWeak},
		FFlagName{"ContainsInstancedReference", CPF_ContainsInstancedReference},
		FFlagName{"AssetRegistrySearchable", CPF_AssetRegistrySearchable},
		FFlagName{"SimpleDisplay", CPF_SimpleDisplay},
		FFlagName{"AdvancedDisplay", CPF_AdvancedDisplay},
		FFlagName{"Protected", CPF_Protected},
		FFlagName{"BlueprintCallable", CPF_BlueprintCallable},
		FFlagName{"BlueprintAuthorityOnly", CPF_BlueprintAuthorityOnly},
		FFlagName{"TextExportTransient", CPF_TextExportTransient},
		FFlagName{"NonPIEDuplicateTransient", CPF_NonPIEDuplicateTransient},
		FFlagName{"ExposeOnSpawn", CPF_ExposeOnSpawn},
		FFlagName{"PersistentInstance", CPF_PersistentInstance},
		FFlagName{"UObjectWrapper", CPF_UObjectWrapper},
		FFlagName{"HasGetValueTypeHash", CPF_HasGetValueTypeHash},
		FFlagName{"NativeAccessSpecifierPublic", CPF_NativeAccessSpecifierPublic},
		FFlagName{"NativeAccessSpecifierProtected", CPF_NativeAccessSpecifierProtected},
		FFlagName{"NativeAccessSpecifierPrivate", CPF_NativeAccessSpecifierPrivate},
		FFlagName{"SkipSerialization", CPF_SkipSerialization},
	};
}

std::optional<EPropertyFlags> ParsePropertyFlag(std::string_view Name)
{
	const auto Found = std::find_if(PropertyFlagNames.begin(), PropertyFlagNames.end(), [Name](const FFlagName& Entry) { return Entry.Name == Name; });
	if (Found == PropertyFlagNames.end())
	{
		return std::nullopt;
	}
	return Found->Flag;
}

std::vector<std::string_view> GetPropertyFlagNames(uint64_t Flags)
{
	std::vector<std::string_view> Names;
	for (const FFlagName& Entry : PropertyFlagNames)
	{
		if ((Flags & Entry.Flag) != 0)
		{
			Names.push_back(Entry.Name);
		}
	}
	return Names;
}

FProperty::FProperty(std::string InName, std::string InCPPType, uint64_t InFlags)
	: Name(std::move(InName))
	, CPPType(std::move(InCPPType))
	, PropertyFlags(InFlags)
{
}

bool FProperty::HasMetaData(std::string_view Key) const
{
	return std::any_of(MetaData.begin(), MetaData.end(), [Key](const auto& Entry) { return Entry.first == Key; });
}

const std::string& FProperty::GetMetaData(std::string_view Key) const
{
	static const std::string Empty;
	const auto Found = std::find_if(MetaData.begin(), MetaData.end(), [Key](const auto& Entry) { return Entry.first == Key; });
	return Found == MetaData.end() ? Empty : Found->second;
}

void FProperty::SetMetaData(std::string Key, std::string Value)
{
	const auto Found = std::find_if(MetaData.begin(), MetaData.end(), [&Key](const auto& Entry) { return Entry.first == Key; });
	if (Found != MetaData.end())
	{
		Found->second = std::move(Value);
		return;
	}
	MetaData.emplace_back(std::move(Key), std::move(Value));
}
