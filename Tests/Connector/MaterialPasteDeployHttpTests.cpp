#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "KorvaneMaterialHelper.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraph.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	const std::filesystem::path MaterialSamplesDir = KORVANE_PLUGIN_DIR "/../shared/samples/copy-paste/material";

	std::string ReadBytes(const std::filesystem::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Bytes;
		Bytes << Stream.rdbuf();
		return Bytes.str();
	}

	/** One material node as the editor copies it: the node, its expression declared, then defined. */
	std::string ExpressionNode(std::string_view NodeName, std::string_view ExpressionClass, std::string_view ExpressionName, int PosX, int PosY,
		std::string_view Properties = "")
	{
		const std::string Class = "/Script/Engine." + std::string(ExpressionClass);
		const std::string Expression(ExpressionName);
		std::string Text = "Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"" + std::string(NodeName) + "\"\n";
		Text += "   Begin Object Class=" + Class + " Name=\"" + Expression + "\"\n   End Object\n";
		Text += "   Begin Object Name=\"" + Expression + "\"\n";
		Text += Properties;
		Text += "      MaterialExpressionEditorX=" + std::to_string(PosX) + "\n      MaterialExpressionEditorY=" + std::to_string(PosY) + "\n";
		Text += "   End Object\n";
		Text += "   MaterialExpression=" + Class + "'\"" + Expression + "\"'\n";
		Text += "   NodePosX=" + std::to_string(PosX) + "\n   NodePosY=" + std::to_string(PosY) + "\nEnd Object\n";
		return Text;
	}

	std::string CommentNode(std::string_view NodeName, std::string_view CommentName, int PosX, int PosY)
	{
		const std::string Comment(CommentName);
		return "Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Comment Name=\"" + std::string(NodeName) + "\"\n"
			"   Begin Object Class=/Script/Engine.MaterialExpressionComment Name=\"" + Comment + "\"\n   End Object\n"
			"   Begin Object Name=\"" + Comment + "\"\n      SizeX=300\n      SizeY=200\n      Text=\"Group\"\n"
			"      MaterialExpressionEditorX=" + std::to_string(PosX) + "\n      MaterialExpressionEditorY=" + std::to_string(PosY) + "\n   End Object\n"
			"   MaterialExpressionComment=/Script/Engine.MaterialExpressionComment'\"" + Comment + "\"'\n"
			"   NodePosX=" + std::to_string(PosX) + "\n   NodePosY=" + std::to_string(PosY) + "\n   NodeWidth=300\n   NodeHeight=200\nEnd Object\n";
	}

	const std::string RootNode =
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode_Root Name=\"MaterialGraphNode_Root_0\"\n"
		"   Material=/Script/UnrealEd.PreviewMaterial'\"/Engine/Transient.M_Source\"'\n"
		"   NodePosX=400\n"
		"End Object\n";

	const std::string ConstantNode = ExpressionNode("MaterialGraphNode_1", "MaterialExpressionConstant", "MaterialExpressionConstant_0", -400, 0, "      R=0.500000\n");
	const std::string ColorNode = ExpressionNode("MaterialGraphNode_2", "MaterialExpressionConstant3Vector", "MaterialExpressionConstant3Vector_0", -400, 200,
		"      Constant=(R=1.000000,G=0.200000,B=0.100000,A=0.000000)\n");
	const std::string MultiplyNode = ExpressionNode("MaterialGraphNode_3", "MaterialExpressionMultiply", "MaterialExpressionMultiply_0", -100, 100);

	std::string PasteBody(std::string_view Name, std::string_view ClipboardText, std::string_view ExtraMembers = "")
	{
		FJsonObject Object;
		Object.SetStringField("name", Name);
		Object.SetStringField("clipboardText", ClipboardText);
		std::string Text = FJsonSerializer::SerializeCondensed(Object);
		if (!ExtraMembers.empty())
		{
			Text.insert(Text.size() - 1, "," + std::string(ExtraMembers));
		}
		return Text;
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

	class MaterialPasteOverHttp : public ::testing::Test
	{
	protected:
		MaterialPasteOverHttp()
		{
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port(), std::chrono::seconds(30));
		}

		std::string Post(std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", "/korvane/material/paste-t3d", Body);
			EXPECT_TRUE(Response);
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::shared_ptr<FJsonObject> PostJson(std::string_view Body)
		{
			const std::string Text = Post(Body);
			std::shared_ptr<FJsonObject> Object = FJsonSerializer::DeserializeObject(Text);
			EXPECT_NE(Object, nullptr) << Text;
			return Object ? Object : std::make_shared<FJsonObject>();
		}

		/** Reads the material on the game thread; nullptr when it is not loaded or loadable. */
		template <typename TRead>
		auto ReadMaterial(std::string_view ObjectPath, TRead&& Read)
		{
			return Editor.OnGameThread([&]() { return Read(LoadObject<UMaterial>(ObjectPath)); });
		}

		std::vector<std::string> ExpressionNames(std::string_view ObjectPath)
		{
			return ReadMaterial(ObjectPath, [](UMaterial* Material) {
				std::vector<std::string> Names;
				for (const UMaterialExpression* Expression : Material ? Material->GetExpressions() : std::vector<UMaterialExpression*>{})
				{
					Names.push_back(Expression->GetClass()->GetName() + "@" + std::to_string(Expression->MaterialExpressionEditorX) + "," +
						std::to_string(Expression->MaterialExpressionEditorY));
				}
				return Names;
			});
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

namespace
{
	UClass* ExpressionClass(std::string_view Name)
	{
		return FindEngineClassChecked("/Script/Engine." + std::string(Name));
	}

	/** The material's editor graph, made as the material editor makes it. */
	UMaterialGraph* MakeMaterialGraph(UMaterial& Material)
	{
		auto* const Graph = Cast<UMaterialGraph>(FBlueprintEditorUtils::CreateNewGraph(&Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass()));
		Material.MaterialGraph = Graph;
		Graph->Material = &Material;
		Graph->RebuildGraph();
		return Graph;
	}

	std::string Describe(const UMaterialExpression& Expression)
	{
		return Expression.GetClass()->GetName() + "@" + std::to_string(Expression.MaterialExpressionEditorX) + "," + std::to_string(Expression.MaterialExpressionEditorY);
	}

	/** Every link of the material as text: "<from>:<output index> -> <to>.<input name>" and "<from>:<output index> -> #<property>". */
	std::vector<std::string> DescribeLinks(const UMaterial& Material)
	{
		std::vector<std::string> Links;
		for (UMaterialExpression* const Expression : Material.GetExpressions())
		{
			for (int32_t Index = 0; Index < Expression->CountInputs(); ++Index)
			{
				if (const FExpressionInput* const Input = Expression->GetInput(Index); Input->IsConnected())
				{
					Links.push_back(Describe(*Input->Expression) + ":" + std::to_string(Input->OutputIndex) + " -> " + Describe(*Expression) + "." +
						Expression->GetInputName(Index));
				}
			}
		}
		for (int Property = 0; Property < MP_MAX; ++Property)
		{
			if (const FExpressionInput* const Input = Material.GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property)); Input->IsConnected())
			{
				Links.push_back(Describe(*Input->Expression) + ":" + std::to_string(Input->OutputIndex) + " -> #" + std::to_string(Property));
			}
		}
		return Links;
	}

	std::vector<std::string> DescribeExpressions(const UMaterial& Material)
	{
		std::vector<std::string> Names;
		for (const UMaterialExpression* const Expression : Material.GetExpressions())
		{
			Names.push_back(Describe(*Expression));
		}
		return Names;
	}
}

TEST_F(MaterialPasteOverHttp, ChecksTheBodyInOrder)
{
	EXPECT_EQ(Post(""), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Post("[1]"), R"({"success":false,"error":"Invalid JSON body"})");
	EXPECT_EQ(Post(R"({"path":"nowhere"})"), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Post(R"({"name":"","clipboardText":"x"})"), R"({"success":false,"error":"Missing 'name' field"})");
	EXPECT_EQ(Post(R"({"name":"M","path":"/Game/../Secrets"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(R"({"name":"M","path":"/Game"})"), R"({"success":false,"error":"Invalid asset path"})");
	EXPECT_EQ(Post(R"({"name":"M"})"), R"({"success":false,"error":"Missing 'clipboardText' field"})");
	EXPECT_EQ(Post(R"({"name":"M","clipboardText":""})"), R"({"success":false,"error":"Missing 'clipboardText' field"})");
	EXPECT_EQ(Post(R"({"name":"M","clipboardText":7})"), R"({"success":false,"error":"Missing 'clipboardText' field"})");
}

TEST_F(MaterialPasteOverHttp, CreatesTheMaterialUnderTheDefaultFolderAndAnswersInOrder)
{
	FLogCapture Log;
	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Default", ConstantNode + ColorNode + MultiplyNode + CommentNode("MaterialGraphNode_Comment_0", "MaterialExpressionComment_0", -500, -100)));

	EXPECT_THAT(Keys(*Answer), ElementsAre("success", "compiled", "material", "clearedExpressions", "importedExpressions", "importedComments", "skippedRoots",
								   "settingsApplied", "expressionConnectionsWired", "resultConnectionsWired", "namedRerouteLinksFixed", "nodes"));
	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetStringField("material"), "/Game/Materials/M_Default.M_Default");
	EXPECT_EQ(Answer->TryGetNumberField("clearedExpressions"), 0);
	EXPECT_EQ(Answer->TryGetNumberField("importedExpressions"), 3);
	EXPECT_EQ(Answer->TryGetNumberField("importedComments"), 1);
	EXPECT_EQ(Answer->TryGetNumberField("skippedRoots"), 0);
	std::string NodesText;
	FJsonSerializer::AppendCondensed(NodesText, *Answer->TryGetField("nodes"));
	EXPECT_EQ(NodesText, R"([{"name":"MaterialExpressionConstant_0","class":"MaterialExpressionConstant","posX":-400,"posY":0},)"
						 R"({"name":"MaterialExpressionConstant3Vector_0","class":"MaterialExpressionConstant3Vector","posX":-400,"posY":200},)"
						 R"({"name":"MaterialExpressionMultiply_0","class":"MaterialExpressionMultiply","posX":-100,"posY":100}])");

	EXPECT_TRUE(Log.Contains("Created new material asset /Game/Materials/M_Default.M_Default"));
	EXPECT_TRUE(Log.Contains("Built position lookup with 3 entries"));
	EXPECT_TRUE(Log.Contains("Named reroute rebind: 0 links fixed, 0 failures"));
	EXPECT_TRUE(Log.Contains("M_Default \u2014 cleared 0, imported 3 expressions + 1 comments (skipped 0 roots), 0 settings, 0 expr wires, 0 result wires, "
							 "0 named reroute links, 0 compile errors"));

	const auto [ExpressionCount, CommentCount, bDirty, bOwned] = ReadMaterial("/Game/Materials/M_Default.M_Default", [](UMaterial* Material) {
		bool bAllOwned = Material != nullptr;
		for (const UMaterialExpression* Expression : Material ? Material->GetExpressions() : std::vector<UMaterialExpression*>{})
		{
			bAllOwned = bAllOwned && Expression->GetOuter() == Material && Expression->Material == Material;
		}
		return std::make_tuple(Material ? Material->GetExpressions().size() : 0u, Material ? Material->GetExpressionCollection().EditorComments.size() : 0u,
			Material && Material->GetPackage()->IsDirty(), bAllOwned);
	});
	EXPECT_EQ(ExpressionCount, 3u);
	EXPECT_EQ(CommentCount, 1u);
	EXPECT_TRUE(bDirty);
	EXPECT_TRUE(bOwned) << "pasted expressions live in the material";
}

TEST_F(MaterialPasteOverHttp, RepairsDoubledSlashesAndTrailingWhiteSpaceButKeepsATrailingSlash)
{
	EXPECT_EQ(PostJson(PasteBody("M_Repaired", ConstantNode, R"("path":"/Game//Mats \t\n")"))->TryGetStringField("material"), "/Game/Mats/M_Repaired.M_Repaired");
	EXPECT_EQ(ExpressionNames("/Game/Mats/M_Repaired.M_Repaired").size(), 1u);

	// The folder keeps its trailing slash, so the path holds a doubled one; the asset tools take it or refuse it.
	const std::shared_ptr<FJsonObject> Trailing = PostJson(PasteBody("M_Trailing", ConstantNode, R"("path":"/Game/Mats/")"));
	const std::string Named = Trailing->TryGetStringField("material").value_or(Trailing->TryGetStringField("error").value_or(""));
	EXPECT_THAT(Named, ::testing::EndsWith("/Game/Mats//M_Trailing.M_Trailing"));
}

TEST_F(MaterialPasteOverHttp, WithoutClearingTheNewNodesJoinTheOldOnes)
{
	const std::string Path = "/Game/Materials/M_Keep.M_Keep";
	PostJson(PasteBody("M_Keep", ConstantNode + ColorNode));

	const std::shared_ptr<FJsonObject> Kept = PostJson(PasteBody("M_Keep", MultiplyNode, R"("clearGraph":false)"));
	EXPECT_EQ(Kept->TryGetNumberField("clearedExpressions"), 0);
	EXPECT_EQ(Kept->TryGetNumberField("importedExpressions"), 1);
	EXPECT_EQ(ExpressionNames(Path).size(), 3u);

	const std::shared_ptr<FJsonObject> Cleared = PostJson(PasteBody("M_Keep", MultiplyNode));
	EXPECT_EQ(Cleared->TryGetNumberField("clearedExpressions"), 3);
	EXPECT_THAT(ExpressionNames(Path), ElementsAre("MaterialExpressionMultiply@-100,100"));
}

TEST_F(MaterialPasteOverHttp, ResultNodesAreImportedAndRemovedAgain)
{
	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_RootOnly", RootNode));

	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetNumberField("skippedRoots"), 1);
	EXPECT_EQ(Answer->TryGetNumberField("importedExpressions"), 0);
	EXPECT_EQ(Answer->TryGetArrayField("nodes")->size(), 0u);
	const std::size_t RootNodes = ReadMaterial("/Game/Materials/M_RootOnly.M_RootOnly", [](UMaterial* Material) {
		std::size_t Count = 0;
		for (const UEdGraphNode* Node : Material->MaterialGraph->GetNodes())
		{
			Count += Cast<UMaterialGraphNode_Root>(Node) != nullptr ? 1 : 0;
		}
		return Count;
	});
	EXPECT_EQ(RootNodes, 1u) << "the material's own result node stays, the pasted one is gone";
}

TEST_F(MaterialPasteOverHttp, NodesOfOtherGraphsAreOnlyWarnedAbout)
{
	FLogCapture Log;
	const std::string Foreign = "Begin Object Class=/Script/BlueprintGraph.K2Node_CallFunction Name=\"K2Node_CallFunction_0\"\n"
								"   FunctionReference=(MemberName=\"PrintString\")\n"
								"End Object\n";

	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Foreign", Foreign + ConstantNode));

	EXPECT_EQ(Answer->TryGetBoolField("success"), true);
	EXPECT_EQ(Answer->TryGetNumberField("importedExpressions"), 1);
	EXPECT_EQ(Answer->TryGetArrayField("nodes")->size(), 1u);
	EXPECT_TRUE(Log.Contains("Imported node of unhandled class: K2Node_CallFunction"));
}

TEST_F(MaterialPasteOverHttp, TextWithoutNodesFailsAfterTheClear)
{
	PostJson(PasteBody("M_Emptied", ConstantNode + ColorNode));

	EXPECT_EQ(Post(PasteBody("M_Emptied", "not copy-paste text")), R"({"success":false,"error":"ImportNodesFromText produced 0 nodes. Verify clipboard format."})");
	EXPECT_TRUE(ExpressionNames("/Game/Materials/M_Emptied.M_Emptied").empty());
}

TEST_F(MaterialPasteOverHttp, AppliesEverySettingAndCountsUnknownNames)
{
	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Settings", ConstantNode,
		R"("materialSettings":{"domain":"deferreddecal","blendMode":"MASKED","shadingModel":"ClearCoat","twoSided":true,"opacityMaskClipValue":0.25,)"
		R"("translucencyLightingMode":"SurfaceForwardShading","refractionMethod":"none","numCustomizedUVs":3,"maxWorldPositionOffsetDisplacement":12.5,)"
		R"("allowNegativeEmissiveColor":true,"useMaterialAttributes":true,"ditheredLODTransition":true,"somethingElse":1})"));
	EXPECT_EQ(Answer->TryGetNumberField("settingsApplied"), 12);

	struct FSettings
	{
		EMaterialDomain Domain;
		EBlendMode Blend;
		EMaterialShadingModel Shading;
		bool bTwoSided;
		float Clip;
		ETranslucencyLightingMode Translucency;
		ERefractionMode Refraction;
		int32_t UVs;
		float Displacement;
		bool bNegative;
		bool bAttributes;
		bool bDithered;
	};
	const FSettings Applied = ReadMaterial("/Game/Materials/M_Settings.M_Settings", [](UMaterial* Material) {
		return FSettings{Material->MaterialDomain, Material->BlendMode, Material->GetShadingModels().GetFirstShadingModel(), Material->TwoSided,
			Material->OpacityMaskClipValue, Material->TranslucencyLightingMode, Material->RefractionMethod, Material->NumCustomizedUVs,
			Material->MaxWorldPositionOffsetDisplacement, Material->bAllowNegativeEmissiveColor, Material->bUseMaterialAttributes, Material->DitheredLODTransition};
	});
	EXPECT_EQ(Applied.Domain, MD_DeferredDecal);
	EXPECT_EQ(Applied.Blend, BLEND_Masked);
	EXPECT_EQ(Applied.Shading, MSM_ClearCoat);
	EXPECT_TRUE(Applied.bTwoSided);
	EXPECT_FLOAT_EQ(Applied.Clip, 0.25f);
	EXPECT_EQ(Applied.Translucency, TLM_SurfacePerPixelLighting);
	EXPECT_EQ(Applied.Refraction, RM_None);
	EXPECT_EQ(Applied.UVs, 3);
	EXPECT_FLOAT_EQ(Applied.Displacement, 12.5f);
	EXPECT_TRUE(Applied.bNegative && Applied.bAttributes && Applied.bDithered);
}

TEST_F(MaterialPasteOverHttp, UnknownNamesCountAndKeepTheValueExceptTheShadingModel)
{
	PostJson(PasteBody("M_Unknown", ConstantNode, R"("materialSettings":{"domain":"PostProcess","blendMode":"Additive","shadingModel":"Unlit"})"));

	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Unknown", ConstantNode,
		R"("materialSettings":{"domain":"Nowhere","blendMode":"Glitter","shadingModel":"Plastic","refractionMethod":"2DOffset","twoSided":"yes","numCustomizedUVs":"2"})"));
	EXPECT_EQ(Answer->TryGetNumberField("settingsApplied"), 4) << "wrong JSON types do not count";

	const auto [Domain, Blend, bOnlyDefaultLit, Refraction, bTwoSided] = ReadMaterial("/Game/Materials/M_Unknown.M_Unknown", [](UMaterial* Material) {
		return std::make_tuple(Material->MaterialDomain, Material->BlendMode, Material->GetShadingModels() == FMaterialShadingModelField(MSM_DefaultLit),
			Material->RefractionMethod, Material->TwoSided);
	});
	EXPECT_EQ(Domain, MD_PostProcess);
	EXPECT_EQ(Blend, BLEND_Additive);
	EXPECT_TRUE(bOnlyDefaultLit);
	EXPECT_EQ(Refraction, RM_IndexOfRefraction);
	EXPECT_FALSE(bTwoSided);
}

