#include "Core/JsonSerializer.h"
#include "PendingPickupStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace
{
	std::shared_ptr<FJsonObject> Payload(std::string_view Name)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", Name);
		return Object;
	}

	std::string Condensed(const std::shared_ptr<FJsonObject>& Object)
	{
		return FJsonSerializer::SerializeCondensed(*Object);
	}
}

TEST(PendingPickupStore, TakeOfAnEmptySlotAnswersPendingFalseAndStaysEmpty)
{
	FPendingPickupStore Store;
	EXPECT_EQ(Condensed(Store.Take(EPickupSlot::Blueprint)), R"({"pending":false})");
	EXPECT_FALSE(Store.Has(EPickupSlot::Blueprint));
}

TEST(PendingPickupStore, NewerSetReplacesAnUntakenPayloadAndTakeIsOneShot)
{
	FPendingPickupStore Store;
	Store.Set(EPickupSlot::Material, Payload("first"));
	Store.Set(EPickupSlot::Material, Payload("second"));
	EXPECT_EQ(Condensed(Store.Take(EPickupSlot::Material)), R"({"name":"second","pending":true})");
	EXPECT_FALSE(Store.Has(EPickupSlot::Material));
	EXPECT_EQ(Condensed(Store.Take(EPickupSlot::Material)), R"({"pending":false})");
}

TEST(PendingPickupStore, TakeSetsPendingOnThePayloadItselfInPlace)
{
	FPendingPickupStore Store;
	auto Shared = std::make_shared<FJsonObject>();
	Shared->SetStringField("name", "BP_Door");
	Shared->SetBoolField("pending", false);
	Shared->SetNumberField("count", 2);
	Store.Set(EPickupSlot::Widget, Shared);

	const std::shared_ptr<FJsonObject> Taken = Store.Take(EPickupSlot::Widget);
	EXPECT_EQ(Taken, Shared);
	EXPECT_EQ(Condensed(Shared), R"({"name":"BP_Door","pending":true,"count":2})");
}

TEST(PendingPickupStore, SlotsAreIndependentAndNullEmpties)
{
	FPendingPickupStore Store;
	Store.Set(EPickupSlot::Blueprint, Payload("bp"));
	Store.Set(EPickupSlot::ControlRig, Payload("rig"));
	Store.Take(EPickupSlot::Blueprint);
	EXPECT_FALSE(Store.Has(EPickupSlot::Blueprint));
	EXPECT_FALSE(Store.Has(EPickupSlot::Material));
	EXPECT_FALSE(Store.Has(EPickupSlot::Widget));
	EXPECT_TRUE(Store.Has(EPickupSlot::ControlRig));
	Store.Set(EPickupSlot::ControlRig, nullptr);
	EXPECT_FALSE(Store.Has(EPickupSlot::ControlRig));
}

TEST(PendingPickupStore, ConcurrentSettersAndTakersNeitherLoseNorDuplicatePayloads)
{
	// Each producer waits until its previous payload was taken before setting the
	// next, so every payload must be taken exactly once.
	FPendingPickupStore Store;
	constexpr int ProducerCount = 4;
	constexpr int PayloadsPerProducer = 500;
	std::atomic<int> Taken{0};
	std::vector<std::thread> Threads;
	std::vector<std::vector<std::string>> TakenNames(2);
	std::atomic<bool> bProducersDone{false};

	for (int Taker = 0; Taker < 2; ++Taker)
	{
		Threads.emplace_back([&, Taker]() {
			while (!bProducersDone || Store.Has(EPickupSlot::Blueprint))
			{
				const std::shared_ptr<FJsonObject> Result = Store.Take(EPickupSlot::Blueprint);
				if (Result->TryGetBoolField("pending").value_or(false))
				{
					TakenNames[Taker].push_back(*Result->TryGetStringField("name"));
					++Taken;
				}
			}
		});
	}
	std::vector<std::thread> Producers;
	std::mutex SetMutex;
	for (int Producer = 0; Producer < ProducerCount; ++Producer)
	{
		Producers.emplace_back([&, Producer]() {
			for (int Index = 0; Index < PayloadsPerProducer; ++Index)
			{
				// One producer sets at a time and only into an empty slot, so no payload is replaced untaken.
				for (;;)
				{
					const std::lock_guard Lock(SetMutex);
					if (!Store.Has(EPickupSlot::Blueprint))
					{
						Store.Set(EPickupSlot::Blueprint, Payload(std::to_string(Producer) + ":" + std::to_string(Index)));
						break;
					}
				}
			}
		});
	}
	for (std::thread& Producer : Producers)
	{
		Producer.join();
	}
	bProducersDone = true;
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}

	std::set<std::string> Unique;
	for (const auto& Names : TakenNames)
	{
		Unique.insert(Names.begin(), Names.end());
	}
	EXPECT_EQ(Taken.load(), ProducerCount * PayloadsPerProducer);
	EXPECT_EQ(Unique.size(), static_cast<std::size_t>(ProducerCount * PayloadsPerProducer));
}
