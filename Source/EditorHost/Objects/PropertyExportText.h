#pragma once

#include <optional>
#include <string>
#include <string_view>

class FProperty;
class UObject;

/** How a value is written: Delimited quotes names and strings, as the copy-paste text and structure members do. */
enum class EPropertyExportFlags
{
	None,
	Delimited,
};

/**
 * A property's value as the editor exports it against a delta (FProperty::ExportText_Direct
 * with the default object's value): a structure lists only the members that differ from the
 * delta's, nested structures likewise; any other value is its export text. Empty when the value
 * equals the delta.
 */
std::string ExportPropertyTextDelta(const FProperty& Property, std::string_view ValueText, std::string_view DeltaText, EPropertyExportFlags Flags = EPropertyExportFlags::None);

/** The identity test of two values of Property: equal member by member (missing members take the structure's defaults). */
bool ArePropertyValuesIdentical(const FProperty& Property, std::string_view A, std::string_view B);

/**
 * Imports Text as the editor's ImportText does: a structure text sets only the members it names,
 * the others keep their value in CurrentText (nested structures likewise), so "(Offsets=(Right=0.0))"
 * changes one offset. The whole resulting value text, or nothing when Text is not a value of Property.
 */
std::optional<std::string> ImportPropertyText(const FProperty& Property, std::string_view CurrentText, std::string_view Text);

/** Whether Property's values name objects: object and class references, soft, weak and lazy ones. */
bool IsObjectReferenceProperty(const FProperty& Property);

/**
 * The object path a value of an object reference property names, in any of the editor's
 * spellings (`/Script/UMG.Button'"ButtonSlot_0"'`, `Texture2D'/Game/UI/T_Icon.T_Icon'`, a bare
 * path): "ButtonSlot_0", "/Game/UI/T_Icon.T_Icon"; empty for None. Nothing when Property is no
 * object reference.
 */
std::optional<std::string> GetObjectReferencePath(const FProperty& Property, std::string_view ValueText);
