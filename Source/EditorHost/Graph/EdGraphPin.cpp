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