TEST_F(MaterialPasteOverHttp, CompileErrorsAreReadOnlyWhenAsked)
{
	const std::string Broken = ExpressionNode("MaterialGraphNode_9", "MaterialExpressionTextureSample", "MaterialExpressionTextureSample_0", -300, 0);
	const std::string Wire = R"("resultConnections":[{"pin":"BaseColor","fromExpressionName":"MaterialExpressionTextureSample_0"}])";

	const std::shared_ptr<FJsonObject> Checked = PostJson(PasteBody("M_Broken", Broken, Wire));
	EXPECT_EQ(Checked->TryGetBoolField("compiled"), false);
	ASSERT_NE(Checked->TryGetArrayField("compileErrors"), nullptr);
	EXPECT_FALSE(Checked->TryGetArrayField("compileErrors")->empty());
	EXPECT_EQ(Keys(*Checked)[2], "compileErrors");

	const std::shared_ptr<FJsonObject> Unchecked = PostJson(PasteBody("M_Broken", Broken, std::string(Wire) + R"(,"checkCompile":false)"));
	EXPECT_EQ(Unchecked->TryGetBoolField("compiled"), true);
	EXPECT_FALSE(Unchecked->HasField("compileErrors"));
}

TEST_F(MaterialPasteOverHttp, WiresExpressionsResultPinsAndNamedReroutesFromTheArrays)
{
	const std::string Declaration = ExpressionNode("MaterialGraphNode_4", "MaterialExpressionNamedRerouteDeclaration", "MaterialExpressionNamedRerouteDeclaration_0", 200, 0);
	const std::string Usage = ExpressionNode("MaterialGraphNode_5", "MaterialExpressionNamedRerouteUsage", "MaterialExpressionNamedRerouteUsage_0", 500, 0);
	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Wired", ConstantNode + ColorNode + MultiplyNode + Declaration + Usage,
		R"("connections":[{"fromExpression":"x","toExpression":"y","toInput":"A","fromPosX":-400,"fromPosY":200,"toPosX":-100,"toPosY":100},)"
		R"({"fromExpression":"materialexpressionconstant_0","toExpression":"MaterialExpressionMultiply_0","toInput":"B"},)"
		R"({"fromExpression":"Ghost","toExpression":"MaterialExpressionMultiply_0"}],)"
		R"("resultConnections":[{"pin":"BaseColor","fromExpressionName":"MaterialExpressionMultiply_0","fromPosX":-100,"fromPosY":100},)"
		R"({"pin":"Sparkle","fromExpressionName":"MaterialExpressionConstant_0"}],)"
		R"("namedRerouteLinks":[{"usagePosX":500,"usagePosY":0,"declarationPosX":200,"declarationPosY":0},)"
		R"({"usagePosX":-400,"usagePosY":0,"declarationPosX":200,"declarationPosY":0}])"));

	EXPECT_EQ(Answer->TryGetNumberField("expressionConnectionsWired"), 2);
	EXPECT_EQ(Answer->TryGetNumberField("resultConnectionsWired"), 1);
	EXPECT_EQ(Answer->TryGetNumberField("namedRerouteLinksFixed"), 1);
	const std::vector<std::string> AllKeys = Keys(*Answer);
	EXPECT_THAT(std::vector<std::string>(AllKeys.end() - 3, AllKeys.end()), ElementsAre("expressionConnectionFailures", "resultFailures", "namedRerouteFailures"));
	EXPECT_EQ(Answer->TryGetArrayField("expressionConnectionFailures")->size(), 1u);
	EXPECT_EQ(Answer->TryGetArrayField("resultFailures")->size(), 1u);
	EXPECT_EQ(Answer->TryGetArrayField("namedRerouteFailures")->size(), 1u);

	const auto [bMultiplyFed, bBaseColorFed, bRerouteBound] = ReadMaterial("/Game/Materials/M_Wired.M_Wired", [](UMaterial* Material) {
		UMaterialExpression* Multiply = nullptr;
		UMaterialExpressionNamedRerouteUsage* RerouteUsage = nullptr;
		for (UMaterialExpression* Expression : Material->GetExpressions())
		{
			Multiply = Expression->GetName() == "MaterialExpressionMultiply_0" ? Expression : Multiply;
			RerouteUsage = RerouteUsage ? RerouteUsage : Cast<UMaterialExpressionNamedRerouteUsage>(Expression);
		}
		const bool bFed = Multiply && Multiply->GetInput(0)->Expression && Multiply->GetInput(1)->Expression &&
			Multiply->GetInput(0)->Expression->GetName() == "MaterialExpressionConstant3Vector_0" &&
			Multiply->GetInput(1)->Expression->GetName() == "MaterialExpressionConstant_0";
		return std::make_tuple(bFed, Material->GetExpressionInputForProperty(MP_BaseColor)->Expression == Multiply,
			RerouteUsage && RerouteUsage->Declaration && RerouteUsage->Declaration->GetName() == "MaterialExpressionNamedRerouteDeclaration_0");
	});
	EXPECT_TRUE(bMultiplyFed);
	EXPECT_TRUE(bBaseColorFed);
	EXPECT_TRUE(bRerouteBound);
}

