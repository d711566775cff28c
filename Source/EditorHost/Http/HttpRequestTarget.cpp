#include "Http/HttpRequestTarget.h"

#include <optional>

namespace
{
	std::optional<int> HexDigitValue(char Digit)
	{
		if (Digit >= '0' && Digit <= '9')
		{
			return Digit - '0';
		}
		if (Digit >= 'a' && Digit <= 'f')
		{
			return Digit - 'a' + 10;
		}
		if (Digit >= 'A' && Digit <= 'F')
		{
			return Digit - 'A' + 10;
		}
		return std::nullopt;
	}
}

std::string DecodeQueryComponent(std::string_view Text)
{
	std::string Decoded;
	Decoded.reserve(Text.size());
	for (std::size_t Index = 0; Index < Text.size(); ++Index)
	{
		const char Character = Text[Index];
		if (Character == '+')
		{
			Decoded += ' ';
			continue;
		}
		if (Character == '%' && Index + 2 < Text.size())
		{
			const std::optional<int> High = HexDigitValue(Text[Index + 1]);
			const std::optional<int> Low = HexDigitValue(Text[Index + 2]);
			if (High && Low)
			{
				Decoded += static_cast<char>(*High * 16 + *Low);
				Index += 2;
				continue;
			}
		}
		Decoded += Character;
	}
	return Decoded;
}

void ParseRequestTarget(std::string_view Target, FHttpServerRequest& Request)
{
	const std::size_t QueryStart = Target.find('?');
	Request.RelativePath.assign(Target.substr(0, QueryStart));
	Request.QueryParams.clear();
	if (QueryStart == std::string_view::npos)
	{
		return;
	}
	std::string_view Query = Target.substr(QueryStart + 1);
	while (!Query.empty())
	{
		const std::size_t PairEnd = Query.find('&');
		const std::string_view Pair = Query.substr(0, PairEnd);
		Query = PairEnd == std::string_view::npos ? std::string_view{} : Query.substr(PairEnd + 1);
		if (Pair.empty())
		{
			continue;
		}
		const std::size_t Equals = Pair.find('=');
		const std::string_view Key = Pair.substr(0, Equals);
		const std::string_view Value = Equals == std::string_view::npos ? std::string_view{} : Pair.substr(Equals + 1);
		Request.QueryParams.emplace(DecodeQueryComponent(Key), DecodeQueryComponent(Value));
	}
}
