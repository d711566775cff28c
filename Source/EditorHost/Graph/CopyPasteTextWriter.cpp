#include "Graph/CopyPasteText.h"

#include "Graph/CopyPasteTextLines.h"

FCopyPasteTextWriter::FCopyPasteTextWriter(FCopyPasteLayout InLayout, std::size_t ExpectedSize)
	: Layout(std::move(InLayout))
{
	Text.reserve(ExpectedSize);
}

void FCopyPasteTextWriter::WriteObject(const FCopyPasteObject& Object, std::string_view InSlotKind, const FSlotLine& InSlotLine)
{
	SlotKind = InSlotLine ? InSlotKind : std::string_view();
	SlotLine = &InSlotLine;
	WriteBlock(Object, 0, false);
	SlotKind = {};
	SlotLine = nullptr;
}

std::string FCopyPasteTextWriter::Finish() &&
{
	if (!Text.empty() && !Layout.bEndsWithLineEnd)
	{
		Text.resize(Text.size() - Layout.LineEnd.size());
	}
	return std::move(Text);
}

void FCopyPasteTextWriter::BeginLine(std::size_t Level)
{
	for (std::size_t Count = 0; Count < Level; ++Count)
	{
		Text += Layout.Indent;
	}
}

void FCopyPasteTextWriter::EndLine()
{
	Text += Layout.LineEnd;
}

/** The object as one block, its declaration only when its body is written later, or that later definition. */
void FCopyPasteTextWriter::WriteBlock(const FCopyPasteObject& Object, std::size_t Level, bool bDefinition)
{
	BeginLine(Level);
	CopyPasteLines::AppendBegin(Text, Object, !bDefinition, bDefinition ? *Object.DefinitionAttributes : Object.Attributes);
	EndLine();
	if (bDefinition || !Object.DefinitionAttributes)
	{
		WriteBody(Object, Level + 1);
	}
	BeginLine(Level);
	Text += CopyPasteLines::EndKeyword;
	EndLine();
}

void FCopyPasteTextWriter::WriteBody(const FCopyPasteObject& Object, std::size_t Level)
{
	for (const FCopyPasteLayoutEntry& Entry : Object.Layout)
	{
		switch (Entry.Kind)
		{
		case ECopyPasteEntry::Property:
			if (Entry.Index < Object.Properties.size())
			{
				BeginLine(Level);
				CopyPasteLines::AppendProperty(Text, Object.Properties[Entry.Index]);
				EndLine();
			}
			break;
		case ECopyPasteEntry::CustomProperty:
			if (Entry.Index < Object.CustomProperties.size())
			{
				const FCopyPasteCustomProperty& Custom = Object.CustomProperties[Entry.Index];
				const std::optional<FCopyPasteCustomPropertyView> Line =
					!SlotKind.empty() && Custom.Kind == SlotKind ? (*SlotLine)() : std::optional(FCopyPasteCustomPropertyView{Custom.Kind, Custom.Text});
				if (Line)
				{
					BeginLine(Level);
					CopyPasteLines::AppendCustomProperty(Text, Line->Kind, Line->Text);
					EndLine();
				}
			}
			break;
		case ECopyPasteEntry::Child:
			if (Entry.Index < Object.Children.size() && Level < CopyPasteMaxDepth)
			{
				WriteBlock(Object.Children[Entry.Index], Level, false);
			}
			break;
		case ECopyPasteEntry::ChildDefinition:
			if (Entry.Index < Object.Children.size() && Level < CopyPasteMaxDepth && Object.Children[Entry.Index].DefinitionAttributes)
			{
				WriteBlock(Object.Children[Entry.Index], Level, true);
			}
			break;
		case ECopyPasteEntry::OtherLine:
			if (Entry.Index < Object.OtherLines.size())
			{
				BeginLine(Level);
				Text += Object.OtherLines[Entry.Index];
				EndLine();
			}
			break;
		}
	}
}

std::string WriteCopyPasteText(const FCopyPasteDocument& Document)
{
	FCopyPasteTextWriter Writer(Document.Layout);
	for (const FCopyPasteObject& Object : Document.Objects)
	{
		Writer.WriteObject(Object);
	}
	return std::move(Writer).Finish();
}
