#include "Slate/MultiBox.h"

#include "Slate/SlateIcon.h"

const char* LexToString(EMultiBlockType Type)
{
	switch (Type)
	{
	case EMultiBlockType::ToolBarButton:
		return "button";
	case EMultiBlockType::ToolBarComboButton:
		return "comboButton";
	case EMultiBlockType::MenuEntry:
		return "menuEntry";
	case EMultiBlockType::Separator:
		return "separator";
	}
	return "button";
}

const FMultiBlock* FMultiBox::FindBlock(std::size_t SectionIndex, std::size_t BlockIndex) const
{
	if (SectionIndex >= Sections.size() || BlockIndex >= Sections[SectionIndex].Blocks.size())
	{
		return nullptr;
	}
	return &Sections[SectionIndex].Blocks[BlockIndex];
}

FJsonValue SlatePaint::Icon(const FSlateIcon& Icon)
{
	if (!Icon.IsSet())
	{
		return nullptr;
	}
	auto Painted = std::make_shared<FJsonObject>();
	Painted->SetStringField("styleSet", Icon.GetStyleSetName());
	Painted->SetStringField("brush", Icon.GetStyleName());
	Painted->SetBoolField("found", Icon.GetIcon() != nullptr);
	return Painted;
}

FJsonObject SlatePaint::Block(const FMultiBlock& Block)
{
	FJsonObject Painted;
	Painted.SetStringField("kind", LexToString(Block.Type));
	Painted.SetStringField("name", Block.Name);
	if (Block.Type == EMultiBlockType::Separator)
	{
		return Painted;
	}
	Painted.SetStringField("label", Block.Label.Get().ToString());
	Painted.SetStringField("tooltip", Block.ToolTip.Get().ToString());
	if (const FSlateIcon BlockIcon = Block.Icon.Get(); BlockIcon.IsSet())
	{
		Painted.SetField("icon", Icon(BlockIcon));
	}
	if (Block.Type == EMultiBlockType::ToolBarComboButton)
	{
		Painted.SetBoolField("simpleComboBox", Block.bSimpleComboBox);
	}
	Painted.SetBoolField("enabled", Block.Action.CanExecute());
	return Painted;
}

void SMultiBoxWidget::OnPaint(FJsonObject& OutPainted) const
{
	if (MultiBox == nullptr)
	{
		return;
	}
	OutPainted.SetStringField("multiBoxType", MultiBox->Type == EMultiBoxType::Menu ? "Menu" : "ToolBar");
	OutPainted.SetStringField("styleSet", MultiBox->StyleSetName);
	FJsonValueArray Sections;
	for (const FMultiBoxSection& Section : MultiBox->Sections)
	{
		auto PaintedSection = std::make_shared<FJsonObject>();
		PaintedSection->SetStringField("name", Section.Name);
		PaintedSection->SetStringField("label", Section.Label.ToString());
		FJsonValueArray Entries;
		for (const FMultiBlock& Block : Section.Blocks)
		{
			Entries.emplace_back(std::make_shared<FJsonObject>(SlatePaint::Block(Block)));
		}
		PaintedSection->SetArrayField("entries", std::move(Entries));
		Sections.emplace_back(PaintedSection);
	}
	OutPainted.SetArrayField("sections", std::move(Sections));
}
