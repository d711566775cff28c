#pragma once

#include <memory>
#include <string>

class FSlateStyleSet;

/**
 * The connector's own style set, "KorvaneStyle": the toolbar icons, image brushes of the PNG
 * files in the plug-in's Resources/Icons. One instance per process, registered with the style
 * registry from module start-up to shut-down.
 */
class FKorvaneStyle
{
public:
	/**
	 * Creates, fills and registers the set; does nothing while an instance exists. Without the
	 * plug-in (the plug-in manager does not know it) the set stays empty and unregistered.
	 */
	static void Initialize();
	/** Unregisters and releases the set; does nothing when there is none. */
	static void Shutdown();
	/** "KorvaneStyle": icons are named by this and a brush name. */
	static const std::string& GetStyleSetName();
	/** The instance, or nullptr outside Initialize and Shutdown. */
	static const FSlateStyleSet* Get() { return StyleInstance.get(); }

	static constexpr const char* DefaultIconName = "Korvane.Icon.Default";
	/** The toolbar buttons' icon. */
	static constexpr const char* SmallIconName = "Korvane.Icon.Default.Small";
	static constexpr const char* LargeIconName = "Korvane.Icon.Default.Large";

private:
	static std::shared_ptr<FSlateStyleSet> StyleInstance;
};
