#include "Http/HttpServerFixture.h"

#include <chrono>

using HttpTransportTest = FHttpServerFixture;
using namespace std::chrono_literals;

namespace
{
	constexpr auto Get = EHttpServerRequestVerbs::VERB_GET;
	constexpr auto Head = EHttpServerRequestVerbs::VERB_HEAD;
	constexpr auto Post = EHttpServerRequestVerbs::VERB_POST;
}

TEST_F(HttpTransportTest, KeepAliveServesManyRequestsOnOneConnection)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	for (int Index = 0; Index < 5; ++Index)
	{
		const auto Response = Client.Request("GET", "/status");
		ASSERT_TRUE(Response);
		EXPECT_EQ(Response->Status, 200);
		EXPECT_FALSE(Response->Header("connection").has_value());
	}
	EXPECT_FALSE(Client.WaitForServerClose(100ms));
}

TEST_F(HttpTransportTest, ConnectionCloseAndHttp10AreHonoured)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });

	FTestHttpClient Closing = MakeClient();
	const auto Closed = Closing.Request("GET", "/status", {}, {{"Connection", "close"}});
	ASSERT_TRUE(Closed);
	EXPECT_EQ(Closed->Header("connection"), "close");
	EXPECT_TRUE(Closing.WaitForServerClose(1s));

	FTestHttpClient Http10 = MakeClient();
	ASSERT_TRUE(Http10.SendRaw("GET /status HTTP/1.0\r\n\r\n"));
	EXPECT_EQ(Http10.ReadResponse()->Status, 200);
	EXPECT_TRUE(Http10.WaitForServerClose(1s));

	FTestHttpClient Http10KeepAlive = MakeClient();
	for (int Index = 0; Index < 2; ++Index)
	{
		ASSERT_TRUE(Http10KeepAlive.SendRaw("GET /status HTTP/1.0\r\nConnection: keep-alive\r\n\r\n"));
		const auto Response = Http10KeepAlive.ReadResponse();
		ASSERT_TRUE(Response);
		EXPECT_EQ(Response->Header("connection"), "keep-alive");
	}
	EXPECT_FALSE(Http10KeepAlive.WaitForServerClose(100ms));
}

TEST_F(HttpTransportTest, PipelinedRequestsAreAnsweredInOrderEvenWhenTheFirstIsSlow)
{
	StartServer([this](IHttpRouter& Router)
		{
			Router.BindRoute("/slow", Get, [this](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					GameThread.SetTimer(30ms, false, [OnComplete] { OnComplete(FHttpServerResponse::Create("slow", "text/plain")); });
					return true;
				});
			Router.BindRoute("/fast", Get, Reply("fast"));
		});
	FTestHttpClient Client = MakeClient();

	const std::string Slow = "GET /slow HTTP/1.1\r\nHost: localhost\r\n\r\n";
	const std::string Fast = "GET /fast HTTP/1.1\r\nHost: localhost\r\n\r\n";
	ASSERT_TRUE(Client.SendRaw(Slow + Fast + "GET /none HTTP/1.1\r\nHost: localhost\r\n\r\n" + Slow));
	EXPECT_EQ(Client.ReadResponse()->Body, "slow");
	EXPECT_EQ(Client.ReadResponse()->Body, "fast");
	EXPECT_EQ(Client.ReadResponse()->Status, 404);
	EXPECT_EQ(Client.ReadResponse()->Body, "slow");
}

TEST_F(HttpTransportTest, MalformedRequestIs400AndCloses)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });

	for (const char* Garbage : {"NOT HTTP AT ALL\r\n\r\n", "GET /status HTTP/1.1\r\nHost localhost\r\n\r\n",
			 "GET /status HTTP/1.1\r\nHost: localhost\r\nContent-Length: abc\r\n\r\n"})
	{
		FTestHttpClient Client = MakeClient();
		ASSERT_TRUE(Client.SendRaw(Garbage));
		const auto Response = Client.ReadResponse();
		ASSERT_TRUE(Response) << Garbage;
		EXPECT_EQ(Response->Status, 400) << Garbage;
		EXPECT_TRUE(Client.WaitForServerClose(1s)) << Garbage;
	}
}

