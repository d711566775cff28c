#pragma once

#include "Objects/WeakObjectPtr.h"

#include <cstddef>

/**
 * A reference from one object to another, as the engine's reflected object pointers are: it reads
 * as a plain T* while its object lives (marked as garbage or not), and as nullptr once that object
 * is destroyed, as the engine's garbage collector clears such references. It holds the object's
 * slot in the object table rather than a bare pointer, so it never dangles, whatever order objects
 * die in.
 */
template <typename T>
class TObjectPtr
{
public:
	TObjectPtr() = default;
	TObjectPtr(std::nullptr_t) {}
	TObjectPtr(T* Object)
		: Weak(Object)
	{
	}

	TObjectPtr& operator=(T* Object)
	{
		Weak = Object;
		return *this;
	}
	TObjectPtr& operator=(std::nullptr_t)
	{
		Weak.Reset();
		return *this;
	}

	T* Get() const { return static_cast<T*>(Weak.Get(true)); }
	/** Tests and comparisons read the pointer, so they see nullptr once the object is gone. */
	operator T*() const { return Get(); }
	T* operator->() const { return Get(); }

private:
	FWeakObjectPtr Weak;
};

/** The referenced object as a U when its C++ type is one, else nullptr. */
template <typename U, typename T>
U* Cast(const TObjectPtr<T>& Object)
{
	return dynamic_cast<U*>(Object.Get());
}
