#include "Support/TestHttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace
{
	using FClock = std::chrono::steady_clock;

	std::string ToLower(std::string_view Text)
	{
		std::string Lower(Text);
		std::transform(Lower.begin(), Lower.end(), Lower.begin(),
			[](char Character) { return Character >= 'A' && Character <= 'Z' ? static_cast<char>(Character - 'A' + 'a') : Character; });
		return Lower;
	}

	std::string_view Trim(std::string_view Text)
	{
		while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
		{
			Text.remove_prefix(1);
		}
		while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t'))
		{
			Text.remove_suffix(1);
		}
		return Text;
	}

	bool HasHeader(const FTestHttpHeaders& Headers, std::string_view LowerName)
	{
		return std::any_of(Headers.begin(), Headers.end(), [LowerName](const auto& Header) { return ToLower(Header.first) == LowerName; });
	}

	template <typename FNumber>
	std::optional<FNumber> ParseNumber(std::string_view Text, int Base = 10)
	{
		FNumber Value{};
		const auto Result = std::from_chars(Text.data(), Text.data() + Text.size(), Value, Base);
		return Result.ec == std::errc() && Result.ptr == Text.data() + Text.size() ? std::optional<FNumber>(Value) : std::nullopt;
	}
}

std::optional<std::string> FTestHttpResponse::Header(std::string_view LowerName) const
{
	const auto Found = Headers.find(LowerName);
	return Found == Headers.end() ? std::nullopt : std::optional<std::string>(Found->second);
}

FTestHttpClient::FTestHttpClient(uint16_t InPort, std::chrono::milliseconds InTimeout)
	: Port(InPort), Timeout(InTimeout)
{
}

FTestHttpClient::~FTestHttpClient()
{
	Disconnect();
}

bool FTestHttpClient::Connect()
{
	Disconnect();
	Socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (Socket < 0)
	{
		return false;
	}
	const int NoDelay = 1;
	::setsockopt(Socket, IPPROTO_TCP, TCP_NODELAY, &NoDelay, sizeof(NoDelay));
	sockaddr_in Address{};
	Address.sin_family = AF_INET;
	Address.sin_port = htons(Port);
	Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	if (::connect(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) != 0)
	{
		Disconnect();
		return false;
	}
	return true;
}

void FTestHttpClient::Disconnect()
{
	if (Socket >= 0)
	{
		::close(Socket);
	}
	Socket = -1;
	bServerClosed = false;
	Buffer.clear();
}

std::optional<FTestHttpResponse> FTestHttpClient::Request(
	std::string_view Method, std::string_view Path, std::string_view Body, const FTestHttpHeaders& ExtraHeaders)
{
	std::string Bytes;
	Bytes.append(Method).append(" ").append(Path).append(" HTTP/1.1\r\n");
	if (!HasHeader(ExtraHeaders, "host"))
	{
		Bytes.append("Host: 127.0.0.1:").append(std::to_string(Port)).append("\r\n");
	}
	for (const auto& [Name, Value] : ExtraHeaders)
	{
		Bytes.append(Name).append(": ").append(Value).append("\r\n");
	}
	const bool bSendsBody = !Body.empty() || Method == "POST" || Method == "PUT" || Method == "PATCH";
	if (bSendsBody && !HasHeader(ExtraHeaders, "content-length") && !HasHeader(ExtraHeaders, "transfer-encoding"))
	{
		Bytes.append("Content-Length: ").append(std::to_string(Body.size())).append("\r\n");
	}
	Bytes.append("\r\n").append(Body);
	if (!SendRaw(Bytes))
	{
		return std::nullopt;
	}
	std::optional<FTestHttpResponse> Response = ReadResponse(Method == "HEAD");
	while (Response && Response->Status < 200)
	{
		Response = ReadResponse(Method == "HEAD");
	}
	return Response;
}

bool FTestHttpClient::SendRaw(std::string_view Bytes)
{
	if (!IsConnected() && !Connect())
	{
		return false;
	}
	while (!Bytes.empty())
	{
		const ssize_t Sent = ::send(Socket, Bytes.data(), Bytes.size(), MSG_NOSIGNAL);
		if (Sent < 0 && errno == EINTR)
		{
			continue;
		}
		if (Sent <= 0)
		{
			return false;
		}
		Bytes.remove_prefix(static_cast<std::size_t>(Sent));
	}
	return true;
}

