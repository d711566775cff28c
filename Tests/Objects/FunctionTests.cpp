#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Function.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	const std::string BaseClasses = R"({"path":"/Script/CoreUObject.Object"},{"path":"/Script/CoreUObject.Class","super":"/Script/CoreUObject.Object"},)"
									R"({"path":"/Script/CoreUObject.Package","super":"/Script/CoreUObject.Object"},)";

	std::unique_ptr<FClassDatabase> LoadClasses(const std::string& Classes, std::string& OutError)
	{
		return FClassDatabase::Load("{\"classes\":[" + BaseClasses + Classes + "]}", OutError);
	}

	std::string Refusal(const std::string& Functions)
	{
		std::string Error;
		EXPECT_EQ(LoadClasses(R"({"path":"/Script/E.A","super":"/Script/CoreUObject.Object","functions":)" + Functions + "}", Error), nullptr) << Functions;
		return Error;
	}

	std::vector<std::string> ParamNames(const UFunction& Function)
	{
		std::vector<std::string> Result;
		for (const FProperty& Param : Function.GetParams())
		{
			Result.push_back(Param.GetName());
		}
		return Result;
	}
}

TEST(FunctionTests, LoaderReadsFunctionsAndFindsThemThroughSupers)
{
	std::string Error;
	const std::unique_ptr<FClassDatabase> Database = LoadClasses(
		R"({"path":"/Script/E.Base","super":"/Script/CoreUObject.Object","functions":[)"
		R"({"name":"Shared","flags":["BlueprintCallable"]},)"
		R"({"name":"Sum","flags":["Static","BlueprintPure"],"meta":{"DisplayName":"Add Them","CPP_Default_B":"1"},"params":[)"
		R"({"name":"A","type":"int32","flags":["Parm"],"default":"0"},)"
		R"({"name":"ReturnValue","type":"int32","flags":["Parm","OutParm","ReturnParm"]},)"
		R"({"name":"B","type":"int32","flags":["Parm"]}]}]},)"
		R"({"path":"/Script/E.Derived","super":"/Script/E.Base","functions":[{"name":"Shared","flags":["Event"]}]},)"
		R"({"path":"/Script/E.Leaf","super":"/Script/E.Derived"})",
		Error);
	ASSERT_NE(Database, nullptr) << Error;
	const UClass* Base = Database->FindClass("/Script/E.Base");
	const UClass* Leaf = Database->FindClass("/Script/E.Leaf");

	const UFunction* Sum = Database->FindFunction(Leaf, "Sum");
	ASSERT_NE(Sum, nullptr);
	EXPECT_EQ(Sum->GetOwnerClass(), Base);
	EXPECT_EQ(Sum->GetParams().front().GetOwnerClass(), Base);
	EXPECT_EQ(Sum->GetFunctionFlags(), FUNC_Static | FUNC_BlueprintPure);
	EXPECT_EQ(Sum->GetMetaData("DisplayName"), "Add Them");
	EXPECT_EQ(ParamNames(*Sum), (std::vector<std::string>{"A", "ReturnValue", "B"}));
	ASSERT_NE(Sum->GetReturnProperty(), nullptr);
	EXPECT_EQ(Sum->GetReturnProperty()->GetName(), "ReturnValue");
	EXPECT_EQ(Sum->GetParamDefaultValueText("B"), "1");
	EXPECT_EQ(Sum->GetParamDefaultValueText("A"), "0");
	EXPECT_EQ(Sum->GetParamDefaultValueText("ReturnValue"), "");

	// The nearest declaration wins; a class without functions has none of its own.
	EXPECT_TRUE(Database->FindFunction(Leaf, "Shared")->HasAnyFunctionFlags(FUNC_Event));
	EXPECT_TRUE(Database->FindFunction(Base, "Shared")->HasAnyFunctionFlags(FUNC_BlueprintCallable));
	EXPECT_TRUE(Database->GetOwnFunctions(Leaf).empty());
	EXPECT_EQ(Database->FindFunction(Base, "Missing"), nullptr);
	EXPECT_EQ(Database->FindFunction(nullptr, "Sum"), nullptr);
	EXPECT_EQ(Database->FindFunction(Database->FindClass("/Script/E.Derived"), "Shared")->GetReturnProperty(), nullptr);
}

