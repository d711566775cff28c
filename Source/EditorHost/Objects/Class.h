#pragma once

#include "Objects/Object.h"
#include "Objects/Property.h"
#include "Objects/TopLevelAssetPath.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** Class flags with the editor's values (the ones the class database uses). */
enum EClassFlags : uint32_t
{
	CLASS_None = 0x00000000,
	CLASS_Abstract = 0x00000001,
	CLASS_Native = 0x00000080,
	CLASS_NotPlaceable = 0x00000200,
	CLASS_EditInlineNew = 0x00001000,
	CLASS_Interface = 0x00004000,
	CLASS_Const = 0x00010000,
	CLASS_CompiledFromBlueprint = 0x00040000,
	CLASS_Hidden = 0x01000000,
	CLASS_Deprecated = 0x02000000,
};

/** The flag of a name as the class database writes it ("Abstract" for CLASS_Abstract), or empty. */
std::optional<EClassFlags> ParseClassFlag(std::string_view Name);

/** Makes the C++ object that stands for an instance of a class. */
using FNativeObjectFactory = std::function<std::unique_ptr<UObject>()>;

/**
 * An engine class: its name without prefix ("AnimSequence"), living in its
 * script package ("/Script/Engine"), so its path name is
 * "/Script/Engine.AnimSequence". It knows its super class, its flags and the
 * properties it declares. Classes come from the class database; a class may
 * have a C++ type bound to it (asset kinds do), otherwise its objects are made
 * with the C++ type of the nearest super class that has one.
 */
class UClass : public UObject
{
	DECLARE_ENGINE_CLASS(UClass, UObject, "/Script/CoreUObject.Class")

public:
	UClass* GetSuperClass() const { return SuperClass; }
	/** Whether this class is SomeBase or derives from it. */
	bool IsChildOf(const UClass* SomeBase) const;
	template <typename T>
	bool IsChildOf() const
	{
		return IsChildOf(T::StaticClass());
	}

	/** The class's path as the asset registry keys classes: "/Script/Engine" and "AnimSequence". */
	FTopLevelAssetPath GetClassPathName() const;

	uint32_t GetClassFlags() const { return ClassFlags; }
	bool HasAnyClassFlags(uint32_t Mask) const { return (ClassFlags & Mask) != 0; }

	/** The properties this class itself declares, in declaration order. */
	const std::vector<FProperty>& GetOwnProperties() const { return Properties; }
	/** The property of that name, searching this class first and then its supers. */
	const FProperty* FindPropertyByName(std::string_view PropertyName) const;

	/**
	 * The value this class's default object holds for Property, as export text: the nearest
	 * class (this one, then each super) that sets its own default for an inherited property
	 * wins, else the declaring class's default. A UTextBlock is not a variable by default
	 * although UWidget declares bIsVariable true.
	 */
	const std::string& GetDefaultValueText(const FProperty& Property) const;
	/** The inherited properties whose default this class itself changes, as name and export text. */
	const std::vector<std::pair<std::string, std::string>>& GetOwnDefaultOverrides() const { return DefaultOverrides; }

	/** The class's position in the class database; derived-class lists follow it. */
	std::size_t GetDeclarationIndex() const { return DeclarationIndex; }

	/**
	 * The class default object ("Default__<Name>" beside the class, transient): the object whose
	 * property values are the class's defaults, made on first use when bCreateIfNeeded.
	 */
	virtual UObject* GetDefaultObject(bool bCreateIfNeeded = true) const;

	/** Binds the C++ type whose objects stand for instances of this class. */
	void SetNativeFactory(FNativeObjectFactory Factory) { NativeFactory = std::move(Factory); }
	/** A new, unnamed C++ object for an instance of this class (the nearest bound C++ type). */
	std::unique_ptr<UObject> CreateNativeInstance() const;

private:
	friend class FClassDatabase;
	/** Blueprint classes are built by the editor, not read from the class database. */
	friend class UBlueprintGeneratedClass;

	UClass* SuperClass = nullptr;
	uint32_t ClassFlags = CLASS_None;
	std::vector<FProperty> Properties;
	std::vector<std::pair<std::string, std::string>> DefaultOverrides;
	std::size_t DeclarationIndex = 0;
	FNativeObjectFactory NativeFactory;
	mutable UObject* DefaultObject = nullptr;
};

namespace EFieldIteratorFlags
{
	enum SuperClassFlags
	{
		ExcludeSuper = 0,
		IncludeSuper
	};
}

template <typename T>
class TFieldIterator;

/**
 * Walks a class's properties: its own in declaration order, then those of its
 * super class, and so on up to Object (unless told to exclude supers).
 *
 *   for (TFieldIterator<FProperty> It(Class); It; ++It) { const FProperty* Property = *It; }
 */
template <>
class TFieldIterator<FProperty>
{
public:
	explicit TFieldIterator(const UClass* InClass, EFieldIteratorFlags::SuperClassFlags SuperFlags = EFieldIteratorFlags::IncludeSuper)
		: Class(InClass)
		, bIncludeSuper(SuperFlags == EFieldIteratorFlags::IncludeSuper)
	{
		SkipEmptyClasses();
	}

	explicit operator bool() const { return Class != nullptr; }
	const FProperty* operator*() const { return &Class->GetOwnProperties()[Index]; }
	const FProperty* operator->() const { return **this; }
	TFieldIterator& operator++()
	{
		++Index;
		SkipEmptyClasses();
		return *this;
	}

private:
	void SkipEmptyClasses()
	{
		while (Class != nullptr && Index >= Class->GetOwnProperties().size())
		{
			Class = bIncludeSuper ? Class->GetSuperClass() : nullptr;
			Index = 0;
		}
	}

	const UClass* Class;
	std::size_t Index = 0;
	bool bIncludeSuper;
};
