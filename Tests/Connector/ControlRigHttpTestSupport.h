#pragma once

#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view MannequinRigPath = "/Game/Rigs/CR_Mannequin.CR_Mannequin";
inline constexpr std::string_view MannequinMeshPath = "/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin";

/**
 * A serving editor on a copy of the demo project with helpers for the control rig routes.
 * Rigs written with WriteRig before Start join the project.
 */
class ControlRigRouteTest : public ::testing::Test
{
protected:
	ControlRigRouteTest() : Editor(DemoProjectOptions()) {}

	/** Writes Content/Tests/<Name>.asset.json: a Control Rig Blueprint with the given fields after its class, /Game/Tests/<Name>.<Name>. */
	std::string WriteRig(std::string_view Name, std::string_view Fields)
	{
		const std::string Leaf(Name);
		Editor.Project().WriteFile("Content/Tests/" + Leaf + ".asset.json",
			R"({"class": "/Script/ControlRigDeveloper.ControlRigBlueprint", "parentClass": "/Script/ControlRig.ControlRig", )" + std::string(Fields) + "}");
		return "/Game/Tests/" + Leaf + "." + Leaf;
	}

	void Start()
	{
		Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
		Editor.Serve();
		Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(60));
	}

	std::string Send(std::string_view Method, std::string_view Route, std::string_view Body = {})
	{
		const std::optional<FTestHttpResponse> Response = Client->Request(Method, Route, Body);
		EXPECT_TRUE(Response.has_value());
		EXPECT_EQ(Response ? Response->Status : 0, 200);
		return Response ? Response->Body : std::string();
	}

	std::shared_ptr<FJsonObject> Post(std::string_view Route, std::string_view Body)
	{
		const std::string Answer = Send("POST", Route, Body);
		std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Answer);
		EXPECT_NE(Object, nullptr) << Answer;
		return Object ? Object : std::make_shared<FJsonObject>();
	}

	/** POST Route with {"path": Path} plus the members of Extra (a JSON object's inside, without braces). */
	std::shared_ptr<FJsonObject> PostPath(std::string_view Route, std::string_view Path, std::string_view Extra = {})
	{
		FJsonObject Body;
		Body.SetStringField("path", Path);
		std::string Text = FJsonSerializer::SerializeCondensed(Body);
		if (!Extra.empty())
		{
			Text.insert(Text.size() - 1, "," + std::string(Extra));
		}
		return Post(Route, Text);
	}

	FTestEditor Editor;
	std::unique_ptr<FTestHttpClient> Client;

	static std::string Condensed(const FJsonObject& Object)
	{
		return FJsonSerializer::SerializeCondensed(Object);
	}

	static std::string Condensed(const FJsonValue& Value)
	{
		FJsonObject Holder;
		Holder.SetField("v", Value);
		const std::string Text = FJsonSerializer::SerializeCondensed(Holder);
		return Text.substr(5, Text.size() - 6);
	}

	static std::vector<std::string> KeysOf(const FJsonObject& Object)
	{
		std::vector<std::string> Keys;
		for (const auto& [Key, Value] : Object.Values())
		{
			Keys.push_back(Key);
		}
		return Keys;
	}

	/** The objects of an array member; empty when there is none. */
	static std::vector<std::shared_ptr<FJsonObject>> ObjectsOf(const FJsonObject& Object, std::string_view ArrayKey)
	{
		std::vector<std::shared_ptr<FJsonObject>> Objects;
		if (const std::shared_ptr<FJsonValueArray> Array = Object.TryGetArrayField(ArrayKey))
		{
			for (const FJsonValue& Element : *Array)
			{
				Objects.push_back(Element.TryGetObject());
			}
		}
		return Objects;
	}

	/** The element named Name of an element array, condensed; empty when absent. */
	static std::string ElementNamed(const FJsonObject& Response, std::string_view ArrayKey, std::string_view Name)
	{
		for (const std::shared_ptr<FJsonObject>& Element : ObjectsOf(Response, ArrayKey))
		{
			if (Element && Element->TryGetStringField("name") == Name)
			{
				return Condensed(*Element);
			}
		}
		return {};
	}

	static std::vector<std::string> NamesOf(const FJsonObject& Response, std::string_view ArrayKey)
	{
		std::vector<std::string> Names;
		for (const std::shared_ptr<FJsonObject>& Element : ObjectsOf(Response, ArrayKey))
		{
			Names.push_back(Element ? Element->TryGetStringField("name").value_or("") : "");
		}
		return Names;
	}
};
