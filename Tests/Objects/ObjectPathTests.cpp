#include "Assets/AssetFiles.h"

#include "Core/Log.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gtest/gtest.h>

TEST(ObjectPathTests, PathNamesFollowTheEditorsSeparators)
{
	FTestEditor Editor(HostOnly());
	UPackage* Package = CreatePackage("/Game/Characters/Hero");
	ASSERT_NE(Package, nullptr);
	UObject* Asset = NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.Blueprint"), "Hero", RF_Public | RF_Standalone);
	UObject* Graph = NewObject<UObject>(Asset, FindEngineClassChecked("/Script/Engine.EdGraph"), "EventGraph");
	UObject* Node = NewObject<UObject>(Graph, FindEngineClassChecked("/Script/Engine.EdGraphNode"), "Node_0");
	UObject* Pin = NewObject<UObject>(Node, UObject::StaticClass(), "Pin");

	EXPECT_EQ(Package->GetPathName(), "/Game/Characters/Hero");
	EXPECT_EQ(Asset->GetPathName(), "/Game/Characters/Hero.Hero");
	EXPECT_EQ(Graph->GetPathName(), "/Game/Characters/Hero.Hero:EventGraph");
	EXPECT_EQ(Node->GetPathName(), "/Game/Characters/Hero.Hero:EventGraph.Node_0");
	EXPECT_EQ(Pin->GetPathName(), "/Game/Characters/Hero.Hero:EventGraph.Node_0.Pin");
	EXPECT_EQ(Pin->GetPackage(), Package);
	EXPECT_EQ(Package->GetPackage(), Package);

	EXPECT_TRUE(Asset->IsAsset());
	EXPECT_FALSE(Graph->IsAsset());
	EXPECT_FALSE(Package->IsAsset());
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, "/Game/Characters/Hero.Hero:EventGraph.Node_0"), Node);
	EXPECT_EQ(StaticFindObject(nullptr, Asset, "EventGraph"), Graph);
	EXPECT_EQ(UObject::StaticClass()->GetPathName(), "/Script/CoreUObject.Object");
}

TEST(ObjectPathTests, ObjectsWithoutOuterGoToTheTransientPackageAndAreNotAssets)
{
	FTestEditor Editor(HostOnly());
	UObject* Object = NewObject<UObject>();
	ASSERT_NE(Object, nullptr);
	EXPECT_EQ(Object->GetOuter(), GetTransientPackage());
	EXPECT_EQ(Object->GetPathName(), "/Engine/Transient.Object_0");
	EXPECT_FALSE(Object->IsAsset());
	EXPECT_EQ(NewObject<UObject>()->GetName(), "Object_1");
}

TEST(ObjectPathTests, NewObjectRefusesBadNamesAbstractClassesAndClassClashes)
{
	FTestEditor Editor(HostOnly());
	FLogCapture Log;
	UPackage* Package = CreatePackage("/Game/Data/Table");
	UClass* DataTable = FindEngineClassChecked("/Script/Engine.DataTable");
	EXPECT_EQ(NewObject<UObject>(Package, DataTable, "Bad.Name"), nullptr);
	EXPECT_EQ(NewObject<UObject>(Package, DataTable, "Bad:Name"), nullptr);
	EXPECT_EQ(NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.AnimationAsset"), "Abstract"), nullptr);
	EXPECT_EQ(NewObject<UPackage>(Package, UObject::StaticClass()), nullptr) << "UObject is not a UPackage";

	UObject* First = NewObject<UObject>(Package, DataTable, "Table");
	EXPECT_EQ(NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.CurveFloat"), "Table"), nullptr);
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, "/Game/Data/Table.Table"), First);
	UObject* Replacement = NewObject<UObject>(Package, DataTable, "Table");
	ASSERT_NE(Replacement, nullptr);
	EXPECT_EQ(Package->GetInnerObjects().size(), 1u);
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, "/Game/Data/Table.Table"), Replacement);
	EXPECT_TRUE(Package->IsDirty());

	EXPECT_EQ(CreatePackage("/Game/Bad Name"), nullptr);
	EXPECT_EQ(CreatePackage("Game/NoSlash"), nullptr);
	EXPECT_EQ(CreatePackage("/Game/A//B"), nullptr);
	EXPECT_EQ(CreatePackage("/Script/Engine"), nullptr);
}
