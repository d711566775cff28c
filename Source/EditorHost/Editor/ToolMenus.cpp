#include "Editor/ToolMenus.h"

#include <algorithm>
#include <cassert>

namespace
{
	UToolMenus* GToolMenus = nullptr;
	uint64_t LastStartupCallbackId = 0;

	struct FPendingStartupCallback
	{
		FDelegateHandle Handle;
		FSimpleDelegate Callback;
	};

	/** Callbacks registered while no menu system exists; the next one to start takes them. */
	std::vector<FPendingStartupCallback>& GetPendingStartupCallbacks()
	{
		static std::vector<FPendingStartupCallback> Pending;
		return Pending;
	}
}

UToolMenus::UToolMenus()
{
	assert(GToolMenus == nullptr && "one tool menu system at a time");
	GToolMenus = this;
	for (const char* MenuName : {LevelEditorPlayToolBar, BlueprintEditorToolBar, MaterialEditorToolBar, WidgetBlueprintEditorToolBar})
	{
		RegisterMenu(MenuName);
	}
	for (FPendingStartupCallback& Pending : GetPendingStartupCallbacks())
	{
		StartupCallbacks.push_back({Pending.Handle, std::move(Pending.Callback), false});
	}
	GetPendingStartupCallbacks().clear();
}

UToolMenus::~UToolMenus()
{
	GToolMenus = nullptr;
}

UToolMenus* UToolMenus::Get()
{
	return GToolMenus;
}

FDelegateHandle UToolMenus::RegisterStartupCallback(const FSimpleDelegate& Callback)
{
	const FDelegateHandle Handle{++LastStartupCallbackId};
	UToolMenus* Menus = Get();
	if (Menus == nullptr)
	{
		GetPendingStartupCallbacks().push_back({Handle, Callback});
		return Handle;
	}
	Menus->StartupCallbacks.push_back({Handle, Callback, false});
	if (Menus->bStartupCallbacksRun)
	{
		Menus->RunStartupCallback(Menus->StartupCallbacks.back());
	}
	return Handle;
}

void UToolMenus::UnRegisterStartupCallback(const void* UserPointer)
{
	if (UserPointer == nullptr)
	{
		return;
	}
	std::erase_if(GetPendingStartupCallbacks(), [UserPointer](const FPendingStartupCallback& Pending) { return Pending.Callback.IsBoundToObject(UserPointer); });
	if (UToolMenus* Menus = Get())
	{
		std::erase_if(Menus->StartupCallbacks, [UserPointer](const FStartupCallback& Startup) { return Startup.Callback.IsBoundToObject(UserPointer); });
	}
}

void UToolMenus::UnRegisterStartupCallback(FDelegateHandle Handle)
{
	std::erase_if(GetPendingStartupCallbacks(), [Handle](const FPendingStartupCallback& Pending) { return Pending.Handle == Handle; });
	if (UToolMenus* Menus = Get())
	{
		std::erase_if(Menus->StartupCallbacks, [Handle](const FStartupCallback& Startup) { return Startup.Handle == Handle; });
	}
}

void UToolMenus::UnregisterOwner(FToolMenuOwner Owner)
{
	if (UToolMenus* Menus = Get())
	{
		for (const std::unique_ptr<UToolMenu>& Menu : Menus->Menus)
		{
			Menu->RemoveOwnedBy(Owner);
		}
	}
}

UToolMenu* UToolMenus::RegisterMenu(std::string_view MenuName, EMultiBoxType MenuType)
{
	if (UToolMenu* Existing = FindMenu(MenuName))
	{
		return Existing;
	}
	Menus.push_back(std::make_unique<UToolMenu>(std::string(MenuName), MenuType));
	return Menus.back().get();
}

UToolMenu* UToolMenus::ExtendMenu(std::string_view MenuName)
{
	return FindMenu(MenuName);
}

UToolMenu* UToolMenus::FindMenu(std::string_view MenuName) const
{
	const auto Found = std::find_if(Menus.begin(), Menus.end(), [MenuName](const std::unique_ptr<UToolMenu>& Menu) { return Menu->GetMenuName() == MenuName; });
	return Found != Menus.end() ? Found->get() : nullptr;
}

std::vector<const UToolMenu*> UToolMenus::GetMenus() const
{
	std::vector<const UToolMenu*> Result;
	Result.reserve(Menus.size());
	for (const std::unique_ptr<UToolMenu>& Menu : Menus)
	{
		Result.push_back(Menu.get());
	}
	return Result;
}

std::string UToolMenus::GetAssetEditorToolBarName(std::string_view EditorName)
{
	return "AssetEditor." + std::string(EditorName) + ".ToolBar";
}

void UToolMenus::RunStartupCallbacks()
{
	bStartupCallbacksRun = true;
	// By index, and by handle once run: a callback may register or unregister others.
	for (std::size_t Index = 0; Index < StartupCallbacks.size(); ++Index)
	{
		if (!StartupCallbacks[Index].bRun)
		{
			RunStartupCallback(StartupCallbacks[Index]);
		}
	}
}

void UToolMenus::RunStartupCallback(FStartupCallback& Startup)
{
	Startup.bRun = true;
	const FSimpleDelegate Callback = Startup.Callback;
	const FToolMenuOwnerScoped OwnerScope(Callback.GetBoundObject());
	Callback.ExecuteIfBound();
}
