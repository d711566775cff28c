#include "Graph/CopyPasteText.h"

#include "Graph/CopyPasteTextLines.h"

namespace
{
	class FCopyPasteWriter
	{
	public:
		explicit FCopyPasteWriter(const FCopyPasteLayout& InLayout)
			: Layout(InLayout)
		{
		}

		std::string Write(const std::vector<FCopyPasteObject>& Objects)
		{
			for (const FCopyPasteObject& Object : Objects)
			{
				WriteObject(Object, 0);
			}
			if (!Text.empty() && !Layout.bEndsWithLineEnd)
			{
				Text.resize(Text.size() - Layout.LineEnd.size());
			}
			return std::move(Text);
		}

	private:
		void WriteLine(std::size_t Level, std::string_view Content)
		{
			for (std::size_t Count = 0; Count < Level; ++Count)
			{
				Text += Layout.Indent;
			}
			Text += Content;
			Text += Layout.LineEnd;
		}

		/** The object as one block, or only its declaration when its body is written later. */
		void WriteObject(const FCopyPasteObject& Object, std::size_t Level)
		{
			WriteLine(Level, CopyPasteLines::WriteBegin(Object, true, Object.Attributes));
			if (!Object.DefinitionAttributes)
			{
				WriteBody(Object, Level + 1);
			}
			WriteLine(Level, CopyPasteLines::EndKeyword);
		}

		void WriteDefinition(const FCopyPasteObject& Object, std::size_t Level)
		{
			WriteLine(Level, CopyPasteLines::WriteBegin(Object, false, *Object.DefinitionAttributes));
			WriteBody(Object, Level + 1);
			WriteLine(Level, CopyPasteLines::EndKeyword);
		}

		void WriteBody(const FCopyPasteObject& Object, std::size_t Level)
		{
			for (const FCopyPasteLayoutEntry& Entry : Object.Layout)
			{
				switch (Entry.Kind)
				{
				case ECopyPasteEntry::Property:
					if (Entry.Index < Object.Properties.size())
					{
						WriteLine(Level, CopyPasteLines::WriteProperty(Object.Properties[Entry.Index]));
					}
					break;
				case ECopyPasteEntry::CustomProperty:
					if (Entry.Index < Object.CustomProperties.size())
					{
						WriteLine(Level, CopyPasteLines::WriteCustomProperty(Object.CustomProperties[Entry.Index]));
					}
					break;
				case ECopyPasteEntry::Child:
					if (Entry.Index < Object.Children.size() && Level < CopyPasteMaxDepth)
					{
						WriteObject(Object.Children[Entry.Index], Level);
					}
					break;
				case ECopyPasteEntry::ChildDefinition:
					if (Entry.Index < Object.Children.size() && Level < CopyPasteMaxDepth && Object.Children[Entry.Index].DefinitionAttributes)
					{
						WriteDefinition(Object.Children[Entry.Index], Level);
					}
					break;
				case ECopyPasteEntry::OtherLine:
					if (Entry.Index < Object.OtherLines.size())
					{
						WriteLine(Level, Object.OtherLines[Entry.Index]);
					}
					break;
				}
			}
		}

		const FCopyPasteLayout& Layout;
		std::string Text;
	};
}

std::string WriteCopyPasteText(const FCopyPasteDocument& Document)
{
	return FCopyPasteWriter(Document.Layout).Write(Document.Objects);
}
