#pragma once

#include <optional>
#include <string>
#include <string_view>

class UObject;

/** A property line of a copy-paste text as an object reads it: `Name=Value` or `Name(Index)=Value`. */
struct FObjectTextLine
{
	std::string_view Name;
	std::optional<int> ArrayIndex;
	/** The raw text after the `=`. */
	std::string_view Value;
};

/** What an object reading its lines of a copy-paste text may ask of the text's reader. */
class FObjectTextImportContext
{
public:
	virtual ~FObjectTextImportContext() = default;

	/**
	 * The object of the same text that a reference names, in any spelling (`Button'"Button_0"'`,
	 * `/Script/UMG.Button'"Button_0"'`, `"/Script/UMG.Button'Button_0'"`, a bare or dotted name, a
	 * full path). A name is looked up from From outward: From itself and its sub-objects, then its
	 * outer and the outer's sub-objects, up to the text's top-level objects. nullptr for None and,
	 * with a warning, for an object the text does not hold.
	 */
	virtual UObject* ResolveReference(const UObject& From, std::string_view ReferenceText) = 0;

	/** Reports a line the object refused or could only partly read. */
	virtual void Warn(std::string Message) = 0;
};
