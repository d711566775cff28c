#include "Graph/CopyPasteTextValue.h"

#include "Graph/CopyPasteText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
	/** Lists and calls nest at most this deep; deeper text stays one token. */
	constexpr std::size_t MaxValueDepth = CopyPasteMaxDepth;

	constexpr bool IsNameStart(char Char)
	{
		return (Char >= 'A' && Char <= 'Z') || (Char >= 'a' && Char <= 'z') || Char == '_';
	}

	constexpr bool IsNameChar(char Char)
	{
		return IsNameStart(Char) || (Char >= '0' && Char <= '9');
	}

	/** The characters of a key's name: a name's, and dots (`PinType.PinCategory`). */
	constexpr std::array<bool, 256> KeyNameChars = [] {
		std::array<bool, 256> Chars{};
		for (int Char = 0; Char < 256; ++Char)
		{
			Chars[static_cast<std::size_t>(Char)] = IsNameChar(static_cast<char>(Char)) || Char == '.';
		}
		return Chars;
	}();

	/** Which bytes a scan of list text has to look at: quotes and brackets, and commas too when splitting items. */
	class FScanStops
	{
	public:
		constexpr explicit FScanStops(std::string_view InStops)
		{
			for (const char Stop : InStops)
			{
				bStop[static_cast<unsigned char>(Stop)] = true;
				Stops[StopCount++] = Stop;
			}
		}

		/**
		 * The first stop at or after From, or the text's size. Pin lines are hundreds of bytes
		 * with runs of plain text between stops, so this is the scan's inner loop: sixteen bytes
		 * at a time where the processor has SSE2, a byte at a time for the rest.
		 */
		std::size_t Next(std::string_view Text, std::size_t From) const
		{
#if defined(__SSE2__)
			while (From + 16 <= Text.size())
			{
				const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + From));
				__m128i Hits = _mm_setzero_si128();
				for (std::size_t Index = 0; Index < StopCount; ++Index)
				{
					Hits = _mm_or_si128(Hits, _mm_cmpeq_epi8(Bytes, _mm_set1_epi8(Stops[Index])));
				}
				if (const auto Mask = static_cast<unsigned>(_mm_movemask_epi8(Hits)); Mask != 0)
				{
					return From + static_cast<std::size_t>(std::countr_zero(Mask));
				}
				From += 16;
			}
