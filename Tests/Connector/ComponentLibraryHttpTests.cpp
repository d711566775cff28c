#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Endpoints/ComponentLibraryEndpoints.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Objects/ClassDatabase.h"
#include "Python/PythonScriptPlugin.h"
#include "PythonLiteral.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	constexpr std::string_view MetadataFile = "Intermediate/Korvane/_kv_property_metadata.json";
	constexpr std::string_view ResultFile = "Intermediate/Korvane/_kv_enrich_component_library_result.json";

	std::string Condensed(const std::shared_ptr<FJsonObject>& Object)
	{
		return Object ? FJsonSerializer::SerializeCondensed(*Object) : std::string("(none)");
	}

	std::vector<std::string> Keys(const FJsonObject& Object)
	{
		std::vector<std::string> Names;
		for (const auto& [Key, Value] : Object.Values())
		{
			Names.push_back(Key);
		}
		return Names;
	}

	/** Object at a path of keys, or nullptr. */
	std::shared_ptr<FJsonObject> At(std::shared_ptr<FJsonObject> Object, std::initializer_list<std::string_view> Path)
	{
		for (const std::string_view Key : Path)
		{
			Object = Object ? Object->TryGetObjectField(Key) : nullptr;
		}
		return Object;
	}

	/** Runs a shipped resource script on an input file holding InputText, as the hand-off would, and returns the result file's text. */
	std::string RunShippedScript(FTestEditor& Editor, std::string_view Script, std::string_view InputGlobal, std::string_view InputText)
	{
		Editor.Project().WriteFile("input.json", InputText);
		const std::string ScriptPath = std::string(KORVANE_PLUGIN_DIR "/Resources/") + std::string(Script);
		IPythonScriptPlugin::Get()->ExecPythonCommand(std::string(InputGlobal) + " = " + PythonStringLiteral(Editor.Project().PathOf("input.json")) +
													  "\n__kv_result_path = " + PythonStringLiteral(Editor.Project().PathOf("result.json")) +
													  "\nexec(open(" + PythonStringLiteral(ScriptPath) + ", encoding='utf-8').read())");
		return Editor.Project().Exists("result.json") ? Editor.Project().ReadFile("result.json") : std::string("(no result)");
	}

	/** The demo project served with the connector and the embedded interpreter. */
	class ComponentLibraryOverHttp : public ::testing::Test
	{
	protected:
		void Start(bool bPython = true)
		{
			FTestEditorOptions Options = DemoProjectOptions();
			Options.bEmbeddedPython = bPython;
			Editor = std::make_unique<FTestEditor>(Options);
		}

		void ShipScript(std::string_view Script)
		{
			Editor->Project().WriteFile("Plugin/Resources/_kv_enrich_component_library.py", Script);
			Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor->Project().PathOf("Plugin/"), true);
		}

		std::string Post()
		{
			Editor->Serve();
			FTestHttpClient Client(Editor->Port(), std::chrono::seconds(30));
			const std::optional<FTestHttpResponse> Response = Client.Request("POST", "/korvane/components/library/enrich", "not read");
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> PostForObject()
		{
			const std::shared_ptr<FJsonObject> Answer = FJsonSerializer::DeserializeObject(Post());
			EXPECT_NE(Answer, nullptr);
			return Answer ? Answer : std::make_shared<FJsonObject>();
		}

		std::unique_ptr<FTestEditor> Editor;
	};
}

TEST(ToSnakeKey, JoinsWordsInLowerCaseAndDropsTheBooleanPrefix)
{
	EXPECT_EQ(ToSnakeKey("RelativeLocation"), "relative_location");
	EXPECT_EQ(ToSnakeKey("bHiddenInGame"), "hidden_in_game");
	EXPECT_EQ(ToSnakeKey("LODData"), "lod_data");
	EXPECT_EQ(ToSnakeKey("CCDSettings"), "ccd_settings");
	EXPECT_EQ(ToSnakeKey("Vector3D"), "vector3d");
	EXPECT_EQ(ToSnakeKey("b"), "b");
	EXPECT_EQ(ToSnakeKey("bX"), "x") << "longer than the prefix";
	EXPECT_EQ(ToSnakeKey("BIsOn"), "is_on") << "the prefix ignores case";
	EXPECT_EQ(ToSnakeKey("bb"), "bb");
	EXPECT_EQ(ToSnakeKey("Über"), "Über") << "only ASCII letters change case";
	EXPECT_EQ(ToSnakeKey(""), "");
}

