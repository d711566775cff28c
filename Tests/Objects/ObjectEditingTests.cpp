#include "Assets/AssetFiles.h"

#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

namespace
{
	class ObjectEditing : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UClass* ObjectClass = FClassDatabase::Get().FindClass("/Script/Engine.MaterialExpressionAdd");

		UPackage* CleanPackage(std::string_view Name)
		{
			UPackage* Package = CreatePackage(Name);
			Package->SetDirtyFlag(false);
			return Package;
		}
		UObject* Make(UObject* Outer, std::string_view Name) { return NewObject<UObject>(Outer, ObjectClass, Name); }
	};
}

TEST_F(ObjectEditing, ModifyMarksThePackageDirtyOnlyWhenAskedAndRecordsNothing)
{
	UPackage* Package = CleanPackage("/Game/Editing/A");
	UObject* Object = Make(Package, "Thing");
	Package->SetDirtyFlag(false);
	EXPECT_FALSE(Object->Modify(false));
	EXPECT_FALSE(Package->IsDirty());
	EXPECT_FALSE(Object->Modify());
	EXPECT_TRUE(Package->IsDirty());
}

TEST_F(ObjectEditing, RenameMovesIntoTheNewOuterKeepingOrMakingAName)
{
	UPackage* From = CleanPackage("/Game/Editing/From");
	UPackage* To = CleanPackage("/Game/Editing/To");
	UObject* Holder = Make(To, "Holder");
	UObject* Moving = Make(From, "MaterialExpressionAdd_0");
	UObject* Inner = Make(Moving, "Inner");
	From->SetDirtyFlag(false);
	To->SetDirtyFlag(false);

	ASSERT_TRUE(Moving->Rename(nullptr, Holder, REN_DoNotDirty | REN_DontCreateRedirectors));
	EXPECT_EQ(Moving->GetName(), "MaterialExpressionAdd_0");
	EXPECT_EQ(Moving->GetOuter(), Holder);
	EXPECT_EQ(From->FindInnerObject("MaterialExpressionAdd_0"), nullptr);
	EXPECT_EQ(Holder->FindInnerObject("MaterialExpressionAdd_0"), Moving);
	EXPECT_EQ(Inner->GetPathName(), "/Game/Editing/To.Holder:MaterialExpressionAdd_0.Inner") << "what is inside moves along";
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, "/Game/Editing/To.Holder:MaterialExpressionAdd_0"), Moving);
	EXPECT_FALSE(From->IsDirty());
	EXPECT_FALSE(To->IsDirty());

	UObject* Second = Make(From, "MaterialExpressionAdd_0");
	ASSERT_TRUE(Second->Rename(nullptr, Holder));
	EXPECT_EQ(Second->GetName(), "MaterialExpressionAdd_1") << "a taken name gives the next free one";
	EXPECT_TRUE(From->IsDirty());
	EXPECT_TRUE(To->IsDirty());
	EXPECT_EQ(Holder->GetInnerObjects(), (std::vector<UObject*>{Moving, Second}));

	ASSERT_TRUE(Second->Rename("Renamed", nullptr));
	EXPECT_EQ(Holder->FindInnerObject("Renamed"), Second);
	EXPECT_EQ(Holder->FindInnerObject("MaterialExpressionAdd_1"), nullptr);
	EXPECT_EQ(Holder->GetInnerObjects(), (std::vector<UObject*>{Moving, Second})) << "a rename in place keeps the order";
}

TEST_F(ObjectEditing, RenameRefusesWhatCannotBeDoneAndChangesNothing)
{
	UPackage* Package = CleanPackage("/Game/Editing/Refusals");
	UObject* Parent = Make(Package, "Parent");
	UObject* Child = Make(Parent, "Child");
	UObject* Other = Make(Package, "Other");

	EXPECT_FALSE(Package->Rename(nullptr, Parent)) << "a package has no outer to leave";
	EXPECT_FALSE(Parent->Rename(nullptr, Parent)) << "not into itself";
	EXPECT_FALSE(Parent->Rename(nullptr, Child)) << "not into something inside it";
	EXPECT_FALSE(Other->Rename("Parent", nullptr)) << "a name another object holds";
	EXPECT_FALSE(Other->Rename("Bad Name", nullptr));
	EXPECT_FALSE(Other->Rename("", nullptr));
	EXPECT_TRUE(Child->Rename(nullptr, Other, REN_Test));
	EXPECT_EQ(Child->GetOuter(), Parent) << "a test changes nothing";
	EXPECT_EQ(Other->GetName(), "Other");
	EXPECT_EQ(Parent->FindInnerObject("Child"), Child);
	EXPECT_TRUE(Child->Rename("Child", nullptr)) << "its own name is not taken from it";
}
