#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The editor's node copy-paste text (T3D) as a document: top-level objects, each with its
 * header, property lines, CustomProperties lines, nested objects and any other line, in the
 * order they were written. Values stay raw text here; CopyPasteTextValue.h parses them.
 * docs/COPY_PASTE_FORMAT.md describes the format.
 */

/** `Key=Value` on a `Begin Object` line (ExportPath, Archetype, ...), kept as written. */
struct FCopyPasteAttribute
{
	std::string Key;
	/** Missing when the word had no `=`. */
	std::optional<std::string> Value;
};

/** `Name=Value` or `Name(Index)=Value`; the value is the raw text after the `=`. */
struct FCopyPasteProperty
{
	std::string Name;
	std::optional<int> ArrayIndex;
	std::string Value;
};

/** `CustomProperties Kind Text`, e.g. Kind `Pin` and Text `(PinId=...,)`. */
struct FCopyPasteCustomProperty
{
	std::string Kind;
	std::string Text;
};

/** What one line (or block) of an object's body is; see FCopyPasteObject::Layout. */
enum class ECopyPasteEntry
{
	Property,
	CustomProperty,
	/** A child's first block: the whole child, or only its declaration when it is defined later. */
	Child,
	/** The later `Begin Object Name=...` block that holds a declared child's body. */
	ChildDefinition,
	OtherLine,
};

struct FCopyPasteLayoutEntry
{
	ECopyPasteEntry Kind;
	/** Index into the collection that Kind names (Children for both child kinds). */
	std::size_t Index;
};

struct FCopyPasteObject
{
	/** As written: `/Script/BlueprintGraph.K2Node_CallFunction` or `K2Node_CallFunction`; empty when absent. */
	std::string Class;
	/** Without its quotes. */
	std::string Name;
	/** The other attributes of the first `Begin Object` line, in order. */
	std::vector<FCopyPasteAttribute> Attributes;
	/**
	 * Set when the object was declared (`Begin Object Class=C Name="N"` with no body) and its
	 * body came in a later `Begin Object Name="N"` block of the same parent: the attributes
	 * of that later line (ExportPath in UE5).
	 */
	std::optional<std::vector<FCopyPasteAttribute>> DefinitionAttributes;

	std::vector<FCopyPasteProperty> Properties;
	std::vector<FCopyPasteCustomProperty> CustomProperties;
	std::vector<FCopyPasteObject> Children;
	/** Lines that are none of the above, without their indentation. */
	std::vector<std::string> OtherLines;
	/** The order of the body as written. The Add functions keep it in step. */
	std::vector<FCopyPasteLayoutEntry> Layout;

	void AddProperty(FCopyPasteProperty Property);
	/** Adds a property where the editor writes one: after the other properties, before the CustomProperties lines. */
	void AddPropertyBeforeCustomProperties(FCopyPasteProperty Property);
	void AddCustomProperty(FCopyPasteCustomProperty CustomProperty);
	/** Adds a child written as one block. */
	void AddChild(FCopyPasteObject Child);
	/** Adds a child declared here and defined at the end of the body so far. */
	void AddDeclaredChild(FCopyPasteObject Child);
	void AddOtherLine(std::string Line);
	/** Removes the custom property at that index from the body and its layout. */
	void RemoveCustomProperty(std::size_t Index);

	/** The first property of that name (and index, when given). */
	const FCopyPasteProperty* FindProperty(std::string_view PropertyName, std::optional<int> Index = std::nullopt) const;
	/** The child of that name: sub-object names are only unique within their parent. */
	const FCopyPasteObject* FindChild(std::string_view ChildName) const;
};

/** How the text was laid out; the writer reproduces it. A new document gets the editor's layout. */
struct FCopyPasteLayout
{
	/** One level of indentation: the editor writes three spaces. */
	std::string Indent = "   ";
	/** The editor on Windows puts CR LF on the clipboard. */
	std::string LineEnd = "\r\n";
	bool bEndsWithLineEnd = true;
};

struct FCopyPasteDocument
{
	std::vector<FCopyPasteObject> Objects;
	FCopyPasteLayout Layout;
};

struct FCopyPasteWarning
{
	/** 1-based. */
	std::size_t Line;
	std::string Message;
};

struct FCopyPasteParse
{
	FCopyPasteDocument Document;
	/** Lines the reader could not place and objects it had to close or drop. */
	std::vector<FCopyPasteWarning> Warnings;
};

/** Objects nest at most this deep; deeper blocks are dropped with a warning. */
inline constexpr std::size_t CopyPasteMaxDepth = 64;

/** Reads any text without failing: whatever does not fit is reported and left out. */
FCopyPasteParse ParseCopyPasteText(std::string_view Text);

/**
 * Reads the text as ParseCopyPasteText does, but hands each top-level object to OnObject as soon
 * as its block ends (or the text does), so the caller uses it while its text is still in the
 * processor's caches. The answer has the layout and warnings and no objects.
 */
FCopyPasteParse ReadCopyPasteText(std::string_view Text, const std::function<void(FCopyPasteObject&&)>& OnObject);

/** Writes the document in its layout; text the reader took from the editor comes back byte for byte. */
std::string WriteCopyPasteText(const FCopyPasteDocument& Document);

/** A custom property line's kind and text, viewed. */
struct FCopyPasteCustomPropertyView
{
	std::string_view Kind;
	std::string_view Text;
};

/**
 * Writes top-level objects one at a time into one text, as WriteCopyPasteText writes a document.
 * A custom property may be a slot whose line the caller gives as the object is written, so a
 * caller holding those lines elsewhere writes them without copying them into the object.
 */
class FCopyPasteTextWriter
{
public:
	/** The line to write in place of the next slot, or nothing to leave the slot out. */
	using FSlotLine = std::function<std::optional<FCopyPasteCustomPropertyView>()>;

	/** ExpectedSize, when known, saves growing the text as it is written. */
	explicit FCopyPasteTextWriter(FCopyPasteLayout Layout, std::size_t ExpectedSize = 0);

	/** Writes the object as one block; its custom properties of kind SlotKind (when not empty) are written as SlotLine says. */
	void WriteObject(const FCopyPasteObject& Object, std::string_view SlotKind = {}, const FSlotLine& SlotLine = {});

	/** The text written, ending as the layout says. */
	std::string Finish() &&;

private:
	void BeginLine(std::size_t Level);
	void EndLine();
	void WriteBlock(const FCopyPasteObject& Object, std::size_t Level, bool bDefinition);
	void WriteBody(const FCopyPasteObject& Object, std::size_t Level);

	FCopyPasteLayout Layout;
	std::string Text;
	std::string_view SlotKind;
	const FSlotLine* SlotLine = nullptr;
};
