#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonSerializer.h"
#include "KorvaneConnectorModule.h"
#include "PendingPickupStore.h"
#include "RouteTable.h"

#include <gtest/gtest.h>

namespace
{
	class RoutesOverHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		FTestHttpResponse Send(std::string_view Method, std::string_view Path, std::string_view Body = {}, const FTestHttpHeaders& Headers = {})
		{
			std::optional<FTestHttpResponse> Response = Client->Request(Method, Path, Body, Headers);
			if (!Response)
			{
				ADD_FAILURE() << "no response to " << Method << " " << Path;
				return {};
			}
			return *Response;
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};

	std::string_view VerbName(EHttpServerRequestVerbs Verb)
	{
		return Verb == EHttpServerRequestVerbs::VERB_GET ? "GET" : "POST";
	}
}

TEST_F(RoutesOverHttp, EveryRouteOfTheTableAnswersJsonWith200)
{
	ASSERT_EQ(GetRouteTable().size(), 53u);
	for (const FRouteTableRow& Row : GetRouteTable())
	{
		const FTestHttpResponse Response = Send(VerbName(Row.Verb), Row.Path, Row.TakesBody() ? "{}" : "");
		EXPECT_EQ(Response.Status, 200) << Row.Path;
		EXPECT_EQ(Response.Header("content-type"), "application/json") << Row.Path;
		EXPECT_NE(FJsonSerializer::DeserializeObject(Response.Body), nullptr) << Row.Path << ": " << Response.Body;
		EXPECT_EQ(Response.Body.find_first_of("\r\n\t"), std::string::npos) << Row.Path;
	}
}

TEST_F(RoutesOverHttp, GraphRoutesAnswerTheirNoticeWhateverTheBody)
{
	const std::string Notice = "{\"notice\":\"Returns class-level metadata only \xE2\x80\x94 graph traversal is not exposed by this endpoint.\"}";
	for (const char* Path : {"/korvane/animbps/graph", "/korvane/metasounds/graph", "/korvane/niagara/graph"})
	{
		EXPECT_EQ(Send("POST", Path, "").Body, Notice) << Path;
		EXPECT_EQ(Send("POST", Path, "not json [").Body, Notice) << Path;
		EXPECT_EQ(Send("POST", Path, R"({"path":"/Game/Hero"})").Body, Notice) << Path;
	}
}

