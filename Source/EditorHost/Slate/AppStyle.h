#pragma once

#include <string>
#include <string_view>

class ISlateStyle;
struct FSlateBrush;

/**
 * The application's style: the editor's "EditorStyle", with the brushes editor UI draws with
 * ("Icons.FilledCircle"...). Its brushes have no image files; the UI draws them by name.
 */
class FAppStyle
{
public:
	static const ISlateStyle& Get();
	static const std::string& GetAppStyleSetName();
	/** The brush, or the no-brush brush for a name the style does not have. */
	static const FSlateBrush* GetBrush(std::string_view BrushName);
};
