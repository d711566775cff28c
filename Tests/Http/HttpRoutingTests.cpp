#include "Http/HttpServerFixture.h"

#include <stdexcept>

namespace
{
	constexpr auto Get = EHttpServerRequestVerbs::VERB_GET;
	constexpr auto Post = EHttpServerRequestVerbs::VERB_POST;

	/** Answers with the request's path and decoded query, e.g. "/echo a=1 b=x y". */
	bool EchoRequest(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
	{
		std::string Text = Request.RelativePath;
		for (const auto& [Key, Value] : Request.QueryParams)
		{
			Text += " " + Key + "=" + Value;
		}
		if (!Request.Body.empty())
		{
			Text += " body=" + Request.Body;
		}
		OnComplete(FHttpServerResponse::Create(Text, "text/plain"));
		return true;
	}
}

using HttpRoutingTest = FHttpServerFixture;

TEST_F(HttpRoutingTest, AnswersBoundRouteAndRefusesUnknownPathOrVerb)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/korvane/status", Get | Post, Reply("ok")); });
	FTestHttpClient Client = MakeClient();

	const auto Bound = Client.Request("GET", "/korvane/status");
	ASSERT_TRUE(Bound);
	EXPECT_EQ(Bound->Status, 200);
	EXPECT_EQ(Bound->Body, "ok");
	EXPECT_EQ(Bound->Header("content-type"), "text/plain");
	EXPECT_EQ(Bound->Header("content-length"), "2");

	const auto Unbound = Client.Request("GET", "/korvane/missing");
	ASSERT_TRUE(Unbound);
	EXPECT_EQ(Unbound->Status, 404);
	EXPECT_EQ(Unbound->Header("content-length"), "0");

	const auto CaseDiffers = Client.Request("GET", "/Korvane/Status");
	ASSERT_TRUE(CaseDiffers);
	EXPECT_EQ(CaseDiffers->Status, 404);

	const auto WrongVerb = Client.Request("DELETE", "/korvane/status");
	ASSERT_TRUE(WrongVerb);
	EXPECT_EQ(WrongVerb->Status, 405);
	EXPECT_EQ(WrongVerb->Header("allow"), "GET, POST");

	const auto UnknownMethod = Client.Request("BREW", "/korvane/status");
	ASSERT_TRUE(UnknownMethod);
	EXPECT_EQ(UnknownMethod->Status, 405);
}

TEST_F(HttpRoutingTest, MatchesPathWithoutQueryAndDecodesParameters)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/echo", Get, EchoRequest); });
	FTestHttpClient Client = MakeClient();

	const auto Response = Client.Request("GET", "/echo?b=x%20y+z&a=1&flag&a=2&bad=%zz");
	ASSERT_TRUE(Response);
	EXPECT_EQ(Response->Status, 200);
	EXPECT_EQ(Response->Body, "/echo a=1 b=x y z bad=%zz flag=");
}

TEST_F(HttpRoutingTest, BindingATakenPathAndVerbIsRefused)
{
	FHttpRouteHandle First;
	FHttpRouteHandle Duplicate;
	FHttpRouteHandle OtherVerb;
	StartServer([&](IHttpRouter& Router)
		{
			First = Router.BindRoute("/route", Get, Reply("first"));
			Duplicate = Router.BindRoute("/route", Get | Post, Reply("duplicate"));
			OtherVerb = Router.BindRoute("/route", Post, Reply("post"));
		});
	EXPECT_TRUE(First);
	EXPECT_FALSE(Duplicate);
	EXPECT_TRUE(OtherVerb);

	FTestHttpClient Client = MakeClient();
	EXPECT_EQ(Client.Request("GET", "/route")->Body, "first");
	EXPECT_EQ(Client.Request("POST", "/route")->Body, "post");
}

