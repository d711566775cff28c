#pragma once

#include "Objects/ObjectFlags.h"

#include <memory>
#include <string>
#include <string_view>

class UClass;
class UObject;

/**
 * What object creation, loading and collection do to an object's identity and
 * ownership. Only the object system itself uses it; everyone else goes
 * through NewObject, CreatePackage and the loaders.
 */
class FObjectInternals
{
public:
	/** Names the object, gives it its class, outer and flags, and a slot in the object table. */
	static void Initialize(UObject& Object, UClass* Class, UObject* Outer, std::string Name, EObjectFlags Flags);
	static void SetClass(UObject& Object, UClass* Class);
	/**
	 * Makes an object of Class (its nearest C++ type) inside Outer, which owns it, and calls its
	 * PostInitProperties. No checks and no announcement: the callers (NewObject, the package loader)
	 * do those that apply to them.
	 */
	static UObject* Construct(UClass* Class, UObject& Outer, std::string Name, EObjectFlags Flags);
	/** Hands the object to its outer, which owns it from then on. */
	static UObject* AttachToOuter(std::unique_ptr<UObject> Object);
	/**
	 * Moves the object, with everything inside it, from its outer into NewOuter under NewName.
	 * The caller has checked that the move is sound (ObjectGlobals' rules for names, no loop).
	 */
	static void MoveToOuter(UObject& Object, UObject& NewOuter, std::string NewName);
	/**
	 * Not empty, no path separator, none of the characters the editor refuses in object names
	 * (quotes, space, comma: copy-paste text and references could not name the object) and no
	 * control character.
	 */
	static bool IsValidObjectName(std::string_view Name);
	/** Destroys the object directly inside Outer with that name; false when there is none. */
	static bool DestroyInnerObject(UObject& Outer, UObject& Inner);
	/** Destroys every object inside Outer (at any depth) marked as garbage. */
	static void CollectGarbageInside(UObject& Outer);
};
