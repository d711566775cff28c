#include "Http/HttpListener.h"

#include "Core/Text.h"
#include "Http/HttpLog.h"
#include "Http/HttpRequestPolicy.h"
#include "Http/HttpRequestTarget.h"
#include "Http/HttpResponseWriter.h"
#include "Http/HttpRouterImpl.h"
#include "Http/HttpServerModule.h"
#include "Http/HttpVerbs.h"
#include "Runtime/GameThread.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/basic_parser.hpp>
#include <boost/beast/http/error.hpp>

#include <algorithm>
#include <string>
#include <unordered_set>

namespace Asio = boost::asio;
namespace Http = boost::beast::http;
using FTcp = Asio::ip::tcp;
using FClock = std::chrono::steady_clock;
using FErrorCode = boost::system::error_code;

namespace
{
	constexpr std::size_t ReadChunkBytes = 16 * 1024;
	constexpr std::uint32_t MaxHeaderBytes = 64 * 1024;
	/** A body's declared length reserves at most this much up front; the rest grows as it arrives. */
	constexpr std::uint64_t MaxBodyReserveBytes = 1024 * 1024;
	/** How long a closing connection keeps draining what the client still sends, so the client reads our answer. */
	constexpr std::chrono::milliseconds MaxLingerTime{1000};
	constexpr std::string_view ContinueResponse = "HTTP/1.1 100 Continue\r\n\r\n";

	/** Parses one request straight into the host's request type. */
	class FRequestParser final : public Http::basic_parser<true>
	{
	public:
		explicit FRequestParser(std::size_t MaxBodyBytes)
		{
			body_limit(MaxBodyBytes);
			header_limit(MaxHeaderBytes);
		}

		FHttpServerRequest Request;
		int Version = 11;
		bool bExpectsContinue = false;

	private:
		void on_request_impl(Http::verb, std::string_view Method, std::string_view Target, int InVersion, FErrorCode&) override
		{
			Request.Verb = ParseHttpVerb(Method);
			ParseRequestTarget(Target, Request);
			Version = InVersion;
		}

		void on_response_impl(int, std::string_view, int, FErrorCode&) override {}

		void on_field_impl(Http::field, std::string_view Name, std::string_view Value, FErrorCode&) override
		{
			std::string LowerName(Name);
			std::transform(LowerName.begin(), LowerName.end(), LowerName.begin(),
				[](char Character) { return Character >= 'A' && Character <= 'Z' ? static_cast<char>(Character - 'A' + 'a') : Character; });
			const auto [Found, bInserted] = Request.Headers.try_emplace(std::move(LowerName), Value);
			if (!bInserted)
			{
				Found->second += ", ";
				Found->second += Value;
			}
		}

		void on_header_impl(FErrorCode&) override
		{
			const auto Expect = Request.Headers.find("expect");
			bExpectsContinue = Expect != Request.Headers.end() && Text::EqualsIgnoreCase(Expect->second, "100-continue");
		}

		void on_body_init_impl(const boost::optional<std::uint64_t>& ContentLength, FErrorCode&) override
		{
			if (ContentLength)
			{
				Request.Body.reserve(static_cast<std::size_t>(std::min(*ContentLength, MaxBodyReserveBytes)));
			}
		}

		std::size_t on_body_impl(std::string_view Body, FErrorCode&) override
		{
			Request.Body += Body;
			return Body.size();
		}

		void on_chunk_header_impl(std::uint64_t, std::string_view, FErrorCode&) override {}

		std::size_t on_chunk_body_impl(std::uint64_t, std::string_view Body, FErrorCode&) override
		{
			Request.Body += Body;
			return Body.size();
		}

		void on_finish_impl(FErrorCode&) override {}
	};

	std::string FormatEndpoint(const Asio::ip::address& Address, uint16_t Port)
	{
		const std::string Host = Address.to_string();
		return (Address.is_v6() ? "[" + Host + "]" : Host) + ":" + std::to_string(Port);
	}
}

class FHttpConnection;