TEST_F(MaterialPasteOverHttp, AnAssetOfAnotherClassInTheWayIsLeftAlone)
{
	Editor.OnGameThread([]() { NewObject<UMaterialFunction>(CreatePackage("/Game/Materials/MF_InTheWay"), "MF_InTheWay", RF_Public | RF_Standalone); });

	EXPECT_EQ(Post(PasteBody("MF_InTheWay", ConstantNode)), R"({"success":false,"error":"Failed to create material at /Game/Materials/MF_InTheWay.MF_InTheWay"})");
	EXPECT_TRUE(Editor.OnGameThread([]() { return FindObject<UMaterialFunction>(nullptr, "/Game/Materials/MF_InTheWay.MF_InTheWay") != nullptr; }));
}

TEST_F(MaterialPasteOverHttp, NamesThatAreNoAssetNameAreRefused)
{
	for (const std::string Name : {"../Escape", "Sub/M_Nested", "M:Inner", "M.Dotted"})
	{
		EXPECT_EQ(Post(PasteBody(Name, ConstantNode)),
			R"({"success":false,"error":"Failed to create material at /Game/Materials/)" + Name + "." + Name + R"("})");
	}
	EXPECT_FALSE(Editor.OnGameThread([]() { return FindObject<UPackage>(nullptr, "/Game/Escape") != nullptr; }));
}

