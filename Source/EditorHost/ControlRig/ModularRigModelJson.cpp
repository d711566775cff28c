#include "ControlRig/ModularRigModelJson.h"

#include "ControlRig/ModularRigModel.h"
#include "ControlRig/RigHierarchyJson.h"
#include "Core/JsonObject.h"

#include <algorithm>
#include <optional>

namespace
{
	std::optional<std::vector<FControlRigOverrideValue>> ReadOverrides(const FJsonValue* Value, std::string& OutError)
	{
		std::vector<FControlRigOverrideValue> Overrides;
		if (Value == nullptr)
		{
			return Overrides;
		}
		const std::shared_ptr<FJsonValueArray> Entries = Value->TryGetArray();
		if (!Entries)
		{
			OutError = "\"configOverrides\" is not an array";
			return std::nullopt;
		}
		for (const FJsonValue& Entry : *Entries)
		{
			const std::shared_ptr<FJsonObject> Object = Entry.TryGetObject();
			std::optional<std::string> Path = Object ? Object->TryGetStringField("path") : std::nullopt;
			std::optional<std::string> Text = Object ? Object->TryGetStringField("value") : std::nullopt;
			if (!Path || Path->empty() || !Text)
			{
				OutError = "a configuration override needs a \"path\" that is not empty and a \"value\", both text";
				return std::nullopt;
			}
			Overrides.push_back({std::move(*Path), std::move(*Text)});
		}
		return Overrides;
	}

	std::optional<std::vector<std::pair<std::string, std::string>>> ReadBindings(const FJsonValue* Value, std::string& OutError)
	{
		std::vector<std::pair<std::string, std::string>> Bindings;
		if (Value == nullptr)
		{
			return Bindings;
		}
		const std::shared_ptr<FJsonObject> Object = Value->TryGetObject();
		if (!Object)
		{
			OutError = "\"bindings\" is not an object";
			return std::nullopt;
		}
		for (const auto& [Variable, Source] : Object->Values())
		{
			const std::string* const Text = Source.TryGetString();
			if (Text == nullptr)
			{
				OutError = "the binding of " + Variable + " is not text";
				return std::nullopt;
			}
			Bindings.emplace_back(Variable, *Text);
		}
		return Bindings;
	}

	std::optional<FRigModuleReference> ReadModule(const FJsonObject& Object, const FModularRigModel& Model, std::string& OutError)
	{
		FRigModuleReference Module;
		const std::optional<std::string> Name = Object.TryGetStringField("name");
		const std::optional<std::string> ClassPath = Object.TryGetStringField("class");
		const FJsonValue* const Parent = Object.TryGetField("parent");
		if (!Name || Name->empty() || !ClassPath || ClassPath->empty() || (Parent != nullptr && Parent->TryGetString() == nullptr))
		{
			OutError = "a module needs a \"name\" and a \"class\", both text that is not empty, and a \"parent\" only as text";
			return std::nullopt;
		}
		if (Model.FindModule(*Name) != nullptr)
		{
			OutError = "module " + *Name + " is listed twice";
			return std::nullopt;
		}
		Module.Name = *Name;
		Module.ClassPath = *ClassPath;
		Module.ParentModuleName = Parent != nullptr ? *Parent->TryGetString() : std::string();
		std::optional<std::vector<FControlRigOverrideValue>> Overrides = ReadOverrides(Object.TryGetField("configOverrides"), OutError);
		std::optional<std::vector<std::pair<std::string, std::string>>> Bindings = Overrides ? ReadBindings(Object.TryGetField("bindings"), OutError) : std::nullopt;
		if (!Bindings)
		{
			OutError = "module " + Module.Name + ": " + OutError;
			return std::nullopt;
		}
		Module.ConfigOverrides = std::move(*Overrides);
		Module.Bindings = std::move(*Bindings);
		return Module;
	}

