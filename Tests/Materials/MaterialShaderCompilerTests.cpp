#include "Materials/HLSLMaterialTranslator.h"
#include "Materials/MaterialCompileChecks.h"
#include "Materials/MaterialGraphTestSupport.h"
#include "Materials/MaterialTestGraphs.h"
#include "Materials/MaterialShaderCompiler.h"
#include "Materials/MaterialShaderMap.h"
#include "Materials/MaterialShared.h"
#include "Textures/Texture.h"

#include <fstream>

using namespace MaterialGraphTest;

namespace
{
	class FMaterialShaderCompile : public FMaterialGraphFixture
	{
	protected:
		FMaterialResource Resource;

		const std::vector<std::string>& Compile()
		{
			Resource.Compile(*Material);
			return Resource.GetCompileErrors();
		}

		void Feed(EMaterialProperty Property, UMaterialExpression& From, int32_t OutputIndex = 0)
		{
			Material->GetExpressionInputForProperty(Property)->Connect(OutputIndex, From);
		}

		static void Connect(UMaterialExpression& From, UMaterialExpression& To, int32_t InputIndex, int32_t OutputIndex = 0)
		{
			To.GetInput(InputIndex)->Connect(OutputIndex, From);
		}

		UTexture* NewTexture(std::string_view Name)
		{
			UPackage* const Package = CreatePackage("/Game/Textures/" + std::string(Name));
			return NewObject<UTexture>(Package, FindEngineClassChecked("/Script/Engine.Texture2D"), Name, RF_Public | RF_Standalone);
		}

		UMaterialExpressionCustom* Custom(std::string_view Code, ECustomMaterialOutputType OutputType = CMOT_Float3)
		{
			auto* const Expression = Add<UMaterialExpressionCustom>("/Script/Engine.MaterialExpressionCustom");
			Expression->SetCode(Code);
			Expression->SetKeptPropertyText("OutputType", std::string(OutputType == CMOT_Float1 ? "CMOT_Float1" : "CMOT_Float3"));
			return Expression;
		}

		/**
		 * The known graph: a texture coordinate (tiling 2) into a sample of T_Albedo times the
		 * vector parameter Tint into base colour, the scalar parameter Rough into roughness.
		 */
		void BuildTintedTextureGraph()
		{
			UMaterialExpression* const Coordinate = Add("/Script/Engine.MaterialExpressionTextureCoordinate");
			Coordinate->SetKeptPropertyText("UTiling", "2.000000");
			Coordinate->SetKeptPropertyText("VTiling", "2.000000");
			auto* const Sample = Add<UMaterialExpressionTextureSample>("/Script/Engine.MaterialExpressionTextureSample");
			Sample->SetTexture(NewTexture("T_Albedo"));
			Connect(*Coordinate, *Sample, 0);
			auto* const Tint = Add<UMaterialExpressionVectorParameter>("/Script/Engine.MaterialExpressionVectorParameter");
			FMaterialParameterFields::SetParameterName(*Tint, "Tint");
			Tint->SetDefaultValue(FLinearColor{1.0f, 0.5f, 0.25f, 1.0f});
			UMaterialExpression* const Multiply = Add("/Script/Engine.MaterialExpressionMultiply");
			Connect(*Sample, *Multiply, 0);
			Connect(*Tint, *Multiply, 1);
			Feed(MP_BaseColor, *Multiply);
			auto* const Rough = Add<UMaterialExpressionScalarParameter>("/Script/Engine.MaterialExpressionScalarParameter");
			FMaterialParameterFields::SetParameterName(*Rough, "Rough");
			Rough->SetDefaultValue(0.75f);
			Feed(MP_Roughness, *Rough);
		}

		using FErrors = std::vector<std::string>;
	};

	std::string ReadGolden(std::string_view Name)
	{
		return ReadBytes(std::filesystem::path(KORVANE_PLUGIN_DIR) / "Tests/Materials/Golden" / Name);
	}

