#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

/** One plug-in the editor knows: its name, its folder, and whether it is turned on. */
class IPlugin
{
public:
	virtual ~IPlugin() = default;
	virtual const std::string& GetName() const = 0;
	/** The plug-in's folder (where its descriptor and Resources/ live), with a trailing slash. */
	virtual const std::string& GetBaseDir() const = 0;
	virtual bool IsEnabled() const = 0;
};

/** Finds plug-ins by name. */
class IPluginManager
{
public:
	virtual ~IPluginManager() = default;
	/** The plug-in manager of the running host. */
	static IPluginManager& Get();
	/** The plug-in, or nullptr when the editor does not know it. Names compare without regard to case. */
	virtual std::shared_ptr<IPlugin> FindPlugin(std::string_view Name) const = 0;
};

/** The host's plug-in list, filled from the program's options when the host starts. */
class FPluginManager final : public IPluginManager
{
public:
	FPluginManager();
	~FPluginManager() override;
	FPluginManager(const FPluginManager&) = delete;
	FPluginManager& operator=(const FPluginManager&) = delete;

	/** Adds or replaces a plug-in. */
	void AddPlugin(std::string Name, std::string BaseDir, bool bEnabled);
	std::shared_ptr<IPlugin> FindPlugin(std::string_view Name) const override;

private:
	std::vector<std::shared_ptr<IPlugin>> Plugins;
};
