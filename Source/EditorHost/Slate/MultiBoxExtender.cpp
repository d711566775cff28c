#include "Slate/MultiBoxExtender.h"

#include "Slate/MultiBoxBuilder.h"

#include <algorithm>

std::shared_ptr<const FExtensionBase> FExtender::AddToolBarExtension(std::string ExtensionHook, EExtensionHook::Position HookPosition,
	const std::shared_ptr<const FUICommandList>& CommandList, const FToolBarExtensionDelegate& ToolBarExtensionDelegate)
{
	auto Extension = std::make_shared<FExtensionBase>();
	Extension->Hook = std::move(ExtensionHook);
	Extension->HookPosition = HookPosition;
	Extension->CommandList = CommandList;
	Extension->ToolBarExtensionDelegate = ToolBarExtensionDelegate;
	Extensions.push_back(Extension);
	return Extension;
}

std::shared_ptr<const FExtensionBase> FExtender::AddMenuExtension(std::string ExtensionHook, EExtensionHook::Position HookPosition,
	const std::shared_ptr<const FUICommandList>& CommandList, const FMenuExtensionDelegate& MenuExtensionDelegate)
{
	auto Extension = std::make_shared<FExtensionBase>();
	Extension->Hook = std::move(ExtensionHook);
	Extension->HookPosition = HookPosition;
	Extension->CommandList = CommandList;
	Extension->MenuExtensionDelegate = MenuExtensionDelegate;
	Extensions.push_back(Extension);
	return Extension;
}

void FExtender::RemoveExtension(const std::shared_ptr<const FExtensionBase>& Extension)
{
	std::erase(Extensions, Extension);
}

void FExtender::Apply(std::string_view ExtensionHook, EExtensionHook::Position HookPosition, FToolBarBuilder& Builder) const
{
	// A snapshot: an extension may add or remove extensions while it runs.
	const std::vector<std::shared_ptr<const FExtensionBase>> Snapshot = Extensions;
	for (const std::shared_ptr<const FExtensionBase>& Extension : Snapshot)
	{
		if (Extension->Hook == ExtensionHook && Extension->HookPosition == HookPosition && Extension->ToolBarExtensionDelegate.IsBound())
		{
			Extension->ToolBarExtensionDelegate.Execute(Builder);
		}
	}
}

void FExtender::Apply(std::string_view ExtensionHook, EExtensionHook::Position HookPosition, FMenuBuilder& Builder) const
{
	const std::vector<std::shared_ptr<const FExtensionBase>> Snapshot = Extensions;
	for (const std::shared_ptr<const FExtensionBase>& Extension : Snapshot)
	{
		if (Extension->Hook == ExtensionHook && Extension->HookPosition == HookPosition && Extension->MenuExtensionDelegate.IsBound())
		{
			Extension->MenuExtensionDelegate.Execute(Builder);
		}
	}
}

std::shared_ptr<FExtender> FExtender::Combine(const std::vector<std::shared_ptr<FExtender>>& Extenders)
{
	auto Combined = std::make_shared<FExtender>();
	for (const std::shared_ptr<FExtender>& Extender : Extenders)
	{
		if (Extender != nullptr)
		{
			Combined->Extensions.insert(Combined->Extensions.end(), Extender->Extensions.begin(), Extender->Extensions.end());
		}
	}
	return Combined;
}