std::optional<FTestHttpResponse> FTestHttpClient::ReadResponse(bool bHeadRequest)
{
	const FClock::time_point Deadline = FClock::now() + Timeout;
	const std::optional<std::string> StatusLine = ReadLine(Deadline);
	// "HTTP/1.1 200 OK"
	if (!StatusLine || StatusLine->size() < 12 || !StatusLine->starts_with("HTTP/1."))
	{
		return std::nullopt;
	}
	const std::optional<int> Status = ParseNumber<int>(std::string_view(*StatusLine).substr(9, 3));
	if (!Status)
	{
		return std::nullopt;
	}
	FTestHttpResponse Response;
	Response.Status = *Status;
	Response.Reason = StatusLine->size() > 13 ? StatusLine->substr(13) : std::string();
	for (;;)
	{
		const std::optional<std::string> Line = ReadLine(Deadline);
		if (!Line)
		{
			return std::nullopt;
		}
		if (Line->empty())
		{
			break;
		}
		const std::size_t Colon = Line->find(':');
		if (Colon == std::string::npos)
		{
			return std::nullopt;
		}
		const std::string Name = ToLower(std::string_view(*Line).substr(0, Colon));
		const std::string_view Value = Trim(std::string_view(*Line).substr(Colon + 1));
		const auto [Found, bInserted] = Response.Headers.try_emplace(Name, Value);
		if (!bInserted)
		{
			Found->second.append(", ").append(Value);
		}
	}

	if (bHeadRequest || Response.Status < 200 || Response.Status == 204 || Response.Status == 304)
	{
		return Response;
	}
	if (const std::optional<std::string> Encoding = Response.Header("transfer-encoding"); Encoding && ToLower(*Encoding) == "chunked")
	{
		return ReadChunkedBody(Response.Body, Deadline) ? std::optional(Response) : std::nullopt;
	}
	if (const std::optional<std::string> Length = Response.Header("content-length"))
	{
		const std::optional<std::size_t> Count = ParseNumber<std::size_t>(*Length);
		return Count && ReadExactly(*Count, Response.Body, Deadline) ? std::optional(Response) : std::nullopt;
	}
	// No framing: the body runs to the end of the connection.
	while (ReceiveMore(Deadline))
	{
	}
	if (!bServerClosed)
	{
		return std::nullopt;
	}
	Response.Body = std::move(Buffer);
	Buffer.clear();
	return Response;
}

bool FTestHttpClient::WaitForServerClose(std::chrono::milliseconds Wait)
{
	const FClock::time_point Deadline = FClock::now() + Wait;
	while (!bServerClosed && IsConnected() && ReceiveMore(Deadline))
	{
	}
	return bServerClosed;
}

bool FTestHttpClient::ReceiveMore(FClock::time_point Deadline)
{
	if (!IsConnected() || bServerClosed)
	{
		return false;
	}
	for (;;)
	{
		const auto Remaining = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - FClock::now());
		if (Remaining.count() < 0)
		{
			return false;
		}
		pollfd Poll{Socket, POLLIN, 0};
		const int Ready = ::poll(&Poll, 1, static_cast<int>(Remaining.count()));
		if (Ready < 0 && errno == EINTR)
		{
			continue;
		}
		if (Ready <= 0)
		{
			return false;
		}
		char Chunk[16 * 1024];
		const ssize_t Received = ::recv(Socket, Chunk, sizeof(Chunk), 0);
		if (Received < 0 && errno == EINTR)
		{
			continue;
		}
		if (Received <= 0)
		{
			bServerClosed = true;
			return false;
		}
		Buffer.append(Chunk, static_cast<std::size_t>(Received));
		return true;
	}
}

std::optional<std::string> FTestHttpClient::ReadLine(FClock::time_point Deadline)
{
	std::size_t End = Buffer.find("\r\n");
	while (End == std::string::npos)
	{
		if (!ReceiveMore(Deadline))
		{
			return std::nullopt;
		}
		End = Buffer.find("\r\n");
	}
	std::string Line = Buffer.substr(0, End);
	Buffer.erase(0, End + 2);
	return Line;
}

bool FTestHttpClient::ReadExactly(std::size_t Count, std::string& Out, FClock::time_point Deadline)
{
	while (Buffer.size() < Count)
	{
		if (!ReceiveMore(Deadline))
		{
			return false;
		}
	}
	Out.append(Buffer, 0, Count);
	Buffer.erase(0, Count);
	return true;
}

bool FTestHttpClient::ReadChunkedBody(std::string& Out, FClock::time_point Deadline)
{
	for (;;)
	{
		const std::optional<std::string> SizeLine = ReadLine(Deadline);
		if (!SizeLine)
		{
			return false;
		}
		const std::optional<std::size_t> Size = ParseNumber<std::size_t>(std::string_view(*SizeLine).substr(0, SizeLine->find(';')), 16);
		if (!Size)
		{
			return false;
		}
		if (*Size == 0)
		{
			// Trailer fields, up to the empty line.
			for (;;)
			{
				const std::optional<std::string> Line = ReadLine(Deadline);
				if (!Line || Line->empty())
				{
					return Line.has_value();
				}
			}
		}
		std::string Separator;
		if (!ReadExactly(*Size, Out, Deadline) || !ReadExactly(2, Separator, Deadline))
		{
			return false;
		}
	}
}
