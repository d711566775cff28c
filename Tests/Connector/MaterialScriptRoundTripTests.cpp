#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

using ::testing::HasSubstr;

namespace
{
	/** The demo project served with the real interpreter and the plug-in's own resource scripts. */
	class MaterialScriptsOverHttp : public ::testing::Test
	{
	protected:
		MaterialScriptsOverHttp()
		{
			FTestEditorOptions Options = DemoProjectOptions();
			Options.bEmbeddedPython = true;
			Options.ConnectorPluginDir = std::string(KORVANE_PLUGIN_DIR) + "/";
			Editor = std::make_unique<FTestEditor>(std::move(Options));
			Editor->Serve();
			Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(60));
		}

		std::shared_ptr<FJsonObject> Post(std::string_view Path, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Path, Body);
			EXPECT_TRUE(Response.has_value());
			std::shared_ptr<FJsonObject> Object = Response ? FJsonSerializer::DeserializeObject(Response->Body) : nullptr;
			EXPECT_NE(Object, nullptr) << (Response ? Response->Body : std::string("(no answer)"));
			return Object ? Object : std::make_shared<FJsonObject>();
		}

		std::shared_ptr<FJsonObject> Enrich(std::string_view MaterialPath)
		{
			return Post("/korvane/material/enrich", R"({"materialPath":")" + std::string(MaterialPath) + R"("})");
		}

		/** What a material is, without the fields that name it: what a deploy under another name must give again. */
		static std::string Description(FJsonObject Answer)
		{
			for (const char* Key : {"material", "pythonAvailable"})
			{
				Answer.RemoveField(Key);
			}
			return FJsonSerializer::SerializeCondensed(Answer);
		}

		std::unique_ptr<FTestEditor> Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(MaterialScriptsOverHttp, EnrichDescribesTheMastersGraph)
{
	const std::shared_ptr<FJsonObject> Answer = Enrich("/Game/Materials/M_Master.M_Master");
	EXPECT_EQ(Answer->TryGetBoolField("success"), true) << FJsonSerializer::SerializeCondensed(*Answer);
	EXPECT_EQ(Answer->TryGetBoolField("pythonAvailable"), true);
	EXPECT_EQ(Answer->TryGetStringField("material"), "/Game/Materials/M_Master.M_Master");
	const std::string Text = FJsonSerializer::SerializeCondensed(*Answer);
	EXPECT_THAT(Text, HasSubstr(R"("class":"/Script/Engine.MaterialExpressionCustom")"));
	EXPECT_THAT(Text, HasSubstr(R"({"pin":"BaseColor","fromExpressionName":"MaterialExpressionCustom_0","fromOutputName":""})"));
	EXPECT_THAT(Text, HasSubstr(R"("functions":["/Game/Materials/Functions/MF_Tint.MF_Tint"])"));
	EXPECT_THAT(Text, HasSubstr("/Game/Textures/T_Checker.T_Checker"));
	EXPECT_THAT(Text, HasSubstr(R"("compileErrors":[])"));
	ASSERT_NE(Answer->TryGetArrayField("expressions"), nullptr);
	EXPECT_EQ(Answer->TryGetArrayField("expressions")->size(), 16u);
	ASSERT_NE(Answer->TryGetArrayField("comments"), nullptr);
	EXPECT_EQ(Answer->TryGetArrayField("comments")->size(), 2u);

	const std::shared_ptr<FJsonObject> Broken = Enrich("/Game/Materials/Special/M_Broken.M_Broken");
	ASSERT_NE(Broken->TryGetArrayField("compileErrors"), nullptr);
	EXPECT_FALSE(Broken->TryGetArrayField("compileErrors")->empty());

	const std::shared_ptr<FJsonObject> Missing = Enrich("/Game/Materials/M_Nowhere.M_Nowhere");
	EXPECT_EQ(Missing->TryGetBoolField("success"), false);
	EXPECT_EQ(Missing->TryGetStringField("error"), "Material not found: /Game/Materials/M_Nowhere.M_Nowhere");
}

TEST_F(MaterialScriptsOverHttp, AMaterialEnrichedAndDeployedUnderAnotherNameEnrichesTheSame)
{
	for (const char* Source : {"/Game/Materials/M_Master.M_Master", "/Game/Materials/Special/M_Foliage_Masked.M_Foliage_Masked",
			 "/Game/Materials/Special/M_Glass_2DOffset.M_Glass_2DOffset", "/Game/Materials/M_LayeredGround.M_LayeredGround"})
	{
		const std::shared_ptr<FJsonObject> Original = Enrich(Source);
		ASSERT_EQ(Original->TryGetBoolField("success"), true) << Source;

		FJsonObject Request = *Original;
		Request.SetStringField("name", "M_Copy");
		Request.SetStringField("path", "/Game/Copies");
		const std::shared_ptr<FJsonObject> Deployed = Post("/korvane/material/deploy", FJsonSerializer::SerializeCondensed(Request));
		EXPECT_EQ(Deployed->TryGetBoolField("success"), true) << FJsonSerializer::SerializeCondensed(*Deployed);
		EXPECT_EQ(Deployed->TryGetStringField("material"), "/Game/Copies/M_Copy.M_Copy");
		ASSERT_NE(Deployed->TryGetArrayField("failures"), nullptr);
		EXPECT_TRUE(Deployed->TryGetArrayField("failures")->empty()) << FJsonSerializer::SerializeCondensed(*Deployed);
		EXPECT_EQ(Deployed->TryGetBoolField("saved"), true);
		EXPECT_TRUE(Editor->Project().Exists("Content/Copies/M_Copy.asset.json"));

		const std::shared_ptr<FJsonObject> Copy = Enrich("/Game/Copies/M_Copy.M_Copy");
		EXPECT_EQ(Description(*Copy), Description(*Original)) << Source;
	}
}

TEST_F(MaterialScriptsOverHttp, DeployRefusesWhatItCannotBuildAndChangesNothing)
{
	const auto ErrorOf = [this](std::string_view Body) {
		const std::shared_ptr<FJsonObject> Answer = Post("/korvane/material/deploy", Body);
		EXPECT_EQ(Answer->TryGetBoolField("success"), false) << Body;
		return Answer->TryGetStringField("error").value_or("(no error)");
	};
	EXPECT_EQ(ErrorOf(R"({"name":"M Bad"})"), "Invalid material name: the name 'M Bad' holds the character ' ', which names cannot hold");
	const std::string Before = Editor->Project().ReadFile("Content/Props/Materials/M_Crate.asset.json");
	EXPECT_EQ(ErrorOf(R"({"name":"SM_Crate","path":"/Game/Props"})"), "An asset of class StaticMesh is already at /Game/Props/SM_Crate.SM_Crate");
	EXPECT_EQ(ErrorOf(R"({"name":"M_Crate","path":"/Game/Props/Materials","expressions":[{"class":"/Script/Engine.MaterialExpressionNoSuchThing"}]})"),
		"Unknown material expression class '/Script/Engine.MaterialExpressionNoSuchThing'");
	EXPECT_EQ(Editor->Project().ReadFile("Content/Props/Materials/M_Crate.asset.json"), Before);
	EXPECT_EQ(ErrorOf(R"({"name":"M_Far","path":"/Engine/Materials"})"), "Materials are deployed under /Game, not to '/Engine/Materials'");
}