TEST_F(MaterialPasteOverHttp, RepeatedClearsSurviveAGarbageCollection)
{
	const std::string Path = "/Game/Materials/M_Again.M_Again";
	const std::string Wire = R"("connections":[{"fromExpression":"MaterialExpressionConstant_0","toExpression":"MaterialExpressionMultiply_0","toInput":"A"}])";
	PostJson(PasteBody("M_Again", ConstantNode + MultiplyNode, Wire));
	PostJson(PasteBody("M_Again", ConstantNode + MultiplyNode, Wire));
	Editor.OnGameThread([]() { CollectGarbage(); });

	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Again", ConstantNode + MultiplyNode, Wire));
	EXPECT_EQ(Answer->TryGetNumberField("clearedExpressions"), 2);
	EXPECT_EQ(Answer->TryGetNumberField("expressionConnectionsWired"), 1);
	const auto [Expressions, GraphText] = ReadMaterial(Path, [](UMaterial* Material) {
		const std::vector<UEdGraphNode*>& Nodes = Material->MaterialGraph->GetNodes();
		return std::make_pair(DescribeExpressions(*Material), Material->MaterialGraph->ExportNodesAsText({Nodes.begin(), Nodes.end()}));
	});
	EXPECT_THAT(Expressions, ElementsAre("MaterialExpressionConstant@-400,0", "MaterialExpressionMultiply@-100,100"));
	EXPECT_THAT(GraphText, HasSubstr("MaterialExpressionMultiply"));
}

