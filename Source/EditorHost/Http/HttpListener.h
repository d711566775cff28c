#pragma once

#include <cstdint>
#include <memory>
#include <optional>

class FGameThread;
class FHttpRouter;
class FHttpListenerCore;
struct FHttpServerSettings;

/**
 * One listening socket of the host and its connections, served on the game
 * thread's loop. The transport lives in HttpListener.cpp alone, to keep the
 * cost of compiling Beast in one unit.
 */
class FHttpListener
{
public:
	FHttpListener(FGameThread& GameThread, const FHttpServerSettings& Settings, std::shared_ptr<const FHttpRouter> Router);
	/** Stops listening and closes every connection. */
	~FHttpListener();
	FHttpListener(const FHttpListener&) = delete;
	FHttpListener& operator=(const FHttpListener&) = delete;

	/** Binds the settings' address and the port (0 for any free one) and accepts; false, logged, when it cannot. */
	bool Start(uint16_t Port);
	void Stop();
	bool IsListening() const;
	std::optional<uint16_t> GetBoundPort() const;

private:
	std::shared_ptr<FHttpListenerCore> Core;
};
