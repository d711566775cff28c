#include "Objects/ClassDatabase.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/LogHost.h"
#include "Objects/ClassDatabaseText.h"
#include "Objects/Enum.h"
#include "Objects/Function.h"
#include "Objects/ObjectInternals.h"
#include "Objects/Package.h"
#include "Objects/ScriptStruct.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>

namespace
{
	constexpr std::string_view ClassKeys[] = {"path", "super", "flags", "properties", "defaults", "functions"};
	constexpr std::string_view StructKeys[] = {"path", "super", "flags", "properties"};
	constexpr std::string_view PropertyKeys[] = {"name", "type", "flags", "meta", "default"};
	constexpr std::string_view FunctionKeys[] = {"name", "flags", "meta", "params"};
	constexpr std::string_view EnumKeys[] = {"path", "entries"};
	constexpr std::string_view EnumEntryKeys[] = {"name", "value"};

	bool HasOnlyKnownKeys(const FJsonObject& Entry, std::span<const std::string_view> Known, std::string& OutUnknown)
	{
		for (const FJsonObject::FMember& Member : Entry.Values())
		{
			if (std::find(Known.begin(), Known.end(), Member.first) == Known.end())
			{
				OutUnknown = Member.first;
				return false;
			}
		}
		return true;
	}

	/** Adds up the flags named in Entry's "flags" array; false names the first unknown one. */
	template <typename TParse>
	bool ReadFlags(const FJsonObject& Entry, TParse Parse, uint64_t& OutFlags, std::string& OutError)
	{
		OutFlags = 0;
		const FJsonValue* Flags = Entry.TryGetField("flags");
		if (Flags == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonValueArray> Names = Flags->TryGetArray();
		if (!Names)
		{
			OutError = "\"flags\" is not an array";
			return false;
		}
		for (const FJsonValue& Name : *Names)
		{
			const std::string* Text = Name.TryGetString();
			const auto Flag = Text != nullptr ? Parse(*Text) : std::nullopt;
			if (!Flag)
			{
				OutError = "unknown flag " + Name.AsText().value_or(std::string("(not a name)"));
				return false;
			}
			OutFlags |= static_cast<uint64_t>(*Flag);
		}
		return true;
	}

	/** Copies Entry's "meta" object (all values text) onto Target; false names the first value that is not text. */
	template <typename TTarget>
	bool ReadMetaData(const FJsonObject& Entry, TTarget& Target, std::string& OutError)
	{
		const FJsonValue* Field = Entry.TryGetField("meta");
		if (Field == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonObject> Meta = Field->TryGetObject();
		if (!Meta)
		{
			OutError = "\"meta\" is not an object";
			return false;
		}
		for (const FJsonObject::FMember& Member : Meta->Values())
		{
			const std::string* MetaValue = Member.second.TryGetString();
			if (MetaValue == nullptr)
			{
				OutError = "metadata " + Member.first + " is not text";
				return false;
			}
			Target.SetMetaData(Member.first, *MetaValue);
		}
		return true;
	}

	/**
	 * Reads Entry's "defaults" object: inherited properties whose class default this class
	 * changes, by name, each with its export text. False names a value that is not text or a
	 * name no super class declares.
	 */
	bool ReadDefaultOverrides(const FJsonObject& Entry, const UClass* Super, std::vector<std::pair<std::string, std::string>>& OutOverrides, std::string& OutError)
	{
		const FJsonValue* Field = Entry.TryGetField("defaults");
		if (Field == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonObject> Defaults = Field->TryGetObject();
		if (!Defaults)
		{
			OutError = "\"defaults\" is not an object";
			return false;
		}
		for (const FJsonObject::FMember& Member : Defaults->Values())
		{
			const std::string* Text = Member.second.TryGetString();
			if (Text == nullptr)
			{
				OutError = "the default of " + Member.first + " is not text";
				return false;
			}
			if (Super == nullptr || Super->FindPropertyByName(Member.first) == nullptr)
			{
				OutError = "a default for " + Member.first + ", which no super class declares";
				return false;
			}
			OutOverrides.emplace_back(Member.first, *Text);
		}
		return true;
	}

	std::optional<FProperty> ReadProperty(const FJsonValue& Value, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		if (!Entry)
		{
			OutError = "a property is not an object";
			return std::nullopt;
		}
		std::string Unknown;
		if (!HasOnlyKnownKeys(*Entry, PropertyKeys, Unknown))
		{
			OutError = "unknown property key \"" + Unknown + "\"";
			return std::nullopt;
		}
		const std::optional<std::string> Name = Entry->TryGetStringField("name");
		const std::optional<std::string> Type = Entry->TryGetStringField("type");
		if (!Name || Name->empty() || !Type || Type->empty())
		{
			OutError = "a property needs a \"name\" and a \"type\"";
			return std::nullopt;
		}
		uint64_t Flags = 0;
		if (!ReadFlags(*Entry, ParsePropertyFlag, Flags, OutError))
		{
			OutError = "property " + *Name + ": " + OutError;
			return std::nullopt;
		}
		FProperty Property(*Name, *Type, Flags);
		if (!ReadMetaData(*Entry, Property, OutError))
		{
			OutError = "property " + *Name + ": " + OutError;
			return std::nullopt;
		}
		if (const std::optional<std::string> Default = Entry->TryGetStringField("default"))
		{
			Property.SetDefaultValueText(*Default);
		}
		return Property;
	}

	/** Reads Entry's array of property entries under Key into OutProperties; false names the first faulty one. */
	bool ReadProperties(const FJsonObject& Entry, std::string_view Key, std::vector<FProperty>& OutProperties, std::string& OutError)
	{
		const std::shared_ptr<FJsonValueArray> Properties = Entry.TryGetArrayField(Key);
		if (!Properties)
		{
			return true;
		}
		OutProperties.reserve(Properties->size());
		for (const FJsonValue& Value : *Properties)
		{
			std::optional<FProperty> Property = ReadProperty(Value, OutError);
			if (!Property)
			{
				return false;
			}
			OutProperties.push_back(std::move(*Property));
		}
		return true;
	}

	/** Adds the parameters in order; false names the first that lacks Parm, repeats a name or is a second ReturnParm. */
	bool AddParams(UFunction& Function, std::vector<FProperty> Params, std::string& OutError)
	{
		for (FProperty& Param : Params)
		{
			if (!Param.HasAnyPropertyFlags(CPF_Parm))
			{
				OutError = "parameter " + Param.GetName() + " is not flagged Parm";
				return false;
			}
			if (Function.FindParam(Param.GetName()) != nullptr)
			{
				OutError = "parameter " + Param.GetName() + " is declared twice";
				return false;
			}
			if (Param.HasAnyPropertyFlags(CPF_ReturnParm) && Function.GetReturnProperty() != nullptr)
			{
				OutError = "more than one ReturnParm";
				return false;
			}
			Function.AddParam(std::move(Param));
		}
		return true;
	}

	/** A function entry: parameters all carry Parm, have distinct names, and at most one is the return value. */
	std::optional<UFunction> ReadFunction(const FJsonValue& Value, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		if (!Entry)
		{
			OutError = "a function is not an object";
			return std::nullopt;
		}
		std::string Unknown;
		if (!HasOnlyKnownKeys(*Entry, FunctionKeys, Unknown))
		{
			OutError = "unknown function key \"" + Unknown + "\"";
			return std::nullopt;
		}
		const std::optional<std::string> Name = Entry->TryGetStringField("name");
		if (!Name || Name->empty())
		{
			OutError = "a function needs a \"name\"";
			return std::nullopt;
		}
		const FJsonValue* ParamsField = Entry->TryGetField("params");
		if (ParamsField != nullptr && !ParamsField->TryGetArray())
		{
			OutError = "function " + *Name + ": \"params\" is not an array";
			return std::nullopt;
		}
		uint64_t Flags = 0;
		std::vector<FProperty> Params;
		if (!ReadFlags(*Entry, ParseFunctionFlag, Flags, OutError) || !ReadProperties(*Entry, "params", Params, OutError))
		{
			OutError = "function " + *Name + ": " + OutError;
			return std::nullopt;
		}
		UFunction Function(*Name, static_cast<uint32_t>(Flags));
		if (!ReadMetaData(*Entry, Function, OutError) || !AddParams(Function, std::move(Params), OutError))
		{
			OutError = "function " + *Name + ": " + OutError;
			return std::nullopt;
		}
		return Function;
	}

	/** Reads Entry's "functions" array; false names the first faulty or repeated one. */
	bool ReadFunctions(const FJsonObject& Entry, std::vector<UFunction>& OutFunctions, std::string& OutError)
	{
		const FJsonValue* Field = Entry.TryGetField("functions");
		if (Field == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonValueArray> Functions = Field->TryGetArray();
		if (!Functions)
		{
			OutError = "\"functions\" is not an array";
			return false;
		}
		for (const FJsonValue& Value : *Functions)
		{
			std::optional<UFunction> Function = ReadFunction(Value, OutError);
			if (!Function)
			{
				return false;
			}
			const auto Same = [&Function](const UFunction& Other) { return Other.GetName() == Function->GetName(); };
			if (std::any_of(OutFunctions.begin(), OutFunctions.end(), Same))
			{
				OutError = "function " + Function->GetName() + " is declared twice";
				return false;
			}
			OutFunctions.push_back(std::move(*Function));
		}
		return true;
	}

	/** An enumeration's "entries": objects with a unique "name" and a whole "value", in declaration order. */
	std::optional<std::vector<std::pair<std::string, int64_t>>> ReadEnumEntries(const FJsonObject& Entry, std::string& OutError)
	{
		const std::shared_ptr<FJsonValueArray> Values = Entry.TryGetArrayField("entries");
		if (!Values)
		{
			OutError = "\"entries\" is missing or not an array";
			return std::nullopt;
		}
		std::vector<std::pair<std::string, int64_t>> Entries;
		for (const FJsonValue& Value : *Values)
		{
			const std::shared_ptr<FJsonObject> Item = Value.TryGetObject();
			std::string Unknown;
			if (!Item || !HasOnlyKnownKeys(*Item, EnumEntryKeys, Unknown))
			{
				OutError = Item ? "unknown entry key \"" + Unknown + "\"" : "an entry is not an object";
				return std::nullopt;
			}
			const std::optional<std::string> Name = Item->TryGetStringField("name");
			const std::optional<double> Number = Item->TryGetNumberField("value");
			// Only whole numbers inside int64's range convert without loss; anything else is refused.
			const bool bWhole = Number && std::isfinite(*Number) && std::trunc(*Number) == *Number && std::abs(*Number) < 9.0e18;
			if (!Name || Name->empty() || !bWhole)
			{
				OutError = "an entry needs a \"name\" and a whole \"value\"";
				return std::nullopt;
			}
			if (std::any_of(Entries.begin(), Entries.end(), [&Name](const auto& Other) { return Other.first == *Name; }))
			{
				OutError = "entry " + *Name + " is declared twice";
				return std::nullopt;
			}
			Entries.emplace_back(*Name, static_cast<int64_t>(*Number));
		}
		return Entries;
	}

	/** Calls Add(path, super, entry, error) for each object of the array; false names the entry that failed. */
	template <typename TAdd>
	bool ReadEntries(const FJsonValueArray& Entries, std::string_view What, TAdd Add, std::string& OutError)
	{
		std::size_t Index = 0;
		for (const FJsonValue& Value : Entries)
		{
			const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
			const std::optional<std::string> Path = Entry ? Entry->TryGetStringField("path") : std::nullopt;
			if (!Path)
			{
				OutError = std::string(What) + " " + std::to_string(Index) + " has no \"path\"";
				return false;
			}
			const std::optional<std::string> Super = Entry->TryGetStringField("super");
			if (!Add(*Path, Super.value_or(std::string()), *Entry, OutError))
			{
				OutError = *Path + ": " + OutError;
				return false;
			}
			++Index;
		}
		return true;
	}
}

FClassDatabase::FClassDatabase() = default;
FClassDatabase::~FClassDatabase() = default;

FClassDatabase& FClassDatabase::Get()
{
	static FClassDatabase* const Database = []() {
		std::string Error;
		std::unique_ptr<FClassDatabase> Loaded = Load(EngineClassDatabaseText(), Error);
		if (!Loaded)
		{
			UE_LOG(LogHost, Error, "The engine class database does not load: %s", Error.c_str());
			std::abort();
		}
		BindNativeClasses(*Loaded);
		return Loaded.release();
	}();
	return *Database;
}

std::unique_ptr<FClassDatabase> FClassDatabase::Load(std::string_view Text, std::string& OutError)
{
	const std::shared_ptr<FJsonObject> Root = FJsonSerializer::DeserializeObject(Text);
	const std::shared_ptr<FJsonValueArray> Entries = Root ? Root->TryGetArrayField("classes") : nullptr;
	if (!Entries)
	{
		OutError = "the text is not an object with a \"classes\" array";
		return nullptr;
	}

	std::unique_ptr<FClassDatabase> Database(new FClassDatabase());
	Database->Classes.reserve(Entries->size());
	FClassDatabase& Loading = *Database;
	const auto AddClass = [&Loading](std::string_view Path, std::string_view Super, const FJsonObject& Entry, std::string& Error) {
		return Loading.AddClass(Path, Super, Entry, Error);
	};
	if (!ReadEntries(*Entries, "class", AddClass, OutError))
	{
		return nullptr;
	}
	if (const FJsonValue* Structs = Root->TryGetField("structs"))
	{
		const std::shared_ptr<FJsonValueArray> StructEntries = Structs->TryGetArray();
		if (!StructEntries)
		{
			OutError = "\"structs\" is not an array";
			return nullptr;
		}
		const auto AddStruct = [&Loading](std::string_view Path, std::string_view Super, const FJsonObject& Entry, std::string& Error) {
			return Loading.AddStruct(Path, Super, Entry, Error);
		};
		if (!ReadEntries(*StructEntries, "struct", AddStruct, OutError))
		{
			return nullptr;
		}
	}
	if (const FJsonValue* Enums = Root->TryGetField("enums"))
	{
		const std::shared_ptr<FJsonValueArray> EnumEntries = Enums->TryGetArray();
		if (!EnumEntries)
		{
			OutError = "\"enums\" is not an array";
			return nullptr;
		}
		const auto AddEnum = [&Loading](std::string_view Path, std::string_view, const FJsonObject& Entry, std::string& Error) {
			return Loading.AddEnum(Path, Entry, Error);
		};
		if (!ReadEntries(*EnumEntries, "enum", AddEnum, OutError))
		{
			return nullptr;
		}
	}

	UClass* ClassClass = Database->FindClass(UClass::StaticClassPath);
	UClass* PackageClass = Database->FindClass(UPackage::StaticClassPath);
	if (ClassClass == nullptr || PackageClass == nullptr || Database->Classes.front()->GetSuperClass() != nullptr)
	{
		OutError = "the database must start with Object and hold Class and Package";
		return nullptr;
	}
	UClass* ScriptStructClass = Database->FindClass(UScriptStruct::StaticClassPath);
	if (ScriptStructClass == nullptr && !Database->StructsByPath.empty())
	{
		OutError = "a database with structures must hold ScriptStruct";
		return nullptr;
	}
	for (UClass* Class : Database->Classes)
	{
		FObjectInternals::SetClass(*Class, ClassClass);
	}
	for (const auto& [Path, Struct] : Database->StructsByPath)
	{
		FObjectInternals::SetClass(*Struct, ScriptStructClass);
	}
	UClass* EnumClass = Database->FindClass(UEnum::StaticClassPath);
	if (EnumClass == nullptr && !Database->EnumsByPath.empty())
	{
		OutError = "a database with enumerations must hold Enum";
		return nullptr;
	}
	for (const auto& [Path, Enum] : Database->EnumsByPath)
	{
		FObjectInternals::SetClass(*Enum, EnumClass);
	}
	for (const std::unique_ptr<UPackage>& Package : Database->ScriptPackages)
	{
		FObjectInternals::SetClass(*Package, PackageClass);
	}
	return Database;
}

bool FClassDatabase::AddClass(std::string_view Path, std::string_view SuperPath, const FJsonObject& Entry, std::string& OutError)
{
	std::string Unknown;
	if (!HasOnlyKnownKeys(Entry, ClassKeys, Unknown))
	{
		OutError = "unknown key \"" + Unknown + "\"";
		return false;
	}
	const FTopLevelAssetPath ClassPath(Path);
	if (!ClassPath.IsValid() || !ClassPath.PackageName.starts_with("/Script/"))
	{
		OutError = "not a class path of a script package";
		return false;
	}
	if (ClassesByPath.contains(std::string(Path)))
	{
		OutError = "declared twice";
		return false;
	}
	UClass* Super = nullptr;
	if (!SuperPath.empty())
	{
		Super = FindClass(SuperPath);
		if (Super == nullptr)
		{
			OutError = "super class " + std::string(SuperPath) + " is not declared before it";
			return false;
		}
	}
	else if (!Classes.empty())
	{
		OutError = "only the first class may have no super class";
		return false;
	}

	uint64_t Flags = 0;
	if (!ReadFlags(Entry, ParseClassFlag, Flags, OutError))
	{
		return false;
	}
	auto Class = std::make_unique<UClass>();
	Class->SuperClass = Super;
	Class->ClassFlags = static_cast<uint32_t>(Flags) | CLASS_Native;
	Class->DeclarationIndex = Classes.size();
	if (!ReadProperties(Entry, "properties", Class->Properties, OutError) || !ReadDefaultOverrides(Entry, Super, Class->DefaultOverrides, OutError))
	{
		return false;
	}
	for (FProperty& Property : Class->Properties)
	{
		Property.SetOwnerClass(Class.get());
	}
	std::vector<UFunction> Functions;
	if (!ReadFunctions(Entry, Functions, OutError))
	{
		return false;
	}
	for (UFunction& Function : Functions)
	{
		Function.SetOwnerClass(Class.get());
	}

	UClass* Added = AttachClass(std::move(Class), ClassPath);
	if (!Functions.empty())
	{
		FunctionsByClass.emplace(Added, std::move(Functions));
	}
	return true;
}

UClass* FClassDatabase::AttachClass(std::unique_ptr<UClass> Class, const FTopLevelAssetPath& ClassPath)
{
	UPackage* Package = FindOrAddScriptPackage(ClassPath.PackageName);
	FObjectInternals::Initialize(*Class, nullptr, Package, ClassPath.AssetName, RF_Public | RF_Standalone);
	UClass* Added = static_cast<UClass*>(FObjectInternals::AttachToOuter(std::move(Class)));
	Classes.push_back(Added);
	ClassesByPath.emplace(ClassPath.ToString(), Added);
	return Added;
}

UClass* FClassDatabase::FindOrAddNativeClass(std::string_view ClassPath, std::string_view SuperClassPath, std::string& OutError)
{
	const FTopLevelAssetPath Path(ClassPath);
	if (!Path.IsValid() || !Path.PackageName.starts_with("/Script/") || Path.ToString() != ClassPath || !FObjectInternals::IsValidObjectName(Path.AssetName))
	{
		OutError = "'" + std::string(ClassPath) + "' is not a class path of a script package (/Script/Module.Name)";
		return nullptr;
	}
	UClass* Super = FindClass(SuperClassPath);
	if (Super == nullptr)
	{
		OutError = "the super class '" + std::string(SuperClassPath) + "' of " + std::string(ClassPath) + " is not known";
		return nullptr;
	}
	if (UClass* Existing = FindClass(ClassPath))
	{
		if (Existing->GetSuperClass() != Super)
		{
			OutError = std::string(ClassPath) + " is already declared below another super class";
			return nullptr;
		}
		return Existing;
	}
	if (FindStruct(ClassPath) != nullptr || FindEnum(ClassPath) != nullptr)
	{
		OutError = std::string(ClassPath) + " is already declared as a structure or an enumeration";
		return nullptr;
	}
	auto Class = std::make_unique<UClass>();
	Class->SuperClass = Super;
	Class->ClassFlags = CLASS_Native;
	Class->DeclarationIndex = Classes.size();
	UClass* Added = AttachClass(std::move(Class), Path);
	FObjectInternals::SetClass(*Added, FindClass(UClass::StaticClassPath));
	return Added;
}

void FClassDatabase::SetOwnFunctions(const UClass* Class, std::vector<UFunction> Functions)
{
	for (UFunction& Function : Functions)
	{
		Function.SetOwnerClass(const_cast<UClass*>(Class));
	}
	std::vector<UFunction>& Own = FunctionsByClass[Class];
	if (!Own.empty())
	{
		ReplacedFunctions.push_back(std::move(Own));
	}
	Own = std::move(Functions);
}

bool FClassDatabase::AddStruct(std::string_view Path, std::string_view SuperPath, const FJsonObject& Entry, std::string& OutError)
{
	std::string Unknown;
	if (!HasOnlyKnownKeys(Entry, StructKeys, Unknown))
	{
		OutError = "unknown key \"" + Unknown + "\"";
		return false;
	}
	const FTopLevelAssetPath StructPath(Path);
	if (!StructPath.IsValid() || !StructPath.PackageName.starts_with("/Script/"))
	{
		OutError = "not a structure path of a script package";
		return false;
	}
	if (StructsByPath.contains(std::string(Path)) || ClassesByPath.contains(std::string(Path)))
	{
		OutError = "declared twice";
		return false;
	}
	UScriptStruct* Super = nullptr;
	if (!SuperPath.empty())
	{
		Super = FindStruct(SuperPath);
		if (Super == nullptr)
		{
			OutError = "super structure " + std::string(SuperPath) + " is not declared before it";
			return false;
		}
	}
	uint64_t Flags = 0;
	if (!ReadFlags(Entry, ParseStructFlag, Flags, OutError))
	{
		return false;
	}
	auto Struct = std::make_unique<UScriptStruct>();
	Struct->SuperStruct = Super;
	Struct->StructFlags = static_cast<uint32_t>(Flags);
	if (!ReadProperties(Entry, "properties", Struct->Properties, OutError))
	{
		return false;
	}

	UPackage* Package = FindOrAddScriptPackage(StructPath.PackageName);
	FObjectInternals::Initialize(*Struct, nullptr, Package, StructPath.AssetName, RF_Public | RF_Standalone);
	UScriptStruct* Added = static_cast<UScriptStruct*>(FObjectInternals::AttachToOuter(std::move(Struct)));
	StructsByPath.emplace(std::string(Path), Added);
	StructsByName.try_emplace(StructPath.AssetName, Added);
	return true;
}

bool FClassDatabase::AddEnum(std::string_view Path, const FJsonObject& Entry, std::string& OutError)
{
	std::string Unknown;
	if (!HasOnlyKnownKeys(Entry, EnumKeys, Unknown))
	{
		OutError = "unknown key \"" + Unknown + "\"";
		return false;
	}
	const FTopLevelAssetPath EnumPath(Path);
	if (!EnumPath.IsValid() || !EnumPath.PackageName.starts_with("/Script/"))
	{
		OutError = "not an enumeration path of a script package";
		return false;
	}
	const std::string Key(Path);
	if (EnumsByPath.contains(Key) || StructsByPath.contains(Key) || ClassesByPath.contains(Key))
	{
		OutError = "declared twice";
		return false;
	}
	std::optional<std::vector<std::pair<std::string, int64_t>>> Entries = ReadEnumEntries(Entry, OutError);
	if (!Entries)
	{
		return false;
	}
	auto Enum = std::make_unique<UEnum>(std::move(*Entries));
	UPackage* Package = FindOrAddScriptPackage(EnumPath.PackageName);
	FObjectInternals::Initialize(*Enum, nullptr, Package, EnumPath.AssetName, RF_Public | RF_Standalone);
	UEnum* Added = static_cast<UEnum*>(FObjectInternals::AttachToOuter(std::move(Enum)));
	EnumsByPath.emplace(Key, Added);
	EnumsByName.try_emplace(EnumPath.AssetName, Added);
	return true;
}

UPackage* FClassDatabase::FindOrAddScriptPackage(std::string_view PackageName)
{
	for (const std::unique_ptr<UPackage>& Package : ScriptPackages)
	{
		if (Package->GetName() == PackageName)
		{
			return Package.get();
		}
	}
	auto Package = std::make_unique<UPackage>();
	FObjectInternals::Initialize(*Package, nullptr, nullptr, std::string(PackageName), RF_Public);
	ScriptPackages.push_back(std::move(Package));
	return ScriptPackages.back().get();
}

UClass* FClassDatabase::FindClass(std::string_view ClassPath) const
{
	const auto Found = ClassesByPath.find(std::string(ClassPath));
	return Found == ClassesByPath.end() ? nullptr : Found->second;
}

UClass* FClassDatabase::FindClass(const FTopLevelAssetPath& ClassPath) const
{
	return FindClass(ClassPath.ToString());
}

UClass* FClassDatabase::FindClassByName(std::string_view Name) const
{
	const auto Found = std::find_if(Classes.begin(), Classes.end(), [Name](const UClass* Class) { return Class->GetName() == Name; });
	return Found == Classes.end() ? nullptr : *Found;
}

const std::vector<UFunction>& FClassDatabase::GetOwnFunctions(const UClass* Class) const
{
	static const std::vector<UFunction> NoFunctions;
	const auto Found = FunctionsByClass.find(Class);
	return Found == FunctionsByClass.end() ? NoFunctions : Found->second;
}

const UFunction* FClassDatabase::FindFunction(const UClass* Class, std::string_view FunctionName) const
{
	for (; Class != nullptr; Class = Class->GetSuperClass())
	{
		const std::vector<UFunction>& Functions = GetOwnFunctions(Class);
		const auto Found = std::find_if(Functions.begin(), Functions.end(), [FunctionName](const UFunction& Function) { return Function.GetName() == FunctionName; });
		if (Found != Functions.end())
		{
			return &*Found;
		}
	}
	return nullptr;
}

UScriptStruct* FClassDatabase::FindStruct(std::string_view StructPath) const
{
	const auto Found = StructsByPath.find(std::string(StructPath));
	return Found == StructsByPath.end() ? nullptr : Found->second;
}

UEnum* FClassDatabase::FindEnum(std::string_view EnumPath) const
{
	const auto Found = EnumsByPath.find(std::string(EnumPath));
	return Found == EnumsByPath.end() ? nullptr : Found->second;
}

UScriptStruct* FClassDatabase::FindStructByName(std::string_view Name) const
{
	const auto Found = StructsByName.find(std::string(Name));
	return Found == StructsByName.end() ? nullptr : Found->second;
}

UEnum* FClassDatabase::FindEnumByName(std::string_view Name) const
{
	const auto Found = EnumsByName.find(std::string(Name));
	return Found == EnumsByName.end() ? nullptr : Found->second;
}

UObject* FClassDatabase::FindObject(std::string_view Path) const
{
	if (UClass* Class = FindClass(Path))
	{
		return Class;
	}
	if (UScriptStruct* Struct = FindStruct(Path))
	{
		return Struct;
	}
	if (UEnum* Enum = FindEnum(Path))
	{
		return Enum;
	}
	for (const std::unique_ptr<UPackage>& Package : ScriptPackages)
	{
		if (Package->GetName() == Path)
		{
			return Package.get();
		}
	}
	return nullptr;
}

void FClassDatabase::GetDerivedClasses(const UClass* Class, std::vector<UClass*>& OutClasses, bool bRecursive) const
{
	if (Class == nullptr)
	{
		return;
	}
	// Supers are declared before their subclasses, so everything derived comes after Class.
	for (std::size_t Index = Class->GetDeclarationIndex() + 1; Index < Classes.size(); ++Index)
	{
		UClass* Candidate = Classes[Index];
		if (bRecursive ? Candidate->IsChildOf(Class) : Candidate->GetSuperClass() == Class)
		{
			OutClasses.push_back(Candidate);
		}
	}
}

void FClassDatabase::BindNativeClass(std::string_view ClassPath, std::string_view SuperClassPath, FNativeObjectFactory Factory)
{
	UClass* Class = FindClass(ClassPath);
	UClass* Super = FindClass(SuperClassPath);
	if (Class == nullptr || Super == nullptr || !Class->IsChildOf(Super))
	{
		UE_LOG(LogHost, Error, "The C++ type of %.*s does not match the class database (its C++ base is %.*s)",
			static_cast<int>(ClassPath.size()), ClassPath.data(), static_cast<int>(SuperClassPath.size()), SuperClassPath.data());
		std::abort();
	}
	Class->SetNativeFactory(std::move(Factory));
}

void GetDerivedClasses(const UClass* Class, std::vector<UClass*>& OutClasses, bool bRecursive)
{
	FClassDatabase::Get().GetDerivedClasses(Class, OutClasses, bRecursive);
}

UClass* FindEngineClassChecked(std::string_view ClassPath)
{
	UClass* Class = FClassDatabase::Get().FindClass(ClassPath);
	if (Class == nullptr)
	{
		UE_LOG(LogHost, Error, "The class database has no class %.*s", static_cast<int>(ClassPath.size()), ClassPath.data());
		std::abort();
	}
	return Class;
}
