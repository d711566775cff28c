#include "Assets/CopyPasteTextJsonLines.h"

FJsonValueArray SplitCopyPasteTextLines(std::string_view Text)
{
	FJsonValueArray Lines;
	while (!Text.empty())
	{
		const std::size_t End = Text.find('\n');
		std::string_view Line = Text.substr(0, End);
		if (Line.ends_with('\r'))
		{
			Line.remove_suffix(1);
		}
		Lines.emplace_back(Line);
		Text = End == std::string_view::npos ? std::string_view() : Text.substr(End + 1);
	}
	return Lines;
}

std::string JoinCopyPasteTextLines(const FJsonValueArray& Lines, std::string_view LineDescription, std::vector<std::string>& OutWarnings)
{
	std::string Text;
	for (const FJsonValue& Line : Lines)
	{
		if (const std::string* const LineText = Line.TryGetString())
		{
			Text.append(*LineText).append("\r\n");
		}
		else
		{
			OutWarnings.push_back(std::string(LineDescription) + " is not text and is skipped");
		}
	}
	return Text;
}
