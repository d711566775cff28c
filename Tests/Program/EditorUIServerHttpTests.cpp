#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Editor/AssetEditorSubsystem.h"
#include "Editor/EditorEngine.h"
#include "EditorUI/EditorUIServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>

using ::testing::HasSubstr;

namespace
{
	/** The demo project's editor with its UI served on a free port. */
	class EditorUIOverHttp : public ::testing::Test
	{
	protected:
		EditorUIOverHttp() : Editor(DemoProjectOptions())
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Server = std::make_unique<FEditorUIServer>(Editor.Host().GetHttpServer().GetHttpRouter(FEditorHost::EditorUiPort), Editor.Host().GetGameThread(),
				KORVANE_EDITOR_UI_PAGE_DIR, nullptr);
			Editor.Serve();
			UiPort = Editor.Host().GetHttpServer().GetBoundPort(FEditorHost::EditorUiPort).value_or(0);
			Client = std::make_unique<FTestHttpClient>(UiPort);
		}

		~EditorUIOverHttp() override
		{
			Editor.OnGameThread([this]() { Server.reset(); });
		}

		std::shared_ptr<FJsonObject> GetJson(std::string_view Path, FTestHttpClient& Using)
		{
			const std::optional<FTestHttpResponse> Response = Using.Request("GET", Path);
			EXPECT_TRUE(Response && Response->Status == 200) << Path;
			return Response ? FJsonSerializer::DeserializeObject(Response->Body) : nullptr;
		}

		std::shared_ptr<FJsonObject> Act(std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/ui/action", Body, {{"Content-Type", "application/json"}});
			EXPECT_TRUE(Response && Response->Status == 200) << Body;
			return Response ? FJsonSerializer::DeserializeObject(Response->Body) : nullptr;
		}

		static std::string ErrorOf(const std::shared_ptr<FJsonObject>& Result)
		{
			EXPECT_TRUE(Result && Result->TryGetBoolField("success") == false);
			return Result ? Result->TryGetStringField("error").value_or("") : "";
		}

		FTestEditor Editor;
		std::unique_ptr<FEditorUIServer> Server;
		uint16_t UiPort = 0;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(EditorUIOverHttp, ServesThePageFilesUncachedAndNothingElse)
{
	const std::optional<FTestHttpResponse> Index = Client->Request("GET", "/");
	ASSERT_TRUE(Index.has_value());
	EXPECT_EQ(Index->Status, 200);
	EXPECT_EQ(Index->Header("content-type"), "text/html; charset=utf-8");
	EXPECT_EQ(Index->Header("cache-control"), "no-store");
	EXPECT_THAT(Index->Body, HasSubstr("<script src=\"editor.js\""));
	EXPECT_EQ(Client->Request("GET", "/index.html")->Body, Index->Body);

	const std::optional<FTestHttpResponse> Script = Client->Request("GET", "/editor.js");
	EXPECT_EQ(Script->Header("content-type"), "text/javascript; charset=utf-8");
	EXPECT_EQ(Client->Request("GET", "/editor.css")->Header("content-type"), "text/css; charset=utf-8");
	for (const char* Outside : {"/../CMakeLists.txt", "/EditorUIPage/index.html", "/korvane/status", "/ui/icon?styleSet=None&brush=None"})
	{
		EXPECT_EQ(Client->Request("GET", Outside)->Status, 404) << Outside;
	}
	EXPECT_EQ(Client->Request("POST", "/editor.js")->Status, 405);
}

TEST_F(EditorUIOverHttp, RefusesForeignHostsAndOriginsLikeEveryPort)
{
	EXPECT_EQ(Client->Request("GET", "/", {}, {{"Host", "attacker.example"}})->Status, 403);
	EXPECT_EQ(Client->Request("GET", "/ui/view", {}, {{"Host", "attacker.example:" + std::to_string(UiPort)}})->Status, 403);
	const std::string Open = R"({"action":"openAsset","path":"/Game/Blueprints/BP_Campfire"})";
	EXPECT_EQ(Client->Request("POST", "/ui/action", Open, {{"Origin", "http://attacker.example"}})->Status, 403);
	EXPECT_EQ(Client->Request("POST", "/ui/action", Open, {{"Origin", "null"}})->Status, 403);
	EXPECT_TRUE(Editor.OnGameThread([]() { return GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetAllOpenEditors().empty(); }))
		<< "a refused action does not run";

	const std::optional<FTestHttpResponse> FromThePage = Client->Request("POST", "/ui/action", Open, {{"Origin", "http://127.0.0.1:" + std::to_string(UiPort)}});
	EXPECT_EQ(FromThePage->Status, 200);
	EXPECT_THAT(FromThePage->Body, HasSubstr(R"("success":true)"));
}

TEST_F(EditorUIOverHttp, ViewAnswersAtOnceThenWaitsForTheNextChange)
{
	const std::shared_ptr<FJsonObject> First = GetJson("/ui/view", *Client);
	ASSERT_NE(First, nullptr);
	const std::string Instance = First->TryGetStringField("instance").value_or("");
	const int64_t Revision = First->TryGetInt64Field("revision").value_or(0);
	EXPECT_EQ(Instance.size(), 32u);
	EXPECT_GE(Revision, 1);
	const std::shared_ptr<FJsonObject> State = First->TryGetObjectField("state");
	ASSERT_NE(State, nullptr);
	EXPECT_EQ(State->TryGetStringField("projectName"), "DemoProject");
	EXPECT_THAT(FJsonSerializer::SerializeCondensed(*State->TryGetObjectField("contentBrowser")),
		HasSubstr(R"({"name":"BP_Campfire","path":"/Game/Blueprints/BP_Campfire.BP_Campfire","folder":"/Game/Blueprints","class":"Blueprint"})"));

	// A reader that is up to date waits; an action's effect answers it.
	FTestHttpClient Waiting(UiPort, std::chrono::seconds(20));
	const std::string Query = "/ui/view?instance=" + Instance + "&after=" + std::to_string(Revision);
	std::future<std::shared_ptr<FJsonObject>> Next = std::async(std::launch::async, [&]() { return GetJson(Query, Waiting); });
	EXPECT_EQ(Next.wait_for(std::chrono::milliseconds(600)), std::future_status::timeout) << "nothing changed yet";
	EXPECT_EQ(Act(R"({"action":"openAsset","path":"/Game/Blueprints/BP_Campfire"})")->TryGetBoolField("success"), true);
	ASSERT_EQ(Next.wait_for(std::chrono::seconds(5)), std::future_status::ready);
	const std::shared_ptr<FJsonObject> Changed = Next.get();
	ASSERT_NE(Changed, nullptr);
	EXPECT_GT(Changed->TryGetInt64Field("revision").value_or(0), Revision);
	EXPECT_THAT(FJsonSerializer::SerializeCondensed(*Changed), HasSubstr(R"("assetName":"BP_Campfire")"));

	// A page from another run of the editor (or with nonsense in its query) is answered at once.
	for (const std::string& Stale : std::vector<std::string>{"/ui/view?instance=0123&after=99", "/ui/view?instance=" + Instance + "&after=-5", "/ui/view?after=99999999999999999999999"})
	{
		const auto Start = std::chrono::steady_clock::now();
		const std::shared_ptr<FJsonObject> Answer = GetJson(Stale, *Client);
		EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(2)) << Stale;
		EXPECT_EQ(Answer ? Answer->TryGetStringField("instance") : std::nullopt, Instance);
	}
}

