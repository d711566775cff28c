#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FCopyPasteValueItem;

/**
 * A property or pin value as a small tree: `(Key=Value,...)` lists, quoted strings, calls such
 * as NSLOCTEXT("ns", "key", "text"), and bare tokens (True, 1.000000, GUIDs, enum names, object
 * and class references in every spelling, `K2Node_X_0 <PinId>` links). Spacing, trailing commas
 * and escapes are kept, so writing an unchanged tree gives back the text it was read from.
 */
struct FCopyPasteValue
{
	enum class EKind
	{
		Token,
		String,
		List,
		Call,
	};

	EKind Kind = EKind::Token;
	/** Token: the text as written. String: with its quotes and escapes. Call: the function name. */
	std::string Text;
	/** The items of a list or the arguments of a call. */
	std::vector<FCopyPasteValueItem> Items;
	/** Whether a comma follows the last item, as on pin lines. */
	bool bTrailingComma = false;
	/** Spaces before the closing bracket when the list is empty or ends with a comma. */
	std::string TrailingSpace;

	/** The value of the first item with that key. */
	const FCopyPasteValue* Find(std::string_view Key) const;
	/** A string decoded, any other value as written. */
	std::string AsPlainText() const;
};

struct FCopyPasteValueItem
{
	/** Spaces before the item, e.g. the one after each comma in NSLOCTEXT(...). */
	std::string Space;
	/** `Key` of `Key=Value`, with its array index when it has one; missing for plain items. */
	std::optional<std::string> Key;
	FCopyPasteValue Value;
};

/** One item of a `(...)` list as written, viewing the list's text. */
struct FCopyPasteListItem
{
	/** `Key` of `Key=Value`, with its array index when it has one; missing for plain items. */
	std::optional<std::string_view> Key;
	/** The value's text, without the spaces before the item. */
	std::string_view Value;
};

/** Never fails: text that is not a well-formed list, string or call becomes one token. */
FCopyPasteValue ParseCopyPasteValue(std::string_view Text);
/** Whether ParseCopyPasteValue would read Text as a list, found without building the value. */
bool IsCopyPasteList(std::string_view Text);
/**
 * Reads the items ParseCopyPasteValue would read from a list text one at a time, as views into
 * the text: for a reader that wants a few top-level fields without building every value.
 */
class FCopyPasteListReader
{
public:
	/** Text that is not in brackets has no items; whether brackets and strings balance comes out as the items are read. */
	explicit FCopyPasteListReader(std::string_view Text);

	/** The next item; nothing at the end of the list, or where the text turns out to be no list (IsList). */
	std::optional<FCopyPasteListItem> Next();
	/** After Next gave nothing: whether the text was a list. */
	bool IsList() const { return bList; }
	/** The text of the items not read yet. */
	std::string_view Rest() const;
	/** Passes over the next Length bytes of Rest, which must be whole items, each followed by its comma. */
	void Skip(std::size_t Length) { Start += Length; }

private:
	std::string_view Inner;
	std::size_t Start = 0;
	bool bDone = false;
	bool bList = false;
};

std::string WriteCopyPasteValue(const FCopyPasteValue& Value);

/** The content of a quoted string with the editor's escapes (\" \\ \' \n \r \t) undone; nothing when Text is not one string. */
std::optional<std::string> UnquoteCopyPasteString(std::string_view Text);
/** A quoted string with the escapes the editor writes. */
std::string QuoteCopyPasteString(std::string_view Content);
