#include "Assets/AssetFiles.h"
#include "Graph/CopyPasteText.h"
#include "Materials/MaterialExpressions.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
	class MaterialExpressionText : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UPackage* Package = CreatePackage("/Game/ExpressionTests");

		/** Makes the expression the text's one object describes, resolving references against Others by the last name. */
		UMaterialExpression* Read(std::string_view Text, const std::map<std::string, UMaterialExpression*>& Others = {})
		{
			FCopyPasteParse Parse = ParseCopyPasteText(Text);
			EXPECT_EQ(Parse.Document.Objects.size(), 1u);
			Layout = Parse.Document.Layout;
			const FCopyPasteObject& Object = Parse.Document.Objects.front();
			UMaterialExpression* Expression = NewMaterialExpression(Package, Object.Class, Object.Name);
			Expression->ReadExpressionBody(Object, [&Others](std::string_view Reference) -> UMaterialExpression* {
				const auto Found = Others.find(std::string(Reference));
				return Found != Others.end() ? Found->second : nullptr;
			});
			return Expression;
		}

		std::string Write(const UMaterialExpression& Expression, EExpressionReferenceScope Scope = EExpressionReferenceScope::Material, std::string_view MaterialReference = {})
		{
			FCopyPasteDocument Document;
			Document.Layout = Layout;
			Document.Objects.push_back(Expression.WriteExpressionBody(Scope, MaterialReference));
			return WriteCopyPasteText(Document);
		}

		FCopyPasteLayout Layout;
	};

	constexpr std::string_view PreviewMaterial = R"(/Script/UnrealEd.PreviewMaterial'"/Engine/Transient.M_Brick"')";
}

TEST_F(MaterialExpressionText, UnchangedTextWritesBackAsReadWithUnknownLinesInPlace)
{
	const std::string Text = std::string("Begin Object Class=/Script/Engine.MaterialExpressionConstant Name=\"MaterialExpressionConstant_0\"\n")
		+ "   R=10000.000000\n"
		+ "   bSomethingNew=True\n"
		+ "   MaterialExpressionEditorX=-1328\n"
		+ "   MaterialExpressionEditorY=0\n"
		+ "   MaterialExpressionGuid=1149D6828E794743B8343514F4B5E579\n"
		+ "   Material=" + std::string(PreviewMaterial) + "\n"
		+ "   bCollapsed=False\n"
		+ "End Object\n";
	UMaterialExpression* Constant = Read(Text);
	ASSERT_NE(Constant, nullptr);
	EXPECT_EQ(Constant->MaterialExpressionEditorX, -1328);
	EXPECT_EQ(Constant->MaterialExpressionGuid.ToString(), "1149D6828E794743B8343514F4B5E579");
	EXPECT_EQ(Constant->GetKeptPropertyText("R"), "10000.000000");
	EXPECT_EQ(Constant->GetKeptPropertyText("MaterialExpressionEditorX"), std::nullopt) << "typed fields are not kept text";
	EXPECT_EQ(Constant->GetKeptProperties().Properties.size(), 3u) << "R, the unknown line and bCollapsed";
	EXPECT_EQ(Write(*Constant, EExpressionReferenceScope::GraphNode, PreviewMaterial), Text);
}

