#include "Http/HttpServerFixture.h"

using HttpSecurityTest = FHttpServerFixture;

namespace
{
	constexpr auto Get = EHttpServerRequestVerbs::VERB_GET;
	constexpr auto Post = EHttpServerRequestVerbs::VERB_POST;

	bool EchoBody(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
	{
		OnComplete(FHttpServerResponse::Create(Request.Body, "text/plain"));
		return true;
	}
}

TEST_F(HttpSecurityTest, ForeignHostOrOriginIsForbiddenAndLoopbackVariantsPass)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Host", "evil.example:30010"}})->Status, 403);
	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Origin", "http://evil.example"}})->Status, 403);
	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Origin", "null"}})->Status, 403);
	// Refusals are answers, not reasons to drop the connection.
	EXPECT_FALSE(Client.WasClosedByServer());

	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Host", "LOCALHOST:30010"}})->Status, 200);
	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Host", "[::1]:30010"}})->Status, 200);
	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Origin", "http://127.0.0.1:5173"}})->Status, 200);
	EXPECT_EQ(Client.Request("GET", "/status", {}, {{"Origin", "https://localhost"}})->Status, 200);
}

TEST_F(HttpSecurityTest, MissingHostIsAcceptedOnlyFromHttp10)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	ASSERT_TRUE(Client.SendRaw("GET /status HTTP/1.1\r\n\r\n"));
	EXPECT_EQ(Client.ReadResponse()->Status, 403);
	ASSERT_TRUE(Client.SendRaw("GET /status HTTP/1.0\r\n\r\n"));
	EXPECT_EQ(Client.ReadResponse()->Status, 200);
}

TEST_F(HttpSecurityTest, BodyOverTheLimitIs413AndCloses)
{
	FHttpServerSettings Settings = MakeSettings();
	Settings.MaxBodyBytes = 16;
	StartServer(Settings, [](IHttpRouter& Router) { Router.BindRoute("/echo", Post, EchoBody); });

	FTestHttpClient Client = MakeClient();
	const auto AtLimit = Client.Request("POST", "/echo", "0123456789abcdef");
	ASSERT_TRUE(AtLimit);
	EXPECT_EQ(AtLimit->Status, 200);
	EXPECT_EQ(AtLimit->Body, "0123456789abcdef");

	// Only the header is sent: the answer must not wait for the announced body.
	ASSERT_TRUE(Client.SendRaw("POST /echo HTTP/1.1\r\nHost: localhost\r\nContent-Length: 1000000000\r\n\r\n"));
	const auto TooLarge = Client.ReadResponse();
	ASSERT_TRUE(TooLarge);
	EXPECT_EQ(TooLarge->Status, 413);
	EXPECT_EQ(TooLarge->Header("connection"), "close");
	EXPECT_TRUE(Client.WaitForServerClose(std::chrono::seconds(2)));

	FTestHttpClient Chunked = MakeClient();
	ASSERT_TRUE(Chunked.SendRaw("POST /echo HTTP/1.1\r\nHost: localhost\r\nTransfer-Encoding: chunked\r\n\r\n"
								"a\r\n0123456789\r\na\r\n0123456789\r\n0\r\n\r\n"));
	EXPECT_EQ(Chunked.ReadResponse()->Status, 413);
}

TEST_F(HttpSecurityTest, ChunkedBodyWithinTheLimitArrivesWhole)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/echo", Post, EchoBody); });
	FTestHttpClient Client = MakeClient();

	ASSERT_TRUE(Client.SendRaw("POST /echo HTTP/1.1\r\nHost: localhost\r\nTransfer-Encoding: chunked\r\n\r\n"
							   "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n"));
	const auto Response = Client.ReadResponse();
	ASSERT_TRUE(Response);
	EXPECT_EQ(Response->Body, "hello world");
}