	/** The part of the source between two markers (the first line of each). */
	std::string Between(const std::string& Text, std::string_view From, std::string_view To)
	{
		const std::size_t Start = Text.find(From);
		const std::size_t End = Text.find(To, Start);
		return Start == std::string::npos || End == std::string::npos ? std::string() : Text.substr(Start, End - Start);
	}
}

TEST_F(FMaterialShaderCompile, AKnownGraphTranslatesToTheGoldenPixelMaterialInputs)
{
	BuildTintedTextureGraph();
	ASSERT_EQ(Compile(), FErrors{});
	const FMaterialShaderMap* const Map = Resource.GetShaderMap();
	ASSERT_NE(Map, nullptr);
	const std::string Translated = Between(Map->Hlsl, "[[vk::binding(0, 1)]] Texture2D", "struct FPixelShaderOut");
	EXPECT_EQ(Translated, ReadGolden("TintedTexture.hlsl"));

	ASSERT_EQ(Map->Uniforms.size(), 2u);
	EXPECT_EQ(Map->Uniforms[0].Name, "Tint");
	EXPECT_EQ(Map->Uniforms[0].Offset, 0);
	EXPECT_EQ(Map->Uniforms[0].NumComponents, 4);
	EXPECT_EQ(Map->Uniforms[0].DefaultValue, (std::array<float, 4>{1.0f, 0.5f, 0.25f, 1.0f}));
	EXPECT_EQ(Map->Uniforms[1].Name, "Rough");
	EXPECT_EQ(Map->Uniforms[1].Offset, 4);
	EXPECT_EQ(Map->Uniforms[1].NumComponents, 1);
	EXPECT_EQ(Map->Uniforms[1].DefaultValue[0], 0.75f);
	EXPECT_EQ(Map->UniformBlockFloats, 8);
	ASSERT_EQ(Map->Textures.size(), 1u);
	EXPECT_EQ(Map->Textures[0].ParameterName, "");
	EXPECT_EQ(Map->Textures[0].GlslSamplerName, "Material_Texture2D_0");
	EXPECT_EQ(Map->Textures[0].Unit, 0);
	EXPECT_EQ(Map->Textures[0].DefaultTexturePath, "/Game/Textures/T_Albedo.T_Albedo");
	EXPECT_FALSE(Map->Textures[0].bCube);
}

TEST_F(FMaterialShaderCompile, TheGlslKeepsTheLocationsBindingsAndSamplerNamesOfTheInterface)
{
	BuildTintedTextureGraph();
	auto* const Parameter = Add<UMaterialExpressionTextureSampleParameter>("/Script/Engine.MaterialExpressionTextureSampleParameter2D");
	FMaterialParameterFields::SetParameterName(*Parameter, "Detail");
	Parameter->SetTexture(NewTexture("T_Detail"));
	Feed(MP_EmissiveColor, *Parameter);
	ASSERT_EQ(Compile(), FErrors{});
	const FMaterialShaderMap& Map = *Resource.GetShaderMap();
	const std::string& Glsl = Map.PixelGlsl;
	EXPECT_TRUE(Glsl.starts_with("#version 450\n")) << Glsl;
	EXPECT_EQ(Glsl.find("#version 450 es"), std::string::npos);
	for (const std::string_view Input : {"layout(location = 0) in vec3 WorldPosition;", "layout(location = 1) in vec3 WorldNormal;", "layout(location = 2) in vec4 WorldTangent;",
			 "layout(location = 3) in vec4 TexCoords01;"})
	{
		EXPECT_NE(Glsl.find(Input), std::string::npos) << Input << "\n" << Glsl;
	}
	for (int Location = 0; Location < 4; ++Location)
	{
		EXPECT_NE(Glsl.find("layout(location = " + std::to_string(Location) + ") out vec4"), std::string::npos) << Glsl;
	}
	EXPECT_NE(Glsl.find("layout(binding = 0, std140) uniform View\n{\n    vec4 CameraPosition;\n    vec4 TimeParams;\n    mat4 WorldToClip;\n    vec4 ViewSize;\n}"), std::string::npos)
		<< "the block links with the renderer's vertex shader's\n" << Glsl;
	EXPECT_NE(Glsl.find("layout(binding = 1, std140) uniform Material\n{\n    FMaterialUniforms Material;\n}"), std::string::npos) << Glsl;
	EXPECT_NE(Glsl.find("struct FMaterialUniforms\n{\n    vec4 Values[2];\n};"), std::string::npos) << Glsl;
	ASSERT_EQ(Map.Textures.size(), 2u);
	EXPECT_EQ(Map.Textures[1].ParameterName, "Detail");
	EXPECT_EQ(Map.Textures[1].Unit, 1);
	for (const FMaterialTextureParameter& Texture : Map.Textures)
	{
		const std::string Declaration = "layout(binding = " + std::to_string(Texture.Unit) + ") uniform sampler2D " + Texture.GlslSamplerName + ";";
		EXPECT_NE(Glsl.find(Declaration), std::string::npos) << Declaration << "\n" << Glsl;
	}
}

