#include "Graph/EdGraphPin.h"

#include <algorithm>

void UEdGraphPin::MakeLinkTo(UEdGraphPin& Other)
{
	if (&Other == this || std::ranges::find(LinkedTo, &Other) != LinkedTo.end())
	{
		return;
	}
	LinkedTo.push_back(&Other);
	Other.LinkedTo.push_back(this);
}

void UEdGraphPin::SortLinks(std::span<UEdGraphPin* const> Order)
{
	// Links made in this order already (the usual case when pasting) stay as they are.
	if (Order.size() <= LinkedTo.size() && std::equal(Order.begin(), Order.end(), LinkedTo.begin()))
	{
		return;
	}
	std::vector<UEdGraphPin*> Sorted;
	Sorted.reserve(LinkedTo.size());
	for (UEdGraphPin* const Pin : Order)
	{
		if (std::ranges::find(LinkedTo, Pin) != LinkedTo.end() && std::ranges::find(Sorted, Pin) == Sorted.end())
		{
			Sorted.push_back(Pin);
		}
	}
	for (UEdGraphPin* const Pin : LinkedTo)
	{
		if (std::ranges::find(Sorted, Pin) == Sorted.end())
		{
			Sorted.push_back(Pin);
		}
	}
	LinkedTo = std::move(Sorted);
}

void UEdGraphPin::BreakLinkTo(UEdGraphPin& Other)
{
	std::erase(LinkedTo, &Other);
	std::erase(Other.LinkedTo, this);
}

void UEdGraphPin::BreakAllPinLinks()
{
	while (!LinkedTo.empty())
	{
		BreakLinkTo(*LinkedTo.back());
	}
}
