#include "Graph/PinTypeFromProperty.h"

#include "Objects/ClassDatabase.h"
#include "Objects/Function.h"

#include <gtest/gtest.h>

namespace
{
	/** Category, sub-category, sub-category object and container of a C++ type's pin, in one line. */
	std::string Describe(std::string_view CPPType)
	{
		const std::optional<FEdGraphPinType> PinType = PinTypeFromCPPType(CPPType);
		if (!PinType)
		{
			return "none";
		}
		std::string Text = PinType->PinCategory + "|" + PinType->PinSubCategory + "|" + PinType->PinSubCategoryObject + "|" + PinType->ContainerType;
		Text += PinType->bIsUObjectWrapper ? "|wrapper" : "";
		Text += PinType->bIsWeakPointer ? "|weak" : "";
		return Text;
	}

	const FProperty& Param(const UFunction& Function, std::string_view Name)
	{
		const FProperty* const Found = Function.FindParam(Name);
		EXPECT_NE(Found, nullptr) << Name;
		return *Found;
	}

	const UFunction& EngineFunction(std::string_view ClassPath, std::string_view Name)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		const UFunction* const Function = Database.FindFunction(Database.FindClass(ClassPath), Name);
		EXPECT_NE(Function, nullptr) << Name;
		return *Function;
	}
}

TEST(PinTypeFromPropertyTests, ValueTypesMapToTheirCategories)
{
	EXPECT_EQ(Describe("bool"), "bool||None|None");
	EXPECT_EQ(Describe("int32"), "int||None|None");
	EXPECT_EQ(Describe("int64"), "int64||None|None");
	EXPECT_EQ(Describe("uint8"), "byte||None|None");
	EXPECT_EQ(Describe("float"), "real|float|None|None");
	EXPECT_EQ(Describe("double"), "real|double|None|None");
	EXPECT_EQ(Describe("const FName"), "name||None|None");
	EXPECT_EQ(Describe("const FString&"), "string||None|None");
	EXPECT_EQ(Describe("FText"), "text||None|None");
	EXPECT_EQ(Describe("FVector"), "struct||\"/Script/CoreUObject.ScriptStruct'/Script/CoreUObject.Vector'\"|None");
	EXPECT_EQ(Describe("const FLinearColor&"), "struct||\"/Script/CoreUObject.ScriptStruct'/Script/CoreUObject.LinearColor'\"|None");
	EXPECT_EQ(Describe("FHitResult"), "struct||\"/Script/CoreUObject.ScriptStruct'/Script/Engine.HitResult'\"|None");
	EXPECT_EQ(Describe("ELifetimeCondition"), "byte||\"/Script/CoreUObject.Enum'/Script/Engine.ELifetimeCondition'\"|None");
	EXPECT_EQ(Describe("TEnumAsByte<EUnknownThing::Type>"), "byte||None|None");
	EXPECT_EQ(Describe("FTimerDynamicDelegate"), "delegate||None|None");
}

TEST(PinTypeFromPropertyTests, ObjectReferencesNameTheirClass)
{
	const std::string Actor = "\"/Script/CoreUObject.Class'/Script/Engine.Actor'\"";
	EXPECT_EQ(Describe("AActor*"), "object||" + Actor + "|None");
	EXPECT_EQ(Describe("const class AActor*"), "object||" + Actor + "|None");
	EXPECT_EQ(Describe("TObjectPtr<UStaticMesh>"), "object||\"/Script/CoreUObject.Class'/Script/Engine.StaticMesh'\"|None");
	EXPECT_EQ(Describe("TWeakObjectPtr<AActor>"), "object||" + Actor + "|None|weak");
	EXPECT_EQ(Describe("TSubclassOf<AActor>"), "class||" + Actor + "|None|wrapper");
	EXPECT_EQ(Describe("UClass*"), "class||\"/Script/CoreUObject.Class'/Script/CoreUObject.Object'\"|None");
	EXPECT_EQ(Describe("TSoftObjectPtr<UTexture2D>"), "softobject||\"/Script/CoreUObject.Class'/Script/Engine.Texture2D'\"|None|wrapper");
	EXPECT_EQ(Describe("TSoftClassPtr<AActor>"), "softclass||" + Actor + "|None|wrapper");
}