TEST_F(MaterialExpressionText, EditsStayInPlaceNewLinesFollowTheDeclarationOrderDefaultsAreLeftOut)
{
	UMaterialExpression* Multiply = Read("Begin Object Class=/Script/Engine.MaterialExpressionMultiply Name=\"MaterialExpressionMultiply_0\"\n"
										 "   ConstA=3.000000\n"
										 "   bOddLine=1\n"
										 "   MaterialExpressionEditorX=16\n"
										 "   Desc=\"old\"\n"
										 "End Object\n");
	Multiply->SetKeptPropertyText("ConstA", "4.000000");
	Multiply->SetKeptPropertyText("ConstB", "7.000000");
	Multiply->MaterialExpressionEditorX = 32;
	Multiply->MaterialExpressionEditorY = -8;
	Multiply->MaterialExpressionGuid = *FGuid::Parse("0123456789ABCDEF0123456789ABCDEF");
	Multiply->Desc = "new";
	Multiply->SetKeptPropertyText("bCommentBubbleVisible", "True");
	EXPECT_EQ(Write(*Multiply), "Begin Object Class=/Script/Engine.MaterialExpressionMultiply Name=\"MaterialExpressionMultiply_0\"\n"
								"   ConstA=4.000000\n"
								"   ConstB=7.000000\n"
								"   bOddLine=1\n"
								"   MaterialExpressionEditorX=32\n"
								"   MaterialExpressionEditorY=-8\n"
								"   MaterialExpressionGuid=0123456789ABCDEF0123456789ABCDEF\n"
								"   Desc=\"new\"\n"
								"   bCommentBubbleVisible=True\n"
								"End Object\n");

	Multiply->SetKeptPropertyText("ConstB", "1.000000");
	Multiply->SetKeptPropertyText("ConstA", "0.000000");
	Multiply->Desc.clear();
	Multiply->MaterialExpressionEditorY = 0;
	EXPECT_EQ(Multiply->GetKeptPropertyText("ConstB"), std::nullopt) << "the class default removes the line";
	EXPECT_EQ(Write(*Multiply), "Begin Object Class=/Script/Engine.MaterialExpressionMultiply Name=\"MaterialExpressionMultiply_0\"\n"
								"   bOddLine=1\n"
								"   MaterialExpressionEditorX=32\n"
								"   MaterialExpressionGuid=0123456789ABCDEF0123456789ABCDEF\n"
								"   bCommentBubbleVisible=True\n"
								"End Object\n");
}

TEST_F(MaterialExpressionText, InputReferencesReadInEverySpelling)
{
	UMaterialExpression* Source = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionConstant3Vector");
	const std::map<std::string, UMaterialExpression*> Others = {
		{"MaterialGraphNode_3.MaterialExpressionConstant3Vector_0", Source},
		{"MaterialExpressionConstant3Vector_0", Source},
	};
	for (const std::string_view Reference : {
			 R"(/Script/Engine.MaterialExpressionConstant3Vector'"MaterialExpressionConstant3Vector_0"')",
			 R"(/Script/Engine.MaterialExpressionConstant3Vector'"MaterialGraphNode_3.MaterialExpressionConstant3Vector_0"')",
			 R"(MaterialExpressionConstant3Vector'MaterialGraphNode_3.MaterialExpressionConstant3Vector_0')",
			 R"("/Script/Engine.MaterialExpressionConstant3Vector'MaterialGraphNode_3.MaterialExpressionConstant3Vector_0'")",
		 })
	{
		UMaterialExpression* Add = Read("Begin Object Class=/Script/Engine.MaterialExpressionAdd Name=\"MaterialExpressionAdd_0\"\n   A=(Expression=" + std::string(Reference)
				+ ",OutputIndex=2,Mask=1,MaskG=1)\n   B=(Expression=None)\nEnd Object\n",
			Others);
		ASSERT_EQ(Add->CountInputs(), 2);
		const FExpressionInput* A = Add->GetInput(0);
		EXPECT_EQ(A->Expression, Source) << Reference;
		EXPECT_EQ(A->OutputIndex, 2);
		EXPECT_EQ(A->Mask, 1);
		EXPECT_EQ(A->MaskG, 1);
		EXPECT_EQ(A->MaskR, 0);
		EXPECT_FALSE(Add->GetInput(1)->IsConnected());
		EXPECT_EQ(Add->GetInput(2), nullptr);
		Add->MarkAsGarbage();
		CollectGarbage();
	}

	UMaterialExpression* Lost = Read("Begin Object Class=MaterialExpressionOneMinus Name=\"MaterialExpressionOneMinus_7\"\n"
									 "   Input=(Expression=MaterialExpressionMultiply'MaterialGraphNode_192.MaterialExpressionMultiply_340')\n"
									 "End Object\n",
		Others);
	EXPECT_EQ(Lost->GetClass()->GetName(), "MaterialExpressionOneMinus") << "the short class spelling is found";
	EXPECT_FALSE(Lost->GetInput(0)->IsConnected()) << "a reference to an expression not there leaves the input open";
	EXPECT_EQ(Write(*Lost), "Begin Object Class=/Script/Engine.MaterialExpressionOneMinus Name=\"MaterialExpressionOneMinus_7\"\nEnd Object\n");
}

