#include "Objects/PropertyTextScalars.h"

#include "Core/TextHelpers.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/Enum.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
	std::optional<bool> ReadBool(std::string_view Text)
	{
		for (const std::string_view Word : {"True", "Yes", "1"})
		{
			if (Text::EqualsIgnoreCase(Text, Word))
			{
				return true;
			}
		}
		for (const std::string_view Word : {"False", "No", "0"})
		{
			if (Text::EqualsIgnoreCase(Text, Word))
			{
				return false;
			}
		}
		return std::nullopt;
	}

	std::optional<long long> ReadInteger(std::string_view Text)
	{
		if (!Text.empty() && Text.front() == '+')
		{
			Text.remove_prefix(1);
		}
		long long Value = 0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		if (Error != std::errc() || End != Text.data() + Text.size() || Text.empty())
		{
			return std::nullopt;
		}
		return Value;
	}

	/** A finite number in C notation (`1`, `-0.5`, `1e3`, `.5`); nothing for any other text. */
	std::optional<double> ReadReal(std::string_view Text)
	{
		if (Text.empty() || Text.size() > 64 || std::isspace(static_cast<unsigned char>(Text.front())) != 0)
		{
			return std::nullopt;
		}
		const std::string Copy(Text);
		char* End = nullptr;
		const double Value = std::strtod(Copy.c_str(), &End);
		if (End != Copy.c_str() + Copy.size() || !std::isfinite(Value))
		{
			return std::nullopt;
		}
		return Value;
	}

	std::string SixDecimals(double Value)
	{
		char Buffer[512];
		std::snprintf(Buffer, sizeof(Buffer), "%f", Value);
		return Buffer;
	}

	bool IsIdentifier(std::string_view Text)
	{
		if (Text.empty() || std::isdigit(static_cast<unsigned char>(Text.front())) != 0)
		{
			return false;
		}
		for (const char Char : Text)
		{
			if (std::isalnum(static_cast<unsigned char>(Char)) == 0 && Char != '_' && Char != ':')
			{
				return false;
			}
		}
		return true;
	}

	std::string WithoutScope(std::string_view Name)
	{
		const std::size_t Scope = Name.rfind("::");
		return std::string(Scope == std::string_view::npos ? Name : Name.substr(Scope + 2));
	}

	std::optional<std::string> ReadEnumerator(const FPropertyTextType& Type, std::string_view Text)
	{
		if (Type.Enum == nullptr)
		{
			return IsIdentifier(Text) ? std::optional(WithoutScope(Text)) : std::nullopt;
		}
		std::optional<int64_t> Value = Type.Enum->GetValueByNameString(Text);
		if (!Value)
		{
			const std::optional<long long> Number = ReadInteger(Text);
			Value = Number ? std::optional<int64_t>(*Number) : std::nullopt;
		}
		if (!Value)
		{
			return std::nullopt;
		}
		std::string Name = Type.Enum->GetNameStringByValue(*Value);
		return Name.empty() ? std::nullopt : std::optional(std::move(Name));
	}

	/** A name or string: a quoted string with escapes, or unquoted text taken as it is. */
	std::optional<std::string> ReadStringContent(std::string_view Text)
	{
		if (!Text.empty() && Text.front() == '"')
		{
			return UnquoteCopyPasteString(Text);
		}
		return std::string(Text);
	}

	/** A text value's parts, as FTextStringHelper reads them. */
	struct FTextParts
	{
		enum class EKind
		{
			/** FText::FromString: a quoted string, or bare text. */
			Literal,
			Invariant,
			Localized,
			StringTable,
		};
		EKind Kind = EKind::Literal;
		std::string Namespace;
		std::string Key;
		std::string Source;
	};

	std::optional<std::vector<std::string>> StringArguments(const FCopyPasteValue& Call)
	{
		std::vector<std::string> Arguments;
		for (const FCopyPasteValueItem& Item : Call.Items)
		{
			if (Item.Key || Item.Value.Kind != FCopyPasteValue::EKind::String)
			{
				return std::nullopt;
			}
			std::optional<std::string> Content = UnquoteCopyPasteString(Item.Value.Text);
			if (!Content)
			{
				return std::nullopt;
			}
			Arguments.push_back(std::move(*Content));
		}
		return Arguments;
	}

	std::optional<FTextParts> ReadText(std::string_view Text)
	{
		FTextParts Parts;
		if (Text.empty())
		{
			return Parts;
		}
		const FCopyPasteValue Value = ParseCopyPasteValue(Text);
		if (Value.Kind == FCopyPasteValue::EKind::String)
		{
			std::optional<std::string> Content = UnquoteCopyPasteString(Value.Text);
			if (!Content)
			{
				return std::nullopt;
			}
			Parts.Source = std::move(*Content);
			return Parts;
		}
		if (Value.Kind != FCopyPasteValue::EKind::Call)
		{
			if (Text.front() == '"' || Text.front() == '(')
			{
				return std::nullopt;
			}
			Parts.Source = std::string(Text);
			return Parts;
		}
		const std::optional<std::vector<std::string>> Arguments = StringArguments(Value);
		if (!Arguments)
		{
			return std::nullopt;
		}
		const std::size_t Count = Arguments->size();
		if (Value.Text == "NSLOCTEXT" && Count == 3)
		{
			return FTextParts{FTextParts::EKind::Localized, (*Arguments)[0], (*Arguments)[1], (*Arguments)[2]};
		}
		if (Value.Text == "LOCTEXT" && Count == 2)
		{
			return FTextParts{FTextParts::EKind::Localized, std::string(), (*Arguments)[0], (*Arguments)[1]};
		}
		if (Value.Text == "INVTEXT" && Count == 1)
		{
			return FTextParts{FTextParts::EKind::Invariant, std::string(), std::string(), (*Arguments)[0]};
		}
		if (Value.Text == "LOCTABLE" && Count == 2)
		{
			return FTextParts{FTextParts::EKind::StringTable, (*Arguments)[0], (*Arguments)[1], std::string()};
		}
		return std::nullopt;
	}

	std::string WriteText(const FTextParts& Parts)
	{
		switch (Parts.Kind)
		{
		case FTextParts::EKind::Localized:
			return "NSLOCTEXT(" + QuoteCopyPasteString(Parts.Namespace) + ", " + QuoteCopyPasteString(Parts.Key) + ", " + QuoteCopyPasteString(Parts.Source) + ")";
		case FTextParts::EKind::Invariant:
			return "INVTEXT(" + QuoteCopyPasteString(Parts.Source) + ")";
		case FTextParts::EKind::StringTable:
			return "LOCTABLE(" + QuoteCopyPasteString(Parts.Namespace) + ", " + QuoteCopyPasteString(Parts.Key) + ")";
		case FTextParts::EKind::Literal:
			break;
		}
		return QuoteCopyPasteString(Parts.Source);
	}

	bool AreTextsIdentical(const FTextParts& A, const FTextParts& B)
	{
		const bool bAIsPlain = A.Kind == FTextParts::EKind::Literal || A.Kind == FTextParts::EKind::Invariant;
		const bool bBIsPlain = B.Kind == FTextParts::EKind::Literal || B.Kind == FTextParts::EKind::Invariant;
		if (bAIsPlain && bBIsPlain)
		{
			return A.Source == B.Source;
		}
		if (A.Kind == FTextParts::EKind::StringTable || B.Kind == FTextParts::EKind::StringTable)
		{
			return A.Kind == B.Kind && A.Namespace == B.Namespace && A.Key == B.Key;
		}
		if (A.Source.empty() && B.Source.empty())
		{
			return true;
		}
		return A.Kind == B.Kind && A.Namespace == B.Namespace && A.Key == B.Key && A.Source == B.Source;
	}
}

