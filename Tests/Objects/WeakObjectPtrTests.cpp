#include "Assets/AssetFiles.h"

#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Objects/WeakObjectPtr.h"

#include <gtest/gtest.h>

TEST(WeakObjectPtrTests, WeakPointersLetGoWhenTheirObjectDies)
{
	FTestEditor Editor(HostOnly());
	UPackage* Package = CreatePackage("/Game/Weak/Holder");
	UObject* Asset = NewObject<UObject>(Package, FindEngineClassChecked("/Script/Engine.DataTable"), "Holder");
	UObject* Inner = NewObject<UObject>(Asset, UObject::StaticClass(), "Inner");
	UObject* Kept = NewObject<UObject>(Asset, UObject::StaticClass(), "Kept");
	const TWeakObjectPtr<UObject> WeakInner(Inner);
	const TWeakObjectPtr<UObject> WeakKept(Kept);
	const TWeakObjectPtr<UObject> WeakAsset(Asset);
	ASSERT_EQ(WeakInner.Get(), Inner);

	Inner->MarkAsGarbage();
	EXPECT_FALSE(WeakInner.IsValid()) << "garbage counts as gone before it is collected";
	CollectGarbage();
	EXPECT_TRUE(WeakInner.IsStale());
	EXPECT_EQ(Asset->FindInnerObject("Inner"), nullptr);
	EXPECT_EQ(WeakKept.Get(), Kept);

	// A new object may reuse the freed slot; the old pointer must not see it.
	UObject* Newcomer = NewObject<UObject>(Asset, UObject::StaticClass(), "Newcomer");
	EXPECT_EQ(WeakInner.Get(), nullptr);
	EXPECT_EQ(TWeakObjectPtr<UObject>(Newcomer).Get(), Newcomer);

	ASSERT_TRUE(FObjectStore::Get().DestroyPackage("/Game/Weak/Holder"));
	EXPECT_FALSE(WeakAsset.IsValid());
	EXPECT_FALSE(WeakKept.IsValid()) << "everything inside a destroyed package dies with it";
	EXPECT_FALSE(TWeakObjectPtr<UObject>().IsStale());
}
