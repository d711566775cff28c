#include "Core/Log.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Function.h"
#include "Objects/ScriptCallable.h"
#include "Objects/ScriptCallableRegistry.h"
#include "Objects/ScriptNames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	class UScriptCallableTestBridge : public UObject
	{
		DECLARE_ENGINE_CLASS(UScriptCallableTestBridge, UObject, "/Script/ScriptCallableTests.ScriptCallableTestBridge")
	};

	/** Withdraws the class's functions when the test ends, whatever it did. */
	struct FUnregisterAtEnd
	{
		std::string ClassPath;
		~FUnregisterAtEnd() { UnregisterScriptCallableClass(ClassPath); }
	};

	FScriptFunction ReturnsText(std::string Name, std::string Text, std::vector<FScriptParam> Params = {})
	{
		FScriptFunction Function;
		Function.Name = std::move(Name);
		Function.Category = "Tests|Script";
		Function.Params = std::move(Params);
		Function.Invoke = [Text](const std::vector<FScriptValue>&) -> FScriptValue { return Text; };
		return Function;
	}

	std::vector<std::string> FunctionNames(const UClass* Class)
	{
		std::vector<std::string> Names;
		for (const UFunction& Function : FClassDatabase::Get().GetOwnFunctions(Class))
		{
			Names.push_back(Function.GetName());
		}
		return Names;
	}

	std::vector<std::string> ErrorLines(const FLogCapture& Log)
	{
		std::vector<std::string> Lines;
		for (const FLogLine& Line : Log.Lines())
		{
			if (Line.Verbosity == ELogVerbosity::Error)
			{
				Lines.push_back(Line.Message);
			}
		}
		return Lines;
	}
}

TEST(ScriptCallableClass, RegisteredClassIsReflectedBelowItsSuperWithItsFunctions)
{
	const std::string Path(UScriptCallableTestBridge::StaticClassPath);
	FUnregisterAtEnd Guard{Path};
	FScriptFunction Send = ReturnsText("SendMaterialToKorvane", "{}",
		{{"MaterialPath", EScriptValueType::String, std::nullopt}, {"bBundleTextures", EScriptValueType::Bool, FScriptValue(false)}});
	Send.ToolTip = "Queues a material.";
	FScriptFunction Scale = ReturnsText("Scale", "", {{"Names", EScriptValueType::StringArray, std::nullopt}, {"Factor", EScriptValueType::Float, FScriptValue(0.5)}});
	Scale.ReturnType = EScriptValueType::Int;
	RegisterScriptCallableClass(Path, "/Script/CoreUObject.Object", {Send, Scale});

	UClass* Class = UScriptCallableTestBridge::StaticClass();
	ASSERT_NE(Class, nullptr);
	EXPECT_EQ(Class, FClassDatabase::Get().FindClass(Path));
	EXPECT_EQ(Class->GetName(), "ScriptCallableTestBridge");
	EXPECT_EQ(Class->GetOuter()->GetName(), "/Script/ScriptCallableTests");
	EXPECT_EQ(Class->GetClass(), UClass::StaticClass());
	EXPECT_EQ(Class->GetSuperClass(), UObject::StaticClass());
	EXPECT_TRUE(Class->HasAnyClassFlags(CLASS_Native));
	EXPECT_THAT(FunctionNames(Class), ElementsAre("SendMaterialToKorvane", "Scale"));

	const UFunction* Reflected = FindFunctionByName(Class, "SendMaterialToKorvane");
	ASSERT_NE(Reflected, nullptr);
	EXPECT_EQ(Reflected->GetOwnerClass(), Class);
	const uint32_t Expected = FUNC_Static | FUNC_BlueprintCallable | FUNC_Public | FUNC_Native | FUNC_Final | FUNC_HasDefaults | FUNC_HasOutParms;
	EXPECT_EQ(Reflected->GetFunctionFlags(), Expected);
	EXPECT_EQ(Reflected->GetMetaData("Category"), "Tests|Script");
	EXPECT_EQ(Reflected->GetMetaData("ToolTip"), "Queues a material.");
	EXPECT_EQ(Reflected->GetParamDefaultValueText("bBundleTextures"), "false");
	EXPECT_FALSE(Reflected->HasMetaData("CPP_Default_MaterialPath"));
	ASSERT_EQ(Reflected->GetParams().size(), 3u);
	const FProperty& MaterialPath = Reflected->GetParams()[0];
	EXPECT_EQ(MaterialPath.GetCPPType(), "FString");
	EXPECT_TRUE(MaterialPath.HasAllPropertyFlags(CPF_Parm | CPF_ConstParm | CPF_ReferenceParm));
	const FProperty& Bundle = Reflected->GetParams()[1];
	EXPECT_EQ(Bundle.GetCPPType(), "bool");
	EXPECT_FALSE(Bundle.HasAnyPropertyFlags(CPF_OutParm | CPF_ReferenceParm));
	ASSERT_NE(Reflected->GetReturnProperty(), nullptr);
	EXPECT_EQ(Reflected->GetReturnProperty()->GetCPPType(), "FString");

	const UFunction* ScaleReflected = FindFunctionByName(Class, "Scale");
	ASSERT_NE(ScaleReflected, nullptr);
	EXPECT_EQ(ScaleReflected->GetParamDefaultValueText("Factor"), "0.5");
	EXPECT_EQ(ScaleReflected->FindParam("Names")->GetCPPType(), "TArray<FString>");
	EXPECT_EQ(ScaleReflected->GetReturnProperty()->GetCPPType(), "int64");
	EXPECT_FALSE(ScaleReflected->HasMetaData("ToolTip"));
}