TEST_F(EditorUIOverHttp, BadActionsGetClearErrorsAndRunNothing)
{
	const std::optional<FTestHttpResponse> NotJson = Client->Request("POST", "/ui/action", "{\"action\":");
	EXPECT_EQ(NotJson->Status, 400);
	EXPECT_EQ(NotJson->Body, R"({"success":false,"error":"The action is not a JSON object."})");
	EXPECT_EQ(Client->Request("POST", "/ui/action", "[]")->Status, 400);
	EXPECT_EQ(ErrorOf(Act(R"({"id":"m1"})")), "Missing field 'action'.");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"openAsset"})")), "Missing field 'path'.");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"openAsset","path":"/Game/Nope"})")), "No asset at /Game/Nope.");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"openAsset","path":"../../etc/passwd"})")), "No asset at ../../etc/passwd.");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"console","command":"Frobnicate now"})")), "Command not recognized: Frobnicate now");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"console","command":"   "})")), "Type a console command (\"help\" lists them).");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"console","command":7})")), "Missing field 'command'.");
	// One line only: a line break must not smuggle a second command in.
	EXPECT_EQ(ErrorOf(Act(R"({"action":"console","command":"AssetEditor.List\nAssetEditor.Open /Game/Blueprints/BP_Campfire"})")),
		"A console command is one line of text, without control characters.");
	EXPECT_EQ(ErrorOf(Act(R"({"action":"console","command":")" + std::string(5000, 'x') + "\"}")), "That command is too long (at most 4096 bytes).");
	EXPECT_TRUE(Editor.OnGameThread([]() { return GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetAllOpenEditors().empty(); }));

	EXPECT_EQ(Act(R"({"action":"console","command":" AssetEditor.Open /Game/Blueprints/BP_Campfire "})")->TryGetBoolField("success"), true);
	EXPECT_EQ(Editor.OnGameThread([]() { return GEditor->GetEditorSubsystem<UAssetEditorSubsystem>()->GetAllOpenEditors().size(); }), 1u);
}

TEST_F(EditorUIOverHttp, OutputLogIsReadOnwardsFromANumber)
{
	Act(R"({"action":"console","command":"Frobnicate"})");
	const std::shared_ptr<FJsonObject> All = GetJson("/ui/log?after=0", *Client);
	ASSERT_NE(All, nullptr);
	const std::string Text = FJsonSerializer::SerializeCondensed(*All);
	EXPECT_THAT(Text, HasSubstr(R"("category":"LogEditorUI","verbosity":"Display","message":"Cmd: Frobnicate"})"));
	EXPECT_THAT(Text, HasSubstr(R"("category":"LogEditorUI","verbosity":"Warning","message":"Command not recognized: Frobnicate"})"));

	const int64_t Last = All->TryGetInt64Field("last").value_or(0);
	const std::shared_ptr<FJsonObject> Rest = GetJson("/ui/log?after=" + std::to_string(Last), *Client);
	EXPECT_TRUE(Rest && Rest->TryGetArrayField("lines")->empty());
	Act(R"({"action":"console","command":"help"})");
	const std::shared_ptr<FJsonObject> Later = GetJson("/ui/log?after=" + std::to_string(Last), *Client);
	ASSERT_NE(Later, nullptr);
	const FJsonValueArray& Lines = *Later->TryGetArrayField("lines");
	ASSERT_FALSE(Lines.empty());
	EXPECT_EQ(Lines.front().TryGetObject()->TryGetInt64Field("seq"), Last + 1);
	EXPECT_EQ(Lines.front().TryGetObject()->TryGetStringField("message"), "Cmd: help");
}