/** What a listener's sockets share; connections keep it alive while they finish. */
class FHttpListenerCore : public std::enable_shared_from_this<FHttpListenerCore>
{
public:
	FHttpListenerCore(FGameThread& InGameThread, const FHttpServerSettings& InSettings, std::shared_ptr<const FHttpRouter> InRouter)
		: Settings(InSettings)
		, Router(std::move(InRouter))
		, Acceptor(InGameThread.GetIoContext())
		, SweepTimer(InGameThread.GetIoContext())
		, SweepInterval(std::clamp(std::min(Settings.IdleTimeout, Settings.RequestTimeout) / 4,
			  std::chrono::milliseconds(5), std::chrono::milliseconds(1000)))
	{
	}

	bool Start(uint16_t Port);
	void Stop();
	bool IsListening() const { return Acceptor.is_open(); }
	std::optional<uint16_t> GetBoundPort() const { return BoundPort; }

	void Register(FHttpConnection& Connection) { Connections.insert(&Connection); }
	void Unregister(FHttpConnection& Connection) { Connections.erase(&Connection); }

	const FHttpServerSettings Settings;
	const std::shared_ptr<const FHttpRouter> Router;

private:
	void Accept();
	void OnAccept(const FErrorCode& Error, FTcp::socket Socket);
	void ScheduleSweep();
	void Sweep();

	FTcp::acceptor Acceptor;
	/** One timer checks every connection's deadline, so a request costs no timer operations. */
	Asio::steady_timer SweepTimer;
	const std::chrono::milliseconds SweepInterval;
	std::unordered_set<FHttpConnection*> Connections;
	std::optional<uint16_t> BoundPort;
	/** Set when accepting failed (e.g. out of descriptors); the next sweep tries again. */
	bool bAcceptPaused = false;
};

/** One accepted socket: reads requests one at a time and writes their answers in order. */
class FHttpConnection : public std::enable_shared_from_this<FHttpConnection>
{
public:
	FHttpConnection(std::shared_ptr<FHttpListenerCore> InCore, FTcp::socket InSocket)
		: Core(std::move(InCore)), Socket(std::move(InSocket))
	{
		Core->Register(*this);
	}

	~FHttpConnection() { Core->Unregister(*this); }
	FHttpConnection(const FHttpConnection&) = delete;
	FHttpConnection& operator=(const FHttpConnection&) = delete;

	void Start()
	{
		BeginRequest();
		ReadSome();
	}

	void CloseIfExpired(FClock::time_point Now)
	{
		if (Now >= Deadline)
		{
			Close();
		}
	}

	void Close()
	{
		Phase = EPhase::Closed;
		Deadline = FClock::time_point::max();
		FErrorCode Ignored;
		Socket.close(Ignored);
	}

private:
	enum class EPhase
	{
		/** Waiting for the first byte of the next request. */
		Idle,
		Receiving,
		/** The router has the request; waiting for its answer. */
		Handling,
		Writing,
		/** Answer sent, our side shut down; draining until the client closes. */
		Lingering,
		Closed
	};

	void SetPhase(EPhase NewPhase, std::chrono::milliseconds Timeout)
	{
		Phase = NewPhase;
		Deadline = FClock::now() + Timeout;
	}

	/** Prepares for the next request, which may already be buffered when the client pipelines. */
	void BeginRequest()
	{
		Parser.emplace(Core->Settings.MaxBodyBytes);
		if (ReadBuffer.size() > 0)
		{
			SetPhase(EPhase::Receiving, Core->Settings.RequestTimeout);
		}
		else
		{
			SetPhase(EPhase::Idle, Core->Settings.IdleTimeout);
		}
	}

	void ReadSome()
	{
		Socket.async_read_some(ReadBuffer.prepare(ReadChunkBytes),
			[Self = shared_from_this()](const FErrorCode& Error, std::size_t Bytes) { Self->OnRead(Error, Bytes); });
	}

	void OnRead(const FErrorCode& Error, std::size_t Bytes)
	{
		if (Error || Phase == EPhase::Closed)
		{
			Close();
			return;
		}
		if (Phase == EPhase::Lingering)
		{
			ReadSome();
			return;
		}
		ReadBuffer.commit(Bytes);
		if (Phase == EPhase::Idle)
		{
			SetPhase(EPhase::Receiving, Core->Settings.RequestTimeout);
		}
		ParseBuffered();
	}