TEST_F(RoutesOverHttp, BodiesThatAreNotOneJsonObjectAreInvalid)
{
	EXPECT_EQ(Send("POST", "/korvane/asset/details", "").Body, R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(Send("POST", "/korvane/asset/details", R"([{"path":"/Game/A"}])").Body, R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(Send("POST", "/korvane/asset/details", "{\"path\":").Body, R"({"error":"Invalid JSON body"})");
}

TEST_F(RoutesOverHttp, HostAnswersForUnboundPathsOtherVerbsAndForeignCallers)
{
	EXPECT_EQ(Send("GET", "/korvane/nothing-here").Status, 404);
	EXPECT_EQ(Send("GET", "/Korvane/status").Status, 404);
	EXPECT_EQ(Send("GET", "/korvane/clipboard/get").Status, 405);
	EXPECT_EQ(Send("POST", "/korvane/status").Status, 405);
	EXPECT_EQ(Send("GET", "/korvane/status?x=1").Status, 200);
	EXPECT_EQ(Send("GET", "/korvane/status", {}, {{"Host", "evil.example:30010"}}).Status, 403);
	EXPECT_EQ(Send("GET", "/korvane/status", {}, {{"Origin", "https://evil.example"}}).Status, 403);
	EXPECT_EQ(Send("GET", "/korvane/status", {}, {{"Origin", "http://localhost:5173"}}).Status, 200);
}

TEST_F(RoutesOverHttp, OversizedBodyIsRefusedWith413)
{
	FTestHttpClient Raw(Editor.Port());
	ASSERT_TRUE(Raw.SendRaw("POST /korvane/clipboard/set HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 300000000\r\n\r\n"));
	const std::optional<FTestHttpResponse> Response = Raw.ReadResponse();
	ASSERT_TRUE(Response.has_value());
	EXPECT_EQ(Response->Status, 413);
}

TEST_F(RoutesOverHttp, KeepAliveServesManyRequestsOnOneConnection)
{
	for (int Index = 0; Index < 20; ++Index)
	{
		EXPECT_EQ(Send("GET", "/korvane/status").Status, 200);
		EXPECT_TRUE(Client->IsConnected());
	}
	EXPECT_FALSE(Client->WasClosedByServer());
}

TEST_F(RoutesOverHttp, StatusReportsTheEditorAndThePendingFlags)
{
	EXPECT_EQ(Send("GET", "/korvane/status").Body,
		R"({"connected":true,"pluginVersion":"1.0.0","engineVersion":"5.7.0","projectName":"TestProject","port":30010,)"
		R"("pythonAvailable":false,"blueprintPending":false,"materialPending":false,"widgetPending":false,"controlRigPending":false})");

	auto Payload = std::make_shared<FJsonObject>();
	Payload->SetStringField("name", "BP_Door");
	Editor.OnGameThread([&]() { SetPendingBlueprint(Payload); });
	EXPECT_NE(Send("GET", "/korvane/status").Body.find(R"("blueprintPending":true,"materialPending":false)"), std::string::npos);

	EXPECT_EQ(Send("GET", "/korvane/blueprint/pending").Body, R"({"name":"BP_Door","pending":true})");
	EXPECT_EQ(Send("GET", "/korvane/blueprint/pending").Body, R"({"pending":false})");
	EXPECT_NE(Send("GET", "/korvane/status").Body.find(R"("blueprintPending":false)"), std::string::npos);
}

TEST_F(RoutesOverHttp, EachPendingRouteTakesItsOwnSlot)
{
	Editor.OnGameThread([]() {
		for (const auto& [Setter, Name] : {std::pair{&SetPendingMaterial, "M_Rock"}, std::pair{&SetPendingWidget, "WBP_Menu"}, std::pair{&SetPendingControlRig, "CR_Hand"}})
		{
			auto Payload = std::make_shared<FJsonObject>();
			Payload->SetStringField("name", Name);
			Setter(Payload);
		}
	});
	EXPECT_EQ(Send("GET", "/korvane/widget/pending").Body, R"({"name":"WBP_Menu","pending":true})");
	EXPECT_NE(Send("GET", "/korvane/status").Body.find(R"("materialPending":true,"widgetPending":false,"controlRigPending":true)"), std::string::npos);
	EXPECT_EQ(Send("GET", "/korvane/controlrig/pending").Body, R"({"name":"CR_Hand","pending":true})");
	EXPECT_EQ(Send("GET", "/korvane/material/pending").Body, R"({"name":"M_Rock","pending":true})");
	EXPECT_EQ(Send("GET", "/korvane/blueprint/pending").Body, R"({"pending":false})");
}

TEST_F(RoutesOverHttp, FallbackMcpRouteAnswersOnceBound)
{
	EXPECT_EQ(Send("GET", "/korvane/mcp").Status, 405);
	EXPECT_EQ(Send("GET", "/korvane/mcp").Body, "");
	const FTestHttpResponse Post = Send("POST", "/korvane/mcp", R"({"jsonrpc":"2.0","id":7,"method":"ping"})");
	EXPECT_EQ(Post.Status, 200);
	EXPECT_EQ(Post.Header("content-type"), "application/json");
	EXPECT_EQ(Post.Body, "{\r\n\t\"jsonrpc\": \"2.0\",\r\n\t\"id\": 7,\r\n\t\"result\":\r\n\t{\r\n\t}\r\n}");

	Editor.OnGameThread([&]() { Editor.Connector()->UnbindFallbackMcpRoute(); });
	EXPECT_EQ(Send("GET", "/korvane/mcp").Status, 404);
	EXPECT_EQ(Send("POST", "/korvane/mcp", "{}").Status, 404);
}

TEST(RoutesOverHttpLifecycle, RoutesAreGoneAfterShutdown)
{
	FTestEditor Editor;
	Editor.Serve();
	FTestHttpClient Client(Editor.Port());
	ASSERT_EQ(Client.Request("GET", "/korvane/status")->Status, 200);
	Editor.OnGameThread([&]() { Editor.Host().GetModuleManager().UnloadModule("KorvaneConnector"); });
	EXPECT_EQ(Client.Request("GET", "/korvane/status")->Status, 404);
	EXPECT_EQ(Client.Request("GET", "/korvane/mcp")->Status, 404);
}

TEST(RoutesOverHttpDemoProject, StatusNamesTheDemoProject)
{
	FTestEditorOptions Options;
	Options.bDemoProject = true;
	FTestEditor Editor(Options);
	Editor.Serve();
	FTestHttpClient Client(Editor.Port());
	const std::optional<FTestHttpResponse> Response = Client.Request("GET", "/korvane/status");
	ASSERT_TRUE(Response.has_value());
	EXPECT_NE(Response->Body.find(R"("projectName":"DemoProject")"), std::string::npos) << Response->Body;
}
