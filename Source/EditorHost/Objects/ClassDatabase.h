#pragma once

#include "Objects/Class.h"
#include "Objects/Function.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class UObject;
class UPackage;
class UEnum;
class UScriptStruct;

/**
 * The engine's classes, read from the class database that ships inside the
 * host (Data/EngineClasses.json, embedded at build time). The database is
 * process-wide and lives until the program ends, as the engine's compiled-in
 * classes do. Its script packages ("/Script/Engine") own the class objects.
 */
class FClassDatabase
{
public:
	/** The host's classes, loaded on first use. A database that does not load stops the program. */
	static FClassDatabase& Get();

	/** Reads a class database text; nullptr and a message naming the fault when it is not one. */
	static std::unique_ptr<FClassDatabase> Load(std::string_view Text, std::string& OutError);

	~FClassDatabase();
	FClassDatabase(const FClassDatabase&) = delete;
	FClassDatabase& operator=(const FClassDatabase&) = delete;

	/** The class at "/Script/Package.Name", or nullptr. */
	UClass* FindClass(std::string_view ClassPath) const;
	UClass* FindClass(const FTopLevelAssetPath& ClassPath) const;
	/** The first class (in declaration order) with that name without prefix, or nullptr. */
	UClass* FindClassByName(std::string_view Name) const;
	/** The structure at "/Script/Package.Name" (declared in the "structs" array), or nullptr. */
	UScriptStruct* FindStruct(std::string_view StructPath) const;
	/** The enumeration at "/Script/Package.EName" (declared in the "enums" array), or nullptr. */
	UEnum* FindEnum(std::string_view EnumPath) const;
	/** The first structure declared with that name ("Margin" for a C++ FMargin), in any script package, or nullptr. */
	UScriptStruct* FindStructByName(std::string_view Name) const;
	/** The first enumeration declared with that name ("EHorizontalAlignment"), in any script package, or nullptr. */
	UEnum* FindEnumByName(std::string_view Name) const;
	/** A script package ("/Script/Engine"), a class, a structure or an enumeration, by path; nullptr otherwise. */
	UObject* FindObject(std::string_view Path) const;

	/** The functions Class itself declares (its "functions" entries), in declaration order. */
	const std::vector<UFunction>& GetOwnFunctions(const UClass* Class) const;
	/** The function of that name declared by Class or, failing that, by its nearest super; nullptr when none. */
	const UFunction* FindFunction(const UClass* Class, std::string_view FunctionName) const;

	/** Every class in declaration order; a class always comes after its super class. */
	const std::vector<UClass*>& GetClasses() const { return Classes; }
	/** The classes that derive from Class (all levels or direct children only), in declaration order. */
	void GetDerivedClasses(const UClass* Class, std::vector<UClass*>& OutClasses, bool bRecursive) const;

	/**
	 * Declares a native class at run time (a plug-in module's class) below an existing super class,
	 * or returns the class already declared at that path with that super. nullptr and a reason when
	 * the path is not a class path of a script package, the super class is unknown, or the path
	 * holds a class of another super, a structure or an enumeration.
	 */
	UClass* FindOrAddNativeClass(std::string_view ClassPath, std::string_view SuperClassPath, std::string& OutError);
	/**
	 * Replaces the functions Class itself declares. The replaced functions stay alive until the
	 * program ends, so a caller that found one earlier never holds a dangling function.
	 */
	void SetOwnFunctions(const UClass* Class, std::vector<UFunction> Functions);

	/** Binds the C++ type T to its class; stops the program when the classes disagree with T's C++ base. */
	template <typename T>
	void BindNativeClass()
	{
		BindNativeClass(T::StaticClassPath, T::Super::StaticClassPath, []() -> std::unique_ptr<UObject> { return std::make_unique<T>(); });
	}

private:
	FClassDatabase();
	void BindNativeClass(std::string_view ClassPath, std::string_view SuperClassPath, FNativeObjectFactory Factory);
	UPackage* FindOrAddScriptPackage(std::string_view PackageName);
	bool AddClass(std::string_view Path, std::string_view SuperPath, const class FJsonObject& Entry, std::string& OutError);
	/** Names the class after its path, gives it to its script package and appends it to the declaration order. */
	UClass* AttachClass(std::unique_ptr<UClass> Class, const FTopLevelAssetPath& ClassPath);
	bool AddStruct(std::string_view Path, std::string_view SuperPath, const class FJsonObject& Entry, std::string& OutError);
	bool AddEnum(std::string_view Path, const class FJsonObject& Entry, std::string& OutError);

	std::vector<std::unique_ptr<UPackage>> ScriptPackages;
	std::vector<UClass*> Classes;
	std::unordered_map<std::string, UClass*> ClassesByPath;
	std::unordered_map<std::string, UScriptStruct*> StructsByPath;
	std::unordered_map<std::string, UEnum*> EnumsByPath;
	std::unordered_map<std::string, UScriptStruct*> StructsByName;
	std::unordered_map<std::string, UEnum*> EnumsByName;
	std::unordered_map<const UClass*, std::vector<UFunction>> FunctionsByClass;
	std::vector<std::vector<UFunction>> ReplacedFunctions;
};

/** The classes derived from Class, in class database order (UObjectHash's GetDerivedClasses). */
void GetDerivedClasses(const UClass* Class, std::vector<UClass*>& OutClasses, bool bRecursive = true);

/** Binds every C++ type that stands for an engine class to its class (NativeClasses.cpp). */
void BindNativeClasses(FClassDatabase& Database);
