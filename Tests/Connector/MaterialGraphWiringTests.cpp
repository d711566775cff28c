#include "Support/TestEditor.h"

#include "Endpoints/MaterialGraphWiring.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace
{
	UClass* ExpressionClass(std::string_view Name)
	{
		return FindEngineClassChecked("/Script/Engine." + std::string(Name));
	}

	FJsonValueArray ParseArray(std::string_view Json)
	{
		const std::optional<FJsonValue> Value = FJsonSerializer::Deserialize(Json);
		const std::shared_ptr<FJsonValueArray> Array = Value ? Value->TryGetArray() : nullptr;
		EXPECT_NE(Array, nullptr) << Json;
		return Array ? *Array : FJsonValueArray{};
	}

	std::string ToJson(const FJsonValue& Value)
	{
		std::string Text;
		FJsonSerializer::AppendCondensed(Text, Value);
		return Text;
	}

	std::string InCase(std::string Name, int (*Convert)(int))
	{
		for (char& Character : Name)
		{
			Character = static_cast<char>(Convert(static_cast<unsigned char>(Character)));
		}
		return Name;
	}

	std::vector<std::string> FailureTexts(const FMaterialWiringResult& Result)
	{
		std::vector<std::string> Texts;
		for (const FJsonValue& Failure : Result.Failures)
		{
			Texts.push_back(ToJson(Failure));
		}
		return Texts;
	}

	const FExpressionInput* FindInput(UMaterialExpression& Expression, std::string_view InputName)
	{
		for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
		{
			if (Expression.GetInputName(Index) == InputName)
			{
				return Expression.GetInput(Index);
			}
		}
		return nullptr;
	}

	/** A material with expressions placed as the test says, and the wiring over them as a paste would hand it over. */
	class MaterialGraphWiring : public ::testing::Test
	{
	protected:
		UMaterialExpression* Add(std::string_view ClassName, int32_t PosX, int32_t PosY)
		{
			UMaterialExpression* const Expression = UMaterialEditingLibrary::CreateMaterialExpression(Material, ExpressionClass(ClassName), PosX, PosY);
			EXPECT_NE(Expression, nullptr) << ClassName;
			Imported.push_back({Expression, PosX, PosY});
			return Expression;
		}

		FMaterialGraphWiring& Wiring()
		{
			if (!BuiltWiring)
			{
				BuiltWiring.emplace(Imported, [this]() { ++Relinks; });
				BuiltWiring->BuildPositionLookup();
			}
			return *BuiltWiring;
		}

		FTestEditor Editor;
		UMaterial* Material = NewObject<UMaterial>(CreatePackage("/Game/Wiring/M_Wiring"), "M_Wiring", RF_Public | RF_Standalone);
		std::vector<FImportedMaterialNode> Imported;
		std::optional<FMaterialGraphWiring> BuiltWiring;
		int Relinks = 0;
	};
}

TEST(MaterialResultPins, NamesMapToTheMaterialsPropertyInputs)
{
	EXPECT_EQ(FindMaterialResultPin("BaseColor"), MP_BaseColor);
	EXPECT_EQ(FindMaterialResultPin("opacityoverride"), MP_Opacity);
	EXPECT_EQ(FindMaterialResultPin("OPACITY"), MP_Opacity);
	EXPECT_EQ(FindMaterialResultPin("FinalColor"), MP_EmissiveColor);
	EXPECT_EQ(FindMaterialResultPin("ShadingModelPin"), MP_ShadingModel);
	EXPECT_EQ(FindMaterialResultPin("FrontMaterial"), MP_FrontMaterial);
	EXPECT_EQ(FindMaterialResultPin("MaterialAttributes"), MP_MaterialAttributes);
	EXPECT_EQ(FindMaterialResultPin("Base Color"), std::nullopt);
	EXPECT_EQ(FindMaterialResultPin(""), std::nullopt);
}

TEST(MaterialResultPins, CustomizedUVPinsAreThreeCharactersBelowEight)
{
	EXPECT_EQ(FindMaterialResultPin("UV0"), MP_CustomizedUVs0);
	EXPECT_EQ(FindMaterialResultPin("uv3"), MP_CustomizedUVs3);
	EXPECT_EQ(FindMaterialResultPin("Uv7"), MP_CustomizedUVs7);
	EXPECT_EQ(FindMaterialResultPin("UV8"), std::nullopt);
	EXPECT_EQ(FindMaterialResultPin("UV9"), std::nullopt);
	EXPECT_EQ(FindMaterialResultPin("UV10"), std::nullopt);
	EXPECT_EQ(FindMaterialResultPin("UV"), std::nullopt);
	// The index is read as the editor reads a number from text: no digit reads as 0.
	EXPECT_EQ(FindMaterialResultPin("UVx"), MP_CustomizedUVs0);
}