TEST_F(HttpTransportTest, IdleConnectionIsClosedAfterTheIdleTimeout)
{
	FHttpServerSettings Settings = MakeSettings();
	Settings.IdleTimeout = 100ms;
	StartServer(Settings, [](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	ASSERT_EQ(Client.Request("GET", "/status")->Status, 200);
	const auto Start = std::chrono::steady_clock::now();
	EXPECT_TRUE(Client.WaitForServerClose(2s));
	EXPECT_GE(std::chrono::steady_clock::now() - Start, 80ms);
}

TEST_F(HttpTransportTest, RequestThatArrivesTooSlowlyIsClosed)
{
	FHttpServerSettings Settings = MakeSettings();
	Settings.IdleTimeout = 10s;
	Settings.RequestTimeout = 150ms;
	StartServer(Settings, [](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	const auto Start = std::chrono::steady_clock::now();
	bool bClosed = false;
	// A byte every 40 ms keeps the connection busy but never finishes the header.
	for (const char Byte : std::string("GET /status HTTP/1.1\r\nHost: localhost\r\nX-Slow: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"))
	{
		if (!Client.SendRaw(std::string(1, Byte)) || Client.WaitForServerClose(40ms))
		{
			bClosed = true;
			break;
		}
	}
	EXPECT_TRUE(bClosed || Client.WaitForServerClose(1s));
	EXPECT_LT(std::chrono::steady_clock::now() - Start, 1s);
}

TEST_F(HttpTransportTest, EveryResponseIsFramedAndHeadOmitsTheBody)
{
	StartServer([](IHttpRouter& Router)
		{
			Router.BindRoute("/status", Get | Head, [](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					auto Response = FHttpServerResponse::Create("{\"ok\":true}", "application/json");
					Response->Headers["content-length"] = "999";
					Response->Headers["x-korvane"] = "1";
					OnComplete(std::move(Response));
					return true;
				});
			Router.BindRoute("/empty", Post, [](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					OnComplete(FHttpServerResponse::Error(EHttpServerResponseCodes::NoContent));
					return true;
				});
		});
	FTestHttpClient Client = MakeClient();

	const auto Full = Client.Request("GET", "/status");
	ASSERT_TRUE(Full);
	EXPECT_EQ(Full->Header("content-type"), "application/json");
	EXPECT_EQ(Full->Header("content-length"), "11");
	EXPECT_EQ(Full->Header("x-korvane"), "1");

	const auto HeadOnly = Client.Request("HEAD", "/status");
	ASSERT_TRUE(HeadOnly);
	EXPECT_EQ(HeadOnly->Header("content-length"), "11");
	EXPECT_EQ(HeadOnly->Body, "");

	const auto NoContent = Client.Request("POST", "/empty");
	ASSERT_TRUE(NoContent);
	EXPECT_EQ(NoContent->Status, 204);
	EXPECT_FALSE(NoContent->Header("content-length").has_value());

	// The connection is still in step after the bodiless answers.
	EXPECT_EQ(Client.Request("GET", "/status")->Body, "{\"ok\":true}");
}

TEST_F(HttpTransportTest, ClientWaitingForContinueGetsIt)
{
	StartServer([](IHttpRouter& Router)
		{
			Router.BindRoute("/echo", Post, [](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
				{
					OnComplete(FHttpServerResponse::Create(Request.Body, "text/plain"));
					return true;
				});
		});
	FTestHttpClient Client = MakeClient();

	ASSERT_TRUE(Client.SendRaw("POST /echo HTTP/1.1\r\nHost: localhost\r\nContent-Length: 5\r\nExpect: 100-continue\r\n\r\n"));
	const auto Continue = Client.ReadResponse();
	ASSERT_TRUE(Continue);
	EXPECT_EQ(Continue->Status, 100);
	ASSERT_TRUE(Client.SendRaw("hello"));
	const auto Response = Client.ReadResponse();
	ASSERT_TRUE(Response);
	EXPECT_EQ(Response->Body, "hello");
}
