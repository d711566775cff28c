#pragma once

#include "Http/HttpRouter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

class FGameThread;

/** How the host's listeners behave; the defaults suit a loopback editor server. */
struct FHttpServerSettings
{
	/** The address listeners bind to. */
	std::string BindAddress = "127.0.0.1";
	/** Largest accepted request body; larger ones are answered 413. */
	std::size_t MaxBodyBytes = 256u * 1024u * 1024u;
	/** A connection that sends nothing for this long is closed. */
	std::chrono::milliseconds IdleTimeout{60'000};
	/** Time allowed to receive one request's header and body once it has started. */
	std::chrono::milliseconds RequestTimeout{30'000};
	/**
	 * Where a router's logical port really listens: tests and the program map 30010
	 * to another port. 0 asks the system for a free one.
	 */
	std::map<uint16_t, uint16_t> PortOverrides;
};

/**
 * The engine's HTTP server module: one router per port, listeners that start
 * together once the editor is up, and request dispatch on the game thread.
 */
class FHttpServerModule
{
public:
	FHttpServerModule(FGameThread& GameThread, FHttpServerSettings Settings);
	~FHttpServerModule();
	FHttpServerModule(const FHttpServerModule&) = delete;
	FHttpServerModule& operator=(const FHttpServerModule&) = delete;

	/** The module of the running host. */
	static FHttpServerModule& Get();
	static bool IsAvailable();

	/**
	 * The router for a port, created on first request. With bFailOnBindFailure the
	 * port is bound at once and a failure yields nullptr; otherwise binding waits
	 * for StartAllListeners.
	 */
	std::shared_ptr<IHttpRouter> GetHttpRouter(uint16_t Port, bool bFailOnBindFailure = false);

	/** Starts every listener not yet started; false (with a log line) when a port cannot be bound. */
	bool StartAllListeners();
	void StopAllListeners();
	/** The port a router's listener is bound to, once started. */
	std::optional<uint16_t> GetBoundPort(uint16_t Port) const;

	/**
	 * Routes one request through the router of a port without a socket; the same
	 * checks as a socket request except the transport ones. Runs on the calling
	 * (game) thread and returns the response.
	 */
	std::unique_ptr<FHttpServerResponse> DispatchRequest(uint16_t Port, const FHttpServerRequest& Request);

	const FHttpServerSettings& GetSettings() const { return Settings; }

private:
	struct FImpl;
	std::unique_ptr<FImpl> Impl;
	FHttpServerSettings Settings;
};