TEST_F(MaterialGraphWiring, LaterNodeAtASharedPositionReceivesTheLink)
{
	UMaterialExpression* const Source = Add("MaterialExpressionConstant", 0, 0);
	UMaterialExpression* const Hidden = Add("MaterialExpressionMultiply", 100, 50);
	UMaterialExpression* const Shown = Add("MaterialExpressionMultiply", 100, 50);

	const FMaterialWiringResult Result = Wiring().WireExpressions(ParseArray(
		R"([{"fromExpression":"nothing","toExpression":"nothing","toInput":"A","fromPosX":0,"fromPosY":0,"toPosX":100,"toPosY":50}])"));

	EXPECT_EQ(Wiring().GetPositionLookupSize(), 2u);
	EXPECT_EQ(Result.Wired, 1);
	EXPECT_TRUE(Result.Failures.empty());
	EXPECT_EQ(FindInput(*Shown, "A")->Expression, Source);
	EXPECT_EQ(FindInput(*Hidden, "A")->Expression, nullptr);
}

TEST_F(MaterialGraphWiring, EndpointsWithoutPositionsAreFoundByNameInAnyCase)
{
	UMaterialExpression* const Source = Add("MaterialExpressionConstant", 0, 0);
	UMaterialExpression* const Target = Add("MaterialExpressionMultiply", 200, 0);
	const std::string Connections = R"([{"fromExpression":")" + InCase(Source->GetName(), ::toupper) + R"(","toExpression":")" + InCase(Target->GetName(), ::tolower) +
		R"(","toInput":"B"}])";

	const FMaterialWiringResult Result = Wiring().WireExpressions(ParseArray(Connections));

	EXPECT_EQ(Result.Wired, 1);
	EXPECT_EQ(FindInput(*Target, "B")->Expression, Source);
}

TEST_F(MaterialGraphWiring, SourceFoundByPositionIsKeptWhenTheTargetIsFoundByName)
{
	UMaterialExpression* const BySource = Add("MaterialExpressionConstant", -300, 20);
	UMaterialExpression* const SameName = Add("MaterialExpressionConstant", -300, 220);
	UMaterialExpression* const Target = Add("MaterialExpressionMultiply", 0, 0);
	// The source's name names the other constant: the position decides.
	const std::string Connections = R"([{"fromExpression":")" + SameName->GetName() + R"(","toExpression":")" + Target->GetName() +
		R"(","toInput":"A","fromPosX":-300,"fromPosY":20,"toPosX":999,"toPosY":999}])";

	const FMaterialWiringResult Result = Wiring().WireExpressions(ParseArray(Connections));

	EXPECT_EQ(Result.Wired, 1);
	EXPECT_EQ(FindInput(*Target, "A")->Expression, BySource);
}

TEST_F(MaterialGraphWiring, ConnectionFailuresAreRecordedAndSkipTheMalformedEntries)
{
	UMaterialExpression* const Source = Add("MaterialExpressionConstant", 0, 0);
	UMaterialExpression* const Target = Add("MaterialExpressionMultiply", 200, 0);
	const std::string S = Source->GetName();
	const std::string T = Target->GetName();
	const std::string Connections = "[7, {\"toExpression\":\"" + T + "\"}, {\"fromExpression\":\"" + S + "\",\"toExpression\":5},"
		R"({"fromExpression":"Missing_0","toExpression":")" + T + R"(","fromPosX":1,"toPosX":200,"toPosY":0},)"
		R"({"fromExpression":")" + S + R"(","toExpression":"Missing_1","fromPosX":0,"fromPosY":0},)"
		R"({"fromExpression":")" + S + R"(","fromOutput":"Nope","toExpression":")" + T + R"(","toInput":"A"}])";

	const FMaterialWiringResult Result = Wiring().WireExpressions(ParseArray(Connections));

	EXPECT_EQ(Result.Wired, 0);
	EXPECT_EQ(FailureTexts(Result), (std::vector<std::string>{
		R"({"fromExpression":"Missing_0","toExpression":")" + T +
			R"(","fromPosX":1,"fromPosY":0,"toPosX":200,"toPosY":0,"error":"Source expression not found in paste set"})",
		R"({"fromExpression":")" + S + R"(","toExpression":"Missing_1","fromPosX":0,"fromPosY":0,"toPosX":0,"toPosY":0,"error":"Target expression not found in paste set"})",
		R"({"fromExpression":")" + S + R"(","fromOutput":"Nope","toExpression":")" + T + R"(","toInput":"A","error":"ConnectMaterialExpressions returned false"})",
	}));
	EXPECT_EQ(FindInput(*Target, "A")->Expression, nullptr);
}

TEST_F(MaterialGraphWiring, GraphIsRelinkedOnceMoreOnlyWhenAConnectionWasMade)
{
	UMaterialExpression* const Source = Add("MaterialExpressionConstant", 0, 0);
	UMaterialExpression* const Target = Add("MaterialExpressionMultiply", 200, 0);
	Wiring();
	EXPECT_EQ(Relinks, 1);

	Wiring().WireExpressions(ParseArray(R"([{"fromExpression":"Missing","toExpression":"Missing"}])"));
	EXPECT_EQ(Relinks, 1);

	Wiring().WireExpressions(ParseArray(R"([{"fromExpression":")" + Source->GetName() + R"(","toExpression":")" + Target->GetName() + R"("}])"));
	EXPECT_EQ(Relinks, 2);
}

