#pragma once

#include "Core/Text.h"
#include "Slate/Attribute.h"
#include "Slate/SlateIcon.h"
#include "Slate/UIAction.h"
#include "Slate/Widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ISlateStyle;

/** What builds a drop-down menu's content when it opens (FMenuBuilder::MakeWidget, typically). */
using FOnGetContent = TDelegate<std::shared_ptr<SWidget>()>;

enum class EMultiBlockType : uint8_t
{
	ToolBarButton,
	ToolBarComboButton,
	MenuEntry,
	Separator,
};

const char* LexToString(EMultiBlockType Type);

enum class EMultiBoxType : uint8_t
{
	ToolBar,
	Menu,
};

/** One entry of a toolbar or menu as it is shown: a button, a combo button, a menu entry or a separator. */
struct FMultiBlock
{
	EMultiBlockType Type = EMultiBlockType::ToolBarButton;
	/** The entry's name (empty for entries added without one). */
	std::string Name;
	TAttribute<FText> Label;
	TAttribute<FText> ToolTip;
	TAttribute<FSlateIcon> Icon;
	FUIAction Action;
	EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button;
	/** Combo buttons: the drop-down's content. */
	FOnGetContent MenuContentGenerator;
	/** Combo buttons: a simple combo box opens its menu on any click; a split button runs Action on its main part. */
	bool bSimpleComboBox = false;
	/** The tool-menu entry it came from (0 for entries a builder added). */
	uint64_t ToolMenuEntrySerial = 0;
};

/** A named group of entries. */
struct FMultiBoxSection
{
	std::string Name;
	FText Label;
	std::vector<FMultiBlock> Blocks;
};

/** A whole toolbar or menu: its sections in order. */
struct FMultiBox
{
	EMultiBoxType Type = EMultiBoxType::ToolBar;
	/** The style its entries are drawn with ("CoreStyle" unless the builder was given another). */
	std::string StyleSetName;
	std::vector<FMultiBoxSection> Sections;

	/** The block at the section and position, or nullptr. */
	const FMultiBlock* FindBlock(std::size_t SectionIndex, std::size_t BlockIndex) const;
};

/**
 * The widget a builder makes: it shows its toolbar or menu. Painted as {"multiBoxType",
 * "styleSet", "sections": [{"name", "label", "entries": [{"kind", "name", "label",
 * "tooltip", "icon"}]}]}.
 */
class SMultiBoxWidget : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SMultiBoxWidget) {}
	SLATE_END_ARGS()

	void Construct(const FArguments&) {}
	void SetMultiBox(std::shared_ptr<const FMultiBox> InMultiBox) { MultiBox = std::move(InMultiBox); }
	const std::shared_ptr<const FMultiBox>& GetMultiBox() const { return MultiBox; }

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	std::shared_ptr<const FMultiBox> MultiBox;
};

namespace SlatePaint
{
	/** {"styleSet", "brush", "found"} of an icon, or null when the icon is not set. */
	FJsonValue Icon(const FSlateIcon& Icon);
	/** {"kind", "name", "label", "tooltip", "icon" (when set), "simpleComboBox" (combo buttons), "enabled"}. */
	FJsonObject Block(const FMultiBlock& Block);
}
