#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialGraphTestSupport.h"
#include "Materials/MaterialShared.h"
#include "Textures/Texture.h"

using namespace MaterialGraphTest;

namespace
{
	class FMaterialCompile : public FMaterialGraphFixture
	{
	protected:
		std::vector<std::string> Compile()
		{
			FMaterialResource Resource;
			Resource.Compile(*Material);
			return Resource.GetCompileErrors();
		}

		void Feed(EMaterialProperty Property, UMaterialExpression& From, int32_t OutputIndex = 0)
		{
			Material->GetExpressionInputForProperty(Property)->Connect(OutputIndex, From);
		}

		static void Connect(UMaterialExpression& From, UMaterialExpression& To, int32_t InputIndex)
		{
			To.GetInput(InputIndex)->Connect(0, From);
		}

		UMaterialExpression* TextureObject()
		{
			auto* const Object = Add<UMaterialExpressionTextureBase>("/Script/Engine.MaterialExpressionTextureObject");
			UPackage* const Package = CreatePackage("/Game/Textures/T_Grid");
			Object->SetTexture(NewObject<UTexture>(Package, FindEngineClassChecked("/Script/Engine.Texture2D"), "T_Grid", RF_Public | RF_Standalone));
			return Object;
		}

		using FErrors = std::vector<std::string>;
	};
}

TEST_F(FMaterialCompile, AMaterialWithoutExpressionsOrWithSoundOnesCompiles)
{
	EXPECT_EQ(Compile(), FErrors{});
	UMaterialExpression* const Constant = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	UMaterialExpression* const Multiply = Add("/Script/Engine.MaterialExpressionMultiply");
	Connect(*Constant, *Multiply, 0);
	Feed(MP_BaseColor, *Multiply);
	EXPECT_EQ(Compile(), FErrors{}) << "an open optional input takes the expression's constant";
}

TEST_F(FMaterialCompile, TextureExpressionsWithoutTheirTextureFailInTheEditorsWords)
{
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	Feed(MP_BaseColor, *Sample);
	EXPECT_EQ(Compile(), FErrors{"(Node TextureSample) Texture Sample> Missing input texture"});
	Sample->Desc = "Albedo";
	EXPECT_EQ(Compile(), FErrors{"(Node TextureSample) Albedo> Missing input texture"}) << "the description names the node when it has one";

	Connect(*TextureObject(), *Sample, 1);
	EXPECT_EQ(Compile(), FErrors{}) << "a texture object on Tex is the sample's texture";

	UMaterialExpression* const Parameter = Add("/Script/Engine.MaterialExpressionTextureSampleParameter2D");
	Feed(MP_EmissiveColor, *Parameter);
	EXPECT_EQ(Compile(), FErrors{"(Node TextureSampleParameter2D) Param2D> Requires Texture2D"});
}

TEST_F(FMaterialCompile, OnlyWhatTheMaterialReadsIsCompiledAndEachErrorIsReportedOnce)
{
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	Add("/Script/Engine.MaterialExpressionTextureSample");
	EXPECT_EQ(Compile(), FErrors{}) << "expressions nothing reads are not compiled";
	Feed(MP_Opacity, *Sample);
	EXPECT_EQ(Compile(), FErrors{}) << "an opaque material does not read its opacity";
	Material->BlendMode = BLEND_Translucent;
	Feed(MP_BaseColor, *Sample);
	EXPECT_EQ(Compile(), FErrors{"(Node TextureSample) Texture Sample> Missing input texture"});
}

TEST_F(FMaterialCompile, RequiredInputsLeftOpenAreMissing)
{
	UMaterialExpression* const Root = Add("/Script/Engine.MaterialExpressionSquareRoot");
	UMaterialExpression* const Dot = Add("/Script/Engine.MaterialExpressionDotProduct");
	UMaterialExpression* const Add = FMaterialGraphFixture::Add("/Script/Engine.MaterialExpressionAdd");
	Connect(*Root, *Add, 0);
	Connect(*Dot, *Add, 1);
	Connect(*Root, *Dot, 0);
	Feed(MP_BaseColor, *Add);
	EXPECT_EQ(Compile(), (FErrors{"(Node SquareRoot) Missing SquareRoot input", "(Node DotProduct) Missing B input"}));
}