#endif
			while (From < Text.size() && !bStop[static_cast<unsigned char>(Text[From])])
			{
				++From;
			}
			return From;
		}

	private:
		std::array<bool, 256> bStop{};
		std::array<char, 4> Stops{};
		std::size_t StopCount = 0;
	};

	constexpr FScanStops StringStops("\\\"");
	constexpr FScanStops BracketStops("\"()");
	constexpr FScanStops ItemStops("\"(),");

	/** The index just past the string that opens at Start, or nothing when it is not closed. */
	std::optional<std::size_t> SkipString(std::string_view Text, std::size_t Start)
	{
		for (std::size_t Index = StringStops.Next(Text, Start + 1); Index < Text.size(); Index = StringStops.Next(Text, Index + 1))
		{
			if (Text[Index] == '\\')
			{
				++Index;
			}
			else
			{
				return Index + 1;
			}
		}
		return std::nullopt;
	}

	/** Where the bracket that opens at Open closes, outside strings. */
	std::optional<std::size_t> FindClose(std::string_view Text, std::size_t Open)
	{
		std::size_t Depth = 0;
		for (std::size_t Index = BracketStops.Next(Text, Open); Index < Text.size(); Index = BracketStops.Next(Text, Index + 1))
		{
			const char Char = Text[Index];
			if (Char == '"')
			{
				const std::optional<std::size_t> After = SkipString(Text, Index);
				if (!After)
				{
					return std::nullopt;
				}
				Index = *After - 1;
			}
			else if (Char == '(')
			{
				++Depth;
			}
			else if (Char == ')' && --Depth == 0)
			{
				return Index;
			}
		}
		return std::nullopt;
	}

	/**
	 * Where the item that starts at From ends: the next comma outside strings and brackets, or
	 * the text's end; nothing when the item's strings or brackets are not balanced.
	 */
	std::optional<std::size_t> FindItemEnd(std::string_view Text, std::size_t From)
	{
		std::size_t Depth = 0;
		for (std::size_t Index = ItemStops.Next(Text, From); Index < Text.size(); Index = ItemStops.Next(Text, Index + 1))
		{
			const char Char = Text[Index];
			if (Char == '"')
			{
				const std::optional<std::size_t> After = SkipString(Text, Index);
				if (!After)
				{
					return std::nullopt;
				}
				Index = *After - 1;
			}
			else if (Char == '(')
			{
				++Depth;
			}
			else if (Char == ')')
			{
				if (Depth == 0)
				{
					return std::nullopt;
				}
				--Depth;
			}
			else if (Char == ',' && Depth == 0)
			{
				return Index;
			}
		}
		return Depth == 0 ? std::optional(Text.size()) : std::nullopt;
	}

	/**
	 * Calls OnPiece with the text between each pair of commas that are outside strings and
	 * brackets (and the rest after the last); false, possibly after some calls, when the text's
	 * strings or brackets are not balanced.
	 */
	template <typename TOnPiece>
	bool ScanItems(std::string_view Text, TOnPiece&& OnPiece)
	{
		for (std::size_t Start = 0;;)
		{
			const std::optional<std::size_t> End = FindItemEnd(Text, Start);
			if (!End)
			{
				return false;
			}
			OnPiece(Text.substr(Start, *End - Start));
			if (*End == Text.size())
			{
				return true;
			}
			Start = *End + 1;
		}
	}

	/** The text between commas that are outside strings and brackets; nothing when unbalanced. */
	std::optional<std::vector<std::string_view>> SplitItems(std::string_view Text)
	{
		std::vector<std::string_view> Pieces;
		if (!ScanItems(Text, [&Pieces](std::string_view Piece) { Pieces.push_back(Piece); }))
		{
			return std::nullopt;
		}
		return Pieces;
	}

	/**
	 * Where the run of key name characters (KeyNameChars) that starts at From ends. Keys are the
	 * most frequent text of a pin line, so where the processor has SSE2 this tests sixteen bytes
	 * at a time: each range of characters is one signed compare after shifting the range's low
	 * end to the lowest signed byte.
	 */
	std::size_t KeyNameEnd(std::string_view Text, std::size_t From)
	{
		std::size_t End = From;
#if defined(__SSE2__)
		const auto InRange = [](__m128i Bytes, char Low, char High) {
			const __m128i Shifted = _mm_add_epi8(Bytes, _mm_set1_epi8(static_cast<char>(-128 - Low)));
			return _mm_cmplt_epi8(Shifted, _mm_set1_epi8(static_cast<char>(-128 + (High - Low) + 1)));
		};
		while (End + 16 <= Text.size())
		{
			const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + End));
			const __m128i Letters = _mm_or_si128(InRange(Bytes, 'a', 'z'), InRange(Bytes, 'A', 'Z'));
			const __m128i Others = _mm_or_si128(InRange(Bytes, '0', '9'), _mm_or_si128(_mm_cmpeq_epi8(Bytes, _mm_set1_epi8('_')), _mm_cmpeq_epi8(Bytes, _mm_set1_epi8('.'))));
			const auto NotName = static_cast<unsigned>(~_mm_movemask_epi8(_mm_or_si128(Letters, Others))) & 0xFFFFu;
			if (NotName != 0)
			{
				return End + static_cast<std::size_t>(std::countr_zero(NotName));
			}
			End += 16;
		}