	void ParseBuffered()
	{
		while (ReadBuffer.size() > 0)
		{
			FErrorCode Error;
			ReadBuffer.consume(Parser->put(ReadBuffer.data(), Error));
			if (Error == Http::error::need_more)
			{
				break;
			}
			if (Error)
			{
				const bool bTooLarge = Error == Http::error::body_limit;
				UE_LOG(LogHttpServer, Verbose, "Refusing a request: %s", Error.message().c_str());
				RespondAndClose(bTooLarge ? EHttpServerResponseCodes::PayloadTooLarge : EHttpServerResponseCodes::BadRequest);
				return;
			}
			if (Parser->is_done())
			{
				OnRequest();
				return;
			}
		}
		if (Parser->bExpectsContinue && Parser->is_header_done())
		{
			SendContinue();
		}
		ReadSome();
	}

	/** Tells a client that waits before sending its body to go ahead; a few bytes on an idle socket. */
	void SendContinue()
	{
		Parser->bExpectsContinue = false;
		FErrorCode Ignored;
		Asio::write(Socket, Asio::buffer(ContinueResponse.data(), ContinueResponse.size()), Ignored);
	}

	void OnRequest()
	{
		SetPhase(EPhase::Handling, Core->Settings.RequestTimeout);
		const FHttpServerRequest& Request = Parser->Request;
		Framing = FHttpResponseFraming{Request.Verb == EHttpServerRequestVerbs::VERB_HEAD, Parser->keep_alive(), Parser->Version};
		const uint64_t Serial = ++RequestSerial;
		if (const std::optional<EHttpServerResponseCodes> Refusal = CheckRequestAllowed(Request, Core->Settings, Parser->Version >= 11))
		{
			Respond(Serial, FHttpServerResponse::Error(*Refusal));
			return;
		}
		Core->Router->Dispatch(Request, [Self = shared_from_this(), Serial](std::unique_ptr<FHttpServerResponse> Response)
			{ Self->Respond(Serial, std::move(Response)); });
	}

	void RespondAndClose(EHttpServerResponseCodes Code)
	{
		SetPhase(EPhase::Handling, Core->Settings.RequestTimeout);
		Framing = FHttpResponseFraming{false, false, 11};
		Respond(++RequestSerial, FHttpServerResponse::Error(Code));
	}

	/** Writes the answer of the current request; answers to a request the connection gave up on are dropped. */
	void Respond(uint64_t Serial, std::unique_ptr<FHttpServerResponse> Response)
	{
		if (Serial != RequestSerial || Phase != EPhase::Handling)
		{
			return;
		}
		SetPhase(EPhase::Writing, Core->Settings.RequestTimeout);
		WriteBuffer.clear();
		AppendHttpResponse(WriteBuffer, *Response, Framing);
		Asio::async_write(Socket, Asio::buffer(WriteBuffer),
			[Self = shared_from_this()](const FErrorCode& Error, std::size_t) { Self->OnWrite(Error); });
	}

	void OnWrite(const FErrorCode& Error)
	{
		if (Error || Phase == EPhase::Closed)
		{
			Close();
			return;
		}
		if (!Framing.bKeepAlive)
		{
			Linger();
			return;
		}
		BeginRequest();
		if (ReadBuffer.size() > 0)
		{
			ParseBuffered();
		}
		else
		{
			ReadSome();
		}
	}

	/**
	 * Shuts our side down and reads until the client closes: closing with unread
	 * bytes would reset the connection and could discard the answer on the client.
	 */
	void Linger()
	{
		SetPhase(EPhase::Lingering, std::min(Core->Settings.RequestTimeout, MaxLingerTime));
		FErrorCode Ignored;
		Socket.shutdown(FTcp::socket::shutdown_send, Ignored);
		ReadBuffer.clear();
		ReadSome();
	}