TEST(ScriptCallableClass, RegisteringAgainReplacesTheFunctionsAndUnregisteringWithdrawsThem)
{
	const std::string Path = "/Script/ScriptCallableTests.ReloadedBridge";
	FUnregisterAtEnd Guard{Path};
	RegisterScriptCallableClass(Path, "/Script/CoreUObject.Object", {ReturnsText("First", "1"), ReturnsText("Second", "2")});
	UClass* Class = FClassDatabase::Get().FindClass(Path);
	ASSERT_NE(Class, nullptr);
	const UFunction* FirstBefore = FindFunctionByName(Class, "First");
	ASSERT_NE(FirstBefore, nullptr);

	RegisterScriptCallableClass(Path, "/Script/CoreUObject.Object", {ReturnsText("Second", "two"), ReturnsText("Third", "3")});
	EXPECT_EQ(FClassDatabase::Get().FindClass(Path), Class);
	EXPECT_THAT(FunctionNames(Class), ElementsAre("Second", "Third"));
	EXPECT_EQ(FindFunctionByName(Class, "First"), nullptr);
	EXPECT_EQ(FirstBefore->GetName(), "First") << "a function found before the class was registered again stays readable";
	const FScriptCallableClass* Entry = ScriptCallableRegistry::FindByPath(Path);
	ASSERT_NE(Entry, nullptr);
	const FScriptFunction* Second = ScriptCallableRegistry::FindFunction(*Entry, "second");
	ASSERT_NE(Second, nullptr);
	EXPECT_EQ(std::get<std::string>(Second->Invoke({})), "two");

	UnregisterScriptCallableClass(Path);
	EXPECT_EQ(FClassDatabase::Get().FindClass(Path), Class) << "the class stays known";
	EXPECT_TRUE(FunctionNames(Class).empty());
	EXPECT_FALSE(Entry->bRegistered);
	EXPECT_EQ(ScriptCallableRegistry::FindFunction(*Entry, "second"), nullptr);
	EXPECT_EQ(ScriptCallableRegistry::FindByName("ReloadedBridge"), Entry);

	RegisterScriptCallableClass(Path, "/Script/CoreUObject.Object", {ReturnsText("First", "1")});
	EXPECT_TRUE(Entry->bRegistered);
	EXPECT_THAT(FunctionNames(Class), ElementsAre("First"));
}