#endif
		while (End < Text.size() && KeyNameChars[static_cast<unsigned char>(Text[End])])
		{
			++End;
		}
		return End;
	}

	/** The length of `Name` or `Name(Index)` followed by `=` at the start of Text. */
	std::optional<std::size_t> KeyLength(std::string_view Text)
	{
		if (Text.empty() || !IsNameStart(Text.front()))
		{
			return std::nullopt;
		}
		std::size_t End = KeyNameEnd(Text, 1);
		if (End < Text.size() && Text[End] == '(')
		{
			const std::size_t Digits = End + 1;
			End = Digits;
			while (End < Text.size() && Text[End] >= '0' && Text[End] <= '9')
			{
				++End;
			}
			if (End == Digits || End >= Text.size() || Text[End] != ')')
			{
				return std::nullopt;
			}
			++End;
		}
		if (End >= Text.size() || Text[End] != '=')
		{
			return std::nullopt;
		}
		return End;
	}

	bool IsBlank(std::string_view Text)
	{
		return Text.find_first_not_of(" \t") == std::string_view::npos;
	}

	FCopyPasteValue ParseSpan(std::string_view Text, std::size_t Depth);

	struct FItemPiece
	{
		std::string_view Space;
		FCopyPasteListItem Item;
	};

	/** A piece between commas as an item: the spaces before it, its key when it has one, and its value. */
	FItemPiece SplitPiece(std::string_view Piece)
	{
		FItemPiece Split;
		std::size_t SpaceEnd = 0;
		while (SpaceEnd < Piece.size() && (Piece[SpaceEnd] == ' ' || Piece[SpaceEnd] == '\t'))
		{
			++SpaceEnd;
		}
		Split.Space = Piece.substr(0, SpaceEnd);
		Piece.remove_prefix(SpaceEnd);
		if (const std::optional<std::size_t> Length = KeyLength(Piece))
		{
			Split.Item.Key = Piece.substr(0, *Length);
			Piece.remove_prefix(*Length + 1);
		}
		Split.Item.Value = Piece;
		return Split;
	}

	/** The items between a list's or call's brackets. */
	std::optional<FCopyPasteValue> ParseItems(std::string_view Inner, FCopyPasteValue::EKind Kind, std::size_t Depth)
	{
		std::optional<std::vector<std::string_view>> Pieces = SplitItems(Inner);
		if (!Pieces)
		{
			return std::nullopt;
		}
		FCopyPasteValue Value;
		Value.Kind = Kind;
		if (IsBlank(Pieces->back()))
		{
			Value.bTrailingComma = Pieces->size() > 1;
			Value.TrailingSpace = Pieces->back();
			Pieces->pop_back();
		}
		Value.Items.reserve(Pieces->size());
		for (const std::string_view Piece : *Pieces)
		{
			const FItemPiece Split = SplitPiece(Piece);
			FCopyPasteValueItem& Item = Value.Items.emplace_back();
			Item.Space = Split.Space;
			if (Split.Item.Key)
			{
				Item.Key = *Split.Item.Key;
			}
			Item.Value = ParseSpan(Split.Item.Value, Depth + 1);
		}
		return Value;
	}

	FCopyPasteValue MakeToken(std::string_view Text)
	{
		FCopyPasteValue Value;
		Value.Text = Text;
		return Value;
	}

	FCopyPasteValue ParseSpan(std::string_view Text, std::size_t Depth)
	{
		if (Text.empty() || Depth >= MaxValueDepth)
		{
			return MakeToken(Text);
		}
		if (Text.front() == '"')
		{
			if (SkipString(Text, 0) == Text.size())
			{
				FCopyPasteValue Value;
				Value.Kind = FCopyPasteValue::EKind::String;
				Value.Text = Text;
				return Value;
			}
			return MakeToken(Text);
		}
		std::size_t Open = 0;
		while (Open < Text.size() && IsNameChar(Text[Open]))
		{
			++Open;
		}
		const bool bList = Open == 0;
		if (Open < Text.size() && Text[Open] == '(' && (bList || IsNameStart(Text.front())) && FindClose(Text, Open) == Text.size() - 1)
		{
			const FCopyPasteValue::EKind Kind = bList ? FCopyPasteValue::EKind::List : FCopyPasteValue::EKind::Call;
			if (std::optional<FCopyPasteValue> Value = ParseItems(Text.substr(Open + 1, Text.size() - Open - 2), Kind, Depth))
			{
				Value->Text = Text.substr(0, Open);
				return std::move(*Value);
			}
		}
		return MakeToken(Text);
	}

	void WriteValue(const FCopyPasteValue& Value, std::string& Out, std::size_t Depth)
	{
		Out += Value.Text;
		if (Value.Kind != FCopyPasteValue::EKind::List && Value.Kind != FCopyPasteValue::EKind::Call)
		{
			return;
		}
		Out += '(';
		for (std::size_t Index = 0; Index < Value.Items.size() && Depth < MaxValueDepth; ++Index)
		{
			const FCopyPasteValueItem& Item = Value.Items[Index];
			Out += Index > 0 ? "," : "";
			Out += Item.Space;
			if (Item.Key)
			{
				Out += *Item.Key + '=';
			}
			WriteValue(Item.Value, Out, Depth + 1);
		}
		Out += Value.bTrailingComma ? "," : "";
		Out += Value.TrailingSpace;
		Out += ')';
	}
}

