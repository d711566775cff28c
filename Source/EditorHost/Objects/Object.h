#pragma once

#include "Objects/ObjectFlags.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class FJsonObject;
class FObjectTextImportContext;
class UClass;
class UObject;
class UPackage;
struct FObjectTextLine;

/** The class of an engine path such as "/Script/Engine.Actor"; stops the program when the class database lacks it. */
UClass* FindEngineClassChecked(std::string_view ClassPath);

/**
 * Gives a C++ type its engine class: ThisClass::StaticClass() is the class at
 * ClassPathText in the class database, and Super names the C++ base.
 */
#define DECLARE_ENGINE_CLASS(TClass, TSuperClass, ClassPathText)                                                       \
public:                                                                                                               \
	using Super = TSuperClass;                                                                                        \
	using ThisClass = TClass;                                                                                         \
	static constexpr std::string_view StaticClassPath = ClassPathText;                                               \
	static UClass* StaticClass()                                                                                      \
	{                                                                                                                 \
		static UClass* const Class = FindEngineClassChecked(StaticClassPath);                                        \
		return Class;                                                                                                 \
	}                                                                                                                 \
                                                                                                                      \
private:

/** One asset registry tag: a name and its text, as the registry lists it without loading the asset. */
struct FAssetRegistryTag
{
	std::string Name;
	std::string Value;
};

/**
 * The base of every editor object: a name, a class, an outer and flags. Objects
 * form a tree owned from the top: a package owns its assets, an object owns the
 * objects whose outer it is, and destroying one destroys everything inside it.
 * Objects are created with NewObject (or loaded), never constructed directly.
 */
class UObject
{
	DECLARE_ENGINE_CLASS(UObject, UObject, "/Script/CoreUObject.Object")

public:
	UObject();
	virtual ~UObject();
	UObject(const UObject&) = delete;
	UObject& operator=(const UObject&) = delete;

	const std::string& GetName() const { return Name; }
	UClass* GetClass() const { return Class; }
	UObject* GetOuter() const { return Outer; }
	/** The outermost object: the package this object lives in (a package is its own). */
	UPackage* GetPackage() const;
	/**
	 * The editor's path name: "/Game/Folder/Name" for a package, "/Game/Folder/Name.Name"
	 * for an asset, "/Game/Folder/Name.Name:Sub" for an object inside an asset, and
	 * deeper objects joined with "." after that ("...Name:Sub.Inner").
	 */
	std::string GetPathName() const;
	/** "ClassName PathName", the form log lines use. */
	std::string GetFullName() const;

	/** Whether the class is Class or derives from it. */
	bool IsA(const UClass* SomeBase) const;
	template <typename T>
	bool IsA() const
	{
		return IsA(T::StaticClass());
	}

	EObjectFlags GetFlags() const { return Flags; }
	bool HasAnyFlags(EObjectFlags Mask) const { return (Flags & Mask) != RF_NoFlags; }
	bool HasAllFlags(EObjectFlags Mask) const { return (Flags & Mask) == Mask; }
	void SetFlags(EObjectFlags NewFlags) { Flags = Flags | NewFlags; }
	void ClearFlags(EObjectFlags OldFlags) { Flags = Flags & ~OldFlags; }
	/** The object stays in memory until the next garbage collection but no longer counts as valid. */
	void MarkAsGarbage() { SetFlags(RF_MirroredGarbage); }
	bool IsGarbage() const { return HasAnyFlags(RF_MirroredGarbage); }

	/** An asset: directly inside a package that is not transient, and itself neither transient nor garbage. */
	bool IsAsset() const;
	/** Marks the package as changed since its last save; false for transient packages. */
	bool MarkPackageDirty() const;

