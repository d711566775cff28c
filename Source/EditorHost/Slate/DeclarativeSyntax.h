#pragma once

#include "Core/Text.h"
#include "Slate/Attribute.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class SWidget;

namespace SlateDeclarative
{
	/** A method bound weakly when its object is shared (a widget's `this`), raw otherwise. */
	template <typename TDelegateType, typename TObject, typename TMethod, typename... TPayload>
	TDelegateType BindMethod(TObject* Object, TMethod Method, TPayload... Payload)
	{
		if constexpr (requires { Object->weak_from_this(); })
		{
			return TDelegateType::CreateSP(Object, Method, Payload...);
		}
		else
		{
			return TDelegateType::CreateRaw(Object, Method, Payload...);
		}
	}
}

/**
 * The declarative syntax of widgets: SNew(STextBlock).Text(...).Font(...), slots added with
 * `+ SVerticalBox::Slot().AutoHeight()[ ... ]`, a default slot filled with `[ ... ]`, and
 * SAssignNew(Variable, SImage) keeping the new widget. A widget class declares its arguments
 * between SLATE_BEGIN_ARGS and SLATE_END_ARGS and implements Construct(const FArguments&).
 */
#define SLATE_BEGIN_ARGS(InWidgetType)                                                                           \
public:                                                                                                          \
	struct FArguments                                                                                            \
	{                                                                                                            \
		using WidgetArgsType = FArguments;                                                                       \
		using WidgetType = InWidgetType;                                                                         \
		SLATE_ATTRIBUTE(FText, ToolTipText)                                                                      \
		FArguments()

#define SLATE_END_ARGS() \
	}                    \
	;

/** A value or a getter: .Name(value), .Name(this, &SFoo::GetName), .Name_Lambda([]{...}). */
#define SLATE_ATTRIBUTE(AttrType, AttrName)                                                                      \
	TAttribute<AttrType> _##AttrName;                                                                            \
	WidgetArgsType& AttrName(TAttribute<AttrType> InAttribute)                                                   \
	{                                                                                                            \
		_##AttrName = std::move(InAttribute);                                                                    \
		return *this;                                                                                            \
	}                                                                                                            \
	template <typename TFunctor>                                                                                 \
	WidgetArgsType& AttrName##_Lambda(TFunctor&& Functor)                                                        \
	{                                                                                                            \
		_##AttrName = TAttribute<AttrType>::CreateLambda(std::forward<TFunctor>(Functor));                      \
		return *this;                                                                                            \
	}                                                                                                            \
	template <typename TObject, typename TMethod, typename... TPayload>                                         \
	WidgetArgsType& AttrName(TObject* Object, TMethod Method, TPayload... Payload)                             \
	{                                                                                                            \
		_##AttrName = TAttribute<AttrType>::Create(                                                              \
			SlateDeclarative::BindMethod<typename TAttribute<AttrType>::FGetter>(Object, Method, Payload...));    \
		return *this;                                                                                            \
	}

/** A plain value fixed at construction. */
#define SLATE_ARGUMENT(ArgType, ArgName)                                                                         \
	ArgType _##ArgName;                                                                                          \
	WidgetArgsType& ArgName(ArgType InArg)                                                                       \
	{                                                                                                            \
		_##ArgName = std::move(InArg);                                                                           \
		return *this;                                                                                            \
	}

/** A callback: .Name(delegate), .Name(this, &SFoo::OnName), .Name_Lambda([](...){...}). */
#define SLATE_EVENT(DelegateType, EventName)                                                                     \
	DelegateType _##EventName;                                                                                   \
	WidgetArgsType& EventName(DelegateType InDelegate)                                                           \
	{                                                                                                            \
		_##EventName = std::move(InDelegate);                                                                    \
		return *this;                                                                                            \
	}                                                                                                            \
	template <typename TFunctor>                                                                                 \
	WidgetArgsType& EventName##_Lambda(TFunctor&& Functor)                                                       \
	{                                                                                                            \
		_##EventName = DelegateType::CreateLambda(std::forward<TFunctor>(Functor));                             \
		return *this;                                                                                            \
	}                                                                                                            \
	template <typename TObject, typename TMethod, typename... TPayload>                                         \
	WidgetArgsType& EventName(TObject* Object, TMethod Method, TPayload... Payload)                            \
	{                                                                                                            \
		_##EventName = SlateDeclarative::BindMethod<DelegateType>(Object, Method, Payload...);                  \
		return *this;                                                                                            \
	}

/** The one child of a widget: SNew(SBox)[ SNew(STextBlock) ], or .Content()(child). */
#define SLATE_DEFAULT_SLOT(DeclarationType, SlotName)                                                            \
	std::shared_ptr<SWidget> _##SlotName;                                                                        \
	WidgetArgsType& operator[](std::shared_ptr<SWidget> InChild)                                                 \
	{                                                                                                            \
		_##SlotName = std::move(InChild);                                                                        \
		return *this;                                                                                            \
	}                                                                                                            \
	WidgetArgsType& SlotName(std::shared_ptr<SWidget> InChild)                                                   \
	{                                                                                                            \
		_##SlotName = std::move(InChild);                                                                        \
		return *this;                                                                                            \
	}

/** The slots of a panel, each added with `+ SPanel::Slot()...[ child ]`. */
#define SLATE_SLOT_ARGUMENT(SlotType, SlotName)                                                                  \
	std::vector<typename SlotType::FSlotArguments> _##SlotName;                                                  \
	WidgetArgsType& operator+(const typename SlotType::FSlotArguments& InSlot)                                  \
	{                                                                                                            \
		_##SlotName.push_back(InSlot);                                                                           \
		return *this;                                                                                            \
	}

/** What SNew builds: the widget is created first, then constructed from the arguments. */
template <typename TWidget>
class TSlateDecl
{
public:
	explicit TSlateDecl(const char* InWidgetTypeName)
		: Widget(std::make_shared<TWidget>())
	{
		Widget->SetWidgetTypeName(InWidgetTypeName);
	}

	template <typename TExposeAs>
	TSlateDecl& Expose(std::shared_ptr<TExposeAs>& OutWidget)
	{
		OutWidget = Widget;
		return *this;
	}

	std::shared_ptr<TWidget> operator<<=(const typename TWidget::FArguments& Arguments)
	{
		Widget->SetToolTipText(Arguments._ToolTipText);
		Widget->Construct(Arguments);
		return Widget;
	}

private:
	std::shared_ptr<TWidget> Widget;
};

#define SNew(WidgetType) TSlateDecl<WidgetType>(#WidgetType) <<= WidgetType::FArguments()
#define SAssignNew(ExposeAs, WidgetType) TSlateDecl<WidgetType>(#WidgetType).Expose(ExposeAs) <<= WidgetType::FArguments()
