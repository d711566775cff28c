#pragma once

#include "Support/FakePythonScriptPlugin.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetBlueprint.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

/** A canvas holding one text block: the smallest designer copy with a slot. */
inline constexpr std::string_view CanvasWithTitle =
	"Begin Object Class=/Script/UMG.CanvasPanel Name=\"Root\"\n"
	"   Begin Object Class=/Script/UMG.CanvasPanelSlot Name=\"CanvasPanelSlot_0\"\n"
	"   End Object\n"
	"   Begin Object Name=\"CanvasPanelSlot_0\"\n"
	"      Parent=/Script/UMG.CanvasPanel'\"Root\"'\n"
	"      Content=/Script/UMG.TextBlock'\"Title\"'\n"
	"   End Object\n"
	"   Slots(0)=/Script/UMG.CanvasPanelSlot'\"CanvasPanelSlot_0\"'\n"
	"End Object\n"
	"Begin Object Class=/Script/UMG.TextBlock Name=\"Title\"\n"
	"   Text=NSLOCTEXT(\"\", \"3F1B\", \"Score\")\n"
	"End Object\n";

/** A serving editor on the demo project with helpers for the widget routes. */
class WidgetRouteTest : public ::testing::Test
{
protected:
	void Start(FTestEditorOptions Options = DemoProjectOptions())
	{
		Editor = std::make_unique<FTestEditor>(std::move(Options));
		Editor->Serve();
		Client = std::make_unique<FTestHttpClient>(Editor->Port(), std::chrono::seconds(60));
	}

	std::shared_ptr<FJsonObject> Post(std::string_view Route, std::string_view Body)
	{
		const std::optional<FTestHttpResponse> Response = Client->Request("POST", Route, Body);
		EXPECT_TRUE(Response.has_value());
		EXPECT_EQ(Response ? Response->Status : 0, 200);
		std::shared_ptr<FJsonObject> Object = Response ? FJsonSerializer::DeserializeObject(Response->Body) : nullptr;
		EXPECT_NE(Object, nullptr) << (Response ? Response->Body : std::string());
		return Object ? Object : std::make_shared<FJsonObject>();
	}

	std::shared_ptr<FJsonObject> Deploy(const FJsonObject& Body) { return Post("/korvane/widget/deploy", FJsonSerializer::SerializeCondensed(Body)); }
	std::shared_ptr<FJsonObject> Read(std::string_view BlueprintPath)
	{
		FJsonObject Body;
		Body.SetStringField("blueprintPath", BlueprintPath);
		return Post("/korvane/widget/read", FJsonSerializer::SerializeCondensed(Body));
	}

	/** A deploy body with a name and a hierarchy. */
	static FJsonObject DeployBody(std::string_view Name, std::string_view Hierarchy = CanvasWithTitle)
	{
		FJsonObject Body;
		Body.SetStringField("name", Name);
		Body.SetStringField("hierarchy", Hierarchy);
		return Body;
	}

	/** Runs Function with the Widget Blueprint at ObjectPath (nullptr when there is none) on the game thread. */
	template <typename TFunction>
	auto WithWidgetBlueprint(std::string ObjectPath, TFunction&& Function)
	{
		return Editor->OnGameThread([ObjectPath, &Function]() {
			return Function(Cast<UWidgetBlueprint>(StaticLoadObject(UObject::StaticClass(), ObjectPath)));
		});
	}

	static std::string Keys(const FJsonObject& Object)
	{
		std::string Names;
		for (const auto& [Key, Value] : Object.Values())
		{
			Names += (Names.empty() ? "" : ",") + Key;
		}
		return Names;
	}

	/** A JSON array from its text. */
	static FJsonValueArray JsonArray(std::string_view Text)
	{
		const std::shared_ptr<FJsonObject> Holder = FJsonSerializer::DeserializeObject("{\"v\":" + std::string(Text) + "}");
		const std::shared_ptr<FJsonValueArray> Array = Holder ? Holder->TryGetArrayField("v") : nullptr;
		EXPECT_NE(Array, nullptr) << Text;
		return Array ? *Array : FJsonValueArray();
	}

	static std::string Condensed(const std::shared_ptr<FJsonObject>& Object) { return Object ? FJsonSerializer::SerializeCondensed(*Object) : "(none)"; }

	static std::shared_ptr<FJsonObject> Step(const FJsonObject& Response, std::string_view Name)
	{
		const std::shared_ptr<FJsonObject> Steps = Response.TryGetObjectField("steps");
		return Steps ? Steps->TryGetObjectField(Name) : nullptr;
	}

	std::unique_ptr<FTestEditor> Editor;
	std::unique_ptr<FTestHttpClient> Client;
};
