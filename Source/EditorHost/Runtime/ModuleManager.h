#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** What every module implements: start-up when loaded, shut-down when unloaded. */
class IModuleInterface
{
public:
	virtual ~IModuleInterface() = default;
	virtual void StartupModule() {}
	virtual void ShutdownModule() {}
};

using FModuleFactory = std::function<std::unique_ptr<IModuleInterface>()>;

/**
 * Loads modules by name and keeps them until they are unloaded. Modules come from
 * factories: the process-wide ones that IMPLEMENT_MODULE registers, and the host's
 * own, which take precedence. Modules unload in the reverse order of loading.
 */
class FModuleManager
{
public:
	FModuleManager();
	~FModuleManager();
	FModuleManager(const FModuleManager&) = delete;
	FModuleManager& operator=(const FModuleManager&) = delete;

	/** The module manager of the running host. */
	static FModuleManager& Get();

	/** Registers a factory for every module manager of the process (IMPLEMENT_MODULE). */
	static void RegisterStaticModule(std::string Name, FModuleFactory Factory);
	/** Registers a factory for this manager only; it wins over a process-wide one. */
	void RegisterModule(std::string Name, FModuleFactory Factory);

	/** Loads the module (starting it up) unless it is loaded; nullptr when no factory knows it. */
	IModuleInterface* LoadModule(std::string_view Name);
	/** The loaded module, or nullptr. */
	IModuleInterface* GetModule(std::string_view Name) const;
	bool IsModuleLoaded(std::string_view Name) const { return GetModule(Name) != nullptr; }
	/** Shuts the module down and releases it; false when it was not loaded. */
	bool UnloadModule(std::string_view Name);
	/** Unloads every module, the last loaded first. */
	void UnloadAllModules();

	template <typename TModule>
	static TModule* GetModulePtr(std::string_view Name)
	{
		return dynamic_cast<TModule*>(Get().GetModule(Name));
	}

private:
	struct FLoadedModule
	{
		std::string Name;
		std::unique_ptr<IModuleInterface> Module;
	};

	const FModuleFactory* FindFactory(std::string_view Name) const;

	std::vector<std::pair<std::string, FModuleFactory>> HostFactories;
	std::vector<FLoadedModule> LoadedModules;
};

/** Registers a module class under a name for every module manager of the process. */
struct FStaticModuleRegistrant
{
	FStaticModuleRegistrant(const char* Name, FModuleFactory Factory) { FModuleManager::RegisterStaticModule(Name, std::move(Factory)); }
};

#define IMPLEMENT_MODULE(ModuleClass, ModuleName)                                                                    \
	static const FStaticModuleRegistrant GModuleRegistrant_##ModuleName(#ModuleName,                                 \
		[]() -> std::unique_ptr<IModuleInterface> { return std::make_unique<ModuleClass>(); })
