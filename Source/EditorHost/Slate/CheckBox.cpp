#include "Slate/CheckBox.h"

void SCheckBox::Construct(const FArguments& InArgs)
{
	IsCheckedState = InArgs._IsChecked;
	OnCheckStateChanged = InArgs._OnCheckStateChanged;
	Content = InArgs._Content;
}

void SCheckBox::ToggleCheckedState()
{
	const ECheckBoxState NewState = GetCheckedState() == ECheckBoxState::Checked ? ECheckBoxState::Unchecked : ECheckBoxState::Checked;
	// A bound state follows whatever the callback changes; a plain one is the box's own to keep.
	if (!IsCheckedState.IsBound())
	{
		IsCheckedState.Set(NewState);
	}
	OnCheckStateChanged.ExecuteIfBound(NewState);
}

std::vector<std::shared_ptr<SWidget>> SCheckBox::GetChildren() const
{
	if (Content == nullptr)
	{
		return {};
	}
	return {Content};
}

void SCheckBox::OnPaint(FJsonObject& OutPainted) const
{
	const ECheckBoxState State = GetCheckedState();
	OutPainted.SetBoolField("checked", State == ECheckBoxState::Checked);
	if (State == ECheckBoxState::Undetermined)
	{
		OutPainted.SetBoolField("undetermined", true);
	}
	OutPainted.SetField("content", SlatePaint::Child(Content));
}