TEST_F(MaterialPasteOverHttp, APasteOverItsClearedCopyKeepsTheCopiedNames)
{
	const std::string Path = "/Game/Materials/M_Names.M_Names";
	const std::string Wire = R"("connections":[{"fromExpression":"MaterialExpressionConstant_0","toExpression":"MaterialExpressionMultiply_0","toInput":"A"}])";
	PostJson(PasteBody("M_Names", ConstantNode + MultiplyNode, Wire));

	const std::shared_ptr<FJsonObject> Again = PostJson(PasteBody("M_Names", ConstantNode + MultiplyNode, Wire));
	std::vector<std::string> Answered;
	for (const FJsonValue& Node : *Again->TryGetArrayField("nodes"))
	{
		Answered.push_back(Node.TryGetObject()->TryGetStringField("name").value_or(""));
	}
	EXPECT_THAT(Answered, ElementsAre("MaterialExpressionConstant_0", "MaterialExpressionMultiply_0")) << "the cleared expressions give their names back";
	EXPECT_EQ(Again->TryGetNumberField("expressionConnectionsWired"), 1) << "the wire finds its ends by the names the text gave them";
	EXPECT_FALSE(Again->HasField("expressionConnectionFailures"));
	const std::vector<std::string> NodeNames = ReadMaterial(Path, [](UMaterial* Material) {
		std::vector<std::string> Names;
		for (const UEdGraphNode* const Node : Material->MaterialGraph->GetNodes())
		{
			Names.push_back(Node == Material->MaterialGraph->RootNode ? "(root)" : Node->GetName());
		}
		return Names;
	});
	EXPECT_THAT(NodeNames, ::testing::UnorderedElementsAre("(root)", "MaterialGraphNode_1", "MaterialGraphNode_3"))
		<< "the nodes of the cleared expressions left the graph before the paste";
}

