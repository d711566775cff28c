#include "Graph/CopyPasteText.h"

#include "Graph/CopyPasteTextLines.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace
{
	/** A table of the bytes a header scan stops at. */
	constexpr std::array<bool, 256> ByteSet(std::string_view Bytes)
	{
		std::array<bool, 256> Set{};
		for (const char Byte : Bytes)
		{
			Set[static_cast<unsigned char>(Byte)] = true;
		}
		return Set;
	}

	constexpr std::array<bool, 256> HeaderSpaces = ByteSet(" \t\r\v\f");
	/** Inside a word: a space ends it, a quote opens a string. */
	constexpr std::array<bool, 256> WordStops = ByteSet(" \t\r\v\f\"");
	/** Inside a string: an escape or the closing quote. */
	constexpr std::array<bool, 256> QuotedStops = ByteSet("\\\"");

	std::size_t SkipTo(std::string_view Text, std::size_t Index, const std::array<bool, 256>& Stops)
	{
		while (Index < Text.size() && !Stops[static_cast<unsigned char>(Text[Index])])
		{
			++Index;
		}
		return Index;
	}

	/** The words of a header line: runs of text between spaces, where quoted strings (with escapes) may hold spaces. */
	std::vector<std::string_view> SplitHeaderWords(std::string_view Text)
	{
		std::vector<std::string_view> Words;
		std::size_t Index = 0;
		while (true)
		{
			while (Index < Text.size() && HeaderSpaces[static_cast<unsigned char>(Text[Index])])
			{
				++Index;
			}
			if (Index == Text.size())
			{
				return Words;
			}
			const std::size_t Start = Index;
			while ((Index = SkipTo(Text, Index, WordStops)) < Text.size() && Text[Index] == '"')
			{
				// A string runs to its closing quote; an unclosed one runs to the end of the line.
				for (Index = SkipTo(Text, Index + 1, QuotedStops); Index < Text.size() && Text[Index] == '\\'; Index = SkipTo(Text, Index + 2, QuotedStops))
				{
				}
				Index = std::min(Index + 1, Text.size());
			}
			Words.push_back(Text.substr(Start, Index - Start));
		}
	}

	/**
	 * Whether a class or name can be taken out of the line and written back in the editor's
	 * place for it; one with quotes or escapes stays an attribute where it was.
	 */
	bool IsPlainWord(std::string_view Value)
	{
		return Value.find_first_of("\"\\") == std::string_view::npos;
	}

	/** The object a `Begin Object` line opens, with an empty body. */
	FCopyPasteObject ReadHeader(std::string_view Content)
	{
		// Room for a graph node's usual body (a few properties and pin lines), so reading one
		// does not regrow its lists line by line.
		constexpr std::size_t TypicalLines = 8;
		FCopyPasteObject Object;
		Object.Properties.reserve(TypicalLines);
		Object.CustomProperties.reserve(TypicalLines);
		Object.Layout.reserve(2 * TypicalLines);
		bool bHasClass = false;
		bool bHasName = false;
		for (const std::string_view Word : SplitHeaderWords(Content.substr(CopyPasteLines::BeginKeyword.size())))
		{
			const std::size_t Equals = Word.find('=');
			const std::string_view Key = Word.substr(0, Equals);
			if (Equals == std::string_view::npos)
			{
				Object.Attributes.push_back({std::string(Key), std::nullopt});
				continue;
			}
			const std::string_view Value = Word.substr(Equals + 1);
			const bool bQuoted = Value.size() >= 2 && Value.front() == '"' && Value.back() == '"';
			const std::string_view Unquoted = bQuoted ? Value.substr(1, Value.size() - 2) : Value;
			if (Key == "Class" && !bHasClass && !Value.empty() && IsPlainWord(Value))
			{
				bHasClass = true;
				Object.Class = Value;
			}
			else if (Key == "Name" && !bHasName && IsPlainWord(Unquoted))
			{
				bHasName = true;
				Object.Name = Unquoted;
			}
			else
			{
				Object.Attributes.push_back({std::string(Key), std::string(Value)});
			}
		}
		return Object;
	}

	/** A declared child still waiting for its body: the target of a `Begin Object Name=...` block. */
	FCopyPasteObject* FindDeclaration(FCopyPasteObject& Parent, std::string_view Name)
	{
		for (FCopyPasteObject& Child : Parent.Children)
		{
			if (Child.Name == Name && !Child.Class.empty() && !Child.DefinitionAttributes && Child.Layout.empty())
			{
				return &Child;
			}
		}
		return nullptr;
	}

	void ReadBodyLine(FCopyPasteObject& Object, std::string_view Content)
	{
		if (std::optional<FCopyPasteCustomProperty> Custom = CopyPasteLines::ReadCustomProperty(Content))
		{
			Object.AddCustomProperty(std::move(*Custom));
		}
		else if (std::optional<FCopyPasteProperty> Property = CopyPasteLines::ReadProperty(Content))
		{
			Object.AddProperty(std::move(*Property));
		}
		else
		{
			Object.AddOtherLine(std::string(Content));
		}
	}

	class FCopyPasteReader
	{
	public:
		explicit FCopyPasteReader(const std::function<void(FCopyPasteObject&&)>& InOnObject) : OnObject(InOnObject) {}

		FCopyPasteParse Read(std::string_view Text)
		{
			Result.Document.Layout.bEndsWithLineEnd = Text.empty() || Text.back() == '\n';
			std::size_t LineNumber = 0;
			std::size_t LineEnds = 0;
			std::size_t CarriageReturnLineEnds = 0;
			while (!Text.empty())
			{
				const std::size_t End = Text.find('\n');
				std::string_view Line = Text.substr(0, End);
				Text.remove_prefix(End == std::string_view::npos ? Text.size() : End + 1);
				if (End != std::string_view::npos)
				{
					++LineEnds;
					CarriageReturnLineEnds += Line.ends_with('\r') ? 1 : 0;
				}
				while (!Line.empty() && Line.back() == '\r')
				{
					Line.remove_suffix(1);
				}
				ReadLine(Line, ++LineNumber);
			}
			if (LineEnds > 0)
			{
				// Mixed endings (a CR LF copy pasted into an LF file) follow the majority.
				Result.Document.Layout.LineEnd = CarriageReturnLineEnds * 2 >= LineEnds ? "\r\n" : "\n";
			}
			for (std::size_t Level = Open.size(); Level-- > 0;)
			{
				Warn(Open[Level].Line, "object \"" + Open[Level].Object->Name + "\" has no End Object; kept what was read");
			}
			HandOff();
			return std::move(Result);
		}

	private:
		struct FOpenObject
		{
			FCopyPasteObject* Object;
			std::size_t Line;
		};

		void ReadLine(std::string_view Line, std::size_t LineNumber)
		{
			const std::size_t ContentStart = Line.find_first_not_of(" \t");
			if (ContentStart == std::string_view::npos)
			{
				return;
			}
			const std::string_view Indentation = Line.substr(0, ContentStart);
			const std::string_view Content = Line.substr(ContentStart);
			const bool bBegin = CopyPasteLines::IsBegin(Content);
			const bool bEnd = CopyPasteLines::IsEnd(Content);
			if (SkippedLevels > 0)
			{
				SkippedLevels += bBegin ? 1 : 0;
				SkippedLevels -= bEnd ? 1 : 0;
				return;
			}
			const std::size_t Level = bEnd && !Open.empty() ? Open.size() - 1 : Open.size();
			if (Level == 1 && !bIndentSeen)
			{
				bIndentSeen = true;
				Result.Document.Layout.Indent = Indentation;
			}
			if (bBegin)
			{
				Begin(Content, LineNumber);
			}
			else if (bEnd)
			{
				if (Open.empty())
				{
					Warn(LineNumber, "End Object without Begin Object; ignored");
					return;
				}
				Open.pop_back();
				if (Open.empty())
				{
					HandOff();
				}
			}
			else if (Open.empty())
			{
				Warn(LineNumber, "text outside any object; ignored");
			}
			else
			{
				ReadBodyLine(*Open.back().Object, Content);
			}
		}

		void Begin(std::string_view Content, std::size_t LineNumber)
		{
			if (Open.size() >= CopyPasteMaxDepth)
			{
				Warn(LineNumber, "object nested deeper than " + std::to_string(CopyPasteMaxDepth) + " levels; dropped");
				SkippedLevels = 1;
				return;
			}
			FCopyPasteObject Object = ReadHeader(Content);
			if (Open.empty())
			{
				Result.Document.Objects.push_back(std::move(Object));
				Open.push_back({&Result.Document.Objects.back(), LineNumber});
				return;
			}
			FCopyPasteObject& Parent = *Open.back().Object;
			if (Object.Class.empty())
			{
				if (FCopyPasteObject* Declared = FindDeclaration(Parent, Object.Name))
				{
					Declared->DefinitionAttributes = std::move(Object.Attributes);
					Parent.Layout.push_back({ECopyPasteEntry::ChildDefinition, static_cast<std::size_t>(Declared - Parent.Children.data())});
					Open.push_back({Declared, LineNumber});
					return;
				}
			}
			Parent.AddChild(std::move(Object));
			Open.push_back({&Parent.Children.back(), LineNumber});
		}

		/** Gives the top-level object read so far, if any, to the caller. */
		void HandOff()
		{
			Open.clear();
			for (FCopyPasteObject& Object : Result.Document.Objects)
			{
				OnObject(std::move(Object));
			}
			Result.Document.Objects.clear();
		}

		void Warn(std::size_t LineNumber, std::string Message)
		{
			Result.Warnings.push_back({LineNumber, std::move(Message)});
		}

		const std::function<void(FCopyPasteObject&&)>& OnObject;
		/** Layout and warnings; Document.Objects holds the top-level object being read until it is handed off. */
		FCopyPasteParse Result;
		/** The objects being read, outermost first; each lives in its parent, which gets no new child meanwhile. */
		std::vector<FOpenObject> Open;
		/** How many levels of a too-deep block remain to be skipped. */
		std::size_t SkippedLevels = 0;
		bool bIndentSeen = false;
	};
}

FCopyPasteParse ReadCopyPasteText(std::string_view Text, const std::function<void(FCopyPasteObject&&)>& OnObject)
{
	return FCopyPasteReader(OnObject).Read(Text);
}

FCopyPasteParse ParseCopyPasteText(std::string_view Text)
{
	std::vector<FCopyPasteObject> Objects;
	FCopyPasteParse Parse = ReadCopyPasteText(Text, [&Objects](FCopyPasteObject&& Object) { Objects.push_back(std::move(Object)); });
	Parse.Document.Objects = std::move(Objects);
	return Parse;
}
