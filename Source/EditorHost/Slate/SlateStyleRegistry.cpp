#include "Slate/SlateStyleRegistry.h"

#include "Core/LogHost.h"
#include "Slate/EditorStyles.h"
#include "Slate/SlateStyle.h"

#include <map>

namespace
{
	using FStyleMap = std::map<std::string, const ISlateStyle*, std::less<>>;

	/** The registered sets; the editor's own styles are there from the first use on. */
	FStyleMap& GetStyles()
	{
		static FStyleMap Styles = []() {
			FStyleMap Initial;
			for (const ISlateStyle* Style : {static_cast<const ISlateStyle*>(&EditorStyles::GetCoreStyle()), static_cast<const ISlateStyle*>(&EditorStyles::GetEditorStyle())})
			{
				Initial.emplace(Style->GetStyleSetName(), Style);
			}
			return Initial;
		}();
		return Styles;
	}
}

bool FSlateStyleRegistry::RegisterSlateStyle(const ISlateStyle& Style)
{
	FStyleMap& Styles = GetStyles();
	if (Styles.contains(Style.GetStyleSetName()))
	{
		UE_LOG(LogHost, Warning, "Slate style set %s is registered already.", Style.GetStyleSetName().c_str());
		return false;
	}
	Styles.emplace(Style.GetStyleSetName(), &Style);
	return true;
}

bool FSlateStyleRegistry::UnRegisterSlateStyle(const ISlateStyle& Style)
{
	FStyleMap& Styles = GetStyles();
	const auto Found = Styles.find(Style.GetStyleSetName());
	if (Found == Styles.end() || Found->second != &Style)
	{
		return false;
	}
	Styles.erase(Found);
	return true;
}

bool FSlateStyleRegistry::UnRegisterSlateStyle(std::string_view StyleSetName)
{
	FStyleMap& Styles = GetStyles();
	const auto Found = Styles.find(StyleSetName);
	if (Found == Styles.end())
	{
		return false;
	}
	Styles.erase(Found);
	return true;
}

const ISlateStyle* FSlateStyleRegistry::FindSlateStyle(std::string_view StyleSetName)
{
	const FStyleMap& Styles = GetStyles();
	const auto Found = Styles.find(StyleSetName);
	return Found != Styles.end() ? Found->second : nullptr;
}

std::vector<std::string> FSlateStyleRegistry::GetSlateStyleNames()
{
	std::vector<std::string> Names;
	for (const auto& [Name, Style] : GetStyles())
	{
		Names.push_back(Name);
	}
	return Names;
}
