#pragma once

#include "Objects/Object.h"
#include "Objects/ObjectTable.h"

#include <cstdint>

/**
 * A reference that does not keep its object alive and knows when it died: it
 * holds the object's slot in the object table and the slot's serial number,
 * never a bare pointer it would have to trust. Objects marked as garbage count
 * as gone too.
 */
class FWeakObjectPtr
{
public:
	FWeakObjectPtr() = default;
	FWeakObjectPtr(const UObject* Object) { *this = Object; }

	FWeakObjectPtr& operator=(const UObject* Object)
	{
		if (Object == nullptr || Object->GetUniqueID() < 0)
		{
			ObjectIndex = -1;
			ObjectSerialNumber = 0;
		}
		else
		{
			ObjectIndex = Object->GetUniqueID();
			ObjectSerialNumber = FObjectTable::Get().GetSerialNumber(ObjectIndex);
		}
		return *this;
	}

	/** The object while it lives and is not garbage, else nullptr. */
	UObject* Get() const { return Get(false); }
	/** The object while it lives; with bEvenIfGarbage also once it is marked as garbage (until it is destroyed). */
	UObject* Get(bool bEvenIfGarbage) const
	{
		UObject* Object = ObjectIndex >= 0 ? FObjectTable::Get().Resolve(ObjectIndex, ObjectSerialNumber) : nullptr;
		return bEvenIfGarbage || ::IsValid(Object) ? Object : nullptr;
	}
	bool IsValid() const { return Get() != nullptr; }
	/** Set once and its object has died since. */
	bool IsStale() const { return ObjectIndex >= 0 && Get() == nullptr; }
	void Reset() { *this = nullptr; }

	friend bool operator==(const FWeakObjectPtr&, const FWeakObjectPtr&) = default;

private:
	int32_t ObjectIndex = -1;
	int32_t ObjectSerialNumber = 0;
};

/** FWeakObjectPtr for objects of C++ type T. */
template <typename T>
class TWeakObjectPtr
{
public:
	TWeakObjectPtr() = default;
	TWeakObjectPtr(const T* Object) : Weak(Object) {}

	TWeakObjectPtr& operator=(const T* Object)
	{
		Weak = Object;
		return *this;
	}

	T* Get() const { return static_cast<T*>(Weak.Get()); }
	T* operator->() const { return Get(); }
	bool IsValid() const { return Weak.IsValid(); }
	bool IsStale() const { return Weak.IsStale(); }
	void Reset() { Weak.Reset(); }
	explicit operator bool() const { return IsValid(); }

	friend bool operator==(const TWeakObjectPtr&, const TWeakObjectPtr&) = default;

private:
	FWeakObjectPtr Weak;
};
