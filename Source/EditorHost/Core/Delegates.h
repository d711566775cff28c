#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

/** Identifies one binding of a multicast delegate. */
struct FDelegateHandle
{
	uint64_t Id = 0;
	bool IsValid() const { return Id != 0; }
	friend bool operator==(const FDelegateHandle&, const FDelegateHandle&) = default;
};

/**
 * A list of callbacks with no arguments, each bound on behalf of an owner so that
 * the owner can remove all of its bindings at once. Broadcast calls a snapshot of
 * the bindings, so a callback may add or remove bindings safely.
 */
class FSimpleMulticastDelegate
{
public:
	FDelegateHandle AddRaw(const void* Owner, std::function<void()> Callback)
	{
		const FDelegateHandle Handle{++LastId};
		Bindings.push_back({Handle, Owner, std::move(Callback)});
		return Handle;
	}

	void Remove(FDelegateHandle Handle)
	{
		std::erase_if(Bindings, [Handle](const FBinding& Binding) { return Binding.Handle == Handle; });
	}

	void RemoveAll(const void* Owner)
	{
		std::erase_if(Bindings, [Owner](const FBinding& Binding) { return Binding.Owner == Owner; });
	}

	bool IsBound() const { return !Bindings.empty(); }
	bool IsBoundToObject(const void* Owner) const
	{
		return std::any_of(Bindings.begin(), Bindings.end(), [Owner](const FBinding& Binding) { return Binding.Owner == Owner; });
	}

	void Broadcast() const
	{
		const std::vector<FBinding> Snapshot = Bindings;
		for (const FBinding& Binding : Snapshot)
		{
			Binding.Callback();
		}
	}

private:
	struct FBinding
	{
		FDelegateHandle Handle;
		const void* Owner = nullptr;
		std::function<void()> Callback;
	};

	std::vector<FBinding> Bindings;
	uint64_t LastId = 0;
};
