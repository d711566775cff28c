#include "Core/Delegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
	struct FCounter : std::enable_shared_from_this<FCounter>
	{
		int Add(int Amount, int Payload) { return Total += Amount * Payload; }
		void Flag(bool bValue) { bFlag = bValue; }
		std::string Name() const { return "counter"; }

		int Total = 0;
		bool bFlag = false;
	};
}

TEST(DelegateTests, PayloadArgumentsFollowTheCallsOwn)
{
	FCounter Counter;
	const auto Add = TDelegate<int(int)>::CreateRaw(&Counter, &FCounter::Add, 10);
	EXPECT_EQ(Add.Execute(2), 20);
	EXPECT_TRUE(Add.IsBoundToObject(&Counter));

	const auto Flag = FSimpleDelegate::CreateRaw(&Counter, &FCounter::Flag, true);
	EXPECT_TRUE(Flag.ExecuteIfBound());
	EXPECT_TRUE(Counter.bFlag);
	EXPECT_FALSE(FSimpleDelegate().ExecuteIfBound());
	EXPECT_EQ(TDelegate<int(int)>().Execute(5), 0) << "an unbound delegate answers the default value";
}

TEST(DelegateTests, ASharedObjectIsHeldWeakly)
{
	TDelegate<std::string()> FromPointer;
	TDelegate<std::string()> FromThis;
	{
		const auto Counter = std::make_shared<FCounter>();
		FromPointer = TDelegate<std::string()>::CreateSP(Counter, &FCounter::Name);
		FromThis = TDelegate<std::string()>::CreateSP(Counter.get(), &FCounter::Name);
		EXPECT_EQ(FromPointer.Execute(), "counter");
		EXPECT_EQ(FromThis.Execute(), "counter");
		EXPECT_EQ(Counter.use_count(), 1) << "the delegates do not keep the object alive";
	}
	EXPECT_FALSE(FromPointer.IsBound());
	EXPECT_FALSE(FromThis.IsBound());
	EXPECT_EQ(FromThis.Execute(), "") << "calling it after the object is gone is safe";
}
