#include "Core/JsonNegativeZeros.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/JsonValue.h"

#include <simdjson.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace
{
	/**
	 * Turns simdjson's document into our values. It recurses once per nesting
	 * level, which the parser has already capped (simdjson::DEFAULT_MAX_DEPTH,
	 * 1024), so the stack stays small.
	 */
	class FDocumentConverter
	{
	public:
		explicit FDocumentConverter(std::string_view Text) : Text(Text) {}

		FJsonValue Convert(simdjson::dom::element Element)
		{
			switch (Element.type())
			{
			case simdjson::dom::element_type::ARRAY:
				return ConvertArray(Element.get_array().value_unsafe());
			case simdjson::dom::element_type::OBJECT:
				return FJsonValue(ConvertObject(Element.get_object().value_unsafe()));
			case simdjson::dom::element_type::INT64:
				return ConvertInteger(Element.get_int64().value_unsafe());
			case simdjson::dom::element_type::UINT64:
				return FJsonValue(static_cast<double>(Element.get_uint64().value_unsafe()));
			case simdjson::dom::element_type::DOUBLE:
				return FJsonValue(Element.get_double().value_unsafe());
			case simdjson::dom::element_type::STRING:
				return FJsonValue(Element.get_string().value_unsafe());
			case simdjson::dom::element_type::BOOL:
				return FJsonValue(Element.get_bool().value_unsafe());
			case simdjson::dom::element_type::NULL_VALUE:
				break;
			}
			return FJsonValue();
		}

		std::shared_ptr<FJsonObject> ConvertObject(simdjson::dom::object Source)
		{
			auto Object = std::make_shared<FJsonObject>();
			Object->Reserve(Source.size());
			for (const simdjson::dom::key_value_pair Member : Source)
			{
				Object->SetField(Member.key, Convert(Member.value));
			}
			return Object;
		}

	private:
		FJsonValue ConvertArray(simdjson::dom::array Source)
		{
			auto Array = std::make_shared<FJsonValueArray>();
			Array->reserve(Source.size());
			for (const simdjson::dom::element Element : Source)
			{
				Array->push_back(Convert(Element));
			}
			return FJsonValue(std::move(Array));
		}

		FJsonValue ConvertInteger(int64_t Integer)
		{
			if (Integer != 0)
			{
				return FJsonValue(static_cast<double>(Integer));
			}
			// The text is only searched once a zero turns up, and at most once.
			if (!NegativeZeros)
			{
				NegativeZeros = FindNegativeZeros(Text);
			}
			const std::size_t ZeroOrdinal = NextZeroOrdinal++;
			const bool bNegative = NextNegativeZero < NegativeZeros->size() && (*NegativeZeros)[NextNegativeZero] == ZeroOrdinal;
			NextNegativeZero += bNegative ? 1 : 0;
			return FJsonValue(bNegative ? -0.0 : 0.0);
		}

		std::string_view Text;
		std::optional<std::vector<std::size_t>> NegativeZeros;
		std::size_t NextNegativeZero = 0;
		std::size_t NextZeroOrdinal = 0;
	};

	/**
	 * Parses with this thread's reusable parser. The text is copied into a
	 * reusable buffer that carries the padding simdjson reads past the end.
	 * The element lives until this thread's next parse.
	 */
	std::optional<simdjson::dom::element> Parse(std::string_view Text)
	{
		thread_local simdjson::dom::parser Parser;
		thread_local std::string Padded;
		Padded.resize(Text.size() + simdjson::SIMDJSON_PADDING);
		std::copy(Text.begin(), Text.end(), Padded.begin());
		simdjson::dom::element Root;
		if (Parser.parse(Padded.data(), Text.size(), false).get(Root) != simdjson::SUCCESS)
		{
			return std::nullopt;
		}
		return Root;
	}
}

std::optional<FJsonValue> FJsonSerializer::Deserialize(std::string_view Text)
{
	const std::optional<simdjson::dom::element> Root = Parse(Text);
	if (!Root)
	{
		return std::nullopt;
	}
	return FDocumentConverter(Text).Convert(*Root);
}

std::shared_ptr<FJsonObject> FJsonSerializer::DeserializeObject(std::string_view Text)
{
	const std::optional<simdjson::dom::element> Root = Parse(Text);
	if (!Root || !Root->is_object())
	{
		return nullptr;
	}
	return FDocumentConverter(Text).ConvertObject(Root->get_object().value_unsafe());
}
