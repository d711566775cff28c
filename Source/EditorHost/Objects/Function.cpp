#include "Objects/Function.h"

#include "Objects/ClassDatabase.h"

#include <algorithm>
#include <array>

namespace
{
	struct FFunctionFlagName
	{
		std::string_view Name;
		EFunctionFlags Flag;
	};

	constexpr std::array FunctionFlagNames = {
		FFunctionFlagName{"Final", FUNC_Final},
		FFunctionFlagName{"BlueprintAuthorityOnly", FUNC_BlueprintAuthorityOnly},
		FFunctionFlagName{"BlueprintCosmetic", FUNC_BlueprintCosmetic},
		FFunctionFlagName{"Net", FUNC_Net},
		FFunctionFlagName{"Exec", FUNC_Exec},
		FFunctionFlagName{"Native", FUNC_Native},
		FFunctionFlagName{"Event", FUNC_Event},
		FFunctionFlagName{"Static", FUNC_Static},
		FFunctionFlagName{"Public", FUNC_Public},
		FFunctionFlagName{"Private", FUNC_Private},
		FFunctionFlagName{"Protected", FUNC_Protected},
		FFunctionFlagName{"HasOutParms", FUNC_HasOutParms},
		FFunctionFlagName{"HasDefaults", FUNC_HasDefaults},
		FFunctionFlagName{"BlueprintCallable", FUNC_BlueprintCallable},
		FFunctionFlagName{"BlueprintEvent", FUNC_BlueprintEvent},
		FFunctionFlagName{"BlueprintPure", FUNC_BlueprintPure},
		FFunctionFlagName{"Const", FUNC_Const},
	};

	const std::string EmptyText;
}

std::optional<EFunctionFlags> ParseFunctionFlag(std::string_view Name)
{
	const auto Found = std::find_if(FunctionFlagNames.begin(), FunctionFlagNames.end(), [Name](const FFunctionFlagName& Entry) { return Entry.Name == Name; });
	if (Found == FunctionFlagNames.end())
	{
		return std::nullopt;
	}
	return Found->Flag;
}

UFunction::UFunction(std::string InName, uint32_t InFlags)
	: Name(std::move(InName))
	, FunctionFlags(InFlags)
{
}

bool UFunction::HasMetaData(std::string_view Key) const
{
	return std::any_of(MetaData.begin(), MetaData.end(), [Key](const auto& Entry) { return Entry.first == Key; });
}

const std::string& UFunction::GetMetaData(std::string_view Key) const
{
	const auto Found = std::find_if(MetaData.begin(), MetaData.end(), [Key](const auto& Entry) { return Entry.first == Key; });
	return Found == MetaData.end() ? EmptyText : Found->second;
}

void UFunction::SetMetaData(std::string Key, std::string Value)
{
	const auto Found = std::find_if(MetaData.begin(), MetaData.end(), [&Key](const auto& Entry) { return Entry.first == Key; });
	if (Found != MetaData.end())
	{
		Found->second = std::move(Value);
		return;
	}
	MetaData.emplace_back(std::move(Key), std::move(Value));
}

const FProperty* UFunction::FindParam(std::string_view ParamName) const
{
	const auto Found = std::find_if(Params.begin(), Params.end(), [ParamName](const FProperty& Param) { return Param.GetName() == ParamName; });
	return Found == Params.end() ? nullptr : &*Found;
}

const FProperty* UFunction::GetReturnProperty() const
{
	const auto Found = std::find_if(Params.begin(), Params.end(), [](const FProperty& Param) { return Param.HasAnyPropertyFlags(CPF_ReturnParm); });
	return Found == Params.end() ? nullptr : &*Found;
}

std::string UFunction::GetParamDefaultValueText(std::string_view ParamName) const
{
	const std::string Key = "CPP_Default_" + std::string(ParamName);
	if (HasMetaData(Key))
	{
		return GetMetaData(Key);
	}
	const FProperty* Param = FindParam(ParamName);
	return Param != nullptr ? Param->GetDefaultValueText() : std::string();
}

void UFunction::SetOwnerClass(UClass* Class)
{
	OwnerClass = Class;
	for (FProperty& Param : Params)
	{
		Param.SetOwnerClass(Class);
	}
}

const UFunction* FindFunctionByName(const UClass* Class, std::string_view FunctionName)
{
	return FClassDatabase::Get().FindFunction(Class, FunctionName);
}