TEST(FunctionTests, MalformedFunctionEntriesAreRefusedWithTheFault)
{
	EXPECT_NE(Refusal(R"({"name":"F"})").find("\"functions\" is not an array"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"flags":[]}])").find("\"name\""), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","returns":"int"}])").find("returns"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","flags":["Pure"]}])").find("Pure"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","meta":{"DisplayName":1}}])").find("DisplayName"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","params":{}}])").find("\"params\""), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","params":[{"name":"A","type":"int32"}]}])").find("not flagged Parm"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","params":[{"name":"A","type":"int32","flags":["Parm"]},{"name":"A","type":"bool","flags":["Parm"]}]}])").find("A is declared twice"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","params":[{"name":"R","type":"int32","flags":["Parm","ReturnParm"]},{"name":"S","type":"int32","flags":["Parm","ReturnParm"]}]}])").find("ReturnParm"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F"},{"name":"F"}])").find("F is declared twice"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"name":"F","params":[{"name":"A","flags":["Parm"]}]}])").find("\"type\""), std::string::npos);
}

TEST(FunctionTests, ShippedEngineFunctionsHaveTheEditorsNamesAndParameters)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UFunction* PrintString = FindFunctionByName(Database.FindClass("/Script/Engine.KismetSystemLibrary"), "PrintString");
	ASSERT_NE(PrintString, nullptr);
	EXPECT_EQ(ParamNames(*PrintString), (std::vector<std::string>{"WorldContextObject", "InString", "bPrintToScreen", "bPrintToLog", "TextColor", "Duration", "Key"}));
	EXPECT_TRUE(PrintString->HasAnyFunctionFlags(FUNC_Static));
	EXPECT_EQ(PrintString->GetMetaData("WorldContext"), "WorldContextObject");
	EXPECT_EQ(PrintString->GetParamDefaultValueText("InString"), "Hello");
	EXPECT_EQ(PrintString->GetReturnProperty(), nullptr);

	// Actor functions are found from a subclass; K2_ names carry the name the editor shows.
	const UFunction* GetLocation = FindFunctionByName(Database.FindClass("/Script/Engine.Character"), "K2_GetActorLocation");
	ASSERT_NE(GetLocation, nullptr);
	EXPECT_EQ(GetLocation->GetMetaData("DisplayName"), "GetActorLocation");
	EXPECT_EQ(GetLocation->GetReturnProperty()->GetCPPType(), "FVector");

	const UFunction* BreakVector = FindFunctionByName(Database.FindClass("/Script/Engine.KismetMathLibrary"), "BreakVector");
	ASSERT_NE(BreakVector, nullptr);
	for (const char* Output : {"X", "Y", "Z"})
	{
		EXPECT_TRUE(BreakVector->FindParam(Output)->HasAllPropertyFlags(CPF_Parm | CPF_OutParm)) << Output;
	}
	EXPECT_EQ(FindFunctionByName(Database.FindClass("/Script/Engine.StaticMeshComponent"), "K2_SetRelativeLocation")->GetOwnerClass()->GetName(), "SceneComponent");

	// Every shipped function is a real engine function: each parameter is Parm, at most one returns.
	std::size_t FunctionCount = 0;
	for (const UClass* Class : Database.GetClasses())
	{
		for (const UFunction& Function : Database.GetOwnFunctions(Class))
		{
			++FunctionCount;
			EXPECT_EQ(Function.GetOwnerClass(), Class) << Function.GetName();
		}
	}
	EXPECT_GE(FunctionCount, 40u);
}