TEST_F(MaterialGraphWiring, ResultPinsAreWiredByPositionOrName)
{
	UMaterialExpression* const Color = Add("MaterialExpressionConstant3Vector", -400, 0);
	UMaterialExpression* const Scalar = Add("MaterialExpressionConstant", -400, 200);
	const std::string Entries = R"([{"pin":"BaseColor","fromExpressionName":"ignored","fromPosX":-400,"fromPosY":0},)"
		R"({"pin":"opacityoverride","fromExpressionName":")" + InCase(Scalar->GetName(), ::tolower) + R"("},)"
		R"({"pin":"UV3","fromExpressionName":")" + Scalar->GetName() + R"(","fromPosX":5,"fromPosY":5}])";

	const FMaterialWiringResult Result = Wiring().WireResultPins(ParseArray(Entries));

	EXPECT_EQ(Result.Wired, 3);
	EXPECT_TRUE(Result.Failures.empty());
	EXPECT_EQ(Material->GetExpressionInputForProperty(MP_BaseColor)->Expression, Color);
	EXPECT_EQ(Material->GetExpressionInputForProperty(MP_Opacity)->Expression, Scalar);
	EXPECT_EQ(Material->GetExpressionInputForProperty(MP_CustomizedUVs3)->Expression, Scalar);
}

TEST_F(MaterialGraphWiring, ResultPinFailuresNameTheSourceBeforeThePin)
{
	UMaterialExpression* const Scalar = Add("MaterialExpressionConstant", 0, 0);
	const std::string S = Scalar->GetName();
	const std::string Entries = R"([{"pin":"NoSuchPin","fromExpressionName":"Ghost","fromPosX":3,"fromPosY":-4},)"
		R"({"pin":"UV8","fromExpressionName":")" + S + R"("},)"
		R"({"pin":"UV10","fromExpressionName":")" + S + R"("},)"
		R"({"pin":"Metallic","fromExpressionName":")" + S + R"(","fromOutputName":"Nope"},)"
		R"({"fromExpressionName":")" + S + R"("}, "text"])";

	const FMaterialWiringResult Result = Wiring().WireResultPins(ParseArray(Entries));

	EXPECT_EQ(Result.Wired, 0);
	EXPECT_EQ(FailureTexts(Result), (std::vector<std::string>{
		R"~({"pin":"NoSuchPin","fromExpression":"Ghost","fromPosX":3,"fromPosY":-4,"error":"Source expression 'Ghost' not found at (3,-4)"})~",
		R"({"pin":"UV8","error":"Unknown material result pin name"})",
		R"({"pin":"UV10","error":"Unknown material result pin name"})",
		R"({"pin":"Metallic","fromExpression":")" + S + R"(","error":"ConnectMaterialProperty returned false"})",
	}));
	EXPECT_EQ(Material->GetExpressionInputForProperty(MP_Metallic)->Expression, nullptr);
}

TEST_F(MaterialGraphWiring, NamedReroutesAreBoundByPositionOnly)
{
	auto* const Declaration = Cast<UMaterialExpressionNamedRerouteDeclaration>(Add("MaterialExpressionNamedRerouteDeclaration", 0, 0));
	auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(Add("MaterialExpressionNamedRerouteUsage", 300, 0));
	Add("MaterialExpressionConstant", 600, 0);
	ASSERT_NE(Declaration, nullptr);
	ASSERT_NE(Usage, nullptr);
	const std::string Links = R"([{"usagePosX":300,"usagePosY":0,"declarationPosX":0,"declarationPosY":0},)"
		R"({"usagePosX":600,"usagePosY":0,"declarationPosX":0,"declarationPosY":0},)"
		R"({"usagePosX":300,"usagePosY":0,"declarationPosX":600,"declarationPosY":0},)"
		R"({"usagePosX":1,"usagePosY":1,"declarationPosX":0,"declarationPosY":0},)"
		R"({"usagePosX":300,"usagePosY":0,"declarationPosX":2,"declarationPosY":2},)"
		R"({"usagePosX":300,"usagePosY":0,"declarationPosX":0}, null])";

	const FMaterialWiringResult Result = Wiring().BindNamedReroutes(ParseArray(Links));

	EXPECT_EQ(Result.Wired, 1);
	EXPECT_EQ(Usage->Declaration, Declaration);
	EXPECT_EQ(FailureTexts(Result), (std::vector<std::string>{
		R"({"usagePosX":600,"usagePosY":0,"declarationPosX":0,"declarationPosY":0,"error":"Usage cast to UMaterialExpressionNamedRerouteUsage failed"})",
		R"({"usagePosX":300,"usagePosY":0,"declarationPosX":600,"declarationPosY":0,"error":"Decl cast to UMaterialExpressionNamedRerouteDeclaration failed"})",
		R"({"usagePosX":1,"usagePosY":1,"declarationPosX":0,"declarationPosY":0,"error":"Usage position not in ExprByPosition"})",
		R"({"usagePosX":300,"usagePosY":0,"declarationPosX":2,"declarationPosY":2,"error":"Declaration position not in ExprByPosition"})",
	}));
}
