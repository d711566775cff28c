#include "Core/JsonObject.h"
#include "Core/JsonScalarWriter.h"
#include "Core/JsonSerializer.h"
#include "Core/JsonValue.h"

namespace
{
	void AppendCondensedValue(std::string& Out, const FJsonValue& Value);

	void AppendCondensedObject(std::string& Out, const FJsonObject& Object)
	{
		Out += '{';
		bool bFirst = true;
		for (const auto& [Key, Member] : Object.Values())
		{
			if (!bFirst)
			{
				Out += ',';
			}
			bFirst = false;
			AppendJsonString(Out, Key);
			Out += ':';
			AppendCondensedValue(Out, Member);
		}
		Out += '}';
	}

	void AppendCondensedArray(std::string& Out, const FJsonValueArray& Array)
	{
		Out += '[';
		bool bFirst = true;
		for (const FJsonValue& Element : Array)
		{
			if (!bFirst)
			{
				Out += ',';
			}
			bFirst = false;
			AppendCondensedValue(Out, Element);
		}
		Out += ']';
	}

	void AppendCondensedValue(std::string& Out, const FJsonValue& Value)
	{
		if (const std::shared_ptr<FJsonObject> Object = Value.TryGetObject())
		{
			AppendCondensedObject(Out, *Object);
		}
		else if (const std::shared_ptr<FJsonValueArray> Array = Value.TryGetArray())
		{
			AppendCondensedArray(Out, *Array);
		}
		else
		{
			AppendJsonScalar(Out, Value);
		}
	}
}

void FJsonSerializer::AppendCondensed(std::string& Out, const FJsonValue& Value)
{
	AppendCondensedValue(Out, Value);
}

std::string FJsonSerializer::SerializeCondensed(const FJsonObject& Object)
{
	std::string Out;
	// A first guess at the size, so small outputs are written without regrowing.
	Out.reserve(64 + Object.Num() * 32);
	AppendCondensedObject(Out, Object);
	return Out;
}
