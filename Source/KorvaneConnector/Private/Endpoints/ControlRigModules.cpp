#include "Endpoints/ControlRigModules.h"

#include "Endpoints/ControlRigJson.h"

#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigEnumNames.h"
#include "ControlRig/RigHierarchy.h"
#include "Core/JsonObject.h"
#include "Core/TextHelpers.h"

#include <memory>
#include <string>
#include <string_view>

namespace
{
	/** The connector's name without its module's "<Module>/" prefix (in any letter case). */
	std::string_view StripModulePrefix(std::string_view ConnectorName, std::string_view ModuleName)
	{
		if (ConnectorName.size() > ModuleName.size() && ConnectorName[ModuleName.size()] == '/' &&
			Text::StartsWithIgnoreCase(ConnectorName, ModuleName))
		{
			return ConnectorName.substr(ModuleName.size() + 1);
		}
		return ConnectorName;
	}

	FJsonValueArray MakeTargetsJson(const std::vector<FRigElementKey>& Targets)
	{
		FJsonValueArray Array;
		for (const FRigElementKey& Target : Targets)
		{
			if (!Target.IsValid())
			{
				continue;
			}
			std::string TypeName = GetRigEnumName(Target.Type);
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("type", TypeName.empty() ? "Unknown" : TypeName);
			Entry->SetStringField("name", Target.Name);
			Array.emplace_back(std::move(Entry));
		}
		return Array;
	}

	std::shared_ptr<FJsonObject> MakeConnectorJson(const FRigBaseElement& Connector, std::string_view ModuleName, const FModularRigModel& Model)
	{
		const FRigConnectorSettings& Settings = Connector.ConnectorSettings;
		const bool bSecondary = Settings.Type == EConnectorType::Secondary;
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", StripModulePrefix(Connector.GetName(), ModuleName));
		Entry->SetStringField("kind", bSecondary ? "Secondary" : "Primary");
		if (bSecondary && Settings.bOptional)
		{
			Entry->SetBoolField("optional", true);
		}
		if (bSecondary && Settings.bIsArray)
		{
			Entry->SetBoolField("isArray", true);
		}
		FJsonValueArray Targets = MakeTargetsJson(Model.FindConnectionTargets(Connector.GetKey()));
		if (!Targets.empty())
		{
			Entry->SetArrayField("targets", std::move(Targets));
		}
		return Entry;
	}

	/** The connectors of the Blueprint's own hierarchy that carry the module's name (compared as the engine compares names, ignoring case). */
	FJsonValueArray MakeModuleConnectorsJson(const UControlRigBlueprint& Blueprint, const FRigModuleReference& Module)
	{
		FJsonValueArray Connectors;
		const URigHierarchy* const Hierarchy = Blueprint.Hierarchy;
		if (Hierarchy == nullptr)
		{
			return Connectors;
		}
		for (const FRigElementKey& Key : Hierarchy->GetAllKeys(true, ERigElementType::Connector))
		{
			const FRigBaseElement* const Connector = Hierarchy->Find(Key);
			const std::string_view ModuleName = Hierarchy->GetModuleName(Key);
			if (Connector != nullptr && !ModuleName.empty() && Text::EqualsIgnoreCase(ModuleName, Module.Name))
			{
				Connectors.emplace_back(MakeConnectorJson(*Connector, Module.Name, Blueprint.ModularRigModel));
			}
		}
		return Connectors;
	}

	std::shared_ptr<FJsonObject> MakeModuleJson(const UControlRigBlueprint& Blueprint, const FRigModuleReference& Module)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Module.Name);
		if (!Module.ParentModuleName.empty())
		{
			Entry->SetStringField("parent", Module.ParentModuleName);
		}
		Entry->SetStringField("className", Module.ClassPath);
		FJsonValueArray Connectors = MakeModuleConnectorsJson(Blueprint, Module);
		if (!Connectors.empty())
		{
			Entry->SetArrayField("connectors", std::move(Connectors));
		}
		if (!Module.ConfigOverrides.empty())
		{
			FJsonValueArray Overrides;
			for (const FControlRigOverrideValue& Override : Module.ConfigOverrides)
			{
				auto OverrideJson = std::make_shared<FJsonObject>();
				OverrideJson->SetStringField("path", Override.GetPath());
				OverrideJson->SetStringField("value", Override.ToString());
				Overrides.emplace_back(std::move(OverrideJson));
			}
			Entry->SetArrayField("configOverrides", std::move(Overrides));
		}
		if (!Module.Bindings.empty())
		{
			auto Bindings = std::make_shared<FJsonObject>();
			for (const auto& [Variable, Source] : Module.Bindings)
			{
				Bindings->SetStringField(Variable, Source);
			}
			Entry->SetObjectField("bindings", std::move(Bindings));
		}
		return Entry;
	}
}

FJsonValueArray MakeRigModulesJson(const UControlRigBlueprint& Blueprint)
{
	FJsonValueArray Modules;
	for (const FRigModuleReference& Module : Blueprint.ModularRigModel.Modules)
	{
		Modules.emplace_back(MakeModuleJson(Blueprint, Module));
	}
	return Modules;
}