TEST(ScriptCallableClass, FaultyRegistrationsAreRefusedWithAReasonAndChangeNothing)
{
	const std::string Path = "/Script/ScriptCallableTests.GuardedBridge";
	FUnregisterAtEnd Guard{Path};
	RegisterScriptCallableClass(Path, "/Script/CoreUObject.Object", {ReturnsText("Kept", "")});

	FScriptFunction NoCode = ReturnsText("NoCode", "");
	NoCode.Invoke = nullptr;
	const struct
	{
		std::string ClassPath;
		std::string SuperPath;
		std::vector<FScriptFunction> Functions;
		std::string Reason;
	} Cases[] = {
		{"Bridge", "/Script/CoreUObject.Object", {}, "is not a class path of a script package"},
		{"/Game/Bridge.Bridge", "/Script/CoreUObject.Object", {}, "is not a class path of a script package"},
		{"/Script/ScriptCallableTests.Bad Name", "/Script/CoreUObject.Object", {}, "is not a class path of a script package"},
		{"/Script/ScriptCallableTests.Orphan", "/Script/Nowhere.Nothing", {}, "the super class '/Script/Nowhere.Nothing'"},
		{Path, "/Script/Engine.Actor", {ReturnsText("Other", "")}, "already declared below another super class"},
		{"/Script/CoreUObject.Vector", "/Script/CoreUObject.Object", {}, "already declared as a structure or an enumeration"},
		{Path, "/Script/CoreUObject.Object", {ReturnsText("GetHTTPPort", ""), ReturnsText("GetHttpPort", "")}, "two functions are named get_http_port"},
		{Path, "/Script/CoreUObject.Object", {NoCode}, "function NoCode has no code to call"},
		{Path, "/Script/CoreUObject.Object", {ReturnsText("", "")}, "a function has no name"},
		{Path, "/Script/CoreUObject.Object",
			{ReturnsText("Twice", "", {{"bFlag", EScriptValueType::Bool, std::nullopt}, {"Flag", EScriptValueType::String, std::nullopt}})},
			"has two parameters named flag"},
		{Path, "/Script/CoreUObject.Object", {ReturnsText("Mistyped", "", {{"Count", EScriptValueType::Int, FScriptValue(std::string("3"))}})},
			"the default of Mistyped's parameter Count is not of type int"},
		{Path, "/Script/CoreUObject.Object",
			{ReturnsText("Ordered", "", {{"First", EScriptValueType::Int, FScriptValue(int64_t{1})}, {"Second", EScriptValueType::Int, std::nullopt}})},
			"required parameter Second follows a parameter with a default"},
		{Path, "/Script/CoreUObject.Object", {ReturnsText("Shadow", "", {{"ReturnValue", EScriptValueType::Int, std::nullopt}})},
			"has a parameter without a name of its own"},
	};
	for (const auto& Case : Cases)
	{
		FLogCapture Log;
		RegisterScriptCallableClass(Case.ClassPath, Case.SuperPath, Case.Functions);
		EXPECT_THAT(ErrorLines(Log), ElementsAre(HasSubstr(Case.Reason))) << Case.ClassPath;
	}
	EXPECT_EQ(FClassDatabase::Get().FindClass("/Script/ScriptCallableTests.Orphan"), nullptr);
	EXPECT_EQ(ScriptCallableRegistry::FindByPath("/Script/CoreUObject.Vector"), nullptr);
	EXPECT_THAT(FunctionNames(FClassDatabase::Get().FindClass(Path)), ElementsAre("Kept"));
}

TEST(ScriptNames, FollowTheEnginesPythonNaming)
{
	EXPECT_EQ(ToScriptName("SendBlueprintToKorvane"), "send_blueprint_to_korvane");
	EXPECT_EQ(ToScriptName("GetStatusJson"), "get_status_json");
	EXPECT_EQ(ToScriptName("GetHTTPPort"), "get_http_port");
	EXPECT_EQ(ToScriptName("BuildURL"), "build_url");
	EXPECT_EQ(ToScriptName("Get2DVector"), "get2d_vector");
	EXPECT_EQ(ToScriptName("K2_GetActorLocation"), "k2_get_actor_location");
	EXPECT_EQ(ToScriptName("lower"), "lower");
	EXPECT_EQ(ToScriptParamName({"bBundleTextures", EScriptValueType::Bool, std::nullopt}), "bundle_textures");
	EXPECT_EQ(ToScriptParamName({"bBundleTextures", EScriptValueType::String, std::nullopt}), "b_bundle_textures");
	EXPECT_EQ(ToScriptParamName({"bool", EScriptValueType::Bool, std::nullopt}), "bool");
	EXPECT_EQ(ToScriptParamName({"AssetPaths", EScriptValueType::StringArray, std::nullopt}), "asset_paths");
}