TEST_F(FMaterialShaderCompile, MaskedTwoSidedUnlitMaterialsCarryTheirSettingsIntoTheShader)
{
	auto* const Mask = MaterialTestGraphs::AddScalar(*Material, "Cutout", 0.2f);
	Material->BlendMode = BLEND_Masked;
	Material->OpacityMaskClipValue = 0.5f;
	Material->TwoSided = true;
	Material->SetShadingModel(MSM_Unlit);
	Feed(MP_OpacityMask, *Mask);
	ASSERT_EQ(Compile(), FErrors{});
	const FMaterialShaderMap& Map = *Resource.GetShaderMap();
	EXPECT_NE(Map.Hlsl.find("if (PixelMaterialInputs.OpacityMask < 0.5)"), std::string::npos);
	EXPECT_NE(Map.PixelGlsl.find("discard;"), std::string::npos);
	EXPECT_NE(Map.PixelGlsl.find("gl_FrontFacing"), std::string::npos);
	EXPECT_TRUE(Map.bUnlit);
	EXPECT_TRUE(Map.bTwoSided);
	EXPECT_EQ(Map.BlendMode, BLEND_Masked);
	EXPECT_EQ(Map.OpacityMaskClipValue, 0.5f);
}

TEST_F(FMaterialShaderCompile, CustomCodeErrorsAreGlslangsMessagesNamingTheCustomNode)
{
	UMaterialExpressionCustom* const Broken = Custom("return float3(1, 2, 3;");
	Feed(MP_BaseColor, *Broken);
	const FErrors SyntaxErrors = Compile();
	ASSERT_EQ(SyntaxErrors.size(), 1u);
	EXPECT_TRUE(SyntaxErrors[0].starts_with("(Node Custom) /Engine/Generated/Material.ush(")) << SyntaxErrors[0];
	EXPECT_NE(SyntaxErrors[0].find("): error: ')' : Expected"), std::string::npos) << SyntaxErrors[0];
	EXPECT_EQ(Resource.GetShaderMap(), nullptr);

	Broken->SetCode("return Undeclared * 2;");
	const FErrors Undeclared = Compile();
	ASSERT_FALSE(Undeclared.empty());
	EXPECT_TRUE(Undeclared[0].starts_with("(Node Custom) /Engine/Generated/Material.ush(")) << Undeclared[0];
	EXPECT_NE(Undeclared[0].find("'Undeclared' : unknown variable"), std::string::npos) << Undeclared[0];

	Broken->SetCode("float3(0.5, 0.5, 0.5)");
	EXPECT_EQ(Compile(), FErrors{}) << "code without a return is the value returned";
	EXPECT_NE(Resource.GetShaderMap(), nullptr);
}

