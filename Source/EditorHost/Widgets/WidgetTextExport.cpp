#include "Graph/CopyPasteText.h"
#include "Graph/CopyPasteTextLines.h"
#include "Graph/CopyPasteTextValue.h"
#include "Objects/Class.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetCopyPaste.h"

#include <unordered_map>
#include <unordered_set>

namespace
{
	constexpr std::string_view SlotPairClassPath = "/Script/UMGEditor.WidgetSlotPair";

	/** `/Script/UMG.Button'"Button_0"'`: how the designer's copy names another object of the copy. */
	std::string ObjectReference(const UObject& Object)
	{
		return Object.GetClass()->GetPathName() + "'\"" + Object.GetName() + "\"'";
	}

	void AddLine(FCopyPasteObject& Block, std::string_view Name, std::optional<int> Index, std::string Value)
	{
		Block.AddProperty({std::string(Name), Index, std::move(Value)});
	}

	/**
	 * A kept line goes back as it came when the reader would read it again as the same line: one
	 * line, without the indentation and trailing CR the reader strips, and no keyword that would
	 * open or close a block.
	 */
	bool IsWritableKeptLine(std::string_view Line)
	{
		return !Line.empty() && Line.find('\n') == std::string_view::npos && !Line.ends_with('\r') && Line.front() != ' ' && Line.front() != '\t'
			&& !CopyPasteLines::IsBegin(Line) && !CopyPasteLines::IsEnd(Line);
	}

	void AddSlotList(FCopyPasteObject& Block, const UPanelWidget& Panel)
	{
		int Index = 0;
		for (const UPanelSlot* const Slot : Panel.GetSlots())
		{
			if (IsValid(Slot))
			{
				AddLine(Block, "Slots", Index++, ObjectReference(*Slot));
			}
		}
	}

	/**
	 * The reflected properties that differ from the class default, each as its delta, in field
	 * order; a panel's slot list stands where its own and its panel classes' properties end.
	 */
	void AddChangedProperties(FCopyPasteObject& Block, const UObject& Object)
	{
		const std::vector<std::pair<std::string, std::string>> Changed = GetChangedPropertyValues(Object);
		std::unordered_map<std::string_view, std::string_view> ChangedByName;
		for (const auto& [Name, Value] : Changed)
		{
			ChangedByName.emplace(Name, Value);
		}
		const UPanelWidget* const Panel = Cast<UPanelWidget>(&Object);
		bool bSlotsWritten = Panel == nullptr;
		for (TFieldIterator<FProperty> It(Object.GetClass()); It; ++It)
		{
			const FProperty& Property = **It;
			if (!bSlotsWritten && (Property.GetOwnerClass() == nullptr || !Property.GetOwnerClass()->IsChildOf<UPanelWidget>()))
			{
				AddSlotList(Block, *Panel);
				bSlotsWritten = true;
			}
			const auto Found = ChangedByName.find(Property.GetName());
			if (Found == ChangedByName.end() || Property.HasAnyPropertyFlags(CPF_TextExportTransient) || (Panel != nullptr && Property.GetName() == "Slots"))
			{
				continue;
			}
			if (std::string Delta = ExportPropertyTextDelta(Property, Found->second, Object.GetClass()->GetDefaultValueText(Property), EPropertyExportFlags::Delimited); !Delta.empty())
			{
				AddLine(Block, Property.GetName(), std::nullopt, std::move(Delta));
			}
		}
		if (!bSlotsWritten)
		{
			AddSlotList(Block, *Panel);
		}
	}

	/**
	 * The object as the designer copies it: its sub-objects (a panel's slots) declared, then each
	 * defined; its changed properties; the lines it kept from a pasted text; and for a slot, its
	 * panel and content.
	 */
	FCopyPasteObject ExportObjectBlock(const UObject& Object, std::size_t Depth)
	{
		FCopyPasteObject Block;
		Block.Class = Object.GetClass()->GetPathName();
		Block.Name = Object.GetName();
		if (Depth + 1 < CopyPasteMaxDepth)
		{
			for (const UObject* const Inner : Object.GetInnerObjects())
			{
				if (IsValid(Inner))
				{
					Block.Layout.push_back({ECopyPasteEntry::Child, Block.Children.size()});
					Block.Children.push_back(ExportObjectBlock(*Inner, Depth + 1));
					Block.Children.back().DefinitionAttributes.emplace();
				}
			}
			for (std::size_t Index = 0; Index < Block.Children.size(); ++Index)
			{
				Block.Layout.push_back({ECopyPasteEntry::ChildDefinition, Index});
			}
		}
		AddChangedProperties(Block, Object);
		if (const UVisual* const Visual = Cast<UVisual>(&Object))
		{
			for (const std::string& Line : Visual->KeptTextLines)
			{
				if (IsWritableKeptLine(Line))
				{
					Block.AddOtherLine(Line);
				}
			}
		}
		if (const UPanelSlot* const Slot = Cast<UPanelSlot>(&Object))
		{
			if (IsValid(Slot->Parent))
			{
				AddLine(Block, "Parent", std::nullopt, ObjectReference(*Slot->Parent));
			}
			if (IsValid(Slot->Content))
			{
				AddLine(Block, "Content", std::nullopt, ObjectReference(*Slot->Content));
			}
		}
		return Block;
	}

	/** The helper object newer editors write after each copied widget, naming it. */
	FCopyPasteObject ExportSlotPair(const UWidget& Widget, int Number)
	{
		FCopyPasteObject Pair;
		Pair.Class = SlotPairClassPath;
		Pair.Name = "WidgetSlotPair_" + std::to_string(Number);
		AddLine(Pair, "WidgetName", std::nullopt, QuoteCopyPasteString(Widget.GetName()));
		return Pair;
	}
}

std::string ExportWidgetsToText(const std::vector<UWidget*>& Widgets)
{
	FCopyPasteDocument Document;
	std::unordered_set<const UWidget*> Written;
	int PairNumber = 0;
	for (const UWidget* const Selected : Widgets)
	{
		// Each selected widget, then its hierarchy depth first, children in slot order.
		std::vector<const UWidget*> Pending{Selected};
		while (!Pending.empty())
		{
			const UWidget* const Widget = Pending.back();
			Pending.pop_back();
			if (!IsValid(Widget) || !Written.insert(Widget).second)
			{
				continue;
			}
			Document.Objects.push_back(ExportObjectBlock(*Widget, 0));
			if (Widget == Selected)
			{
				Document.Objects.push_back(ExportSlotPair(*Widget, PairNumber++));
			}
			if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
			{
				for (int32_t Index = Panel->GetChildrenCount(); Index-- > 0;)
				{
					Pending.push_back(Panel->GetChildAt(Index));
				}
			}
		}
	}
	return WriteCopyPasteText(Document);
}
