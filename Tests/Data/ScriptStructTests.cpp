#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ScriptStruct.h"

#include <gtest/gtest.h>

namespace
{
	const std::string Classes = R"("classes":[{"path":"/Script/CoreUObject.Object"},{"path":"/Script/CoreUObject.Class","super":"/Script/CoreUObject.Object"},)"
								R"({"path":"/Script/CoreUObject.ScriptStruct","super":"/Script/CoreUObject.Object"},)"
								R"({"path":"/Script/CoreUObject.Package","super":"/Script/CoreUObject.Object"}])";

	std::string Refusal(const std::string& Structs)
	{
		std::string Error;
		EXPECT_EQ(FClassDatabase::Load("{" + Classes + ",\"structs\":" + Structs + "}", Error), nullptr) << Structs;
		return Error;
	}

	std::vector<std::string> ColumnNames(const UScriptStruct& Struct)
	{
		std::vector<std::string> Names;
		for (const FProperty* Property : Struct.GetAllProperties())
		{
			Names.push_back(Property->GetName() + ":" + Property->GetCPPType());
		}
		return Names;
	}
}

TEST(ScriptStructTests, StructuresLoadWithTheirPropertiesOwnFirstThenTheSupers)
{
	std::string Error;
	const std::unique_ptr<FClassDatabase> Database = FClassDatabase::Load(
		"{" + Classes + R"(,"structs":[{"path":"/Script/Game.BaseRow","properties":[{"name":"Id","type":"FName"}]},)"
		R"({"path":"/Script/Game.ItemRow","super":"/Script/Game.BaseRow","properties":[{"name":"Price","type":"int32"},{"name":"Icon","type":"TSoftObjectPtr<UTexture2D>"}]}]})",
		Error);
	ASSERT_NE(Database, nullptr) << Error;
	const UScriptStruct* Item = Database->FindStruct("/Script/Game.ItemRow");
	ASSERT_NE(Item, nullptr);
	EXPECT_EQ(Item->GetName(), "ItemRow");
	EXPECT_EQ(Item->GetPathName(), "/Script/Game.ItemRow");
	EXPECT_EQ(Item->GetClass(), Database->FindClass("/Script/CoreUObject.ScriptStruct"));
	EXPECT_EQ(Item->GetSuperStruct(), Database->FindStruct("/Script/Game.BaseRow"));
	EXPECT_EQ(ColumnNames(*Item), (std::vector<std::string>{"Price:int32", "Icon:TSoftObjectPtr<UTexture2D>", "Id:FName"}));
	EXPECT_EQ(Database->FindObject("/Script/Game.ItemRow"), Item);
	EXPECT_EQ(Database->FindClass("/Script/Game.ItemRow"), nullptr) << "a structure is not a class";
}

TEST(ScriptStructTests, MalformedStructuresAreRefusedWithTheFault)
{
	EXPECT_NE(Refusal(R"({"path":"/Script/Game.Row"})").find("not an array"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Script/Game.Row","functions":[]}])").find("functions"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Script/Game.Row","super":"/Script/Game.Base"}])").find("not declared before"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Script/Game.Row"},{"path":"/Script/Game.Row"}])").find("declared twice"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Script/CoreUObject.Class"}])").find("declared twice"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Game/Row.Row"}])").find("script package"), std::string::npos);
	EXPECT_NE(Refusal(R"([{"path":"/Script/Game.Row","properties":[{"name":"A"}]}])").find("\"type\""), std::string::npos);
	EXPECT_NE(Refusal(R"([{"super":"/Script/Game.Row"}])").find("struct 0"), std::string::npos);
}

TEST(ScriptStructTests, ShippedRowStructuresLoadLikeEngineObjects)
{
	const UScriptStruct* PropRow = FClassDatabase::Get().FindStruct("/Script/DemoProject.PropRow");
	ASSERT_NE(PropRow, nullptr);
	EXPECT_EQ(PropRow->GetSuperStruct(), FClassDatabase::Get().FindStruct("/Script/Engine.TableRowBase"));
	EXPECT_EQ(StaticLoadObject(nullptr, "/Script/DemoProject.PropRow"), PropRow);
	EXPECT_EQ(StaticLoadObject(UScriptStruct::StaticClass(), "/Script/DemoProject.PropRow"), PropRow);
}
