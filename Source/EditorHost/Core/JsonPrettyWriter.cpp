#include "Core/JsonObject.h"
#include "Core/JsonScalarWriter.h"
#include "Core/JsonSerializer.h"
#include "Core/JsonValue.h"

namespace
{
	constexpr std::string_view LineEnd = "\r\n";

	/**
	 * The editor's pretty writer. Level is the nesting depth of the container's
	 * contents: members and elements sit Level tabs in, the closing bracket one
	 * tab less.
	 */
	class FPrettyWriter
	{
	public:
		explicit FPrettyWriter(std::string& Out) : Out(Out) {}

		void WriteObject(const FJsonObject& Object, std::size_t Level)
		{
			Out += '{';
			bool bFirst = true;
			for (const auto& [Key, Value] : Object.Values())
			{
				if (!bFirst)
				{
					Out += ',';
				}
				bFirst = false;
				NewLine(Level);
				AppendJsonString(Out, Key);
				Out += ':';
				if (const std::shared_ptr<FJsonObject> Child = Value.TryGetObject())
				{
					NewLine(Level);
					WriteObject(*Child, Level + 1);
				}
				else if (const std::shared_ptr<FJsonValueArray> Array = Value.TryGetArray())
				{
					Out += ' ';
					WriteArray(*Array, Level + 1);
				}
				else
				{
					Out += ' ';
					AppendJsonScalar(Out, Value);
				}
			}
			NewLine(Level - 1);
			Out += '}';
		}

	private:
		void WriteArray(const FJsonValueArray& Array, std::size_t Level)
		{
			Out += '[';
			if (Array.empty())
			{
				Out += ']';
				return;
			}
			bool bFirst = true;
			for (const FJsonValue& Element : Array)
			{
				if (!bFirst)
				{
					Out += ',';
				}
				bFirst = false;
				NewLine(Level);
				WriteElement(Element, Level);
			}
			NewLine(Level - 1);
			Out += ']';
		}

		void WriteElement(const FJsonValue& Element, std::size_t Level)
		{
			if (const std::shared_ptr<FJsonObject> Object = Element.TryGetObject())
			{
				WriteObject(*Object, Level + 1);
			}
			else if (const std::shared_ptr<FJsonValueArray> Array = Element.TryGetArray())
			{
				WriteArray(*Array, Level + 1);
			}
			else
			{
				AppendJsonScalar(Out, Element);
			}
		}

		void NewLine(std::size_t Tabs)
		{
			Out += LineEnd;
			Out.append(Tabs, '\t');
		}

		std::string& Out;
	};
}

void FJsonSerializer::AppendPretty(std::string& Out, const FJsonObject& Object)
{
	FPrettyWriter(Out).WriteObject(Object, 1);
}

std::string FJsonSerializer::SerializePretty(const FJsonObject& Object)
{
	std::string Out;
	// A first guess at the size, so small outputs are written without regrowing.
	Out.reserve(128 + Object.Num() * 64);
	AppendPretty(Out, Object);
	return Out;
}