TEST_F(FMaterialShaderCompile, HostileCustomCodeIsRefusedOrCompiledNeverRun)
{
	UMaterialExpressionCustom* const Loop = Custom("while (true) { } return float3(0, 0, 0);");
	Feed(MP_BaseColor, *Loop);
	EXPECT_EQ(Compile(), FErrors{}) << "the shader is compiled, never run";

	Loop->SetCode("return " + std::string(5000, '(') + "1" + std::string(5000, ')') + ";");
	EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom nests brackets deeper than 128 levels"});
	Loop->SetCode("return " + std::string(100, '(') + "1" + std::string(100, ')') + ";");
	EXPECT_EQ(Compile(), FErrors{});

	for (const std::string_view Directive : {"#include \"/etc/passwd\"\nreturn 1;", "  #define A0 1\n#define A1 A0 A0\nreturn A1;"})
	{
		Loop->SetCode(Directive);
		EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom uses a preprocessor directive, which custom code may not"}) << Directive;
	}
	Loop->SetCode("return 0; }\nfloat4 main() : SV_Target0 { return 1;");
	const FErrors Escaped = Compile();
	ASSERT_FALSE(Escaped.empty()) << "code that closes its function and writes another entry does not compile";
	EXPECT_EQ(Resource.GetShaderMap(), nullptr);

	Loop->SetCode("return Tint;");
	Loop->Inputs.push_back(FExpressionInput{.InputName = "Tint) { return 1; } float3 X("});
	Loop->Inputs[0].Connect(0, *Add("/Script/Engine.MaterialExpressionConstant3Vector"));
	EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom input 1 name 'Tint) { return 1; } float3 X(' is not a valid identifier"});

	Loop->SetCode("return " + std::string(MaxCustomExpressionCodeLength, ' ') + "1;");
	EXPECT_EQ(Compile(), FErrors{"(Node Custom) Custom material Custom has " + std::to_string(MaxCustomExpressionCodeLength + 9) + " characters of code; at most "
								+ std::to_string(MaxCustomExpressionCodeLength) + " are compiled"});
}

TEST_F(FMaterialShaderCompile, ArithmeticBetweenVectorsOfDifferentWidthsIsUndefined)
{
	UMaterialExpression* const Three = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	UMaterialExpression* const Four = Add("/Script/Engine.MaterialExpressionConstant4Vector");
	UMaterialExpression* const Sum = Add("/Script/Engine.MaterialExpressionAdd");
	Connect(*Three, *Sum, 0);
	Connect(*Four, *Sum, 1);
	Feed(MP_BaseColor, *Sum);
	EXPECT_EQ(Compile(), FErrors{"(Node Add) Arithmetic between types float3 and float4 are undefined"});
	EXPECT_EQ(Resource.GetShaderMap(), nullptr);

	UMaterialExpression* const Scalar = Add("/Script/Engine.MaterialExpressionConstant");
	Connect(*Scalar, *Sum, 1);
	EXPECT_EQ(Compile(), FErrors{}) << "a float goes with any width";
}

TEST_F(FMaterialShaderCompile, AnOpenRequiredInputAndAnExpressionTheTranslatorDoesNotKnowAreErrors)
{
	UMaterialExpression* const Dot = Add("/Script/Engine.MaterialExpressionDotProduct");
	Connect(*Add("/Script/Engine.MaterialExpressionConstant3Vector"), *Dot, 0);
	Feed(MP_Metallic, *Dot);
	EXPECT_EQ(Compile(), FErrors{"(Node DotProduct) Missing B input"});

	UMaterialExpression* const Noise = Add("/Script/Engine.MaterialExpressionSobol");
	Feed(MP_Metallic, *Noise);
	EXPECT_EQ(Compile(), FErrors{"(Node Sobol) Expression Sobol not supported by this material translator"});
}

