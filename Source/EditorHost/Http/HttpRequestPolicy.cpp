#include "Http/HttpRequestPolicy.h"

#include "Core/Text.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <string>

namespace
{
	constexpr std::size_t MaxPortDigits = 5;

	bool IsPortSuffix(std::string_view Suffix)
	{
		if (Suffix.empty())
		{
			return true;
		}
		const std::string_view Digits = Suffix.substr(1);
		return Suffix.front() == ':' && Digits.size() <= MaxPortDigits
			&& std::all_of(Digits.begin(), Digits.end(), [](char Character) { return Character >= '0' && Character <= '9'; });
	}

	/** The host part of "host[:port]" or "[v6]:port", brackets kept; nothing when malformed. */
	std::optional<std::string_view> HostWithoutPort(std::string_view Authority)
	{
		std::size_t HostEnd = 0;
		if (Authority.starts_with('['))
		{
			const std::size_t Close = Authority.find(']');
			if (Close == std::string_view::npos)
			{
				return std::nullopt;
			}
			HostEnd = Close + 1;
		}
		else
		{
			HostEnd = std::min(Authority.find(':'), Authority.size());
		}
		if (HostEnd == 0 || !IsPortSuffix(Authority.substr(HostEnd)))
		{
			return std::nullopt;
		}
		return Authority.substr(0, HostEnd);
	}

	bool IsLoopbackAddress(std::string_view Name)
	{
		if (Name.starts_with('[') && Name.ends_with(']'))
		{
			const std::string Inner(Name.substr(1, Name.size() - 2));
			in6_addr Address{};
			return inet_pton(AF_INET6, Inner.c_str(), &Address) == 1 && IN6_IS_ADDR_LOOPBACK(&Address);
		}
		const std::string Text(Name);
		in_addr Address{};
		return inet_pton(AF_INET, Text.c_str(), &Address) == 1 && (ntohl(Address.s_addr) >> 24) == 127;
	}

	bool IsBindAddress(std::string_view Name, std::string_view BindAddress)
	{
		if (BindAddress.empty())
		{
			return false;
		}
		if (Name.starts_with('[') && Name.ends_with(']'))
		{
			Name = Name.substr(1, Name.size() - 2);
		}
		return Text::EqualsIgnoreCase(Name, BindAddress);
	}

	bool IsLoopbackName(std::string_view Name, std::string_view BindAddress)
	{
		return Text::EqualsIgnoreCase(Name, "localhost") || IsLoopbackAddress(Name) || IsBindAddress(Name, BindAddress);
	}
}

bool IsLoopbackHost(std::string_view Host, std::string_view BindAddress)
{
	const std::optional<std::string_view> Name = HostWithoutPort(Host);
	return Name && IsLoopbackName(*Name, BindAddress);
}

bool IsLoopbackOrigin(std::string_view Origin, std::string_view BindAddress)
{
	for (const std::string_view Scheme : {std::string_view("http://"), std::string_view("https://")})
	{
		if (Text::StartsWithIgnoreCase(Origin, Scheme))
		{
			return IsLoopbackHost(Origin.substr(Scheme.size()), BindAddress);
		}
	}
	return false;
}

std::optional<EHttpServerResponseCodes> CheckRequestAllowed(
	const FHttpServerRequest& Request, const FHttpServerSettings& Settings, bool bHostRequired)
{
	const auto Host = Request.Headers.find("host");
	if (Host == Request.Headers.end() ? bHostRequired : !IsLoopbackHost(Host->second, Settings.BindAddress))
	{
		return EHttpServerResponseCodes::Forbidden;
	}
	const auto Origin = Request.Headers.find("origin");
	if (Origin != Request.Headers.end() && !IsLoopbackOrigin(Origin->second, Settings.BindAddress))
	{
		return EHttpServerResponseCodes::Forbidden;
	}
	if (Request.Body.size() > Settings.MaxBodyBytes)
	{
		return EHttpServerResponseCodes::PayloadTooLarge;
	}
	return std::nullopt;
}
