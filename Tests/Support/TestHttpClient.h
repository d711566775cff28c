#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** A response as the test client read it. */
struct FTestHttpResponse
{
	int Status = 0;
	std::string Reason;
	/** Names in lower case; repeated headers joined with ", ". */
	std::map<std::string, std::string, std::less<>> Headers;
	std::string Body;

	std::optional<std::string> Header(std::string_view LowerName) const;
};

using FTestHttpHeaders = std::vector<std::pair<std::string, std::string>>;

/**
 * A small blocking HTTP/1.1 client over a POSIX socket for end-to-end tests. It
 * keeps one connection (reconnecting on demand) so tests can check keep-alive, and
 * can send raw bytes to check how the server takes malformed or pipelined input.
 * Every wait is bounded by the timeout so a broken server fails a test instead of
 * hanging it.
 */
class FTestHttpClient
{
public:
	explicit FTestHttpClient(uint16_t InPort, std::chrono::milliseconds InTimeout = std::chrono::seconds(5));
	~FTestHttpClient();
	FTestHttpClient(const FTestHttpClient&) = delete;
	FTestHttpClient& operator=(const FTestHttpClient&) = delete;

	/** Opens a new connection to 127.0.0.1, dropping the current one. */
	bool Connect();
	void Disconnect();
	bool IsConnected() const { return Socket >= 0; }

	/**
	 * Sends one request and reads its response, connecting first if needed. Adds
	 * Host (unless given) and Content-Length (for a body or POST/PUT/PATCH, unless
	 * given). Skips interim 1xx answers. Nothing when the connection failed or
	 * closed before a full response.
	 */
	std::optional<FTestHttpResponse> Request(std::string_view Method, std::string_view Path, std::string_view Body = {},
		const FTestHttpHeaders& ExtraHeaders = {});

	/** Sends bytes as they are, connecting first if needed. */
	bool SendRaw(std::string_view Bytes);
	/** Reads the next response as sent, an interim 1xx one included; a HEAD response has no body. */
	std::optional<FTestHttpResponse> ReadResponse(bool bHeadRequest = false);

	/** Waits up to Wait for the server to close the connection; bytes it sends meanwhile are kept for ReadResponse. */
	bool WaitForServerClose(std::chrono::milliseconds Wait);
	/** True once a read saw the server close or reset the connection. */
	bool WasClosedByServer() const { return bServerClosed; }

	uint16_t GetPort() const { return Port; }

private:
	/** Reads more bytes into Buffer, waiting until Deadline; false on close, error or timeout. */
	bool ReceiveMore(std::chrono::steady_clock::time_point Deadline);
	std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point Deadline);
	bool ReadExactly(std::size_t Count, std::string& Out, std::chrono::steady_clock::time_point Deadline);
	bool ReadChunkedBody(std::string& Out, std::chrono::steady_clock::time_point Deadline);

	uint16_t Port;
	std::chrono::milliseconds Timeout;
	int Socket = -1;
	bool bServerClosed = false;
	/** Received bytes not consumed yet. */
	std::string Buffer;
};
