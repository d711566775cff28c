#include "Connector/MaterialTestAssets.h"
#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/JsonSerializer.h"

#include <gtest/gtest.h>

namespace
{
	class MaterialCatalogueOverHttp : public ::testing::Test
	{
	protected:
		/** Serves the project, with the asset files the test wrote added to the registry. */
		void Serve()
		{
			Editor.OnGameThread([]() { IAssetRegistry::Get()->SearchAllAssets(); });
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Send(std::string_view Method, std::string_view Route, std::string_view Body = {})
		{
			const std::optional<FTestHttpResponse> Response = Client->Request(Method, Route, Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::string Detail(std::string_view Path) { return Send("POST", "/korvane/materials/detail", R"({"path":")" + std::string(Path) + R"("})"); }

		/**
		 * A layered material: its own Roughness and Tint, a Roughness in each of two layers and a
		 * Sharpness in the blend between them, an albedo texture parameter with a texture and a
		 * detail one without, and a static switch. Plus an instance of it and a texture.
		 */
		void MakeLayeredMaterialAndInstance()
		{
			UTexture* Rock = NewTestTexture("/Game/Textures/T_Rock");
			const auto NewLayer = [](std::string_view PackageName, std::string_view ClassPath, std::string_view ParameterName, float Value) {
				UMaterialFunction* Function = NewTestAsset<UMaterialFunction>(PackageName, FindEngineClassChecked(ClassPath));
				AddTestScalarParameter(*Function, ParameterName, Value);
				return Function;
			};
			const UMaterialFunction* RockLayer = NewLayer("/Game/Layers/ML_Rock", "/Script/Engine.MaterialFunctionMaterialLayer", "Roughness", 0.75f);
			const UMaterialFunction* MossLayer = NewLayer("/Game/Layers/ML_Moss", "/Script/Engine.MaterialFunctionMaterialLayer", "Roughness", 0.25f);
			const UMaterialFunction* Height = NewLayer("/Game/Layers/MLB_Height", "/Script/Engine.MaterialFunctionMaterialLayerBlend", "Sharpness", 2.0f);

			UMaterial* Material = NewTestAsset<UMaterial>("/Game/Materials/M_Cliff");
			AddTestScalarParameter(*Material, "Roughness", 0.5f);
			AddTestVectorParameter(*Material, "Tint", {0.5f, 0.25f, 1.0f, 1.0f});
			AddTestTextureParameter(*Material, "Albedo", Rock);
			AddTestTextureParameter(*Material, "Detail", nullptr);
			AddTestStaticSwitch(*Material, "UseDetail", true);
			AddTestAttributeLayers(*Material, {RockLayer, MossLayer}, {Height});

			UMaterialInstanceConstant* Wet = NewTestAsset<UMaterialInstanceConstant>("/Game/Materials/MI_Cliff_Wet");
			Wet->Parent = Material;
			Wet->SetScalarParameterValueEditorOnly({.Name = "Roughness"}, 0.125f);
			Wet->SetTextureParameterValueEditorOnly({.Name = "Detail"}, Rock);
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(MaterialCatalogueOverHttp, ListsMaterialsThenConstantInstancesWithoutLoadingThem)
{
	// Only the headers matter to the listing: the registry reads nothing else and nothing loads.
	FTestProject& Project = Editor.Project();
	WriteAsset(Project, "Instances/MI_Derived", "/Script/DemoProject.DemoMaterialInstance", {{"Parent", "/KorvaneTools/Materials/M_Plugin.M_Plugin"}});
	WriteAsset(Project, "Instances/MI_Orphan", "/Script/Engine.MaterialInstanceConstant");
	WriteAsset(Project, "Instances/MI_Rock_Wet", "/Script/Engine.MaterialInstanceConstant", {{"Parent", "/Game/Materials/M_Rock.M_Rock"}});
	WriteAsset(Project, "Materials/M_Rock", "/Script/Engine.Material");
	WriteAsset(Project, "Materials/Previews/M_Preview", "/Script/UnrealEd.PreviewMaterial");
	WriteAsset(Project, "Materials/Water/M_Water", "/Script/Engine.Material");
	WriteAsset(Project, "Textures/T_Rock", "/Script/Engine.Texture2D");
	Serve();

	EXPECT_EQ(Send("GET", "/korvane/materials"),
		R"({"materials":[)"
		R"({"name":"M_Rock","path":"/Game/Materials/M_Rock.M_Rock","class":"/Script/Engine.Material","packagePath":"/Game/Materials"},)"
		R"({"name":"M_Water","path":"/Game/Materials/Water/M_Water.M_Water","class":"/Script/Engine.Material","packagePath":"/Game/Materials/Water"},)"
		R"({"name":"MI_Derived","path":"/Game/Instances/MI_Derived.MI_Derived","class":"/Script/DemoProject.DemoMaterialInstance",)"
		R"("packagePath":"/Game/Instances","parent":"/KorvaneTools/Materials/M_Plugin.M_Plugin"},)"
		R"({"name":"MI_Orphan","path":"/Game/Instances/MI_Orphan.MI_Orphan","class":"/Script/Engine.MaterialInstanceConstant","packagePath":"/Game/Instances"},)"
		R"({"name":"MI_Rock_Wet","path":"/Game/Instances/MI_Rock_Wet.MI_Rock_Wet","class":"/Script/Engine.MaterialInstanceConstant",)"
		R"("packagePath":"/Game/Instances","parent":"/Game/Materials/M_Rock.M_Rock"}],"count":5})")
		<< "a class derived from the constant instance is listed, one derived from Material is not";
	EXPECT_EQ(Editor.OnGameThread([]() { return FindObject<UObject>(nullptr, "/Game/Materials/M_Rock.M_Rock"); }), nullptr) << "nothing was loaded";
}

TEST_F(MaterialCatalogueOverHttp, DetailGroupsLayerParametersAndNamesMissingTextures)
{
	Editor.OnGameThread([this]() { MakeLayeredMaterialAndInstance(); });
	Serve();

	EXPECT_EQ(Detail("/Game/Materials/M_Cliff.M_Cliff"),
		R"({"name":"M_Cliff","path":"/Game/Materials/M_Cliff.M_Cliff",)"
		R"("scalarParameters":[{"name":"Roughness","group":"Global","value":0.5},{"name":"Roughness","group":"Layer","value":0.75},)"
		R"({"name":"Roughness","group":"Layer","value":0.25},{"name":"Sharpness","group":"Layer","value":2}],)"
		R"("vectorParameters":[{"name":"Tint","value":[0.5,0.25,1,1]}],)"
		R"("textureParameters":[{"name":"Albedo","textureName":"T_Rock","texturePath":"/Game/Textures/T_Rock.T_Rock"},{"name":"Detail","textureName":"None"}],)"
		R"("staticSwitchParameters":[{"name":"UseDetail"}]})");
	EXPECT_EQ(Detail("/Game/Materials/MI_Cliff_Wet.MI_Cliff_Wet"),
		R"({"name":"MI_Cliff_Wet","path":"/Game/Materials/MI_Cliff_Wet.MI_Cliff_Wet",)"
		R"("scalarParameters":[{"name":"Roughness","group":"Global","value":0.125},{"name":"Roughness","group":"Layer","value":0.75},)"
		R"({"name":"Roughness","group":"Layer","value":0.25},{"name":"Sharpness","group":"Layer","value":2}],)"
		R"("vectorParameters":[{"name":"Tint","value":[0.5,0.25,1,1]}],)"
		R"("textureParameters":[{"name":"Albedo","textureName":"T_Rock","texturePath":"/Game/Textures/T_Rock.T_Rock"},)"
		R"({"name":"Detail","textureName":"T_Rock","texturePath":"/Game/Textures/T_Rock.T_Rock"}],)"
		R"("staticSwitchParameters":[{"name":"UseDetail"}]})")
		<< "an instance overrides its parent's global values and inherits the rest";
}

TEST_F(MaterialCatalogueOverHttp, DetailAnswersItsFourErrors)
{
	Editor.OnGameThread([this]() { MakeLayeredMaterialAndInstance(); });
	Serve();

	EXPECT_EQ(Send("POST", "/korvane/materials/detail", ""), R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(Send("POST", "/korvane/materials/detail", R"(["/Game/Materials/M_Cliff.M_Cliff"])"), R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(Send("POST", "/korvane/materials/detail", "{}"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(Send("POST", "/korvane/materials/detail", R"({"path":7})"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(Detail("/Game"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(Detail("/Game/Materials/../Materials/M_Cliff.M_Cliff"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(Detail("/Game/Textures/T_Rock.T_Rock"), R"({"error":"Material not found"})") << "a texture is no material";
	EXPECT_EQ(Detail("/Game/Materials/M_Gone.M_Gone"), R"({"error":"Material not found"})");
	EXPECT_EQ(Detail("/Game/Materials/M_Cliff"), R"({"error":"Material not found"})") << "the object name is never completed";
}

TEST_F(MaterialCatalogueOverHttp, AssetDetailsOfAMaterialCarryItsDetailAsMetadata)
{
	Editor.OnGameThread([this]() { MakeLayeredMaterialAndInstance(); });
	Serve();

	const std::string Instance = "/Game/Materials/MI_Cliff_Wet.MI_Cliff_Wet";
	EXPECT_EQ(Send("POST", "/korvane/asset/details", R"({"path":")" + Instance + R"("})"),
		R"({"name":"MI_Cliff_Wet","path":")" + Instance + R"(","type":"Material","metadata":)" + Detail(Instance) + "}");
	EXPECT_EQ(Send("POST", "/korvane/asset/batch", R"({"paths":["/Game/Materials/M_Cliff.M_Cliff"]})"),
		R"({"assets":[{"name":"M_Cliff","path":"/Game/Materials/M_Cliff.M_Cliff","type":"Material","metadata":)" + Detail("/Game/Materials/M_Cliff.M_Cliff") +
			R"(}],"count":1})");
}
