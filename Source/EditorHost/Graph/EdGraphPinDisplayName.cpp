#include "Graph/EdGraphPin.h"

#include "Core/Text.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"

namespace
{
	/** The call argument that holds a text literal's source string: NSLOCTEXT's third, LOCTEXT's second, INVTEXT's first. */
	std::optional<std::size_t> SourceStringArgument(std::string_view CallName)
	{
		if (CallName == "NSLOCTEXT")
		{
			return 2;
		}
		if (CallName == "LOCTEXT")
		{
			return 1;
		}
		if (CallName == "INVTEXT")
		{
			return 0;
		}
		return std::nullopt;
	}

	/** What a text value shows: a quoted string or a text literal's source string; anything else as written. */
	std::string TextValueToDisplayString(std::string_view Written)
	{
		const FCopyPasteValue Value = ParseCopyPasteValue(Written);
		if (Value.Kind == FCopyPasteValue::EKind::Call)
		{
			const std::optional<std::size_t> Argument = SourceStringArgument(Value.Text);
			return Argument && *Argument < Value.Items.size() ? Value.Items[*Argument].Value.AsPlainText() : std::string(Written);
		}
		return Value.AsPlainText();
	}
}

std::string UEdGraphPin::GetDisplayName() const
{
	std::string DisplayName = PinFriendlyName ? TextValueToDisplayString(*PinFriendlyName) : std::string();
	if (DisplayName.empty() && !PinName.empty() && PinName != "None")
	{
		DisplayName = NameToDisplayString(PinName, PinType.PinCategory == "bool");
	}
	const bool bUnlabelledExec = PinType.PinCategory == "exec" && (Text::EqualsIgnoreCase(DisplayName, "execute") || Text::EqualsIgnoreCase(DisplayName, "then"));
	if (bUnlabelledExec)
	{
		return std::string();
	}
	return DisplayName;
}
