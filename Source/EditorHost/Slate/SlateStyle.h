#pragma once

#include "Slate/SlateBrush.h"
#include "Slate/SlateFontInfo.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/** A named collection of brushes and fonts that widgets look up by name. */
class ISlateStyle
{
public:
	virtual ~ISlateStyle() = default;

	virtual const std::string& GetStyleSetName() const = 0;
	/** The brush kept under the name, or nullptr. */
	virtual const FSlateBrush* FindBrush(std::string_view BrushName) const = 0;
	/** The brush kept under the name, or the style's "no brush" brush (never nullptr), as the editor's GetBrush. */
	const FSlateBrush* GetBrush(std::string_view BrushName) const;
	/** The brush that draws nothing, shared by every style. */
	static const FSlateBrush* GetNoBrush();
};

/**
 * A style set that modules fill with their own brushes: its content root is the folder its
 * images live in. A brush name set again replaces the brush. Register the set with
 * FSlateStyleRegistry to make it findable by name, and unregister it before it is destroyed.
 * Game thread only.
 */
class FSlateStyleSet : public ISlateStyle
{
public:
	explicit FSlateStyleSet(std::string InStyleSetName);

	const std::string& GetStyleSetName() const override { return StyleSetName; }
	const FSlateBrush* FindBrush(std::string_view BrushName) const override;

	void SetContentRoot(std::string InContentRootDir) { ContentRootDir = std::move(InContentRootDir); }
	const std::string& GetContentRootDir() const { return ContentRootDir; }
	/** The file RelativePath plus Extension (".png") under the content root. */
	std::string RootToContentDir(std::string_view RelativePath, std::string_view Extension) const;

	/** Keeps the brush under the name (the style owns it from now on). */
	void Set(std::string_view BrushName, std::unique_ptr<FSlateBrush> Brush);
	/** The names of the brushes, sorted. */
	std::vector<std::string> GetBrushNames() const;

private:
	std::string StyleSetName;
	std::string ContentRootDir;
	std::map<std::string, std::unique_ptr<FSlateBrush>, std::less<>> Brushes;
};
