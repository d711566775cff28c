#include "Animation/AnimFieldReader.h"

#include "Core/LogHost.h"
#include "Objects/Class.h"

bool FAnimFieldReader::Fail(std::string Reason)
{
	if (OutError.empty())
	{
		OutError = std::move(Reason);
	}
	return false;
}

const FJsonValue* FAnimFieldReader::Typed(std::string_view Key, EJson Type, std::string_view TypeName)
{
	const FJsonValue* Value = Object.TryGetField(Key);
	if (Value == nullptr || Value->Type() == Type)
	{
		return Value;
	}
	Fail("field '" + std::string(Key) + "' is not " + std::string(TypeName));
	return nullptr;
}

double FAnimFieldReader::Number(std::string_view Key, double Default)
{
	const FJsonValue* Value = Typed(Key, EJson::Number, "a number");
	return Value != nullptr ? *Value->TryGetNumber() : Default;
}

int32_t FAnimFieldReader::Int(std::string_view Key, int32_t Default)
{
	const FJsonValue* Value = Typed(Key, EJson::Number, "a number");
	return Value != nullptr ? Value->TryGetInt32().value_or(Default) : Default;
}

bool FAnimFieldReader::Bool(std::string_view Key, bool bDefault)
{
	const FJsonValue* Value = Typed(Key, EJson::Boolean, "a boolean");
	return Value != nullptr ? *Value->TryGetBool() : bDefault;
}

std::string FAnimFieldReader::String(std::string_view Key, std::string_view Default)
{
	const FJsonValue* Value = Typed(Key, EJson::String, "a string");
	return Value != nullptr ? *Value->TryGetString() : std::string(Default);
}

std::vector<std::shared_ptr<FJsonObject>> FAnimFieldReader::Objects(std::string_view Key)
{
	std::vector<std::shared_ptr<FJsonObject>> Result;
	const FJsonValue* Value = Typed(Key, EJson::Array, "an array");
	if (Value == nullptr)
	{
		return Result;
	}
	for (const FJsonValue& Element : *Value->TryGetArray())
	{
		std::shared_ptr<FJsonObject> Entry = Element.TryGetObject();
		if (!Entry)
		{
			Fail("field '" + std::string(Key) + "' holds an element that is not an object");
			return {};
		}
		Result.push_back(std::move(Entry));
	}
	return Result;
}

std::shared_ptr<FJsonObject> FAnimFieldReader::Nested(std::string_view Key)
{
	const FJsonValue* Value = Typed(Key, EJson::Object, "an object");
	return Value != nullptr ? Value->TryGetObject() : nullptr;
}

UObject* FAnimFieldReader::LoadReferencedAsset(std::string_view Key, UClass* Class)
{
	const std::string Path = String(Key);
	if (Path.empty())
	{
		return nullptr;
	}
	UObject* Asset = StaticLoadObject(Class, Path);
	if (Asset == nullptr)
	{
		UE_LOG(LogHost, Warning, "Field '%.*s' names %s, which is not a loadable %s; the reference stays empty",
			static_cast<int>(Key.size()), Key.data(), Path.c_str(), Class->GetName().c_str());
	}
	return Asset;
}
