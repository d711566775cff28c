#include "Slate/SlateStyle.h"

#include "Core/Paths.h"

const FSlateBrush* ISlateStyle::GetBrush(std::string_view BrushName) const
{
	const FSlateBrush* Brush = FindBrush(BrushName);
	return Brush != nullptr ? Brush : GetNoBrush();
}

const FSlateBrush* ISlateStyle::GetNoBrush()
{
	static const FSlateNoResource NoBrush;
	return &NoBrush;
}

FSlateStyleSet::FSlateStyleSet(std::string InStyleSetName)
	: StyleSetName(std::move(InStyleSetName))
{
}

const FSlateBrush* FSlateStyleSet::FindBrush(std::string_view BrushName) const
{
	const auto Found = Brushes.find(BrushName);
	return Found != Brushes.end() ? Found->second.get() : nullptr;
}

std::string FSlateStyleSet::RootToContentDir(std::string_view RelativePath, std::string_view Extension) const
{
	return FPaths::Combine(ContentRootDir, std::string(RelativePath) + std::string(Extension));
}

void FSlateStyleSet::Set(std::string_view BrushName, std::unique_ptr<FSlateBrush> Brush)
{
	if (Brush == nullptr)
	{
		return;
	}
	Brush->StyleSetName = StyleSetName;
	Brush->BrushName = std::string(BrushName);
	const auto Found = Brushes.find(BrushName);
	if (Found != Brushes.end())
	{
		Found->second = std::move(Brush);
	}
	else
	{
		Brushes.emplace(std::string(BrushName), std::move(Brush));
	}
}

std::vector<std::string> FSlateStyleSet::GetBrushNames() const
{
	std::vector<std::string> Names;
	Names.reserve(Brushes.size());
	for (const auto& [Name, Brush] : Brushes)
	{
		Names.push_back(Name);
	}
	return Names;
}
