#pragma once

#include "Objects/ObjectFlags.h"

#include <string>
#include <string_view>
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
	/** Whether objects of ObjectClass are constructed; bOmitSubObjects skips the block's nested objects. */
	virtual bool CanCreateClass(UClass* ObjectClass, bool& bOmitSubObjects) const = 0;
	/** Called for every constructed object once its properties are imported, in construction order. */
	virtual void ProcessConstructedObject(UObject* NewObject) = 0;

private:
	std::vector<std::string> Warnings;
};
