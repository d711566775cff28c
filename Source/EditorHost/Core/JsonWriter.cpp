#include "Core/JsonNumberText.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/JsonValue.h"

#include <array>
#include <cmath>

namespace
{
	constexpr std::string_view LineEnd = "\r\n";

	/** For each byte: 0 when it is written as is, 'u' for the \u00XX form, otherwise the letter after the backslash. */
	constexpr std::array<char, 256> MakeEscapeTable()
	{
		std::array<char, 256> Table{};
		for (int Byte = 0; Byte < 0x20; ++Byte)
		{
			Table[Byte] = 'u';
		}
		Table['"'] = '"';
		Table['\\'] = '\\';
		Table['\b'] = 'b';
		Table['\t'] = 't';
		Table['\n'] = 'n';
		Table['\f'] = 'f';
		Table['\r'] = 'r';
		return Table;
	}
	constexpr std::array<char, 256> EscapeTable = MakeEscapeTable();

	/** Writes the text quoted, copying the runs that need no escape in one go. */
	void AppendString(std::string& Out, std::string_view Text)
	{
		constexpr std::string_view HexDigits = "0123456789abcdef";
		Out += '"';
		std::size_t RunStart = 0;
		for (std::size_t Position = 0; Position < Text.size(); ++Position)
		{
			const unsigned char Byte = static_cast<unsigned char>(Text[Position]);
			const char Escape = EscapeTable[Byte];
			if (Escape == 0)
			{
				continue;
			}
			Out.append(Text.data() + RunStart, Position - RunStart);
			RunStart = Position + 1;
			if (Escape == 'u')
			{
				const char Unicode[] = {'\\', 'u', '0', '0', HexDigits[Byte >> 4], HexDigits[Byte & 0xf]};
				Out.append(Unicode, sizeof(Unicode));
			}
			else
			{
				const char Short[] = {'\\', Escape};
				Out.append(Short, sizeof(Short));
			}
		}
		Out.append(Text.data() + RunStart, Text.size() - RunStart);
		Out += '"';
	}

	/** Numbers as "%.17g"; NaN and the infinities have no JSON form and become null. */
	void AppendNumber(std::string& Out, double Number)
	{
		if (!std::isfinite(Number))
		{
			Out += "null";
			return;
		}
		AppendNumberText(Out, Number);
	}

	/** Writes a value that is neither an array nor an object. */
	void AppendScalar(std::string& Out, const FJsonValue& Value)
	{
		switch (Value.Type())
		{
		case EJson::String:
			AppendString(Out, *Value.TryGetString());
			return;
		case EJson::Number:
			AppendNumber(Out, *Value.TryGetNumber());
			return;
		case EJson::Boolean:
			Out += *Value.TryGetBool() ? "true" : "false";
			return;
		case EJson::Null:
		case EJson::Array:
		case EJson::Object:
			break;
		}
		Out += "null";
	}

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
			AppendString(Out, Key);
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
			AppendScalar(Out, Value);
		}
	}

	/** A first guess at the output size, so small outputs are written without regrowing. */
	std::size_t EstimateSize(const FJsonObject& Object)
	{
		return 64 + Object.Num() * 32;
	}

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
				AppendString(Out, Key);
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
					AppendScalar(Out, Value);
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
				AppendScalar(Out, Element);
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

void FJsonSerializer::AppendCondensed(std::string& Out, const FJsonValue& Value)
{
	AppendCondensedValue(Out, Value);
}

void FJsonSerializer::AppendPretty(std::string& Out, const FJsonObject& Object)
{
	FPrettyWriter(Out).WriteObject(Object, 1);
}

std::string FJsonSerializer::SerializeCondensed(const FJsonObject& Object)
{
	std::string Out;
	Out.reserve(EstimateSize(Object));
	AppendCondensedObject(Out, Object);
	return Out;
}

std::string FJsonSerializer::SerializePretty(const FJsonObject& Object)
{
	std::string Out;
	Out.reserve(EstimateSize(Object) * 2);
	AppendPretty(Out, Object);
	return Out;
}
