#pragma once

class FSlateStyleSet;

/**
 * The styles every editor has: "CoreStyle" and the application style "EditorStyle". Their
 * brushes are drawn by the UI itself (by name), so they have no image files.
 */
namespace EditorStyles
{
	const FSlateStyleSet& GetCoreStyle();
	const FSlateStyleSet& GetEditorStyle();
}