	std::shared_ptr<FHttpListenerCore> Core;
	FTcp::socket Socket;
	boost::beast::flat_buffer ReadBuffer;
	std::optional<FRequestParser> Parser;
	std::string WriteBuffer;
	FHttpResponseFraming Framing;
	EPhase Phase = EPhase::Idle;
	FClock::time_point Deadline = FClock::time_point::max();
	/** Numbers requests so that a late completion cannot answer a later request. */
	uint64_t RequestSerial = 0;
};

bool FHttpListenerCore::Start(uint16_t Port)
{
	FErrorCode Error;
	const Asio::ip::address Address = Asio::ip::make_address(Settings.BindAddress, Error);
	if (Error)
	{
		UE_LOG(LogHttpServer, Error, "Cannot listen on '%s': not an IP address", Settings.BindAddress.c_str());
		return false;
	}
	const FTcp::endpoint Endpoint(Address, Port);
	Acceptor.open(Endpoint.protocol(), Error);
	if (!Error)
	{
		Acceptor.set_option(FTcp::acceptor::reuse_address(true), Error);
	}
	if (!Error)
	{
		Acceptor.bind(Endpoint, Error);
	}
	if (!Error)
	{
		Acceptor.listen(Asio::socket_base::max_listen_connections, Error);
	}
	if (Error)
	{
		UE_LOG(LogHttpServer, Error, "Cannot listen on %s: %s", FormatEndpoint(Address, Port).c_str(), Error.message().c_str());
		FErrorCode Ignored;
		Acceptor.close(Ignored);
		return false;
	}
	BoundPort = Acceptor.local_endpoint(Error).port();
	UE_LOG(LogHttpServer, Log, "Listening on %s", FormatEndpoint(Address, *BoundPort).c_str());
	Accept();
	ScheduleSweep();
	return true;
}

void FHttpListenerCore::Stop()
{
	FErrorCode Ignored;
	Acceptor.close(Ignored);
	SweepTimer.cancel();
	BoundPort.reset();
	// Closing only cancels their operations; the connections go away as those complete.
	for (FHttpConnection* Connection : Connections)
	{
		Connection->Close();
	}
}

void FHttpListenerCore::Accept()
{
	Acceptor.async_accept([Self = shared_from_this()](const FErrorCode& Error, FTcp::socket Socket)
		{ Self->OnAccept(Error, std::move(Socket)); });
}

void FHttpListenerCore::OnAccept(const FErrorCode& Error, FTcp::socket Socket)
{
	if (!Acceptor.is_open() || Error == Asio::error::operation_aborted)
	{
		return;
	}
	if (Error)
	{
		UE_LOG(LogHttpServer, Warning, "Accepting a connection failed: %s", Error.message().c_str());
		bAcceptPaused = true;
		return;
	}
	FErrorCode Ignored;
	Socket.set_option(FTcp::no_delay(true), Ignored);
	std::make_shared<FHttpConnection>(shared_from_this(), std::move(Socket))->Start();
	Accept();
}

void FHttpListenerCore::ScheduleSweep()
{
	SweepTimer.expires_after(SweepInterval);
	SweepTimer.async_wait([Self = shared_from_this()](const FErrorCode& Error)
		{
			if (!Error && Self->Acceptor.is_open())
			{
				Self->Sweep();
				Self->ScheduleSweep();
			}
		});
}

void FHttpListenerCore::Sweep()
{
	const FClock::time_point Now = FClock::now();
	for (FHttpConnection* Connection : Connections)
	{
		Connection->CloseIfExpired(Now);
	}
	if (bAcceptPaused)
	{
		bAcceptPaused = false;
		Accept();
	}
}

FHttpListener::FHttpListener(FGameThread& GameThread, const FHttpServerSettings& Settings, std::shared_ptr<const FHttpRouter> Router)
	: Core(std::make_shared<FHttpListenerCore>(GameThread, Settings, std::move(Router)))
{
}

FHttpListener::~FHttpListener()
{
	Core->Stop();
}

bool FHttpListener::Start(uint16_t Port)
{
	return Core->Start(Port);
}

void FHttpListener::Stop()
{
	Core->Stop();
}

bool FHttpListener::IsListening() const
{
	return Core->IsListening();
}

std::optional<uint16_t> FHttpListener::GetBoundPort() const
{
	return Core->GetBoundPort();
}
