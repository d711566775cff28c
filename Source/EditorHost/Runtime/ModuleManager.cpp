#include "Runtime/ModuleManager.h"

#include "Core/LogHost.h"

#include <algorithm>
#include <cassert>

namespace
{
	FModuleManager* GModuleManager = nullptr;

	std::vector<std::pair<std::string, FModuleFactory>>& StaticFactories()
	{
		static std::vector<std::pair<std::string, FModuleFactory>> Factories;
		return Factories;
	}

	const FModuleFactory* FindIn(const std::vector<std::pair<std::string, FModuleFactory>>& Factories, std::string_view Name)
	{
		const auto Found = std::find_if(Factories.begin(), Factories.end(), [Name](const auto& Entry) { return Entry.first == Name; });
		return Found == Factories.end() ? nullptr : &Found->second;
	}
}

FModuleManager::FModuleManager()
{
	assert(GModuleManager == nullptr && "one module manager at a time");
	GModuleManager = this;
}

FModuleManager::~FModuleManager()
{
	UnloadAllModules();
	GModuleManager = nullptr;
}

FModuleManager& FModuleManager::Get()
{
	assert(GModuleManager != nullptr && "no editor host is running");
	return *GModuleManager;
}

void FModuleManager::RegisterStaticModule(std::string Name, FModuleFactory Factory)
{
	StaticFactories().emplace_back(std::move(Name), std::move(Factory));
}

void FModuleManager::RegisterModule(std::string Name, FModuleFactory Factory)
{
	HostFactories.emplace_back(std::move(Name), std::move(Factory));
}

const FModuleFactory* FModuleManager::FindFactory(std::string_view Name) const
{
	if (const FModuleFactory* Factory = FindIn(HostFactories, Name))
	{
		return Factory;
	}
	return FindIn(StaticFactories(), Name);
}

IModuleInterface* FModuleManager::LoadModule(std::string_view Name)
{
	if (IModuleInterface* Loaded = GetModule(Name))
	{
		return Loaded;
	}
	const FModuleFactory* Factory = FindFactory(Name);
	if (Factory == nullptr)
	{
		UE_LOG(LogHost, Warning, "No module named %.*s is known to this editor.", static_cast<int>(Name.size()), Name.data());
		return nullptr;
	}
	std::unique_ptr<IModuleInterface> Module = (*Factory)();
	IModuleInterface* Started = Module.get();
	// The module counts as loaded while it starts up, as in the editor: its start-up
	// may already look itself up by name.
	LoadedModules.push_back({std::string(Name), std::move(Module)});
	Started->StartupModule();
	return Started;
}

IModuleInterface* FModuleManager::GetModule(std::string_view Name) const
{
	const auto Found = std::find_if(LoadedModules.begin(), LoadedModules.end(), [Name](const FLoadedModule& Loaded) { return Loaded.Name == Name; });
	return Found == LoadedModules.end() ? nullptr : Found->Module.get();
}

bool FModuleManager::UnloadModule(std::string_view Name)
{
	const auto IsNamed = [Name](const FLoadedModule& Loaded) { return Loaded.Name == Name; };
	const auto Found = std::find_if(LoadedModules.begin(), LoadedModules.end(), IsNamed);
	if (Found == LoadedModules.end())
	{
		return false;
	}
	// The module shuts down while still listed (it may look itself up); shut-down may load
	// or unload other modules, so it is found again before it is released.
	Found->Module->ShutdownModule();
	LoadedModules.erase(std::find_if(LoadedModules.begin(), LoadedModules.end(), IsNamed));
	return true;
}

void FModuleManager::UnloadAllModules()
{
	while (!LoadedModules.empty())
	{
		const std::string Name = LoadedModules.back().Name;
		UnloadModule(Name);
	}
}
