#include "Http/HttpServerFixture.h"

#include "Core/Log.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

using HttpServerModuleTest = FHttpServerFixture;
using namespace std::chrono_literals;

namespace
{
	constexpr auto Get = EHttpServerRequestVerbs::VERB_GET;

	/** A loopback port held by a plain listening socket for the test's lifetime. */
	class FOccupiedPort
	{
	public:
		FOccupiedPort()
		{
			Socket = ::socket(AF_INET, SOCK_STREAM, 0);
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			socklen_t Length = sizeof(Address);
			if (::bind(Socket, reinterpret_cast<sockaddr*>(&Address), Length) == 0 && ::listen(Socket, 1) == 0
				&& ::getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length) == 0)
			{
				Port = ntohs(Address.sin_port);
			}
		}
		~FOccupiedPort() { ::close(Socket); }
		FOccupiedPort(const FOccupiedPort&) = delete;
		FOccupiedPort& operator=(const FOccupiedPort&) = delete;

		int Socket = -1;
		uint16_t Port = 0;
	};
}

TEST_F(HttpServerModuleTest, IsTheOneProcessWideInstanceWhileItLives)
{
	EXPECT_FALSE(FHttpServerModule::IsAvailable());
	{
		FHttpServerModule Server(GameThread, MakeSettings());
		EXPECT_TRUE(FHttpServerModule::IsAvailable());
		EXPECT_EQ(&FHttpServerModule::Get(), &Server);
		EXPECT_THROW(std::make_unique<FHttpServerModule>(GameThread, MakeSettings()), std::logic_error);
		EXPECT_EQ(&FHttpServerModule::Get(), &Server);
	}
	EXPECT_FALSE(FHttpServerModule::IsAvailable());
}

TEST_F(HttpServerModuleTest, RouterIsPerPortAndListensOnTheOverriddenPort)
{
	FHttpServerSettings Settings = MakeSettings();
	Settings.PortOverrides[30011] = 0;
	Module = std::make_unique<FHttpServerModule>(GameThread, Settings);

	const auto Router = Module->GetHttpRouter(EditorPort);
	EXPECT_EQ(Module->GetHttpRouter(EditorPort), Router);
	EXPECT_NE(Module->GetHttpRouter(30011), Router);
	EXPECT_EQ(Module->GetBoundPort(EditorPort), std::nullopt);
	EXPECT_EQ(Module->GetBoundPort(1234), std::nullopt);

	ASSERT_TRUE(Module->StartAllListeners());
	ASSERT_TRUE(Module->GetBoundPort(EditorPort));
	EXPECT_NE(*Module->GetBoundPort(EditorPort), EditorPort);
	EXPECT_NE(Module->GetBoundPort(EditorPort), Module->GetBoundPort(30011));

	Module->StopAllListeners();
	EXPECT_EQ(Module->GetBoundPort(EditorPort), std::nullopt);
}

TEST_F(HttpServerModuleTest, PortInUseFailsToStartAndSaysWhere)
{
	const FOccupiedPort Occupied;
	ASSERT_NE(Occupied.Port, 0);
	FHttpServerSettings Settings;
	Settings.PortOverrides[EditorPort] = Occupied.Port;
	Module = std::make_unique<FHttpServerModule>(GameThread, Settings);

	FLogCapture Capture;
	Module->GetHttpRouter(EditorPort);
	EXPECT_FALSE(Module->StartAllListeners());
	EXPECT_EQ(Module->GetHttpRouter(EditorPort, true), nullptr);

	const std::string Where = "127.0.0.1:" + std::to_string(Occupied.Port);
	const std::vector<std::string> Messages = Capture.Messages("LogHttpServer");
	ASSERT_FALSE(Messages.empty());
	EXPECT_NE(Messages.front().find(Where), std::string::npos) << Messages.front();
}

TEST_F(HttpServerModuleTest, FailOnBindFailureBindsAtOnce)
{
	Module = std::make_unique<FHttpServerModule>(GameThread, MakeSettings());
	ASSERT_TRUE(Module->GetHttpRouter(EditorPort, true));
	EXPECT_TRUE(Module->GetBoundPort(EditorPort).has_value());
}

TEST_F(HttpServerModuleTest, DispatchRequestRoutesWithoutASocket)
{
	Module = std::make_unique<FHttpServerModule>(GameThread, MakeSettings());
	const auto Router = Module->GetHttpRouter(EditorPort);
	Router->BindRoute("/now", Get, Reply("now"));
	Router->BindRoute("/later", Get, [this](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
		{
			const std::string Name = Request.QueryParams.at("name");
			GameThread.SetTimer(10ms, false, [OnComplete, Name] { OnComplete(FHttpServerResponse::Create("hello " + Name, "text/plain")); });
			return true;
		});

	FHttpServerRequest Request;
	Request.Verb = Get;
	Request.RelativePath = "/now";
	EXPECT_EQ(Module->DispatchRequest(EditorPort, Request)->Body, "now");

	Request.RelativePath = "/later";
	Request.QueryParams["name"] = "graph";
	EXPECT_EQ(Module->DispatchRequest(EditorPort, Request)->Body, "hello graph");

	Request.Headers["origin"] = "http://evil.example";
	EXPECT_EQ(Module->DispatchRequest(EditorPort, Request)->Code, EHttpServerResponseCodes::Forbidden);

	Request.Headers.clear();
	Request.RelativePath = "/missing";
	EXPECT_EQ(Module->DispatchRequest(EditorPort, Request)->Code, EHttpServerResponseCodes::NotFound);
	EXPECT_EQ(Module->DispatchRequest(4321, Request)->Code, EHttpServerResponseCodes::NotFound);
}

TEST_F(HttpServerModuleTest, DispatchRequestGivesUpOnAHandlerThatNeverAnswers)
{
	FHttpServerSettings Settings = MakeSettings();
	Settings.RequestTimeout = 50ms;
	Module = std::make_unique<FHttpServerModule>(GameThread, Settings);
	FHttpResultCallback Kept;
	Module->GetHttpRouter(EditorPort)->BindRoute("/hangs", Get, [&](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
		{
			Kept = OnComplete;
			return true;
		});

	FHttpServerRequest Request;
	Request.Verb = Get;
	Request.RelativePath = "/hangs";
	EXPECT_EQ(Module->DispatchRequest(EditorPort, Request)->Code, EHttpServerResponseCodes::ServerError);
	Kept(FHttpServerResponse::Create("too late", "text/plain"));
}

TEST_F(HttpServerModuleTest, StoppingTheModuleClosesOpenConnections)
{
	StartServer([](IHttpRouter& Router) { Router.BindRoute("/status", Get, Reply("ok")); });
	FTestHttpClient Client = MakeClient();
	ASSERT_EQ(Client.Request("GET", "/status")->Status, 200);

	OnGameThread([this] { Module->StopAllListeners(); });
	EXPECT_TRUE(Client.WaitForServerClose(1s));
	FTestHttpClient Late = MakeClient();
	EXPECT_FALSE(Late.Connect());
}
