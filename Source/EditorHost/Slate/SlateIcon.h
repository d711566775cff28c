#pragma once

#include <string>

struct FSlateBrush;

/** An icon named by style set and brush name; resolved when drawn, so a set registered later still counts. */
class FSlateIcon
{
public:
	FSlateIcon() = default;
	FSlateIcon(std::string InStyleSetName, std::string InStyleName) : StyleSetName(std::move(InStyleSetName)), StyleName(std::move(InStyleName)), bIsSet(true) {}

	bool IsSet() const { return bIsSet; }
	const std::string& GetStyleSetName() const { return StyleSetName; }
	const std::string& GetStyleName() const { return StyleName; }
	/** The brush now: nullptr when the icon is not set, its set is not registered or lacks the brush. */
	const FSlateBrush* GetIcon() const;

	friend bool operator==(const FSlateIcon&, const FSlateIcon&) = default;

private:
	std::string StyleSetName;
	std::string StyleName;
	bool bIsSet = false;
};
