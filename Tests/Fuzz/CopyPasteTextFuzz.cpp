#include "Graph/CopyPasteText.h"
#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace
{
	/** The items of a list text, or nothing when it is not a list. */
	std::optional<std::vector<FCopyPasteListItem>> ListItems(std::string_view Text)
	{
		std::vector<FCopyPasteListItem> Items;
		FCopyPasteListReader Reader(Text);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			Items.push_back(*Item);
		}
		return Reader.IsList() ? std::optional(std::move(Items)) : std::nullopt;
	}

	/** Whether the flat list reader finds the parser's items, keys and value texts. */
	bool SplitsAsParsed(std::string_view Text)
	{
		const std::optional<std::vector<FCopyPasteListItem>> Items = ListItems(Text);
		const FCopyPasteValue Parsed = ParseCopyPasteValue(Text);
		if (Items.has_value() != (Parsed.Kind == FCopyPasteValue::EKind::List))
		{
			return false;
		}
		if (!Items)
		{
			return true;
		}
		if (Items->size() != Parsed.Items.size())
		{
			return false;
		}
		for (std::size_t Index = 0; Index < Items->size(); ++Index)
		{
			const FCopyPasteValueItem& Item = Parsed.Items[Index];
			if ((*Items)[Index].Key != Item.Key || (*Items)[Index].Value != WriteCopyPasteValue(Item.Value))
			{
				return false;
			}
		}
		return true;
	}
}

// Any text may be pasted. The reader must never crash; what it writes must read back to the
// same text; and any value or pin text must write back exactly as it was read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
	const std::string Written = WriteCopyPasteText(ParseCopyPasteText(Text).Document);
	const FCopyPasteParse Reread = ParseCopyPasteText(Written);
	if (!Reread.Warnings.empty() || WriteCopyPasteText(Reread.Document) != Written)
	{
		std::fprintf(stderr, "written text does not read back the same\n");
		std::abort();
	}
	if (IsCopyPasteList(Text) != (ParseCopyPasteValue(Text).Kind == FCopyPasteValue::EKind::List))
	{
		std::fprintf(stderr, "the list test disagrees with the parser\n");
		std::abort();
	}
	if (WriteCopyPasteValue(ParseCopyPasteValue(Text)) != Text)
	{
		std::fprintf(stderr, "value text did not write back as read\n");
		std::abort();
	}
	if (ParseCopyPastePin(Text).has_value() != IsCopyPasteList(Text))
	{
		std::fprintf(stderr, "the pin reader disagrees with the list test\n");
		std::abort();
	}
	if (!SplitsAsParsed(Text))
	{
		std::fprintf(stderr, "the list items disagree with the parser\n");
		std::abort();
	}
	return 0;
}
