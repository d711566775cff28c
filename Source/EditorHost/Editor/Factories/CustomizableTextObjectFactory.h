#pragma once

#include "Objects/ObjectFlags.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class UClass;
class UObject;

/**
 * Builds objects from an editor copy-paste text ("Begin Object Class=... Name=..." blocks with
 * nested sub-objects and property lines) into an outer. Subclasses choose which classes they
 * construct and see each object as it is made. Property lines are imported through the
 * reflected properties of each object's class after every object of the text exists, so
 * references between the objects of one text ("Parent=/Script/UMG.CanvasPanel'\"Canvas\"'")
 * resolve whatever their order. Hostile or truncated text never crashes: what cannot be read
 * is skipped and reported in the warnings.
 */
class FCustomizableTextObjectFactory
{
public:
	virtual ~FCustomizableTextObjectFactory() = default;

	/** Constructs the objects of TextBuffer inside InParent with Flags set on each. */
	void ProcessBuffer(UObject* InParent, EObjectFlags Flags, std::string_view TextBuffer);

	/** Whether the text can be read at all (holds at least one object block this factory would construct). */
	bool CanCreateObjectsFromText(std::string_view TextBuffer) const;

	/** What the last ProcessBuffer skipped, one line per fault. */
	const std::vector<std::string>& GetWarnings() const { return Warnings; }

protected:
	/**
	 * Whether top-level objects of ObjectClass are constructed; bOmitSubObjects skips the block's
	 * nested objects. Sub-objects of a constructed object are made whatever their class.
	 */
	virtual bool CanCreateClass(UClass* ObjectClass, bool& bOmitSubObjects) const = 0;
	/**
	 * Called once every object of the text is constructed and has read its lines, with the
	 * top-level objects in construction order: the place for links between the objects.
	 */
	virtual void PostImportObjects(const std::vector<UObject*>& TopLevelObjects);
	/** Called for every constructed top-level object after PostImportObjects, in construction order. */
	virtual void ProcessConstructedObject(UObject* NewObject) = 0;

	/** Adds a line to the warnings of this ProcessBuffer. */
	void Warn(std::string Message) { Warnings.push_back(std::move(Message)); }

private:
	std::vector<std::string> Warnings;
};