std::optional<std::string> ImportScalarText(const FPropertyTextType& Type, std::string_view Text)
{
	const std::string_view Value = Type.Kind == EPropertyTextKind::String || Type.Kind == EPropertyTextKind::Name ? Text : Text::TrimWhitespace(Text);
	switch (Type.Kind)
	{
	case EPropertyTextKind::Bool:
	{
		const std::optional<bool> Bool = ReadBool(Value);
		return Bool ? std::optional<std::string>(*Bool ? "True" : "False") : std::nullopt;
	}
	case EPropertyTextKind::Integer:
	{
		const std::optional<long long> Integer = ReadInteger(Value);
		return Integer ? std::optional(std::to_string(*Integer)) : std::nullopt;
	}
	case EPropertyTextKind::Float:
	{
		const std::optional<double> Real = ReadReal(Value);
		if (!Real || std::abs(*Real) > 3.4028234663852886e38)
		{
			return std::nullopt;
		}
		return SixDecimals(static_cast<float>(*Real));
	}
	case EPropertyTextKind::Double:
	{
		const std::optional<double> Real = ReadReal(Value);
		return Real ? std::optional(SixDecimals(*Real)) : std::nullopt;
	}
	case EPropertyTextKind::Enum:
		return ReadEnumerator(Type, Value);
	case EPropertyTextKind::Name:
	case EPropertyTextKind::String:
	{
		const std::optional<std::string> Content = ReadStringContent(Value);
		return Content ? std::optional(QuoteCopyPasteString(*Content)) : std::nullopt;
	}
	case EPropertyTextKind::Text:
	{
		const std::optional<FTextParts> Parts = ReadText(Value);
		return Parts ? std::optional(WriteText(*Parts)) : std::nullopt;
	}
	case EPropertyTextKind::Object:
		return Value.empty() ? std::string("None") : std::string(Value);
	case EPropertyTextKind::Struct:
	case EPropertyTextKind::Array:
	case EPropertyTextKind::Other:
		break;
	}
	return std::string(Value);
}

