#include "Core/JsonSerializer.h"
#include "RequestConventions.h"

#include <gtest/gtest.h>

TEST(IsValidAssetPath, AcceptsTheThreeRootsInAnyCase)
{
	EXPECT_TRUE(IsValidAssetPath("/Game/Blueprints/BP_Door"));
	EXPECT_TRUE(IsValidAssetPath("/game/blueprints/BP_Door.BP_Door"));
	EXPECT_TRUE(IsValidAssetPath("/Engine/BasicShapes/Cube"));
	EXPECT_TRUE(IsValidAssetPath("/Script/Engine.Blueprint"));
	EXPECT_TRUE(IsValidAssetPath("/Game/"));
}

TEST(IsValidAssetPath, RefusesEmptyParentStepsAndOtherRoots)
{
	EXPECT_FALSE(IsValidAssetPath(""));
	EXPECT_FALSE(IsValidAssetPath("/Game"));
	EXPECT_FALSE(IsValidAssetPath("Game/Foo"));
	EXPECT_FALSE(IsValidAssetPath("/Game/../Secrets"));
	EXPECT_FALSE(IsValidAssetPath("/Game/a..b"));
	EXPECT_FALSE(IsValidAssetPath("/Other/Foo"));
	EXPECT_FALSE(IsValidAssetPath(" /Game/Foo"));
}

TEST(ReadBodyText, CutsAtTheFirstZeroByteAndReplacesMalformedUtf8)
{
	FHttpServerRequest Request;
	Request.Body = std::string("abc\0def", 7);
	EXPECT_EQ(ReadBodyText(Request), "abc");

	Request.Body = "caf\xc3\xa9 \xff ok \xe2\x82";
	EXPECT_EQ(ReadBodyText(Request), "caf\xc3\xa9 ? ok ??");

	Request.Body.clear();
	EXPECT_EQ(ReadBodyText(Request), "");
}

TEST(ParseJsonBody, OnlyASingleObjectParses)
{
	EXPECT_NE(ParseJsonBody(R"({"path":"/Game/A"})"), nullptr);
	EXPECT_NE(ParseJsonBody(" {} \n"), nullptr);
	EXPECT_EQ(ParseJsonBody(""), nullptr);
	EXPECT_EQ(ParseJsonBody("[]"), nullptr);
	EXPECT_EQ(ParseJsonBody(R"("text")"), nullptr);
	EXPECT_EQ(ParseJsonBody("{} {}"), nullptr);
	EXPECT_EQ(ParseJsonBody("{\"a\":1"), nullptr);
}

TEST(SendJsonResponse, AnswersCondensedJsonWithStatus200)
{
	FJsonObject Object;
	Object.SetStringField("text", "line\nbreak\ttab");
	Object.SetNumberField("port", 30010);
	Object.SetNumberField("ratio", 0.1);
	std::unique_ptr<FHttpServerResponse> Sent;
	int Calls = 0;
	SendJsonResponse(Object, [&](std::unique_ptr<FHttpServerResponse> Response) {
		Sent = std::move(Response);
		++Calls;
	});
	ASSERT_EQ(Calls, 1);
	EXPECT_EQ(Sent->Code, EHttpServerResponseCodes::Ok);
	EXPECT_EQ(Sent->Headers.at("content-type"), "application/json");
	EXPECT_EQ(Sent->Body, R"({"text":"line\nbreak\ttab","port":30010,"ratio":0.10000000000000001})");
}

TEST(ResponseShapes, ErrorAndFailureObjects)
{
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*MakeErrorResponse("Invalid asset path")), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(FJsonSerializer::SerializeCondensed(*MakeFailureResponse("Missing 'text' field in request body")),
		R"({"success":false,"error":"Missing 'text' field in request body"})");
	EXPECT_EQ(MissingFieldMessage("blueprintPath"), "Missing 'blueprintPath' field");
}
