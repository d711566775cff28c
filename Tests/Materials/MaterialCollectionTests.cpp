#include "Assets/AssetFiles.h"
#include "Materials/MaterialTestGraphs.h"

#include <gtest/gtest.h>

using namespace MaterialTestGraphs;

namespace
{
	std::vector<std::string> Names(const std::vector<UMaterialExpressionScalarParameter*>& Parameters)
	{
		std::vector<std::string> Result;
		for (const UMaterialExpressionScalarParameter* Parameter : Parameters)
		{
			Result.push_back(Parameter->GetParameterName());
		}
		return Result;
	}
}

TEST(MaterialCollection, WalksNestedCallsAndLayersEnteringEachFunctionOnce)
{
	FTestEditor Editor(HostOnly());
	// MF_Outer calls MF_Inner twice and MF_Loop; MF_Loop calls MF_Outer back.
	UMaterialFunction* Inner = NewAsset<UMaterialFunction>("/Game/Functions/MF_Inner");
	AddScalar(*Inner, "Inner", 1.0f);
	UMaterialFunction* Outer = NewAsset<UMaterialFunction>("/Game/Functions/MF_Outer");
	UMaterialFunction* Loop = NewAsset<UMaterialFunction>("/Game/Functions/MF_Loop");
	AddScalar(*Outer, "OuterFirst", 1.0f);
	AddCall(*Outer, Inner);
	AddCall(*Outer, Loop);
	AddCall(*Outer, Inner);
	AddScalar(*Outer, "OuterLast", 1.0f);
	AddScalar(*Loop, "Loop", 1.0f);
	AddCall(*Loop, Outer);
	UMaterialFunction* Layer = NewAsset<UMaterialFunction>("/Game/Layers/ML_Only", "/Script/Engine.MaterialFunctionMaterialLayer");
	AddScalar(*Layer, "Layer", 1.0f);
	AddCall(*Layer, Inner);

	UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Nested");
	AddScalar(*Material, "First", 1.0f);
	AddCall(*Material, Outer);
	AddLayers(*Material, {Layer}, {});
	AddCall(*Material, Inner);
	AddScalar(*Material, "Last", 1.0f);

	std::vector<UMaterialExpressionScalarParameter*> Scalars;
	Material->GetAllExpressionsInMaterialAndFunctionsOfType(Scalars);
	EXPECT_EQ(Names(Scalars), (std::vector<std::string>{"First", "OuterFirst", "Inner", "Loop", "OuterLast", "Layer", "Last"}));

	std::vector<UMaterialExpressionMaterialFunctionCall*> Calls;
	Material->GetAllExpressionsInMaterialAndFunctionsOfType(Calls);
	EXPECT_EQ(Calls.size(), 7u) << "every call expression is collected, though each function is entered once";

	std::vector<UMaterialFunctionInterface*> Dependents;
	Outer->GetDependentFunctions(Dependents);
	EXPECT_EQ(Dependents, (std::vector<UMaterialFunctionInterface*>{Inner, Loop})) << "never the function itself";
	EXPECT_EQ(Material->CollectAllExpressions(nullptr).size(), 15u);
}

TEST(MaterialCollection, AFunctionThatDoesNotLoadContributesNothing)
{
	FTestEditor Editor(HostOnly());
	UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Missing");
	auto* Call = Cast<UMaterialExpressionMaterialFunctionCall>(AddExpression(*Material, "/Script/Engine.MaterialExpressionMaterialFunctionCall"));
	Call->SetKeptPropertyText("MaterialFunction", "/Script/Engine.MaterialFunction'\"/Game/Gone/MF_Gone.MF_Gone\"'");
	EXPECT_EQ(Call->GetMaterialFunction(), nullptr);
	EXPECT_EQ(Material->CollectAllExpressions(nullptr), (std::vector<UMaterialExpression*>{Call}));
	EXPECT_EQ(Call->GetOutputs().size(), 1u);
}

TEST(MaterialCollection, AFunctionCallTakesItsPinsFromTheFunction)
{
	FTestEditor Editor(HostOnly());
	UMaterialFunction* Function = NewAsset<UMaterialFunction>("/Game/Functions/MF_Pins");
	UMaterialExpression* Second = AddExpression(*Function, "/Script/Engine.MaterialExpressionFunctionInput");
	Second->SetKeptPropertyText("InputName", "\"Scale\"");
	Second->SetKeptPropertyText("InputType", "FunctionInput_Scalar");
	Second->SetKeptPropertyText("SortPriority", "1");
	Second->SetKeptPropertyText("Id", "11111111111111111111111111111111");
	UMaterialExpression* First = AddExpression(*Function, "/Script/Engine.MaterialExpressionFunctionInput");
	First->SetKeptPropertyText("InputName", "\"UV\"");
	First->SetKeptPropertyText("InputType", "FunctionInput_Vector2");
	First->SetKeptPropertyText("Id", "22222222222222222222222222222222");
	UMaterialExpression* Output = AddExpression(*Function, "/Script/Engine.MaterialExpressionFunctionOutput");
	Output->SetKeptPropertyText("OutputName", "\"Result\"");

	UMaterial* Material = NewAsset<UMaterial>("/Game/Materials/M_Pins");
	UMaterialExpressionMaterialFunctionCall* Call = AddCall(*Material, Function);
	ASSERT_EQ(Call->CountInputs(), 2);
	EXPECT_EQ(Call->GetInputName(0), "UV (V2)");
	EXPECT_EQ(Call->GetInputName(1), "Scale (S)");
	EXPECT_FALSE(Call->IsInputRequired(0));
	ASSERT_EQ(Call->GetOutputs().size(), 1u);
	EXPECT_EQ(Call->GetOutputs()[0].OutputName, "Result");
	const FCopyPasteObject Body = Call->WriteExpressionBody(EExpressionReferenceScope::Material, {});
	ASSERT_NE(Body.FindProperty("FunctionInputs", 1), nullptr);
	EXPECT_EQ(Body.FindProperty("FunctionInputs", 1)->Value, "(ExpressionInputId=11111111111111111111111111111111,Input=(InputName=\"Scale\"))");
	EXPECT_EQ(Body.FindProperty("Outputs", 0)->Value, "(OutputName=\"Result\")");
}
