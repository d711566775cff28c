#pragma once

#include "Core/Delegate.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FMenuBuilder;
class FToolBarBuilder;
class FUICommandList;

namespace EExtensionHook
{
	/** Where an extension goes relative to its hook (a section or entry name). */
	enum Position
	{
		Before,
		After,
		First,
	};
}

using FToolBarExtensionDelegate = TDelegate<void(FToolBarBuilder&)>;
using FMenuExtensionDelegate = TDelegate<void(FMenuBuilder&)>;

/** One extension: a hook, a position and what to add there. */
class FExtensionBase
{
public:
	std::string Hook;
	EExtensionHook::Position HookPosition = EExtensionHook::After;
	std::shared_ptr<const FUICommandList> CommandList;
	FToolBarExtensionDelegate ToolBarExtensionDelegate;
	FMenuExtensionDelegate MenuExtensionDelegate;
};

/**
 * Extensions of toolbars and menus that others build: when a builder passes a hook (a section
 * it begins or ends, an entry it adds), the extensions hooked there run on that builder.
 * Before-hooked ones run before the section begins, After-hooked ones after it ends.
 */
class FExtender
{
public:
	std::shared_ptr<const FExtensionBase> AddToolBarExtension(std::string ExtensionHook, EExtensionHook::Position HookPosition,
		const std::shared_ptr<const FUICommandList>& CommandList, const FToolBarExtensionDelegate& ToolBarExtensionDelegate);
	std::shared_ptr<const FExtensionBase> AddMenuExtension(std::string ExtensionHook, EExtensionHook::Position HookPosition,
		const std::shared_ptr<const FUICommandList>& CommandList, const FMenuExtensionDelegate& MenuExtensionDelegate);
	void RemoveExtension(const std::shared_ptr<const FExtensionBase>& Extension);

	/** Runs the toolbar extensions hooked at the hook and position on the builder, in the order they were added. */
	void Apply(std::string_view ExtensionHook, EExtensionHook::Position HookPosition, FToolBarBuilder& Builder) const;
	void Apply(std::string_view ExtensionHook, EExtensionHook::Position HookPosition, FMenuBuilder& Builder) const;

	const std::vector<std::shared_ptr<const FExtensionBase>>& GetExtensions() const { return Extensions; }

	/** One extender holding the extensions of all of them, in order (null entries are skipped). */
	static std::shared_ptr<FExtender> Combine(const std::vector<std::shared_ptr<FExtender>>& Extenders);

private:
	std::vector<std::shared_ptr<const FExtensionBase>> Extensions;
};