const FCopyPasteValue* FCopyPasteValue::Find(std::string_view Key) const
{
	for (const FCopyPasteValueItem& Item : Items)
	{
		if (Item.Key == Key)
		{
			return &Item.Value;
		}
	}
	return nullptr;
}

std::string FCopyPasteValue::AsPlainText() const
{
	if (Kind == EKind::String)
	{
		return UnquoteCopyPasteString(Text).value_or(Text);
	}
	return WriteCopyPasteValue(*this);
}

FCopyPasteValue ParseCopyPasteValue(std::string_view Text)
{
	return ParseSpan(Text, 0);
}

bool IsCopyPasteList(std::string_view Text)
{
	// The list case of ParseSpan at the top: a bracket first and last, and balanced items between
	// (which is what makes the last bracket the first one's match).
	return Text.size() >= 2 && Text.front() == '(' && Text.back() == ')' && ScanItems(Text.substr(1, Text.size() - 2), [](std::string_view) {});
}

FCopyPasteListReader::FCopyPasteListReader(std::string_view Text)
{
	if (Text.size() < 2 || Text.front() != '(' || Text.back() != ')')
	{
		bDone = true;
		return;
	}
	Inner = Text.substr(1, Text.size() - 2);
}

std::optional<FCopyPasteListItem> FCopyPasteListReader::Next()
{
	// The item ParseItems would make from the next piece ScanItems finds, in one pass: a key is
	// read where the piece starts, and the scan for the piece's end goes on from after it.
	while (!bDone)
	{
		std::size_t ValueStart = Start;
		while (ValueStart < Inner.size() && (Inner[ValueStart] == ' ' || Inner[ValueStart] == '\t'))
		{
			++ValueStart;
		}
		FCopyPasteListItem Item;
		if (const std::optional<std::size_t> Length = KeyLength(Inner.substr(ValueStart)))
		{
			Item.Key = Inner.substr(ValueStart, *Length);
			ValueStart += *Length + 1;
		}
		const std::optional<std::size_t> End = FindItemEnd(Inner, ValueStart);
		if (!End)
		{
			bDone = true;
			return std::nullopt;
		}
		const bool bLast = *End == Inner.size();
		const std::string_view Piece = Inner.substr(Start, *End - Start);
		bDone = bLast;
		bList = bLast;
		Start = *End + 1;
		// Blank text after the last comma (or in an empty list) is no item.
		if (!bLast || !IsBlank(Piece))
		{
			Item.Value = Inner.substr(ValueStart, *End - ValueStart);
			return Item;
		}
	}
	return std::nullopt;
}

std::string_view FCopyPasteListReader::Rest() const
{
	return bDone ? std::string_view() : Inner.substr(std::min(Start, Inner.size()));
}

std::string WriteCopyPasteValue(const FCopyPasteValue& Value)
{
	std::string Out;
	WriteValue(Value, Out, 0);
	return Out;
}

std::optional<std::string> UnquoteCopyPasteString(std::string_view Text)
{
	if (Text.empty() || Text.front() != '"' || SkipString(Text, 0) != Text.size())
	{
		return std::nullopt;
	}
	const std::string_view Quoted = Text.substr(1, Text.size() - 2);
	if (Quoted.find('\\') == std::string_view::npos)
	{
		return std::string(Quoted);
	}
	std::string Content;
	Content.reserve(Quoted.size());
	for (std::size_t Index = 1; Index + 1 < Text.size(); ++Index)
	{
		char Char = Text[Index];
		if (Char == '\\')
		{
			Char = Text[++Index];
			Char = Char == 'n' ? '\n' : Char == 'r' ? '\r' : Char == 't' ? '\t' : Char;
		}
		Content += Char;
	}
	return Content;
}

std::string QuoteCopyPasteString(std::string_view Content)
{
	std::string Text = "\"";
	for (const char Char : Content)
	{
		switch (Char)
		{
		case '\n': Text += "\\n"; break;
		case '\r': Text += "\\r"; break;
		case '\t': Text += "\\t"; break;
		case '\\': case '"': case '\'': Text += '\\'; Text += Char; break;
		default: Text += Char; break;
		}
	}
	return Text + '"';
}
