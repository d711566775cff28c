#include "Objects/ScriptFunctionReflection.h"

#include "Objects/ScriptNames.h"

#include <algorithm>
#include <charconv>

namespace
{
	std::string_view GetCPPType(EScriptValueType Type)
	{
		switch (Type)
		{
		case EScriptValueType::Bool:
			return "bool";
		case EScriptValueType::Int:
			return "int64";
		case EScriptValueType::Float:
			return "double";
		case EScriptValueType::String:
			return "FString";
		case EScriptValueType::StringArray:
			return "TArray<FString>";
		}
		return "FString";
	}

	bool IsPassedByReference(EScriptValueType Type)
	{
		return Type == EScriptValueType::String || Type == EScriptValueType::StringArray;
	}

	/** A default as the editor writes it into CPP_Default_ metadata; none for arrays, which have no pin default. */
	std::optional<std::string> GetDefaultText(const FScriptValue& Value)
	{
		if (const bool* Bool = std::get_if<bool>(&Value))
		{
			return std::string(*Bool ? "true" : "false");
		}
		if (const int64_t* Int = std::get_if<int64_t>(&Value))
		{
			return std::to_string(*Int);
		}
		if (const double* Float = std::get_if<double>(&Value))
		{
			char Buffer[32];
			const auto Result = std::to_chars(Buffer, Buffer + sizeof(Buffer), *Float);
			return std::string(Buffer, Result.ptr);
		}
		if (const std::string* String = std::get_if<std::string>(&Value))
		{
			return *String;
		}
		return std::nullopt;
	}

	bool HasType(const FScriptValue& Value, EScriptValueType Type)
	{
		// The value alternatives are declared in the order of the types.
		return Value.index() == static_cast<std::size_t>(Type);
	}
}

UFunction MakeScriptFunctionReflection(const FScriptFunction& Function)
{
	const bool bHasDefaults = std::any_of(Function.Params.begin(), Function.Params.end(), [](const FScriptParam& Param) { return Param.Default.has_value(); });
	const bool bHasOutParms = std::any_of(Function.Params.begin(), Function.Params.end(), [](const FScriptParam& Param) { return IsPassedByReference(Param.Type); });
	uint32_t Flags = FUNC_Static | FUNC_BlueprintCallable | FUNC_Public | FUNC_Native | FUNC_Final;
	Flags |= bHasDefaults ? FUNC_HasDefaults : FUNC_None;
	Flags |= bHasOutParms ? FUNC_HasOutParms : FUNC_None;

	UFunction Reflected(Function.Name, Flags);
	Reflected.SetMetaData("Category", Function.Category);
	if (!Function.ToolTip.empty())
	{
		Reflected.SetMetaData("ToolTip", Function.ToolTip);
	}
	for (const FScriptParam& Param : Function.Params)
	{
		// A const reference is an out parameter that the function may not write, as the engine flags it.
		const uint64_t ParamFlags = IsPassedByReference(Param.Type) ? (CPF_Parm | CPF_OutParm | CPF_ConstParm | CPF_ReferenceParm) : (CPF_Parm | CPF_ZeroConstructor | CPF_IsPlainOldData);
		Reflected.AddParam(FProperty(Param.Name, std::string(GetCPPType(Param.Type)), ParamFlags));
		if (Param.Default)
		{
			if (std::optional<std::string> DefaultText = GetDefaultText(*Param.Default))
			{
				Reflected.SetMetaData("CPP_Default_" + Param.Name, std::move(*DefaultText));
			}
		}
	}
	Reflected.AddParam(FProperty("ReturnValue", std::string(GetCPPType(Function.ReturnType)), CPF_Parm | CPF_OutParm | CPF_ReturnParm));
	return Reflected;
}

std::optional<std::string> FindScriptFunctionsFault(const std::vector<FScriptFunction>& Functions)
{
	std::vector<std::string> FunctionNames;
	for (const FScriptFunction& Function : Functions)
	{
		if (Function.Name.empty())
		{
			return std::string("a function has no name");
		}
		if (!Function.Invoke)
		{
			return "function " + Function.Name + " has no code to call";
		}
		std::string ScriptName = ToScriptName(Function.Name);
		if (std::find(FunctionNames.begin(), FunctionNames.end(), ScriptName) != FunctionNames.end())
		{
			return "two functions are named " + ScriptName + " in scripts";
		}
		FunctionNames.push_back(std::move(ScriptName));

		std::vector<std::string> ParamNames;
		bool bDefaultSeen = false;
		for (const FScriptParam& Param : Function.Params)
		{
			std::string ParamName = ToScriptParamName(Param);
			if (Param.Name.empty() || Param.Name == "ReturnValue")
			{
				return "function " + Function.Name + " has a parameter without a name of its own";
			}
			if (std::find(ParamNames.begin(), ParamNames.end(), ParamName) != ParamNames.end())
			{
				return "function " + Function.Name + " has two parameters named " + ParamName + " in scripts";
			}
			if (Param.Default && !HasType(*Param.Default, Param.Type))
			{
				return "the default of " + Function.Name + "'s parameter " + Param.Name + " is not of type " + std::string(GetScriptTypeName(Param.Type));
			}
			if (bDefaultSeen && !Param.Default)
			{
				return "function " + Function.Name + "'s required parameter " + Param.Name + " follows a parameter with a default";
			}
			bDefaultSeen = bDefaultSeen || Param.Default.has_value();
			ParamNames.push_back(std::move(ParamName));
		}
	}
	return std::nullopt;
}
