#include "Runtime/PluginManager.h"

#include "Core/Paths.h"
#include "Core/Text.h"

#include <algorithm>
#include <cassert>

namespace
{
	FPluginManager* GPluginManager = nullptr;

	class FPlugin final : public IPlugin
	{
	public:
		FPlugin(std::string InName, std::string InBaseDir, bool bInEnabled)
			: Name(std::move(InName))
			, BaseDir(std::move(InBaseDir))
			, bEnabled(bInEnabled)
		{
		}

		const std::string& GetName() const override { return Name; }
		const std::string& GetBaseDir() const override { return BaseDir; }
		bool IsEnabled() const override { return bEnabled; }

	private:
		std::string Name;
		std::string BaseDir;
		bool bEnabled;
	};

	std::string WithTrailingSlash(std::string Dir)
	{
		if (!Dir.empty() && Dir.back() != '/')
		{
			Dir.push_back('/');
		}
		return Dir;
	}
}

IPluginManager& IPluginManager::Get()
{
	assert(GPluginManager != nullptr && "no editor host is running");
	return *GPluginManager;
}

FPluginManager::FPluginManager()
{
	assert(GPluginManager == nullptr && "one plug-in manager at a time");
	GPluginManager = this;
}

FPluginManager::~FPluginManager()
{
	GPluginManager = nullptr;
}

void FPluginManager::AddPlugin(std::string Name, std::string BaseDir, bool bEnabled)
{
	std::erase_if(Plugins, [&Name](const std::shared_ptr<IPlugin>& Plugin) { return Text::EqualsIgnoreCase(Plugin->GetName(), Name); });
	std::string FullDir = BaseDir.empty() ? std::string() : WithTrailingSlash(FPaths::ConvertRelativePathToFull(BaseDir));
	Plugins.push_back(std::make_shared<FPlugin>(std::move(Name), std::move(FullDir), bEnabled));
}

std::shared_ptr<IPlugin> FPluginManager::FindPlugin(std::string_view Name) const
{
	const auto Found = std::find_if(Plugins.begin(), Plugins.end(), [Name](const std::shared_ptr<IPlugin>& Plugin) { return Text::EqualsIgnoreCase(Plugin->GetName(), Name); });
	return Found == Plugins.end() ? nullptr : *Found;
}