TEST_F(MaterialPasteOverHttp, ExtremeSettingNumbersAreTakenWithoutHarm)
{
	const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody("M_Extreme", ConstantNode,
		R"("materialSettings":{"opacityMaskClipValue":1e300,"numCustomizedUVs":-5,"maxWorldPositionOffsetDisplacement":-1e300})"));
	EXPECT_EQ(Answer->TryGetNumberField("settingsApplied"), 3);

	const auto [Clip, UVs, Displacement] = ReadMaterial("/Game/Materials/M_Extreme.M_Extreme", [](UMaterial* Material) {
		return std::make_tuple(Material->OpacityMaskClipValue, Material->NumCustomizedUVs, Material->MaxWorldPositionOffsetDisplacement);
	});
	EXPECT_EQ(Clip, std::numeric_limits<float>::max()) << "a material never holds an infinity, which has no form in its asset file";
	EXPECT_EQ(UVs, -5);
	EXPECT_EQ(Displacement, -std::numeric_limits<float>::max());
}

TEST_F(MaterialPasteOverHttp, RealEditorSamplesPasteWithTheirNodeCounts)
{
	if (!std::filesystem::is_directory(MaterialSamplesDir))
	{
		GTEST_SKIP() << "no samples at " << MaterialSamplesDir;
	}
	int Samples = 0;
	for (const auto& Entry : std::filesystem::directory_iterator(MaterialSamplesDir))
	{
		++Samples;
		const std::string Text = ReadBytes(Entry.path());
		// Top-level blocks start a line without indentation; nested ones are indented.
		int Expressions = 0;
		int Comments = 0;
		int Roots = 0;
		std::istringstream Lines(Text);
		for (std::string Line; std::getline(Lines, Line);)
		{
			if (Line.starts_with("Begin Object Class="))
			{
				const std::string Class = Line.substr(0, Line.find(' ', 19));
				Comments += Class.ends_with("MaterialGraphNode_Comment") ? 1 : 0;
				Roots += Class.ends_with("MaterialGraphNode_Root") ? 1 : 0;
				Expressions += Class.ends_with("MaterialGraphNode") || Class.ends_with("MaterialGraphNode_Knot") ? 1 : 0;
			}
		}
		const std::string Name = "M_Sample" + Entry.path().stem().string().substr(0, 2);
		const std::shared_ptr<FJsonObject> Answer = PostJson(PasteBody(Name, Text, R"("checkCompile":false)"));
		SCOPED_TRACE(Entry.path().filename().string());
		EXPECT_EQ(Answer->TryGetBoolField("success"), true) << Answer->TryGetStringField("error").value_or("");
		EXPECT_EQ(Answer->TryGetNumberField("importedExpressions"), Expressions);
		EXPECT_EQ(Answer->TryGetNumberField("importedComments"), Comments);
		EXPECT_EQ(Answer->TryGetNumberField("skippedRoots"), Roots);
		EXPECT_EQ(ExpressionNames("/Game/Materials/" + Name + "." + Name).size(), static_cast<std::size_t>(Expressions));
	}
	EXPECT_GT(Samples, 0);
}