TEST_F(FMaterialShaderCompile, ASecondCompileOfTheSameTranslationIsACacheHit)
{
	BuildTintedTextureGraph();
	ASSERT_EQ(Compile(), FErrors{});
	const std::string FirstGlsl = Resource.GetShaderMap()->PixelGlsl;
	const int64_t HitsBefore = GetMaterialShaderCacheHits();
	ASSERT_EQ(Compile(), FErrors{});
	EXPECT_EQ(GetMaterialShaderCacheHits(), HitsBefore + 1);
	EXPECT_EQ(Resource.GetShaderMap()->PixelGlsl, FirstGlsl);

	Material->GetExpressionInputForProperty(MP_Roughness)->Disconnect();
	ASSERT_EQ(Compile(), FErrors{});
	EXPECT_EQ(GetMaterialShaderCacheHits(), HitsBefore + 1) << "another translation compiles afresh";
}

TEST_F(FMaterialShaderCompile, DiagnosticsWithoutALineOrOnTemplateLinesNameNoNode)
{
	const std::vector<const UMaterialExpression*> Owners(3, nullptr);
	EXPECT_EQ(MapShaderDiagnostics("ERROR: 0:2: 'x' : unknown variable \nERROR: 1 compilation errors.  No code generated.\n", Owners),
		FErrors{"/Engine/Generated/Material.ush(2): error: 'x' : unknown variable"});
	EXPECT_EQ(MapShaderDiagnostics("ERROR: 0:99: 'y' : unknown variable \n", Owners), FErrors{"/Engine/Generated/Material.ush(99): error: 'y' : unknown variable"});
	EXPECT_EQ(MapShaderDiagnostics("Linking fragment stage: Missing entry point\n", Owners), FErrors{"/Engine/Generated/Material.ush: error: Linking fragment stage: Missing entry point"});
}

TEST_F(FMaterialShaderCompile, EveryExpressionKindTheTranslatorKnowsCompiles)
{
	const auto Chain = [this](std::initializer_list<std::string_view> Classes, UMaterialExpression& Start) {
		UMaterialExpression* Last = &Start;
		for (const std::string_view Class : Classes)
		{
			UMaterialExpression* const Next = Add("/Script/Engine.MaterialExpression" + std::string(Class));
			Connect(*Last, *Next, 0);
			Last = Next;
		}
		return Last;
	};
	UMaterialExpression* const Color = Add("/Script/Engine.MaterialExpressionVertexColor");
	UMaterialExpression* const Unary = Chain({"OneMinus", "Saturate", "Abs", "Frac", "Floor", "Ceil", "Sine", "Cosine", "Normalize", "SquareRoot", "Desaturation"}, *Color);
	UMaterialExpression* const Cross = Add("/Script/Engine.MaterialExpressionCrossProduct");
	Connect(*Unary, *Cross, 0);
	Connect(*Add("/Script/Engine.MaterialExpressionCameraVectorWS"), *Cross, 1);
	UMaterialExpression* const Binary = Chain({"Min", "Max", "Subtract", "Divide", "Power", "Clamp"}, *Cross);
	UMaterialExpression* const Lerp = Add("/Script/Engine.MaterialExpressionLinearInterpolate");
	Connect(*Binary, *Lerp, 0);
	Connect(*Add("/Script/Engine.MaterialExpressionPixelNormalWS"), *Lerp, 1);
	Connect(*Add("/Script/Engine.MaterialExpressionFresnel"), *Lerp, 2);
	Feed(MP_BaseColor, *Lerp);

	UMaterialExpression* const Mask = Add("/Script/Engine.MaterialExpressionComponentMask");
	Mask->SetKeptPropertyText("R", "True");
	Connect(*Add("/Script/Engine.MaterialExpressionWorldPosition"), *Mask, 0);
	UMaterialExpression* const Append = Add("/Script/Engine.MaterialExpressionAppendVector");
	Connect(*Mask, *Append, 0);
	Connect(*Add("/Script/Engine.MaterialExpressionTime"), *Append, 1);
	UMaterialExpression* const Panner = Add("/Script/Engine.MaterialExpressionPanner");
	Connect(*Append, *Panner, 0);
	UMaterialExpression* const Dot = Add("/Script/Engine.MaterialExpressionDotProduct");
	Connect(*Panner, *Dot, 0);
	Connect(*Add("/Script/Engine.MaterialExpressionConstant2Vector"), *Dot, 1);
	UMaterialExpression* const If = Add("/Script/Engine.MaterialExpressionIf");
	Connect(*Dot, *If, 0);
	Connect(*Add("/Script/Engine.MaterialExpressionConstant"), *If, 2);
	Connect(*MaterialTestGraphs::AddScalar(*Material, "Low", 0.1f), *If, 4);
	Feed(MP_Metallic, *If);

	ASSERT_EQ(Compile(), FErrors{});
	const std::string& Hlsl = Resource.GetShaderMap()->Hlsl;
	for (const std::string_view Function : {"saturate(", "frac(", "floor(", "ceil(", "sin(", "cos(", "normalize(", "sqrt(", "cross(", "min(", "max(", "pow(", "clamp(", "lerp(", "Fresnel(",
			 "dot(", "View.TimeParams.x", "Parameters.VertexColor", "Parameters.CameraVector", "Parameters.WorldNormal"})
	{
		EXPECT_NE(Hlsl.find(Function), std::string::npos) << Function;
	}
}

