#pragma once

#include "Objects/Class.h"
#include "Objects/Object.h"

#include <string>
#include <string_view>

class UClass;
class UPackage;

/** The package "/Engine/Transient", the outer of objects that are never saved. */
UPackage* GetTransientPackage();
/** The package of that name, created empty in memory when it does not exist yet; nullptr for an invalid name. */
UPackage* CreatePackage(std::string_view PackageName);
/**
 * The package, loaded from its file under the Content folder when it is not in
 * memory yet (each package loads once). nullptr when there is no such file or
 * it does not load (the reason is logged).
 */
UPackage* LoadPackage(std::string_view PackageName);
/** Destroys every object marked as garbage. */
void CollectGarbage();

/** A name no object directly inside Outer has yet: "ClassName_0", "ClassName_1"... */
std::string MakeUniqueObjectName(const UObject* Outer, const UClass* Class);

/**
 * WantedName when no live object directly inside Outer holds it (a name held only by garbage is
 * free), else the name with the next number not held: "Button_3" gives "Button_4", "Title" gives
 * "Title_0". WantedName must be a valid object name.
 */
std::string MakeUniqueObjectName(const UObject* Outer, std::string_view WantedName);

/**
 * Creates an object of Class inside Outer (the transient package when nullptr).
 * An empty name gets a unique one. An existing object of the same name and class
 * inside Outer is replaced (destroyed); one of another class makes the call fail.
 * Abstract classes, and names holding '.', ':' or '/', fail too (logged,
 * nullptr). A new asset marks its package dirty and is announced to the asset
 * registry.
 */
UObject* StaticConstructObject(UClass* Class, UObject* Outer, std::string_view Name, EObjectFlags Flags);

template <typename T>
T* NewObject(UObject* Outer, UClass* Class, std::string_view Name = {}, EObjectFlags Flags = RF_NoFlags)
{
	if (Class == nullptr || !Class->IsChildOf(T::StaticClass()))
	{
		return nullptr;
	}
	return Cast<T>(StaticConstructObject(Class, Outer, Name, Flags));
}

template <typename T>
T* NewObject(UObject* Outer = nullptr, std::string_view Name = {}, EObjectFlags Flags = RF_NoFlags)
{
	return NewObject<T>(Outer, T::StaticClass(), Name, Flags);
}

/**
 * The object in memory at Name, a full path ("/Game/A.A:Sub") when Outer is
 * nullptr or a name inside Outer otherwise, if it is a Class (any class when
 * nullptr). Never loads.
 */
UObject* StaticFindObject(UClass* Class, UObject* Outer, std::string_view Name);

template <typename T>
T* FindObject(UObject* Outer, std::string_view Name)
{
	return Cast<T>(StaticFindObject(T::StaticClass(), Outer, Name));
}

/**
 * The object at an object path ("/Game/Folder/Asset.Asset", or with ":Sub"),
 * loading its package on first use. A package path without ".Name" does not
 * load: the name is never completed. The object must be a Class (subclasses
 * count; any class when nullptr), else the answer is nullptr.
 */
UObject* StaticLoadObject(UClass* Class, UObject* Outer, std::string_view Name);
UObject* StaticLoadObject(UClass* Class, std::string_view Path);

template <typename T>
T* LoadObject(UObject* Outer, std::string_view Name)
{
	return Cast<T>(StaticLoadObject(T::StaticClass(), Outer, Name));
}

template <typename T>
T* LoadObject(std::string_view Path)
{
	return LoadObject<T>(nullptr, Path);
}
