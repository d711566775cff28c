#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraphTestSupport.h"
#include "Materials/MaterialShared.h"

using namespace MaterialGraphTest;

namespace
{
	using FMaterialEditing = FMaterialGraphFixture;

	/** What an input reads, as one comparable value: the expression's name, the output index and the masks. */
	std::string Reads(const FExpressionInput& Input)
	{
		if (Input.Expression == nullptr)
		{
			return "nothing";
		}
		return Input.Expression->GetName() + ":" + std::to_string(Input.OutputIndex) + " mask " + std::to_string(Input.Mask) + std::to_string(Input.MaskR) + std::to_string(Input.MaskG)
			+ std::to_string(Input.MaskB) + std::to_string(Input.MaskA);
	}
}

TEST_F(FMaterialEditing, ConnectExpressionsByOutputAndInputNames)
{
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	UMaterialExpression* const Vector = Add("/Script/Engine.MaterialExpressionConstant3Vector");
	UMaterialExpression* const Lerp = Add("/Script/Engine.MaterialExpressionLinearInterpolate");

	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Sample, "", Lerp, ""));
	EXPECT_EQ(Reads(*Lerp->GetInput(0)), "MaterialExpressionTextureSample_0:0 mask 11110") << "empty names: the first output into the first input, with its mask";
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Sample, "a", Lerp, "alpha")) << "names compare without case";
	EXPECT_EQ(Reads(*Lerp->GetInput(2)), "MaterialExpressionTextureSample_0:4 mask 10001");
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Vector, "G", Lerp, "B"));
	EXPECT_EQ(Reads(*Lerp->GetInput(1)), "MaterialExpressionConstant3Vector_0:2 mask 10100");
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Vector, "", Sample, "UVs")) << "inputs go by the names their pins show";

	const std::string Before = Reads(*Lerp->GetInput(0));
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Sample, "Alpha", Lerp, "A")) << "no such output";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Sample, "RGB", Lerp, "Gamma")) << "no such input";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Vector, "", Sample, "Coordinates")) << "the property name is not the pin's name";
	EXPECT_EQ(Reads(*Lerp->GetInput(0)), Before) << "a refused connection changes nothing";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(nullptr, "", Lerp, ""));
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Sample, "", nullptr, ""));
}

TEST_F(FMaterialEditing, ConnectionsAreRefusedWhenTheSourceHasNoOutputOrTheTargetNoInput)
{
	UMaterialExpression* const Output = Add("/Script/Engine.MaterialExpressionFunctionOutput");
	UMaterialExpression* const Time = Add("/Script/Engine.MaterialExpressionTime");
	UMaterialExpression* const Abs = Add("/Script/Engine.MaterialExpressionAbs");
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Output, "", Abs, "")) << "a function output has no output to read";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialProperty(Output, "", MP_BaseColor));
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Abs, "", Time, "")) << "time has no input";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Time, "Output", Abs, "")) << "an unnamed output has no name but its channel";
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Time, "", Abs, ""));
}

TEST_F(FMaterialEditing, ConnectPropertyFeedsTheMaterialTheExpressionLivesIn)
{
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Sample, "", MP_BaseColor));
	EXPECT_EQ(Reads(*Material->GetExpressionInputForProperty(MP_BaseColor)), "MaterialExpressionTextureSample_0:0 mask 11110");
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialProperty(Sample, "R", MP_Roughness));
	EXPECT_EQ(Reads(*Material->GetExpressionInputForProperty(MP_Roughness)), "MaterialExpressionTextureSample_0:1 mask 11000");
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialProperty(Sample, "Q", MP_Metallic));
	EXPECT_EQ(Reads(*Material->GetExpressionInputForProperty(MP_Metallic)), "nothing");
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialProperty(Sample, "", MP_MAX)) << "no such property";

	UMaterialExpression* const Loose = NewMaterialExpression(CreatePackage("/Game/Loose"), "/Script/Engine.MaterialExpressionTime");
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialProperty(Loose, "", MP_BaseColor)) << "an expression outside any material";
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialProperty(nullptr, "", MP_BaseColor));
}