	std::optional<FModularRigSingleConnection> ReadConnection(const FJsonObject& Object, const FModularRigModel& Model, std::string& OutError)
	{
		FModularRigSingleConnection Connection;
		const FJsonValue* const Connector = Object.TryGetField("connector");
		std::optional<FRigElementKey> ConnectorKey = Connector != nullptr ? ReadRigElementKey(*Connector, OutError) : std::nullopt;
		if (!ConnectorKey || ConnectorKey->Type != ERigElementType::Connector)
		{
			OutError = "a connection needs a \"connector\" {\"type\": \"Connector\", \"name\"}";
			return std::nullopt;
		}
		if (std::any_of(Model.Connections.begin(), Model.Connections.end(), [&ConnectorKey](const auto& Other) { return Other.Connector == *ConnectorKey; }))
		{
			OutError = "connector " + ConnectorKey->Name + " is listed twice";
			return std::nullopt;
		}
		Connection.Connector = std::move(*ConnectorKey);
		if (const FJsonValue* const Targets = Object.TryGetField("targets"))
		{
			const std::shared_ptr<FJsonValueArray> Entries = Targets->TryGetArray();
			if (!Entries)
			{
				OutError = "the targets of " + Connection.Connector.Name + " are not an array";
				return std::nullopt;
			}
			for (const FJsonValue& Entry : *Entries)
			{
				std::optional<FRigElementKey> Target = ReadRigElementKey(Entry, OutError);
				if (!Target)
				{
					OutError = "a target of " + Connection.Connector.Name + ": " + OutError;
					return std::nullopt;
				}
				Connection.Targets.push_back(std::move(*Target));
			}
		}
		return Connection;
	}

	template <typename TEntry, typename TReader, typename TStore>
	void ReadEntries(const FJsonValueArray& Entries, std::string_view What, TReader Reader, TStore Store, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread)
	{
		for (const FJsonValue& Value : Entries)
		{
			const std::shared_ptr<FJsonObject> Object = Value.TryGetObject();
			std::string Error = "a " + std::string(What) + " is not an object";
			std::optional<TEntry> Entry = Object ? Reader(*Object, Error) : std::nullopt;
			if (Entry)
			{
				Store(std::move(*Entry));
			}
			else
			{
				OutWarnings.push_back(Error + "; it is left out");
				OutUnread.push_back(Value);
			}
		}
	}
}

void ReadRigModules(const FJsonValueArray& Entries, FModularRigModel& Model, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread)
{
	ReadEntries<FRigModuleReference>(
		Entries, "module", [&Model](const FJsonObject& Object, std::string& OutError) { return ReadModule(Object, Model, OutError); },
		[&Model](FRigModuleReference Module) { Model.Modules.push_back(std::move(Module)); }, OutWarnings, OutUnread);
}

void ReadRigConnections(const FJsonValueArray& Entries, FModularRigModel& Model, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread)
{
	ReadEntries<FModularRigSingleConnection>(
		Entries, "connection", [&Model](const FJsonObject& Object, std::string& OutError) { return ReadConnection(Object, Model, OutError); },
		[&Model](FModularRigSingleConnection Connection) { Model.Connections.push_back(std::move(Connection)); }, OutWarnings, OutUnread);
}

FJsonValueArray WriteRigModules(const FModularRigModel& Model)
{
	FJsonValueArray Entries;
	for (const FRigModuleReference& Module : Model.Modules)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", Module.Name);
		if (!Module.ParentModuleName.empty())
		{
			Object->SetStringField("parent", Module.ParentModuleName);
		}
		Object->SetStringField("class", Module.ClassPath);
		if (!Module.ConfigOverrides.empty())
		{
			FJsonValueArray Overrides;
			for (const FControlRigOverrideValue& Override : Module.ConfigOverrides)
			{
				auto Entry = std::make_shared<FJsonObject>();
				Entry->SetStringField("path", Override.GetPath());
				Entry->SetStringField("value", Override.ToString());
				Overrides.emplace_back(std::move(Entry));
			}
			Object->SetArrayField("configOverrides", std::move(Overrides));
		}
		if (!Module.Bindings.empty())
		{
			auto Bindings = std::make_shared<FJsonObject>();
			for (const auto& [Variable, Source] : Module.Bindings)
			{
				Bindings->SetStringField(Variable, Source);
			}
			Object->SetObjectField("bindings", std::move(Bindings));
		}
		Entries.emplace_back(std::move(Object));
	}
	return Entries;
}

FJsonValueArray WriteRigConnections(const FModularRigModel& Model)
{
	FJsonValueArray Entries;
	for (const FModularRigSingleConnection& Connection : Model.Connections)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetObjectField("connector", MakeRigElementKeyObject(Connection.Connector));
		FJsonValueArray Targets;
		for (const FRigElementKey& Target : Connection.Targets)
		{
			Targets.emplace_back(MakeRigElementKeyObject(Target));
		}
		Object->SetArrayField("targets", std::move(Targets));
		Entries.emplace_back(std::move(Object));
	}
	return Entries;
}