TEST_F(HttpRoutingTest, UnbindRemovesExactlyThatRoute)
{
	FHttpRouteHandle GetRoute;
	FHttpRouteHandle PostRoute;
	StartServer([&](IHttpRouter& Router)
		{
			GetRoute = Router.BindRoute("/route", Get, Reply("get"));
			PostRoute = Router.BindRoute("/route", Post, Reply("post"));
		});
	FTestHttpClient Client = MakeClient();

	OnGameThread([&]
		{
			Router->UnbindRoute(GetRoute);
			Router->UnbindRoute(GetRoute);
			Router->UnbindRoute(nullptr);
		});
	EXPECT_EQ(Client.Request("GET", "/route")->Status, 405);
	EXPECT_EQ(Client.Request("POST", "/route")->Body, "post");

	OnGameThread([&] { Router->UnbindRoute(PostRoute); });
	EXPECT_EQ(Client.Request("POST", "/route")->Status, 404);

	const FHttpRouteHandle Rebound = OnGameThread([&] { return Router->BindRoute("/route", Get, Reply("again")); });
	EXPECT_TRUE(Rebound);
	EXPECT_EQ(Client.Request("GET", "/route")->Body, "again");
}

TEST_F(HttpRoutingTest, HandlerThatDeclinesOrThrowsGetsHostAnswerAndServerGoesOn)
{
	StartServer([](IHttpRouter& Router)
		{
			Router.BindRoute("/declines", Get, [](const FHttpServerRequest&, const FHttpResultCallback&) { return false; });
			Router.BindRoute("/throws", Get, [](const FHttpServerRequest&, const FHttpResultCallback&) -> bool
				{ throw std::runtime_error("handler failed"); });
			Router.BindRoute("/null", Get, [](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					OnComplete(nullptr);
					return true;
				});
			Router.BindRoute("/ok", Get, Reply("ok"));
		});
	FTestHttpClient Client = MakeClient();

	EXPECT_EQ(Client.Request("GET", "/declines")->Status, 404);
	EXPECT_EQ(Client.Request("GET", "/throws")->Status, 500);
	EXPECT_EQ(Client.Request("GET", "/null")->Status, 500);
	const auto After = Client.Request("GET", "/ok");
	ASSERT_TRUE(After);
	EXPECT_EQ(After->Status, 200);
	EXPECT_FALSE(Client.WasClosedByServer());
}

TEST_F(HttpRoutingTest, CompletionMayComeLaterOnlyOnceAndOnTheGameThread)
{
	std::atomic<bool> bHandlerOnGameThread = false;
	std::vector<std::thread> Workers;
	StartServer([&](IHttpRouter& Router)
		{
			Router.BindRoute("/timer", Get, [&](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					bHandlerOnGameThread = GameThread.IsInGameThread();
					GameThread.SetTimer(std::chrono::milliseconds(20), false, [OnComplete]
						{
							OnComplete(FHttpServerResponse::Create("late", "text/plain"));
							OnComplete(FHttpServerResponse::Create("twice", "text/plain"));
						});
					return true;
				});
			Router.BindRoute("/worker", Get, [&](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					Workers.emplace_back([OnComplete] { OnComplete(FHttpServerResponse::Create("from worker", "text/plain")); });
					return true;
				});
		});
	FTestHttpClient Client = MakeClient();

	const auto Late = Client.Request("GET", "/timer");
	ASSERT_TRUE(Late);
	EXPECT_EQ(Late->Body, "late");
	EXPECT_TRUE(bHandlerOnGameThread);
	// The second completion must not have produced a stray response on the connection.
	const auto FromWorker = Client.Request("GET", "/worker");
	ASSERT_TRUE(FromWorker);
	EXPECT_EQ(FromWorker->Body, "from worker");

	OnGameThread([&]
		{
			for (std::thread& Worker : Workers)
			{
				Worker.join();
			}
		});
}

TEST_F(HttpRoutingTest, HandlerThatNeverCompletesLosesItsConnectionAtTheRequestTimeout)
{
	FHttpResultCallback Kept;
	FHttpServerSettings Settings = MakeSettings();
	Settings.RequestTimeout = std::chrono::milliseconds(150);
	StartServer(Settings, [&](IHttpRouter& Router)
		{
			Router.BindRoute("/hangs", Get, [&](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
				{
					Kept = OnComplete;
					return true;
				});
		});
	FTestHttpClient Client = MakeClient();

	ASSERT_TRUE(Client.SendRaw("GET /hangs HTTP/1.1\r\nHost: localhost\r\n\r\n"));
	EXPECT_TRUE(Client.WaitForServerClose(std::chrono::seconds(2)));
	// Completing after the connection is gone is harmless.
	OnGameThread([&] { Kept(FHttpServerResponse::Create("too late", "text/plain")); });
}