TEST_F(MaterialExpressionText, InputsAreWrittenForTheirScopeAndKeptWhenTheyStillMeanTheSame)
{
	UMaterialExpression* Source = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionTextureSample");
	UMaterialExpression* Lerp = Read("Begin Object Class=/Script/Engine.MaterialExpressionLinearInterpolate Name=\"MaterialExpressionLinearInterpolate_0\"\n"
									 "   Alpha=(Expression=MaterialExpressionTextureSample'MaterialExpressionTextureSample_0',OutputIndex=4,Mask=1,MaskA=1)\n"
									 "End Object\n",
		{{"MaterialExpressionTextureSample_0", Source}});
	EXPECT_EQ(Write(*Lerp), "Begin Object Class=/Script/Engine.MaterialExpressionLinearInterpolate Name=\"MaterialExpressionLinearInterpolate_0\"\n"
							"   Alpha=(Expression=MaterialExpressionTextureSample'MaterialExpressionTextureSample_0',OutputIndex=4,Mask=1,MaskA=1)\n"
							"End Object\n")
		<< "an old spelling that still names the same expression stays";

	Lerp->GetInput(0)->Connect(1, *Source);
	EXPECT_EQ(Lerp->GetInputName(2), "Alpha");
	EXPECT_EQ(Lerp->GetInput(0)->MaskR, 1) << "the output's mask comes along";
	EXPECT_EQ(Write(*Lerp), "Begin Object Class=/Script/Engine.MaterialExpressionLinearInterpolate Name=\"MaterialExpressionLinearInterpolate_0\"\n"
							"   A=(Expression=/Script/Engine.MaterialExpressionTextureSample'\"MaterialExpressionTextureSample_0\"',OutputIndex=1,Mask=1,MaskR=1)\n"
							"   Alpha=(Expression=MaterialExpressionTextureSample'MaterialExpressionTextureSample_0',OutputIndex=4,Mask=1,MaskA=1)\n"
							"End Object\n");
}