TEST(WriteComponentPropertyMetadata, ListsEveryComponentClassWithItsInheritedProperties)
{
	FTestProject Project;
	FLogCapture Log;
	WriteComponentPropertyMetadata(Project.PathOf("metadata.json"));
	const std::string Text = Project.ReadFile("metadata.json");
	EXPECT_TRUE(Text.starts_with("{\r\n\t\"ActorComponent\":\r\n\t{\r\n\t\t\"isSceneComponent\": false,")) << "pretty-printed, tabs and CR LF";
	const std::shared_ptr<FJsonObject> Metadata = FJsonSerializer::DeserializeObject(Text);
	ASSERT_NE(Metadata, nullptr);

	std::vector<UClass*> Expected;
	GetDerivedClasses(FClassDatabase::Get().FindClass("/Script/Engine.ActorComponent"), Expected);
	ASSERT_EQ(Metadata->Num(), Expected.size() + 1);
	EXPECT_EQ(Keys(*Metadata).front(), "ActorComponent");
	EXPECT_EQ(Keys(*Metadata).at(1), Expected.front()->GetName());
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Property metadata gathered for " + std::to_string(Metadata->Num()) + " component classes"));

	const std::shared_ptr<FJsonObject> Light = Metadata->TryGetObjectField("PointLightComponent");
	ASSERT_NE(Light, nullptr);
	EXPECT_THAT(Keys(*Light), ElementsAre("isSceneComponent", "properties"));
	EXPECT_EQ(Light->TryGetBoolField("isSceneComponent"), true);
	const std::vector<std::string> LightKeys = Keys(*Light->TryGetObjectField("properties"));
	EXPECT_EQ(LightKeys.front(), "use_inverse_squared_falloff") << "own properties first";
	EXPECT_EQ(LightKeys.back(), "is_editor_only") << "ActorComponent's last";
	EXPECT_EQ(Condensed(At(Light, {"properties", "relative_location"})),
		R"({"category":"Transform","editable":true,"blueprintReadWrite":true,"replicated":true,"exposeOnSpawn":false})");
	EXPECT_EQ(Condensed(At(Light, {"properties", "absolute_location"})), R"({"editable":false,"blueprintReadWrite":false,"replicated":true,"exposeOnSpawn":false})")
		<< "no category without the metadata; the four flags always";
}

TEST_F(ComponentLibraryOverHttp, TheShippedScriptBuildsTheLibrary)
{
	Start();
	Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", KORVANE_PLUGIN_DIR "/", true);
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Answer = PostForObject();
	EXPECT_THAT(Keys(*Answer), ElementsAre("success", "componentCount", "propertyCount", "components")) << "the script's object alone";
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);

	const std::shared_ptr<FJsonObject> Metadata = FJsonSerializer::DeserializeObject(Editor->Project().ReadFile(MetadataFile));
	ASSERT_NE(Metadata, nullptr) << "the metadata file stays";
	EXPECT_EQ(Answer->TryGetNumberField("componentCount"), static_cast<double>(Metadata->Num()));
	EXPECT_FALSE(Editor->Project().Exists(ResultFile));

	const std::shared_ptr<FJsonObject> Light = At(Answer, {"components", "PointLightComponent"});
	EXPECT_THAT(Keys(*Light), ElementsAre("classPath", "parentClass", "isAbstract", "isSceneComponent", "properties"));
	EXPECT_EQ(Light->TryGetStringField("parentClass"), "LocalLightComponent");
	EXPECT_EQ(Light->TryGetBoolField("isAbstract"), false);
	EXPECT_EQ(At(Answer, {"components", "LightComponentBase"})->TryGetBoolField("isAbstract"), true);
	EXPECT_EQ(Condensed(At(Light, {"properties", "intensity"})),
		R"({"name":"Intensity","category":"Light","type":"real","subType":"float","cppType":"float","default":"3.141593",)"
		R"("editable":true,"blueprintReadWrite":true,"replicated":false,"exposeOnSpawn":false})");
	EXPECT_EQ(Condensed(At(Light, {"properties", "relative_location"})),
		R"({"name":"RelativeLocation","category":"Transform","type":"struct","subType":"Vector","cppType":"FVector",)"
		R"j("default":"(X=0.000000,Y=0.000000,Z=0.000000)","editable":true,"blueprintReadWrite":true,"replicated":true,"exposeOnSpawn":false})j");
	EXPECT_EQ(At(Light, {"properties", "visible"})->TryGetStringField("type"), "bool") << "a uint8 bit-field named bX is a bool";
	EXPECT_EQ(At(Answer, {"components", "ActorComponent"})->TryGetBoolField("isSceneComponent"), false);
	EXPECT_EQ(At(Answer, {"components", "ActorComponent", "properties", "component_tags"})->TryGetStringField("container"), "Array");

	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Component library enrichment complete"));
	EXPECT_TRUE(Editor->OnGameThread([]() {
		return IPythonScriptPlugin::Get()->ExecPythonCommand(
			"assert '_kv_enrich_component_library' not in globals() and __kv_metadata_path is None and __kv_result_path is None");
	}));
}