TEST_F(FMaterialEditing, FunctionCallInputsGoByTheirBareNames)
{
	UMaterialFunction* const Function = NewObject<UMaterialFunction>(CreatePackage("/Game/Functions/MF_Blend"), "MF_Blend", RF_Public | RF_Standalone);
	for (const std::string_view Name : {"Base", "Detail"})
	{
		UMaterialExpression* const Input = NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionInput");
		Input->SetKeptPropertyText("InputName", "\"" + std::string(Name) + "\"");
		Input->SetKeptPropertyText("InputType", "FunctionInput_Scalar");
		Input->SetKeptPropertyText("Id", FGuid::NewGuid().ToString());
		Function->FunctionExpressions.push_back(Input);
	}
	Function->FunctionExpressions.push_back(NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionOutput"));
	auto* const Call = Add<UMaterialExpressionMaterialFunctionCall>("/Script/Engine.MaterialExpressionMaterialFunctionCall");
	Call->SetMaterialFunction(Function);
	UMaterialExpression* const Time = Add("/Script/Engine.MaterialExpressionTime");

	ASSERT_EQ(Call->CountInputs(), 2);
	EXPECT_EQ(Call->GetInputName(1), "Detail (S)");
	EXPECT_TRUE(UMaterialEditingLibrary::ConnectMaterialExpressions(Time, "", Call, "detail"));
	EXPECT_EQ(Call->GetInput(1)->Expression, Time);
	EXPECT_FALSE(UMaterialEditingLibrary::ConnectMaterialExpressions(Time, "", Call, "Detail (S)")) << "the type is not part of the name";
}

TEST_F(FMaterialEditing, CreateExpressionAddsItToTheMaterialWhereAsked)
{
	UMaterialExpression* const Add = UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionAdd"), 120, -48);
	ASSERT_NE(Add, nullptr);
	EXPECT_EQ(Add->GetName(), "MaterialExpressionAdd_0");
	EXPECT_EQ(Add->GetOuter(), Material);
	EXPECT_EQ(Add->Material, Material);
	EXPECT_EQ(Add->MaterialExpressionEditorX, 120);
	EXPECT_EQ(Add->MaterialExpressionEditorY, -48);
	EXPECT_TRUE(Add->MaterialExpressionGuid.IsValid());
	EXPECT_EQ(Material->GetExpressions(), std::vector<UMaterialExpression*>{Add});
	EXPECT_EQ(UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionAdd"))->GetName(), "MaterialExpressionAdd_1");

	UMaterialExpression* const Parameter = UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionScalarParameter"));
	EXPECT_TRUE(FGuid::Parse(Parameter->GetKeptPropertyText("ExpressionGUID").value_or("")).has_value()) << "a parameter gets its own id";
	UMaterialExpression* const Mask = UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionComponentMask"));
	EXPECT_EQ(Mask->GetKeptPropertyText("R"), "True") << "a new mask passes red and green, as the editor places it";
	UMaterialExpression* const Comment = UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionComment"));
	EXPECT_EQ(Material->GetExpressionCollection().EditorComments.size(), 1u);
	EXPECT_EQ(Material->GetExpressions().size(), 4u) << "a comment is not an expression of the graph";
	(void)Comment;

	EXPECT_EQ(UMaterialEditingLibrary::CreateMaterialExpression(Material, FindEngineClassChecked("/Script/Engine.MaterialExpressionParameter")), nullptr) << "abstract";
	EXPECT_EQ(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterial::StaticClass()), nullptr) << "not an expression";
	EXPECT_EQ(UMaterialEditingLibrary::CreateMaterialExpression(nullptr, FindEngineClassChecked("/Script/Engine.MaterialExpressionAdd")), nullptr);
}

TEST_F(FMaterialEditing, RecompileRenewsTheResourceErrorsAndRefreshesTheGraph)
{
	UMaterialExpression* const Sample = Add("/Script/Engine.MaterialExpressionTextureSample");
	Material->GetExpressionInputForProperty(MP_BaseColor)->Connect(0, *Sample);
	UMaterialEditingLibrary::RecompileMaterial(Material);
	FMaterialResource* const Resource = Material->GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
	ASSERT_NE(Resource, nullptr);
	EXPECT_TRUE(Resource->IsCompilationFinished());
	EXPECT_EQ(Resource->GetCompileErrors(), std::vector<std::string>{"(Node TextureSample) Texture Sample> Missing input texture"});
	ASSERT_NE(Sample->GraphNode, nullptr) << "the graph shows the new expression";
	EXPECT_TRUE(IsLinked(*Sample->GraphNode->FindPin("RGB"), *Graph->RootNode->FindPin("Base Color")));

	Material->GetExpressionInputForProperty(MP_BaseColor)->Disconnect();
	UMaterialEditingLibrary::RecompileMaterial(Material);
	EXPECT_TRUE(Resource->GetCompileErrors().empty()) << "each compile starts afresh";
	UMaterialEditingLibrary::RecompileMaterial(nullptr);
}