TEST_F(MaterialExpressionText, PinNamesRequiredInputsAndOutputsComeFromTheClass)
{
	UMaterialExpression* Sample = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionTextureSampleParameter2D");
	ASSERT_NE(Cast<UMaterialExpressionTextureSampleParameter>(Sample), nullptr);
	EXPECT_EQ(Sample->GetName(), "MaterialExpressionTextureSampleParameter2D_0");
	EXPECT_EQ(Sample->GetInputName(0), "UVs");
	EXPECT_FALSE(Sample->IsInputRequired(0));
	std::vector<std::string> Names;
	for (const FExpressionOutput& Output : Sample->GetOutputs())
	{
		Names.push_back(Output.OutputName);
	}
	EXPECT_EQ(Names, (std::vector<std::string>{"RGB", "R", "G", "B", "A", "RGBA"}));
	EXPECT_EQ(Sample->GetOutputs()[4].MaskA, 1);

	UMaterialExpression* Root = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionSquareRoot");
	EXPECT_TRUE(Root->IsInputRequired(0));
	EXPECT_EQ(Root->GetOutputs().size(), 1u);
	EXPECT_EQ(NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionConstant3Vector")->GetOutputs().size(), 4u);
	EXPECT_TRUE(NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionFunctionOutput")->GetOutputs().empty());
	UMaterialExpression* If = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionIf");
	EXPECT_EQ(If->GetInputName(2), "A > B");
	UMaterialExpression* Attributes = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionMakeMaterialAttributes");
	EXPECT_EQ(Attributes->CountInputs(), 27);
	EXPECT_EQ(Attributes->GetInputName(16), "CustomizedUVs_0");
}

TEST_F(MaterialExpressionText, AnUnknownClassKeepsEveryLineAndItsClassText)
{
	const std::string Text = "Begin Object Class=/Script/FancyPlugin.MaterialExpressionSparkle Name=\"MaterialExpressionSparkle_2\"\n"
							 "   Input=(Expression=/Script/Engine.MaterialExpressionAdd'\"MaterialGraphNode_1.MaterialExpressionAdd_0\"')\n"
							 "   Intensity=3.000000\n"
							 "   MaterialExpressionEditorX=5\n"
							 "End Object\n";
	UMaterialExpression* Sparkle = Read(Text);
	EXPECT_EQ(Sparkle->GetClass(), UMaterialExpression::StaticClass());
	EXPECT_EQ(Sparkle->GetExpressionClassPath(), "/Script/FancyPlugin.MaterialExpressionSparkle");
	EXPECT_EQ(Sparkle->MaterialExpressionEditorX, 5);
	EXPECT_EQ(Write(*Sparkle), Text);
	EXPECT_EQ(NewMaterialExpression(Package, "/Script/FancyPlugin.MaterialExpressionSparkle")->GetName(), "MaterialExpressionSparkle_0");
}

TEST_F(MaterialExpressionText, ATakenNameGivesTheNextFreeOneInsteadOfReplacingTheExpression)
{
	UMaterialExpression* First = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionAdd", "MaterialExpressionAdd_0");
	UMaterialExpression* Second = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionAdd", "MaterialExpressionAdd_0");
	ASSERT_NE(Second, nullptr);
	EXPECT_EQ(First->GetName(), "MaterialExpressionAdd_0");
	EXPECT_EQ(Second->GetName(), "MaterialExpressionAdd_1");
	EXPECT_TRUE(IsValid(First));
}

TEST_F(MaterialExpressionText, CustomCodeInputsReadEditAndWriteBack)
{
	UMaterialExpression* Uv = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionTextureCoordinate");
	const std::string Text = "Begin Object Class=/Script/Engine.MaterialExpressionCustom Name=\"MaterialExpressionCustom_0\"\n"
							 "   Code=\"return UV.x * Scale;\"\n"
							 "   OutputType=CMOT_Float1\n"
							 "   Inputs(0)=(InputName=\"UV\",Input=(Expression=/Script/Engine.MaterialExpressionTextureCoordinate'\"MaterialExpressionTextureCoordinate_0\"'))\n"
							 "   Inputs(1)=(InputName=\"Scale\")\n"
							 "   AdditionalOutputs(0)=(OutputName=\"Extra\",OutputType=CMOT_Float2)\n"
							 "End Object\n";
	auto* Custom = Cast<UMaterialExpressionCustom>(Read(Text, {{"MaterialExpressionTextureCoordinate_0", Uv}}));
	ASSERT_NE(Custom, nullptr);
	EXPECT_EQ(Custom->GetCode(), "return UV.x * Scale;");
	EXPECT_EQ(Custom->GetDescription(), "Custom") << "the class default";
	EXPECT_EQ(Custom->GetOutputType(), CMOT_Float1);
	EXPECT_EQ(StaticEnum<ECustomMaterialOutputType>()->GetNameStringByValue(Custom->GetOutputType()), "CMOT_Float1");
	ASSERT_EQ(Custom->CountInputs(), 2);
	EXPECT_EQ(Custom->GetInputName(1), "Scale");
	EXPECT_EQ(Custom->GetInput(0)->Expression, Uv);
	EXPECT_TRUE(Custom->IsInputRequired(1));
	ASSERT_EQ(Custom->GetOutputs().size(), 2u);
	EXPECT_EQ(Custom->GetOutputs()[1].OutputName, "Extra");
	EXPECT_EQ(Write(*Custom), Text);

	Custom->Inputs[1].Connect(0, *Uv);
	Custom->Inputs.erase(Custom->Inputs.begin());
	Custom->SetCode("return Scale;");
	EXPECT_EQ(Write(*Custom), "Begin Object Class=/Script/Engine.MaterialExpressionCustom Name=\"MaterialExpressionCustom_0\"\n"
							  "   Code=\"return Scale;\"\n"
							  "   OutputType=CMOT_Float1\n"
							  "   Inputs(0)=(InputName=\"Scale\",Input=(Expression=/Script/Engine.MaterialExpressionTextureCoordinate'\"MaterialExpressionTextureCoordinate_0\"'))\n"
							  "   AdditionalOutputs(0)=(OutputName=\"Extra\",OutputType=CMOT_Float2)\n"
							  "End Object\n");
}

TEST_F(MaterialExpressionText, ParametersReadTheirFieldsAndDefaults)
{
	auto* Scalar = Cast<UMaterialExpressionScalarParameter>(Read("Begin Object Class=/Script/Engine.MaterialExpressionScalarParameter Name=\"S\"\n"
																 "   DefaultValue=0.250000\n   ParameterName=\"Roughness\"\n   Group=\"Surface\"\nEnd Object\n"));
	ASSERT_NE(Scalar, nullptr);
	EXPECT_EQ(Scalar->GetParameterName(), "Roughness");
	EXPECT_EQ(FMaterialParameterFields::GetGroup(*Scalar), "Surface");
	EXPECT_FLOAT_EQ(Scalar->GetDefaultValue(), 0.25f);
	Scalar->SetDefaultValue(0.0f);
	EXPECT_EQ(Scalar->GetKeptPropertyText("DefaultValue"), std::nullopt);

	auto* Vector = Cast<UMaterialExpressionVectorParameter>(NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionVectorParameter"));
	EXPECT_EQ(Vector->GetParameterName(), "None");
	EXPECT_EQ(FMaterialParameterFields::GetGroup(*Vector), "None");
	Vector->SetDefaultValue({1.0f, 0.5f, 0.0f, 1.0f});
	FMaterialParameterFields::SetParameterName(*Vector, "Tint");
	EXPECT_EQ(Vector->GetKeptPropertyText("DefaultValue"), "(R=1.000000,G=0.500000,B=0.000000,A=1.000000)");
	EXPECT_EQ(Vector->GetDefaultValue(), (FLinearColor{1.0f, 0.5f, 0.0f, 1.0f}));
	EXPECT_EQ(Vector->GetParameterName(), "Tint");

	auto* Switch = Cast<UMaterialExpressionStaticSwitchParameter>(NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionStaticSwitchParameter"));
	EXPECT_FALSE(Switch->GetDefaultValue());
	EXPECT_EQ(Switch->GetInputName(0), "True");
	EXPECT_EQ(Switch->GetInputName(1), "False");
}

TEST_F(MaterialExpressionText, ATextureSampleShowsTheInputsOfItsMipMode)
{
	UMaterialExpression* Sample = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionTextureSample");
	const auto Names = [Sample] {
		std::vector<std::string> Result;
		for (int32_t Index = 0; Index < Sample->CountInputs(); ++Index)
		{
			Result.push_back(Sample->GetInputName(Index));
		}
		return Result;
	};
	EXPECT_EQ(Names(), (std::vector<std::string>{"UVs", "Tex", "Apply View MipBias"}));
	UMaterialExpression* Bias = NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionConstant");
	Sample->SetKeptPropertyText("MipValueMode", "TMVM_MipBias");
	EXPECT_EQ(Names(), (std::vector<std::string>{"UVs", "Tex", "Bias", "Apply View MipBias"}));
	Sample->GetInput(2)->Connect(0, *Bias);
	Sample->SetKeptPropertyText("MipValueMode", "TMVM_Derivative");
	EXPECT_EQ(Names(), (std::vector<std::string>{"UVs", "Tex", "DDX(UVs)", "DDY(UVs)", "Apply View MipBias"}));
	EXPECT_NE(Write(*Sample).find("MipValue=(Expression="), std::string::npos) << "a hidden input keeps its connection";
	EXPECT_EQ(NewMaterialExpression(Package, "/Script/Engine.MaterialExpressionTextureObjectParameter")->CountInputs(), 0);
}