TEST(PinTypeFromPropertyTests, ContainersWrapTheirElementType)
{
	EXPECT_EQ(Describe("TArray<AActor*>"), "object||\"/Script/CoreUObject.Class'/Script/Engine.Actor'\"|Array");
	EXPECT_EQ(Describe("const TArray<FName>&"), "name||None|Array");
	EXPECT_EQ(Describe("TSet<int32>"), "int||None|Set");
	const std::optional<FEdGraphPinType> Map = PinTypeFromCPPType("TMap<FName, TObjectPtr<AActor>>");
	ASSERT_TRUE(Map);
	EXPECT_EQ(Map->PinCategory, "name");
	EXPECT_TRUE(Map->IsMap());
	EXPECT_EQ(Map->PinValueType.TerminalCategory, "object");
	EXPECT_EQ(Map->PinValueType.TerminalSubCategoryObject, "\"/Script/CoreUObject.Class'/Script/Engine.Actor'\"");
}

TEST(PinTypeFromPropertyTests, TypesWithoutAPinGiveNothing)
{
	for (const std::string_view Type : {"uint32", "int16", "UNotAClass*", "FNotAStruct", "TArray<TArray<int32>>", "TMap<FName>", "TArray<int32", "", "void*"})
	{
		EXPECT_EQ(Describe(Type), "none") << Type;
	}
}

TEST(PinTypeFromPropertyTests, ParametersPassedByReferenceAreReferencePins)
{
	const FProperty ByRef("Handle", "FTimerHandle", CPF_Parm | CPF_OutParm | CPF_ReferenceParm);
	const FProperty ConstByRef("Item", "int32", CPF_Parm | CPF_ConstParm | CPF_ReferenceParm);
	const FProperty Out("OutActors", "TArray<AActor*>", CPF_Parm | CPF_OutParm);
	const FProperty Return("ReturnValue", "bool", CPF_Parm | CPF_OutParm | CPF_ReturnParm);
	EXPECT_TRUE(IsFunctionInputParam(ByRef));
	EXPECT_TRUE(PinTypeFromProperty(ByRef)->bIsReference);
	EXPECT_FALSE(PinTypeFromProperty(ByRef)->bIsConst);
	EXPECT_TRUE(PinTypeFromProperty(ConstByRef)->bIsConst);
	EXPECT_FALSE(IsFunctionInputParam(Out));
	EXPECT_FALSE(PinTypeFromProperty(Out)->bIsReference);
	EXPECT_FALSE(IsFunctionInputParam(Return));

	const FProperty BitfieldBool("bHidden", "uint8", CPF_Edit);
	EXPECT_EQ(PinTypeFromProperty(BitfieldBool)->PinCategory, "bool");
	EXPECT_EQ(PinTypeFromProperty(FProperty("Count", "uint8", CPF_Edit))->PinCategory, "byte");
}

TEST(PinTypeFromPropertyTests, ArrayFunctionsTakeWildcards)
{
	const UFunction& Add = EngineFunction("/Script/Engine.KismetArrayLibrary", "Array_Add");
	const std::optional<FEdGraphPinType> TargetArray = PinTypeFromFunctionParam(Add, Param(Add, "TargetArray"));
	const std::optional<FEdGraphPinType> NewItem = PinTypeFromFunctionParam(Add, Param(Add, "NewItem"));
	const std::optional<FEdGraphPinType> Index = PinTypeFromFunctionParam(Add, Param(Add, "ReturnValue"));
	EXPECT_EQ(TargetArray->PinCategory, "wildcard");
	EXPECT_TRUE(TargetArray->IsArray());
	EXPECT_TRUE(TargetArray->bIsReference);
	EXPECT_EQ(NewItem->PinCategory, "wildcard");
	EXPECT_FALSE(NewItem->IsArray());
	EXPECT_EQ(Index->PinCategory, "int");
}

TEST(PinTypeFromPropertyTests, EveryParameterOfTheShippedFunctionsHasAPin)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	for (const UClass* const Class : Database.GetClasses())
	{
		for (const UFunction& Function : Database.GetOwnFunctions(Class))
		{
			for (const FProperty& Parameter : Function.GetParams())
			{
				EXPECT_TRUE(PinTypeFromFunctionParam(Function, Parameter)) << Function.GetName() << " " << Parameter.GetName() << ": " << Parameter.GetCPPType();
			}
		}
	}
}
