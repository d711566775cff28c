#pragma once

#include "Objects/Property.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class UClass;

/** Function flags with the editor's values (the ones the class database uses). */
enum EFunctionFlags : uint32_t
{
	FUNC_None = 0x00000000,
	FUNC_Final = 0x00000001,
	FUNC_BlueprintAuthorityOnly = 0x00000004,
	FUNC_BlueprintCosmetic = 0x00000008,
	FUNC_Net = 0x00000040,
	FUNC_Exec = 0x00000200,
	FUNC_Native = 0x00000400,
	FUNC_Event = 0x00000800,
	FUNC_Static = 0x00002000,
	FUNC_Public = 0x00020000,
	FUNC_Private = 0x00040000,
	FUNC_Protected = 0x00080000,
	FUNC_HasOutParms = 0x00400000,
	FUNC_HasDefaults = 0x00800000,
	FUNC_BlueprintCallable = 0x04000000,
	FUNC_BlueprintEvent = 0x08000000,
	FUNC_BlueprintPure = 0x10000000,
	FUNC_Const = 0x40000000,
};

/** The flag of a name as the class database writes it ("Static" for FUNC_Static), or empty. */
std::optional<EFunctionFlags> ParseFunctionFlag(std::string_view Name);

/**
 * An engine function declared by a class: its name ("K2_GetActorLocation"), flags,
 * metadata (DisplayName, Category, Keywords, DefaultToSelf, WorldContext...) and its
 * parameters in declaration order, each a property carrying CPF_Parm (and CPF_OutParm or
 * CPF_ReturnParm). A parameter's default as the editor shows it on the pin is the
 * function's `CPP_Default_<Param>` metadata or, failing that, the parameter's own default.
 */
class UFunction
{
public:
	UFunction(std::string InName, uint32_t InFlags);

	const std::string& GetName() const { return Name; }
	uint32_t GetFunctionFlags() const { return FunctionFlags; }
	bool HasAnyFunctionFlags(uint32_t Mask) const { return (FunctionFlags & Mask) != 0; }

	bool HasMetaData(std::string_view Key) const;
	/** The metadata value, or empty text when the key is absent. */
	const std::string& GetMetaData(std::string_view Key) const;
	void SetMetaData(std::string Key, std::string Value);

	/** Every parameter, the return value included, in declaration order. */
	const std::vector<FProperty>& GetParams() const { return Params; }
	void AddParam(FProperty Param) { Params.push_back(std::move(Param)); }
	const FProperty* FindParam(std::string_view ParamName) const;
	/** The parameter flagged CPF_ReturnParm, or nullptr. */
	const FProperty* GetReturnProperty() const;
	/** The default of a parameter as text: CPP_Default_<Param> metadata, else the parameter's default; empty when neither. */
	std::string GetParamDefaultValueText(std::string_view ParamName) const;

	UClass* GetOwnerClass() const { return OwnerClass; }
	void SetOwnerClass(UClass* Class);

private:
	std::string Name;
	uint32_t FunctionFlags;
	std::vector<std::pair<std::string, std::string>> MetaData;
	std::vector<FProperty> Params;
	UClass* OwnerClass = nullptr;
};

/** The function of that name declared by Class or, failing that, by its nearest super (the process-wide class database). */
const UFunction* FindFunctionByName(const UClass* Class, std::string_view FunctionName);
