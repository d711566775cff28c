#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

template <typename TSignature>
class TDelegate;

/**
 * A single-cast delegate, as the editor's: bound to a lambda, a free function, a raw object's
 * method or a shared object's method (held weakly: once the object is gone the delegate counts
 * as unbound). Extra payload arguments given at binding time follow the call's own arguments.
 * The delegate remembers the object it is bound to, so owners can be matched when unregistering.
 */
template <typename TReturn, typename... TArgs>
class TDelegate<TReturn(TArgs...)>
{
public:
	TDelegate() = default;

	/** Binds any callable (a lambda), as CreateLambda does. */
	template <typename TFunctor>
		requires(!std::is_same_v<std::decay_t<TFunctor>, TDelegate> && std::is_invocable_r_v<TReturn, std::decay_t<TFunctor>&, TArgs...>)
	TDelegate(TFunctor&& Functor)
		: Function(std::forward<TFunctor>(Functor))
	{
	}

	template <typename TFunctor>
	static TDelegate CreateLambda(TFunctor&& Functor)
	{
		return TDelegate(std::forward<TFunctor>(Functor));
	}

	template <typename... TPayload>
	static TDelegate CreateStatic(TReturn (*Function)(TArgs..., TPayload...), TPayload... Payload)
	{
		TDelegate Delegate;
		Delegate.Function = [Function, Payload...](TArgs... Args) -> TReturn { return Function(std::forward<TArgs>(Args)..., Payload...); };
		return Delegate;
	}

	/** Binds a method of an object the caller keeps alive for as long as the delegate may run. */
	template <typename TObject, typename TMethod, typename... TPayload>
	static TDelegate CreateRaw(TObject* Object, TMethod Method, TPayload... Payload)
	{
		TDelegate Delegate;
		Delegate.Function = [Object, Method, Payload...](TArgs... Args) -> TReturn { return std::invoke(Method, Object, std::forward<TArgs>(Args)..., Payload...); };
		Delegate.BoundObject = Object;
		return Delegate;
	}

	/** Binds a method of an object owned by a std::shared_ptr, held weakly. */
	template <typename TObject, typename TMethod, typename... TPayload>
	static TDelegate CreateSP(const std::shared_ptr<TObject>& Object, TMethod Method, TPayload... Payload)
	{
		return CreateWeak(std::weak_ptr<const void>(Object), Object.get(), Method, Payload...);
	}

	/** Binds a method of an object that derives from std::enable_shared_from_this (a widget binding `this`). */
	template <typename TObject, typename TMethod, typename... TPayload>
	static TDelegate CreateSP(TObject* Object, TMethod Method, TPayload... Payload)
	{
		return CreateWeak(std::weak_ptr<const void>(Object->weak_from_this()), Object, Method, Payload...);
	}

	/** Whether calling it reaches something (a shared object that is gone counts as unbound). */
	bool IsBound() const { return Function != nullptr && (!bWeak || !WeakObject.expired()); }
	bool IsBoundToObject(const void* Object) const { return Object != nullptr && BoundObject == Object; }
	const void* GetBoundObject() const { return BoundObject; }

	/** Calls the delegate; an unbound one returns a default value. */
	TReturn Execute(TArgs... Args) const
	{
		if (!IsBound())
		{
			if constexpr (std::is_void_v<TReturn>)
			{
				return;
			}
			else
			{
				return TReturn{};
			}
		}
		return Function(std::forward<TArgs>(Args)...);
	}

	/** Calls the delegate when bound; returns whether it was. */
	bool ExecuteIfBound(TArgs... Args) const
		requires std::is_void_v<TReturn>
	{
		if (!IsBound())
		{
			return false;
		}
		Function(std::forward<TArgs>(Args)...);
		return true;
	}

	void Unbind()
	{
		Function = nullptr;
		BoundObject = nullptr;
		WeakObject.reset();
		bWeak = false;
	}

private:
	template <typename TObject, typename TMethod, typename... TPayload>
	static TDelegate CreateWeak(std::weak_ptr<const void> Weak, TObject* Object, TMethod Method, TPayload... Payload)
	{
		TDelegate Delegate;
		Delegate.Function = [Weak, Object, Method, Payload...](TArgs... Args) -> TReturn {
			// The lock keeps the object alive for the length of the call.
			const std::shared_ptr<const void> Alive = Weak.lock();
			if (Alive == nullptr)
			{
				if constexpr (std::is_void_v<TReturn>)
				{
					return;
				}
				else
				{
					return TReturn{};
				}
			}
			return std::invoke(Method, Object, std::forward<TArgs>(Args)..., Payload...);
		};
		Delegate.BoundObject = Object;
		Delegate.WeakObject = std::move(Weak);
		Delegate.bWeak = true;
		return Delegate;
	}

	std::function<TReturn(TArgs...)> Function;
	const void* BoundObject = nullptr;
	std::weak_ptr<const void> WeakObject;
	bool bWeak = false;
};

using FSimpleDelegate = TDelegate<void()>;
