#include "Core/Text.h"

#include <charconv>

namespace
{
	/** The argument index of a "{N}" at Offset (N decimal digits) and the length of the whole "{N}". */
	struct FArgumentReference
	{
		std::size_t Index = 0;
		std::size_t Length = 0;
	};

	std::optional<FArgumentReference> ReadArgumentReference(std::string_view Pattern, std::size_t Offset)
	{
		const std::size_t Close = Pattern.find('}', Offset + 1);
		if (Close == std::string_view::npos || Close == Offset + 1)
		{
			return std::nullopt;
		}
		const std::string_view Digits = Pattern.substr(Offset + 1, Close - Offset - 1);
		FArgumentReference Reference;
		const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Reference.Index);
		if (Error != std::errc{} || End != Digits.data() + Digits.size())
		{
			return std::nullopt;
		}
		Reference.Length = Close - Offset + 1;
		return Reference;
	}
}

FText FText::FromString(std::string String)
{
	FText Result;
	Result.DisplayString = std::move(String);
	return Result;
}

FText FText::Localized(std::string_view Namespace, std::string_view Key, std::string_view SourceString)
{
	FText Result;
	Result.Namespace = Namespace;
	Result.Key = Key;
	Result.SourceString = SourceString;
	Result.DisplayString = SourceString;
	return Result;
}

FText FText::Format(const FText& Pattern, const std::vector<FText>& Arguments)
{
	const std::string_view Source = Pattern.ToString();
	std::string Formatted;
	Formatted.reserve(Source.size());
	std::size_t Offset = 0;
	while (Offset < Source.size())
	{
		const std::size_t Open = Source.find('{', Offset);
		if (Open == std::string_view::npos)
		{
			Formatted.append(Source.substr(Offset));
			break;
		}
		Formatted.append(Source.substr(Offset, Open - Offset));
		const std::optional<FArgumentReference> Reference = ReadArgumentReference(Source, Open);
		if (Reference && Reference->Index < Arguments.size())
		{
			Formatted.append(Arguments[Reference->Index].ToString());
			Offset = Open + Reference->Length;
		}
		else if (Reference)
		{
			Formatted.append(Source.substr(Open, Reference->Length));
			Offset = Open + Reference->Length;
		}
		else
		{
			Formatted.push_back('{');
			Offset = Open + 1;
		}
	}
	return FromString(std::move(Formatted));
}
