#pragma once

#include <string>
#include <string_view>
#include <vector>

class ISlateStyle;

/**
 * The process's style sets by name. The registry refers to a registered set without owning it:
 * whoever registers a set unregisters it before the set goes. The editor's own styles
 * ("CoreStyle" and the application style "EditorStyle") are always registered. Game thread only.
 */
class FSlateStyleRegistry
{
public:
	/** False (and a warning) when a set of that name is registered already. */
	static bool RegisterSlateStyle(const ISlateStyle& Style);
	/** False when the set was not registered. */
	static bool UnRegisterSlateStyle(const ISlateStyle& Style);
	static bool UnRegisterSlateStyle(std::string_view StyleSetName);
	/** The registered set, or nullptr. */
	static const ISlateStyle* FindSlateStyle(std::string_view StyleSetName);
	/** The names of the registered sets, sorted. */
	static std::vector<std::string> GetSlateStyleNames();
};