TEST_F(FMaterialShaderCompile, CustomCodeReadingCustomCodeGetsFunctionsOfItsOwn)
{
	UMaterialExpressionCustom* const Inner = Custom("return float3(0.25, 0.5, 0.75);");
	UMaterialExpressionCustom* const Outer = Custom("return Value * 2;");
	Outer->Inputs.push_back(FExpressionInput{.InputName = "Value"});
	Outer->Inputs[0].Connect(0, *Inner);
	Feed(MP_BaseColor, *Outer);
	ASSERT_EQ(Compile(), FErrors{});
	const std::string& Hlsl = Resource.GetShaderMap()->Hlsl;
	EXPECT_NE(Hlsl.find("float3 CustomExpression0(FMaterialPixelParameters Parameters)\n"), std::string::npos) << Hlsl;
	EXPECT_NE(Hlsl.find("float3 CustomExpression1(FMaterialPixelParameters Parameters, float3 Value)\n"), std::string::npos) << Hlsl;
}

TEST_F(FMaterialShaderCompile, AStaticSwitchNeedsBothBranchesAndCompilesTheOneItsValueSelects)
{
	auto* const Switch = Add<UMaterialExpressionStaticSwitchParameter>("/Script/Engine.MaterialExpressionStaticSwitchParameter");
	FMaterialParameterFields::SetParameterName(*Switch, "UseRed");
	Feed(MP_BaseColor, *Switch);
	EXPECT_EQ(Compile(), (FErrors{"(Node StaticSwitchParameter) Missing A input", "(Node StaticSwitchParameter) Missing B input"}));

	UMaterialExpression* const Red = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	Red->SetKeptPropertyText("Constant", "(R=0.750000,G=0.000000,B=0.000000,A=0.000000)");
	UMaterialExpression* const Blue = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	Blue->SetKeptPropertyText("Constant", "(R=0.000000,G=0.000000,B=0.625000,A=0.000000)");
	Connect(*Red, *Switch, 0);
	Connect(*Blue, *Switch, 1);
	constexpr std::string_view RedText = "float3(0.75, 0.0, 0.0)";
	constexpr std::string_view BlueText = "float3(0.0, 0.0, 0.625)";
	ASSERT_EQ(Compile(), FErrors{});
	EXPECT_NE(Resource.GetShaderMap()->Hlsl.find(BlueText), std::string::npos);
	EXPECT_EQ(Resource.GetShaderMap()->Hlsl.find(RedText), std::string::npos);
	Switch->SetDefaultValue(true);
	ASSERT_EQ(Compile(), FErrors{});
	EXPECT_NE(Resource.GetShaderMap()->Hlsl.find(RedText), std::string::npos);
	EXPECT_EQ(Resource.GetShaderMap()->Hlsl.find(BlueText), std::string::npos);
}