TEST(KorvaneMaterialHelper, ForceClearRemovesExpressionsCommentsAndEveryResultPinLink)
{
	FTestEditor Editor;
	FLogCapture Log;
	UMaterial* const Material = NewObject<UMaterial>(CreatePackage("/Game/M_Full"), "M_Full", RF_Public | RF_Standalone);
	std::vector<UMaterialExpression*> Made;
	for (int Index = 0; Index < 5; ++Index)
	{
		Made.push_back(UMaterialEditingLibrary::CreateMaterialExpression(Material, ExpressionClass("MaterialExpressionConstant"), Index * 100, 0));
	}
	for (int Index = 0; Index < 2; ++Index)
	{
		auto* const Comment = NewObject<UMaterialExpressionComment>(Material);
		Comment->Material = Material;
		Material->GetExpressionCollection().AddComment(Comment);
	}
	ASSERT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Made[0], "", MP_BaseColor));
	ASSERT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Made[1], "", MP_Roughness));
	ASSERT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Made[2], "", MP_CustomOutput));

	EXPECT_EQ(UKorvaneMaterialHelper::ForceClearMaterialGraph(Material), 5);

	EXPECT_TRUE(Material->GetExpressionCollection().Expressions.empty());
	EXPECT_TRUE(Material->GetExpressionCollection().EditorComments.empty());
	for (int Property = 0; Property < MP_MAX; ++Property)
	{
		EXPECT_FALSE(Material->GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property))->IsConnected()) << Property;
	}
	EXPECT_TRUE(std::ranges::all_of(Made, [](const UMaterialExpression* Expression) { return Expression->IsGarbage(); }));
	EXPECT_TRUE(Material->GetPackage()->IsDirty());
	EXPECT_TRUE(Log.Contains("ForceClearMaterialGraph removed 5 expressions from M_Full"));

	EXPECT_EQ(UKorvaneMaterialHelper::ForceClearMaterialGraph(nullptr), 0);
	EXPECT_TRUE(Log.Contains("ForceClearMaterialGraph called with null Material"));
}

