#include "FallbackMcpTools.h"

#include "Core/JsonObject.h"

#include <memory>
#include <string>

namespace
{
	std::shared_ptr<FJsonObject> Property(std::string Type, std::string Description)
	{
		auto Schema = std::make_shared<FJsonObject>();
		Schema->SetStringField("type", std::move(Type));
		Schema->SetStringField("description", std::move(Description));
		return Schema;
	}

	std::shared_ptr<FJsonObject> StringArrayProperty(std::string Description)
	{
		auto Items = std::make_shared<FJsonObject>();
		Items->SetStringField("type", "string");
		auto Schema = std::make_shared<FJsonObject>();
		Schema->SetStringField("type", "array");
		Schema->SetObjectField("items", std::move(Items));
		Schema->SetStringField("description", std::move(Description));
		return Schema;
	}

	struct FToolProperty
	{
		std::string Name;
		std::shared_ptr<FJsonObject> Schema;
	};

	FJsonValue Tool(std::string Name, std::string Description, std::vector<FToolProperty> Properties, std::vector<std::string> Required = {})
	{
		auto PropertyObject = std::make_shared<FJsonObject>();
		for (FToolProperty& Entry : Properties)
		{
			PropertyObject->SetObjectField(Entry.Name, std::move(Entry.Schema));
		}
		auto InputSchema = std::make_shared<FJsonObject>();
		InputSchema->SetStringField("type", "object");
		InputSchema->SetObjectField("properties", std::move(PropertyObject));
		if (!Required.empty())
		{
			FJsonValueArray RequiredNames;
			for (std::string& RequiredName : Required)
			{
				RequiredNames.emplace_back(std::move(RequiredName));
			}
			InputSchema->SetArrayField("required", std::move(RequiredNames));
		}
		auto ToolObject = std::make_shared<FJsonObject>();
		ToolObject->SetStringField("name", std::move(Name));
		ToolObject->SetStringField("description", std::move(Description));
		ToolObject->SetObjectField("inputSchema", std::move(InputSchema));
		return FJsonValue(std::move(ToolObject));
	}

	FJsonValueArray MakeFallbackMcpToolList()
	{
		FJsonValueArray Tools;
		Tools.push_back(Tool("send_to_korvane",
			"Send a Blueprint's graphs to the Korvane desktop app for visual editing, review or annotation. The Blueprint is queued on the connector; the "
			"Korvane app picks it up within a few seconds if it is running and connected. Returns a JSON result string.",
			{{"blueprint_path", Property("string", "Asset path of the Blueprint, e.g. '/Game/Blueprints/BP_MyActor'. Leave empty to send the Blueprint whose editor tab "
													"is in the foreground.")}}));
		Tools.push_back(Tool("send_material_to_korvane",
			"Send a Material's node graph and settings to the Korvane desktop app for visual editing or review. Queued on the connector; the Korvane app picks "
			"it up within a few seconds if it is running and connected. Returns a JSON result string.",
			{{"material_path", Property("string", "Asset path of the Material, e.g. '/Game/Materials/M_MyMaterial'. Leave empty to send the Material whose editor tab "
												   "is in the foreground.")},
				{"bundle_textures", Property("boolean", "Also embed referenced texture payloads (heavier; use when the receiving project lacks the textures). Default "
														"false.")}}));
		Tools.push_back(Tool("compile_blueprint",
			"Compile a Blueprint and report the compiler results: status, error/warning counts, and individual compiler messages. Use this to VERIFY a Blueprint "
			"after deploying or editing it - success means it compiles cleanly in this engine. Returns a JSON string.",
			{{"blueprint_path", Property("string", "Asset path of the Blueprint to compile, e.g. '/Game/Blueprints/BP_MyActor'.")}}, {"blueprint_path"}));
		Tools.push_back(Tool("check_assets_exist",
			"Check whether assets exist at the given paths (asset registry lookup - fast, nothing is loaded). Use to verify asset references in a graph before "
			"deploying it. Returns a JSON string.",
			{{"asset_paths", StringArrayProperty("Asset object paths ('/Game/Foo.Foo') or bare package paths ('/Game/Foo').")}}, {"asset_paths"}));
		Tools.push_back(Tool("get_korvane_status",
			"Korvane connector status: plugin/engine version, project name, port, Python availability, and whether data is pending pickup. Returns a JSON "
			"string.",
			{}));
		return Tools;
	}
}

const FJsonValueArray& GetFallbackMcpToolList()
{
	static const FJsonValueArray Tools = MakeFallbackMcpToolList();
	return Tools;
}