TEST_F(FMaterialShaderCompile, AChainLongerThanTheLimitIsRefusedAndOneWithinItCompiles)
{
	const auto Chain = [this](std::size_t Length) {
		UMaterialExpression* Last = Add("/Script/Engine.MaterialExpressionConstant");
		for (std::size_t Index = 1; Index < Length; ++Index)
		{
			UMaterialExpression* const Next = Add("/Script/Engine.MaterialExpressionOneMinus");
			Connect(*Last, *Next, 0);
			Last = Next;
		}
		return Last;
	};
	Feed(MP_Metallic, *Chain(MaxMaterialExpressionDepth));
	EXPECT_EQ(Compile(), FErrors{});
	Feed(MP_Metallic, *Chain(MaxMaterialExpressionDepth + 1));
	EXPECT_EQ(Compile(), FErrors{"(Node Constant) Expression chain is longer than 2000 expressions"}) << "the expression past the limit is named";
	EXPECT_EQ(Resource.GetShaderMap(), nullptr);
}

TEST_F(FMaterialShaderCompile, AFunctionCalledTwiceIsInlinedTwiceAndOneCallingItselfIsReentrant)
{
	auto* const Inner = MaterialTestGraphs::NewAsset<UMaterialFunction>("/Game/Functions/MF_Inner");
	UMaterialExpression* const Constant = MaterialTestGraphs::AddExpression(*Inner, "/Script/Engine.MaterialExpressionConstant");
	Constant->SetKeptPropertyText("R", "0.250000");
	UMaterialExpression* const InnerOutput = MaterialTestGraphs::AddExpression(*Inner, "/Script/Engine.MaterialExpressionFunctionOutput");
	InnerOutput->SetKeptPropertyText("Id", FGuid::NewGuid().ToString());
	InnerOutput->GetInput(0)->Connect(0, *Constant);
	auto* const Outer = MaterialTestGraphs::NewAsset<UMaterialFunction>("/Game/Functions/MF_Outer");
	UMaterialExpressionMaterialFunctionCall* const InnerCall = MaterialTestGraphs::AddCall(*Outer, Inner);
	UMaterialExpression* const OuterOutput = MaterialTestGraphs::AddExpression(*Outer, "/Script/Engine.MaterialExpressionFunctionOutput");
	OuterOutput->SetKeptPropertyText("Id", FGuid::NewGuid().ToString());
	OuterOutput->GetInput(0)->Connect(0, *InnerCall);

	UMaterialExpression* const Sum = Add("/Script/Engine.MaterialExpressionAdd");
	Connect(*MaterialTestGraphs::AddCall(*Material, Outer), *Sum, 0);
	Connect(*MaterialTestGraphs::AddCall(*Material, Outer), *Sum, 1);
	Feed(MP_Metallic, *Sum);
	ASSERT_EQ(Compile(), FErrors{});
	EXPECT_NE(Resource.GetShaderMap()->Hlsl.find("PixelMaterialInputs.Metallic = Local0;"), std::string::npos) << Resource.GetShaderMap()->Hlsl;
	EXPECT_NE(Resource.GetShaderMap()->Hlsl.find("float Local0 = (0.25 + 0.25);"), std::string::npos) << Resource.GetShaderMap()->Hlsl;

	InnerCall->SetMaterialFunction(Outer);
	EXPECT_EQ(Compile(), FErrors{"Reentrant expression"});
}