TEST_F(FMaterialCompile, ACycleIsAReentrantExpressionOfTheNodeThatClosesIt)
{
	UMaterialExpression* const Add = FMaterialGraphFixture::Add("/Script/Engine.MaterialExpressionAdd");
	UMaterialExpression* const Multiply = FMaterialGraphFixture::Add("/Script/Engine.MaterialExpressionMultiply");
	UMaterialExpression* const Reroute = FMaterialGraphFixture::Add("/Script/Engine.MaterialExpressionReroute");
	Connect(*Multiply, *Add, 0);
	Connect(*Reroute, *Multiply, 0);
	Connect(*Add, *Reroute, 0);
	Feed(MP_BaseColor, *Add);
	EXPECT_EQ(Compile(), FErrors{"(Node Multiply) Reentrant expression"}) << "reroutes are looked through";

	UMaterialExpression* const Loop = FMaterialGraphFixture::Add("/Script/Engine.MaterialExpressionReroute");
	Connect(*Loop, *Loop, 0);
	Feed(MP_BaseColor, *Loop);
	EXPECT_EQ(Compile(), FErrors{}) << "reroutes that only lead round read nothing";
}

TEST_F(FMaterialCompile, ValuesOfTheWrongKindCannotBeUsed)
{
	UMaterialExpression* const Object = TextureObject();
	UMaterialExpression* const Multiply = Add("/Script/Engine.MaterialExpressionMultiply");
	Connect(*Object, *Multiply, 0);
	Feed(MP_BaseColor, *Multiply);
	EXPECT_EQ(Compile(), FErrors{"(Node Multiply) Attempting to perform arithmetic on non-numeric types: texture2D float"});

	UMaterialExpression* const Root = Add("/Script/Engine.MaterialExpressionSquareRoot");
	Connect(*Object, *Root, 0);
	Feed(MP_BaseColor, *Root);
	EXPECT_EQ(Compile(), FErrors{"(Node SquareRoot) Cannot cast from texture2D to float."});

	Feed(MP_BaseColor, *Object);
	EXPECT_EQ(Compile(), FErrors{"Cannot cast from texture2D to float3."}) << "a property is compiled outside any node";

	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	Connect(*Object, *Sample, 1);
	Feed(MP_BaseColor, *Sample);
	EXPECT_EQ(Compile(), FErrors{}) << "Tex takes a texture";
}

TEST_F(FMaterialCompile, CustomCodeNeedsItsNamedInputsAndSomeCode)
{
	auto* const Custom = Add<UMaterialExpressionCustom>("/Script/Engine.MaterialExpressionCustom");
	Feed(MP_EmissiveColor, *Custom);
	EXPECT_EQ(Compile(), FErrors{}) << "the class default code is 1";
	Custom->SetCode("");
	EXPECT_EQ(Compile(), FErrors{"/Engine/Generated/Material.ush: error X3080: 'CustomExpression0': function must return a value"});

	Custom->SetCode("return Tint * 2;");
	FExpressionInput Tint;
	Tint.InputName = "Tint";
	Custom->Inputs.push_back(Tint);
	EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom missing input 1 (Tint)"});

	// Code that would not compile is found by the shader compiler, which runs only on a graph without errors.
	Custom->SetCode(" ");
	EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom missing input 1 (Tint)"});
}

TEST_F(FMaterialCompile, AFunctionCallWithoutItsFunctionIsMissingIt)
{
	UMaterialExpression* const Call = Add("/Script/Engine.MaterialExpressionMaterialFunctionCall");
	Feed(MP_BaseColor, *Call);
	EXPECT_EQ(Compile(), FErrors{"Missing Material Function"}) << "function calls are not named as nodes";
}

TEST_F(FMaterialCompile, PastedSamplesCompileAsTheirGraphSays)
{
	const std::vector<UEdGraphNode*> Nodes = PasteIntoMaterial(*Graph,
		"Begin Object Class=/Script/UnrealEd.MaterialGraphNode Name=\"MaterialGraphNode_24\"\n"
		"   Begin Object Class=/Script/Engine.MaterialExpressionSquareRoot Name=\"MaterialExpressionSquareRoot_0\"\n"
		"   End Object\n"
		"   Begin Object Name=\"MaterialExpressionSquareRoot_0\"\n"
		"   End Object\n"
		"   MaterialExpression=/Script/Engine.MaterialExpressionSquareRoot'\"MaterialExpressionSquareRoot_0\"'\n"
		"End Object\n");
	UMaterialExpression* const Root = Cast<UMaterialGraphNode>(Nodes.at(0))->MaterialExpression;
	ASSERT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Root, "", MP_Metallic));
	UMaterialEditingLibrary::RecompileMaterial(Material);
	EXPECT_EQ(Material->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High)->GetCompileErrors(), FErrors{"(Node SquareRoot) Missing SquareRoot input"});
}
