#pragma once

#include "Slate/Widget.h"

#include <cstdint>

enum class ECheckBoxState : uint8_t
{
	Unchecked,
	Checked,
	Undetermined,
};

using FOnCheckStateChanged = TDelegate<void(ECheckBoxState)>;

/**
 * A check box with its label as content. Its state is the IsChecked attribute, evaluated each
 * time it is painted or clicked; a box whose state is not bound keeps the state a click gives
 * it. Painted as {"checked": true or false, "undetermined" (only when so), "content"}.
 */
class SCheckBox : public SWidget
{
public:
	SLATE_BEGIN_ARGS(SCheckBox)
		: _IsChecked(ECheckBoxState::Unchecked)
	{}
	SLATE_ATTRIBUTE(ECheckBoxState, IsChecked)
	SLATE_EVENT(FOnCheckStateChanged, OnCheckStateChanged)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	void Construct(const FArguments& InArgs);

	ECheckBoxState GetCheckedState() const { return IsCheckedState.Get(); }
	bool IsChecked() const { return GetCheckedState() == ECheckBoxState::Checked; }
	/**
	 * What a click does: the state goes from checked to unchecked, and from unchecked or
	 * undetermined to checked, and OnCheckStateChanged is told the new state.
	 */
	void ToggleCheckedState();
	void SetIsChecked(TAttribute<ECheckBoxState> InIsChecked) { IsCheckedState = std::move(InIsChecked); }
	std::vector<std::shared_ptr<SWidget>> GetChildren() const override;

protected:
	void OnPaint(FJsonObject& OutPainted) const override;

private:
	TAttribute<ECheckBoxState> IsCheckedState;
	FOnCheckStateChanged OnCheckStateChanged;
	std::shared_ptr<SWidget> Content;
};