	/**
	 * Records that the object is about to change. There is no undo buffer, so nothing is recorded
	 * and the answer is always false; with bAlwaysMarkDirty the package is marked dirty.
	 */
	virtual bool Modify(bool bAlwaysMarkDirty = true);
	/** Called once the object is made (created or about to load) and sits inside its outer: the place to make default sub-objects. */
	virtual void PostInitProperties();
	/** Called after Rename gave the object a new name or outer (OldOuter is the one it had before). */
	virtual void PostRename(UObject* OldOuter, std::string_view OldName);
	/** Called before a property of the object is edited (nullptr: several or unknown ones). */
	virtual void PreEditChange(const class FProperty* PropertyAboutToChange);
	/** Called after the object was edited. */
	virtual void PostEditChange();
	/**
	 * Gives the object a new name and/or moves it into a new outer (nullptr keeps each). Without
	 * a new name the object keeps its own, or gets a unique one when the new outer already holds
	 * an object of that name. False, with nothing changed, when it cannot be done: a package
	 * cannot move, an object cannot move into itself or anything inside it, and a name must be
	 * valid and not held by another object of the new outer. Both packages are marked dirty
	 * unless REN_DoNotDirty is given; REN_Test only checks.
	 */
	bool Rename(const char* NewName, UObject* NewOuter, ERenameFlags Flags = REN_None);

	/** The object directly inside this one with that name, or nullptr. */
	UObject* FindInnerObject(std::string_view InnerName) const;
	/** The objects directly inside this one, in creation order. */
	std::vector<UObject*> GetInnerObjects() const;

	/** The object's slot in the object table (what weak pointers hold). */
	int32_t GetUniqueID() const { return InternalIndex; }

	/**
	 * Reads the object's fields from its asset file (the whole file object, header
	 * included); false and a reason when they are not what the object needs. An
	 * object whose class has no C++ type of its own keeps the fields and the
	 * header's tags as they were read, so saving it loses nothing.
	 */
	virtual bool LoadAssetFields(const FJsonObject& File, std::string& OutError);
	/** Writes the object's fields after the header of its asset file. */
	virtual void SaveAssetFields(FJsonObject& OutFile) const;
	/** The registry tags this asset publishes; written into the header when saved. */
	virtual void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const;

	/**
	 * Reads a property line of a copy-paste text that sets a native member of the object rather
	 * than a reflected property (a widget slot's panel and content); false when the object has no
	 * member of that name, so the line goes to the reflected properties.
	 */
	virtual bool ImportTextMember(const FObjectTextLine& Line, FObjectTextImportContext& Context);
	/**
	 * Keeps a line of a copy-paste text that nothing of the object reads (as written, without
	 * indentation), so copying the object to text writes it again; false when the object keeps
	 * no such lines.
	 */
	virtual bool KeepTextLine(std::string_view Line);

private:
	friend class FObjectInternals;
	friend class FPropertyValueStore;

	struct FKeptAssetFile;

	std::string Name;
	UClass* Class = nullptr;
	UObject* Outer = nullptr;
	EObjectFlags Flags = RF_NoFlags;
	int32_t InternalIndex = -1;
	std::vector<std::unique_ptr<UObject>> InnerObjects;
	/** The inner objects by name (the first one when names repeat), so lookups do not walk the list. */
	std::unordered_map<std::string, UObject*> InnerObjectsByName;
	std::unique_ptr<FKeptAssetFile> KeptAssetFile;
	/** Reflected property values set on this object, as export text, in the order first set (Objects/PropertyValues.h). */
	std::vector<std::pair<std::string, std::string>> PropertyValueTexts;
};

/** False for nullptr and for objects marked as garbage. */
inline bool IsValid(const UObject* Object)
{
	return Object != nullptr && !Object->IsGarbage();
}

/** The object as a T when its C++ type is one, else nullptr. */
template <typename T>
T* Cast(UObject* Object)
{
	return dynamic_cast<T*>(Object);
}

template <typename T>
const T* Cast(const UObject* Object)
{
	return dynamic_cast<const T*>(Object);
}
