#include "Objects/ScriptCallableRegistry.h"

#include "Core/LogHost.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ScriptFunctionReflection.h"
#include "Objects/ScriptNames.h"

#include <algorithm>
#include <memory>

namespace
{
	/** Classes are never removed, so the pointers handed out stay valid for the whole process. */
	std::vector<std::unique_ptr<FScriptCallableClass>>& GetClasses()
	{
		static std::vector<std::unique_ptr<FScriptCallableClass>> Classes;
		return Classes;
	}

	FScriptCallableClass* FindMutable(std::string_view ClassPath)
	{
		auto& Classes = GetClasses();
		const auto Found = std::find_if(Classes.begin(), Classes.end(), [ClassPath](const auto& Entry) { return Entry->ClassPath == ClassPath; });
		return Found == Classes.end() ? nullptr : Found->get();
	}

	void LogRefusal(std::string_view ClassPath, const std::string& Reason)
	{
		UE_LOG(LogHost, Error, "Script-callable class %.*s not registered: %s", static_cast<int>(ClassPath.size()), ClassPath.data(), Reason.c_str());
	}
}

void RegisterScriptCallableClass(std::string_view ClassPath, std::string_view SuperClassPath, std::vector<FScriptFunction> Functions)
{
	if (const std::optional<std::string> Fault = FindScriptFunctionsFault(Functions))
	{
		LogRefusal(ClassPath, *Fault);
		return;
	}
	FClassDatabase& Database = FClassDatabase::Get();
	std::string Error;
	UClass* Class = Database.FindOrAddNativeClass(ClassPath, SuperClassPath, Error);
	if (Class == nullptr)
	{
		LogRefusal(ClassPath, Error);
		return;
	}

	std::vector<UFunction> Reflected;
	Reflected.reserve(Functions.size());
	for (const FScriptFunction& Function : Functions)
	{
		Reflected.push_back(MakeScriptFunctionReflection(Function));
	}
	Database.SetOwnFunctions(Class, std::move(Reflected));

	FScriptCallableClass* Entry = FindMutable(ClassPath);
	if (Entry == nullptr)
	{
		GetClasses().push_back(std::make_unique<FScriptCallableClass>());
		Entry = GetClasses().back().get();
		Entry->ClassPath = std::string(ClassPath);
		Entry->Class = Class;
	}
	Entry->bRegistered = true;
	Entry->Functions = std::move(Functions);
}

void UnregisterScriptCallableClass(std::string_view ClassPath)
{
	FScriptCallableClass* Entry = FindMutable(ClassPath);
	if (Entry == nullptr || !Entry->bRegistered)
	{
		return;
	}
	FClassDatabase::Get().SetOwnFunctions(Entry->Class, {});
	Entry->bRegistered = false;
	Entry->Functions.clear();
}

namespace ScriptCallableRegistry
{
	const FScriptCallableClass* FindByName(std::string_view ClassName)
	{
		const auto& Classes = GetClasses();
		const auto Found = std::find_if(Classes.begin(), Classes.end(), [ClassName](const auto& Entry) { return Entry->Class->GetName() == ClassName; });
		return Found == Classes.end() ? nullptr : Found->get();
	}

	const FScriptCallableClass* FindByPath(std::string_view ClassPath)
	{
		return FindMutable(ClassPath);
	}

	const FScriptFunction* FindFunction(const FScriptCallableClass& Class, std::string_view FunctionScriptName)
	{
		const auto Found = std::find_if(Class.Functions.begin(), Class.Functions.end(),
			[FunctionScriptName](const FScriptFunction& Function) { return ToScriptName(Function.Name) == FunctionScriptName; });
		return Found == Class.Functions.end() ? nullptr : &*Found;
	}

	std::vector<std::string> GetClassNames()
	{
		std::vector<std::string> Names;
		for (const auto& Entry : GetClasses())
		{
			Names.push_back(Entry->Class->GetName());
		}
		return Names;
	}
}
