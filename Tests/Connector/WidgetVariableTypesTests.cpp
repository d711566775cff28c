#include "Support/TestEditor.h"

#include "Endpoints/WidgetVariableTypes.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Graph/PinTypeFromProperty.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	class WidgetVariableTypes : public ::testing::Test
	{
	protected:
		FTestEditor Editor{DemoProjectOptions()};

		/** Category, sub-category and the sub-category object's path, or "(none)" when the word is refused. */
		static std::string Described(std::string_view Word, std::string_view SubType = {}, std::string_view SubTypePath = {})
		{
			const std::optional<FEdGraphPinType> PinType = PinTypeFromTypeName(Word, SubType, SubTypePath);
			if (!PinType)
			{
				return "(none)";
			}
			const UObject* const SubObject = GetPinSubCategoryObject(*PinType);
			return PinType->PinCategory + "|" + PinType->PinSubCategory + "|" + (SubObject != nullptr ? SubObject->GetPathName() : PinType->PinSubCategoryObject);
		}

		static FEdGraphPinType PinType(std::string_view Category, std::string_view SubCategory = {}, std::string_view SubCategoryObject = "None")
		{
			FEdGraphPinType Type;
			Type.PinCategory = Category;
			Type.PinSubCategory = SubCategory;
			Type.PinSubCategoryObject = SubCategoryObject;
			return Type;
		}

		static std::string Named(const FEdGraphPinType& Type)
		{
			const FVariableTypeName Name = TypeNameFromPinType(Type);
			return Name.SubType.empty() ? Name.Type : Name.Type + ":" + Name.SubType;
		}
	};
}

TEST_F(WidgetVariableTypes, TypeWordsInAnyCaseGiveTheirVariableTypes)
{
	EXPECT_EQ(Described("bool"), "bool||None");
	EXPECT_EQ(Described("INT"), "int||None");
	EXPECT_EQ(Described("Int64"), "int64||None");
	EXPECT_EQ(Described("byte"), "byte||None");
	EXPECT_EQ(Described("String"), "string||None");
	EXPECT_EQ(Described("name"), "name||None");
	EXPECT_EQ(Described("Text"), "text||None");
	for (const std::string_view Real : {"float", "Double", "REAL"})
	{
		EXPECT_EQ(Described(Real), "real|double|None") << Real;
	}
	EXPECT_EQ(Described("Vector"), "struct||/Script/CoreUObject.Vector");
	EXPECT_EQ(Described("Vector2D"), "struct||/Script/CoreUObject.Vector2D");
	EXPECT_EQ(Described("rotator"), "struct||/Script/CoreUObject.Rotator");
	EXPECT_EQ(Described("Transform"), "struct||/Script/CoreUObject.Transform");
	EXPECT_EQ(Described("color"), "struct||/Script/CoreUObject.LinearColor");
	EXPECT_EQ(Described("LinearColor"), "struct||/Script/CoreUObject.LinearColor");
	for (const std::string_view Refused : {"struct", "", "enum", "softobject", "map", "vector3"})
	{
		EXPECT_EQ(Described(Refused), "(none)") << Refused;
	}
}

TEST_F(WidgetVariableTypes, ObjectAndClassSubTypesResolveInOrderAndFallBackToTheObjectClass)
{
	UBlueprint* const RootBlueprint = FKismetEditorUtilities::CreateBlueprint(FClassDatabase::Get().FindClass("/Script/Engine.Actor"), CreatePackage("/Game/BP_Root"), "BP_Root");
	FKismetEditorUtilities::CompileBlueprint(RootBlueprint);
	ASSERT_NE(RootBlueprint->GeneratedClass, nullptr);
	const std::string RootClassPath = RootBlueprint->GeneratedClass->GetPathName();

	EXPECT_EQ(Described("object", "Actor", "/Script/Engine.StaticMesh"), "object||/Script/Engine.StaticMesh") << "the path wins over the name";
	EXPECT_EQ(Described("object", "", "/Game/BP_Root.BP_Root"), "object||" + RootClassPath) << "a Blueprint's path names its generated class";
	EXPECT_EQ(Described("object", "", RootClassPath), "object||" + RootClassPath);
	EXPECT_EQ(Described("object", "Actor"), "object||/Script/Engine.Actor");
	EXPECT_EQ(Described("Class", "StaticMesh"), "class||/Script/Engine.StaticMesh");
	EXPECT_EQ(Described("object", "WidgetAnimation"), "object||/Script/UMG.WidgetAnimation") << "UMG classes by name";
	EXPECT_EQ(Described("object", "BP_Root"), "object||" + RootClassPath) << "a Blueprint at the top of the content folder by name";
	EXPECT_EQ(Described("object", "NoSuchClass"), "object||/Script/CoreUObject.Object");
	EXPECT_EQ(Described("object", "", "/Game/Nowhere.Nowhere"), "object||/Script/CoreUObject.Object");
	EXPECT_EQ(Described("object", "../../Escape", "/Game/../x.y"), "object||/Script/CoreUObject.Object") << "hostile names resolve to nothing";
	EXPECT_EQ(Described("class"), "class||/Script/CoreUObject.Object");
}

TEST_F(WidgetVariableTypes, VariableTypesReadBackAsTypeWordsWithTheirAsymmetries)
{
	using namespace UEdGraphSchema_K2;
	for (const std::string_view Word : {"bool", "int", "int64", "byte", "string", "name", "text", "vector", "vector2d", "rotator", "transform", "linearcolor"})
	{
		EXPECT_EQ(Named(*PinTypeFromTypeName(Word, {}, {})), Word) << "a word of its own reads back as itself";
	}
	EXPECT_EQ(Named(*PinTypeFromTypeName("double", {}, {})), "float");
	EXPECT_EQ(Named(*PinTypeFromTypeName("real", {}, {})), "float");
	EXPECT_EQ(Named(PinType(PC_Float)), "float") << "older copies' real categories";
	EXPECT_EQ(Named(PinType(PC_Double)), "float");
	EXPECT_EQ(Named(*PinTypeFromTypeName("color", {}, {})), "linearcolor");

	EXPECT_EQ(Named(PinType(PC_Struct, {}, MakePinSubCategoryObjectText("ScriptStruct", "/Script/SlateCore.Margin"))), "struct:Margin");
	EXPECT_EQ(Named(PinType(PC_Struct, {}, "/Script/CoreUObject.ScriptStruct'/Script/Nowhere.Gone'")), "struct") << "a structure that is gone has no name";
	EXPECT_EQ(Named(*PinTypeFromTypeName("object", "Actor", {})), "object:Actor");
	EXPECT_EQ(Named(*PinTypeFromTypeName("class", "StaticMesh", {})), "class:StaticMesh");
	EXPECT_EQ(Named(*PinTypeFromTypeName("object", "", "/Game/Blueprints/BP_Campfire.BP_Campfire")), "object:BP_Campfire") << "a generated class without its _C";
	EXPECT_EQ(Named(PinType(PC_Object, {}, "/Script/CoreUObject.Class'/Game/Gone.Gone_C'")), "object");

	EXPECT_EQ(Named(PinType(PC_Byte, {}, MakePinSubCategoryObjectText("Enum", "/Script/Engine.ECollisionChannel"))), "byte") << "a byte enumeration reads as byte without sub-type";
	for (const std::string_view Other : {PC_SoftObject, PC_SoftClass, PC_Interface, PC_Delegate, std::string_view("enum"), std::string_view("mcdelegate")})
	{
		EXPECT_EQ(Named(PinType(Other, {}, MakePinSubCategoryObjectText("Class", "/Script/Engine.Actor"))), "string") << Other;
	}
}