TEST_F(MaterialPasteOverHttp, ExportedGraphTextPastesBackWithTheSameExpressionsAndLinks)
{
	struct FSource
	{
		std::string Text;
		std::string Body;
		std::vector<std::string> Expressions;
		std::vector<std::string> Links;
	};
	const FSource Source = Editor.OnGameThread([]() {
		UMaterial* const Material = NewObject<UMaterial>(CreatePackage("/Game/M_Source"), "M_Source", RF_Public | RF_Standalone);
		UMaterialExpression* const Color = UMaterialEditingLibrary::CreateMaterialExpression(Material, ExpressionClass("MaterialExpressionConstant3Vector"), -600, 0);
		UMaterialExpression* const Scalar = UMaterialEditingLibrary::CreateMaterialExpression(Material, ExpressionClass("MaterialExpressionConstant"), -600, 200);
		UMaterialExpression* const Multiply = UMaterialEditingLibrary::CreateMaterialExpression(Material, ExpressionClass("MaterialExpressionMultiply"), -300, 100);
		EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Color, "", Multiply, "A"));
		EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Scalar, "", Multiply, "B"));
		EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Multiply, "", MP_BaseColor));
		EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Scalar, "", MP_Roughness));
		const UMaterialGraph* const Graph = MakeMaterialGraph(*Material);

		FJsonValueArray Connections;
		for (UMaterialExpression* const Expression : Material->GetExpressions())
		{
			for (int32_t Index = 0; Index < Expression->CountInputs(); ++Index)
			{
				const FExpressionInput* const Input = Expression->GetInput(Index);
				if (!Input->IsConnected())
				{
					continue;
				}
				auto Entry = std::make_shared<FJsonObject>();
				Entry->SetStringField("fromExpression", Input->Expression->GetName());
				Entry->SetStringField("fromOutput", Input->Expression->GetOutputs()[Input->OutputIndex].OutputName);
				Entry->SetStringField("toExpression", Expression->GetName());
				Entry->SetStringField("toInput", Expression->GetInputName(Index));
				Entry->SetNumberField("fromPosX", Input->Expression->MaterialExpressionEditorX);
				Entry->SetNumberField("fromPosY", Input->Expression->MaterialExpressionEditorY);
				Entry->SetNumberField("toPosX", Expression->MaterialExpressionEditorX);
				Entry->SetNumberField("toPosY", Expression->MaterialExpressionEditorY);
				Connections.emplace_back(Entry);
			}
		}
		FJsonValueArray ResultConnections;
		for (const auto& [Pin, Property] : {std::pair{"BaseColor", MP_BaseColor}, std::pair{"Roughness", MP_Roughness}})
		{
			const FExpressionInput* const Input = Material->GetExpressionInputForProperty(Property);
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("pin", Pin);
			Entry->SetStringField("fromExpressionName", Input->Expression->GetName());
			Entry->SetNumberField("fromPosX", Input->Expression->MaterialExpressionEditorX);
			Entry->SetNumberField("fromPosY", Input->Expression->MaterialExpressionEditorY);
			ResultConnections.emplace_back(Entry);
		}

		FSource Exported;
		Exported.Text = Graph->ExportNodesAsText({Graph->GetNodes().begin(), Graph->GetNodes().end()});
		FJsonObject Body;
		Body.SetStringField("name", "M_RoundTrip");
		Body.SetStringField("clipboardText", Exported.Text);
		Body.SetArrayField("connections", std::move(Connections));
		Body.SetArrayField("resultConnections", std::move(ResultConnections));
		Exported.Body = FJsonSerializer::SerializeCondensed(Body);
		Exported.Expressions = DescribeExpressions(*Material);
		Exported.Links = DescribeLinks(*Material);
		return Exported;
	});
	ASSERT_EQ(Source.Links.size(), 4u);

	const std::shared_ptr<FJsonObject> Answer = PostJson(Source.Body);

	EXPECT_EQ(Answer->TryGetNumberField("importedExpressions"), 3);
	EXPECT_EQ(Answer->TryGetNumberField("skippedRoots"), 1);
	EXPECT_EQ(Answer->TryGetNumberField("expressionConnectionsWired"), 2);
	EXPECT_EQ(Answer->TryGetNumberField("resultConnectionsWired"), 2);
	EXPECT_EQ(Answer->TryGetBoolField("compiled"), true);
	const auto [Expressions, Links] = ReadMaterial("/Game/Materials/M_RoundTrip.M_RoundTrip", [](UMaterial* Material) {
		return std::make_pair(DescribeExpressions(*Material), DescribeLinks(*Material));
	});
	EXPECT_EQ(Expressions, Source.Expressions);
	EXPECT_EQ(Links, Source.Links);
}