TEST_F(ComponentLibraryOverHttp, AMissingScriptLeavesTheMetadataFileWritten)
{
	Start();
	Editor->Host().GetPluginManager().AddPlugin("KorvaneConnector", Editor->Project().PathOf("Plugin/"), true);
	EXPECT_EQ(Post(), R"({"pythonAvailable":true,"success":false,"error":"Component library enrichment script not found at )" +
						  Editor->Project().PathOf("Intermediate/Korvane/_kv_enrich_component_library.py") + " or " +
						  Editor->Project().PathOf("Plugin/Resources/_kv_enrich_component_library.py") + "\"}");
	EXPECT_NE(FJsonSerializer::DeserializeObject(Editor->Project().ReadFile(MetadataFile)), nullptr);
}

TEST_F(ComponentLibraryOverHttp, AResultThatIsNotAnObjectIsDeletedAndReported)
{
	Start();
	ShipScript("open(__kv_result_path, 'w').write('[\"not\", \"an object\"]')\n");
	Editor->Project().WriteFile(ResultFile, R"({"success":true,"stale":true})");
	EXPECT_EQ(Post(), R"({"pythonAvailable":true,"success":false,"error":"Python script did not produce a valid result file. Check UE Output Log for errors."})");
	EXPECT_FALSE(Editor->Project().Exists(ResultFile));
	EXPECT_TRUE(Editor->Project().Exists(MetadataFile));
}

TEST_F(ComponentLibraryOverHttp, TheScriptSeesTheMetadataPathAndAnswersUnchanged)
{
	Start();
	ShipScript("import json\nopen(__kv_result_path, 'w').write(json.dumps({'read': __kv_metadata_path, 'pythonAvailable': 'the script\\'s own'}))\n");
	EXPECT_EQ(Post(), R"({"read":")" + Editor->Project().PathOf(MetadataFile) + R"(","pythonAvailable":"the script's own"})");
}

TEST_F(ComponentLibraryOverHttp, WithoutPythonNothingIsWritten)
{
	Start(false);
	EXPECT_EQ(Post(), R"({"pythonAvailable":false,"success":false,"error":"Python Editor Script Plugin is not enabled or Python is not initialized. )"
					  R"(Enable it in Edit > Plugins > Scripting > Python Editor Script Plugin, then restart the editor."})");
	EXPECT_FALSE(Editor->Project().Exists(MetadataFile));
}

TEST(ShippedScripts, InputTheyCannotReadIsAFailureWithItsReason)
{
	FTestEditorOptions Options;
	Options.bLoadConnector = false;
	Options.bEmbeddedPython = true;
	FTestEditor Editor(Options);
	EXPECT_EQ(RunShippedScript(Editor, "_kv_enrich.py", "__kv_payload_path", R"({"blueprintPath":"/Game/BP"})"),
		R"({"success": false, "error": "ValueError: the payload has no components list"})");
	EXPECT_EQ(RunShippedScript(Editor, "_kv_enrich.py", "__kv_payload_path", R"({"components":[{"name":"Gone","templatePath":"/Game/BP.BP:Gone_GEN_VARIABLE"},7]})"),
		R"({"success": true, "components": {}})")
		<< "a component without a template is left out";
	EXPECT_EQ(RunShippedScript(Editor, "_kv_enrich_component_library.py", "__kv_metadata_path", "[1, 2]"),
		R"({"success": false, "error": "ValueError: the property metadata is not an object of component classes"})");
	EXPECT_THAT(RunShippedScript(Editor, "_kv_enrich_component_library.py", "__kv_metadata_path", "not json"), HasSubstr(R"({"success": false, "error": "JSONDecodeError: )"));
	EXPECT_EQ(RunShippedScript(Editor, "_kv_enrich_component_library.py", "__kv_metadata_path", R"({"MadeUpComponent":{"isSceneComponent":true,"properties":{"size":{"editable":true}}}})"),
		R"({"success": true, "componentCount": 1, "propertyCount": 1, "components": {"MadeUpComponent": {"isSceneComponent": true, "properties": {"size": )"
		R"({"editable": true, "blueprintReadWrite": false, "replicated": false, "exposeOnSpawn": false}}}}})")
		<< "a class the editor does not know keeps what the metadata says";
	EXPECT_TRUE(IPythonScriptPlugin::Get()->ExecPythonCommand("assert '_kv_enrich' not in globals() and '_kv_enrich_component_library' not in globals()"));
}