std::string DefaultScalarText(const FPropertyTextType& Type)
{
	switch (Type.Kind)
	{
	case EPropertyTextKind::Bool:
		return "False";
	case EPropertyTextKind::Integer:
		return "0";
	case EPropertyTextKind::Float:
	case EPropertyTextKind::Double:
		return SixDecimals(0.0);
	case EPropertyTextKind::Enum:
		return Type.Enum != nullptr && Type.Enum->NumEnums() > 0 ? WithoutScope(Type.Enum->GetEntries().front().first) : std::string();
	case EPropertyTextKind::Name:
		return "\"None\"";
	case EPropertyTextKind::String:
	case EPropertyTextKind::Text:
		return "\"\"";
	case EPropertyTextKind::Object:
		return "None";
	case EPropertyTextKind::Struct:
	case EPropertyTextKind::Array:
	case EPropertyTextKind::Other:
		break;
	}
	return std::string();
}

bool AreScalarTextsIdentical(const FPropertyTextType& Type, std::string_view A, std::string_view B)
{
	if (Type.Kind == EPropertyTextKind::Text)
	{
		const std::optional<FTextParts> TextA = ReadText(Text::TrimWhitespace(A));
		const std::optional<FTextParts> TextB = ReadText(Text::TrimWhitespace(B));
		return TextA && TextB ? AreTextsIdentical(*TextA, *TextB) : Text::TrimWhitespace(A) == Text::TrimWhitespace(B);
	}
	const std::optional<std::string> ValueA = ImportScalarText(Type, A);
	const std::optional<std::string> ValueB = ImportScalarText(Type, B);
	if (!ValueA || !ValueB)
	{
		return !ValueA && !ValueB && Text::TrimWhitespace(A) == Text::TrimWhitespace(B);
	}
	switch (Type.Kind)
	{
	case EPropertyTextKind::Float:
	case EPropertyTextKind::Double:
		return ReadReal(*ValueA) == ReadReal(*ValueB);
	case EPropertyTextKind::Name:
		return Text::EqualsIgnoreCase(*ValueA, *ValueB) || (Text::EqualsIgnoreCase(*ValueA, "\"None\"") && *ValueB == "\"\"") || (*ValueA == "\"\"" && Text::EqualsIgnoreCase(*ValueB, "\"None\""));
	case EPropertyTextKind::Object:
		return Text::EqualsIgnoreCase(ReferencedObjectPath(*ValueA), ReferencedObjectPath(*ValueB));
	default:
		break;
	}
	return *ValueA == *ValueB;
}

std::string UndelimitScalarText(const FPropertyTextType& Type, std::string_view CanonicalText)
{
	if (Type.Kind == EPropertyTextKind::Name || Type.Kind == EPropertyTextKind::String)
	{
		if (std::optional<std::string> Content = UnquoteCopyPasteString(CanonicalText))
		{
			return *Content;
		}
	}
	return std::string(CanonicalText);
}
