#pragma once

#include "Core/Delegate.h"

#include <utility>

/**
 * A widget property that is either a plain value or bound to a getter, which the widget calls
 * each time it is painted (so a bound text follows whatever it reads). An attribute that is
 * neither holds a default value.
 */
template <typename T>
class TAttribute
{
public:
	using FGetter = TDelegate<T()>;

	TAttribute() = default;
	TAttribute(const T& InValue) : Value(InValue), bIsSet(true) {}
	TAttribute(T&& InValue) : Value(std::move(InValue)), bIsSet(true) {}
	/** Converts values of other types (a string literal for a text...), as the engine's does. */
	template <typename TOther>
		requires(std::is_constructible_v<T, TOther> && !std::is_same_v<std::decay_t<TOther>, TAttribute> && !std::is_same_v<std::decay_t<TOther>, T>
			&& !std::is_invocable_v<std::decay_t<TOther>&>)
	TAttribute(TOther&& InValue) : Value(std::forward<TOther>(InValue)), bIsSet(true) {}

	static TAttribute Create(FGetter InGetter)
	{
		TAttribute Attribute;
		Attribute.Getter = std::move(InGetter);
		Attribute.bIsSet = true;
		return Attribute;
	}
	template <typename TFunctor>
	static TAttribute CreateLambda(TFunctor&& Functor)
	{
		return Create(FGetter::CreateLambda(std::forward<TFunctor>(Functor)));
	}
	template <typename TObject, typename TMethod, typename... TPayload>
	static TAttribute CreateSP(TObject* Object, TMethod Method, TPayload... Payload)
	{
		return Create(FGetter::CreateSP(Object, Method, Payload...));
	}
	template <typename TObject, typename TMethod, typename... TPayload>
	static TAttribute CreateRaw(TObject* Object, TMethod Method, TPayload... Payload)
	{
		return Create(FGetter::CreateRaw(Object, Method, Payload...));
	}

	/** The value now: the getter's answer when bound (a getter whose object is gone answers the default value). */
	T Get() const { return Getter.IsBound() ? Getter.Execute() : Value; }
	/** The value now, or Default when the attribute was never set. */
	T Get(const T& Default) const { return bIsSet ? Get() : Default; }

	void Set(T InValue)
	{
		Value = std::move(InValue);
		Getter.Unbind();
		bIsSet = true;
	}
	void Bind(FGetter InGetter)
	{
		Getter = std::move(InGetter);
		bIsSet = true;
	}

	bool IsSet() const { return bIsSet; }
	bool IsBound() const { return Getter.IsBound(); }

private:
	T Value{};
	FGetter Getter;
	bool bIsSet = false;
};
