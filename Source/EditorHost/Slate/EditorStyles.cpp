#include "Slate/EditorStyles.h"

#include "Slate/SlateStyle.h"

#include <array>
#include <memory>
#include <string_view>

namespace
{
	struct FDrawnBrush
	{
		std::string_view Name;
		double Size;
	};

	/** The brushes of the editor's own styles that editor UI and plug-ins use. */
	constexpr std::array<FDrawnBrush, 5> DrawnBrushes{{
		{"Icons.FilledCircle", 16.0},
		{"Icons.Save", 20.0},
		{"Icons.Warning", 16.0},
		{"Icons.Error", 16.0},
		{"Icons.Info", 16.0},
	}};

	std::unique_ptr<FSlateStyleSet> MakeDrawnStyle(std::string_view StyleSetName)
	{
		auto Style = std::make_unique<FSlateStyleSet>(std::string(StyleSetName));
		for (const FDrawnBrush& Drawn : DrawnBrushes)
		{
			auto Brush = std::make_unique<FSlateBrush>();
			Brush->ImageSize = FVector2D{Drawn.Size, Drawn.Size};
			Brush->ImageType = ESlateBrushImageType::Vector;
			Style->Set(Drawn.Name, std::move(Brush));
		}
		return Style;
	}
}

const FSlateStyleSet& EditorStyles::GetCoreStyle()
{
	static const std::unique_ptr<FSlateStyleSet> CoreStyle = MakeDrawnStyle("CoreStyle");
	return *CoreStyle;
}

const FSlateStyleSet& EditorStyles::GetEditorStyle()
{
	static const std::unique_ptr<FSlateStyleSet> EditorStyle = MakeDrawnStyle("EditorStyle");
	return *EditorStyle;
}
