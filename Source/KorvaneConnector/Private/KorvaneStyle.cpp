#include "KorvaneStyle.h"

#include "KorvaneLog.h"

#include "Core/Paths.h"
#include "Runtime/PluginManager.h"
#include "Slate/SlateBrush.h"
#include "Slate/SlateStyle.h"
#include "Slate/SlateStyleRegistry.h"

namespace
{
	const FVector2D Icon20x20{20.0, 20.0};
	const FVector2D Icon40x40{40.0, 40.0};
	const FLinearColor White{1.0f, 1.0f, 1.0f, 1.0f};

	std::unique_ptr<FSlateBrush> MakeIconBrush(const FSlateStyleSet& Style, std::string_view FileName, const FVector2D& Size)
	{
		return std::make_unique<FSlateImageBrush>(Style.RootToContentDir(FileName, ".png"), Size, White, ESlateBrushTileType::NoTile, ESlateBrushImageType::FullColor);
	}
}

std::shared_ptr<FSlateStyleSet> FKorvaneStyle::StyleInstance;

const std::string& FKorvaneStyle::GetStyleSetName()
{
	static const std::string StyleSetName = "KorvaneStyle";
	return StyleSetName;
}

void FKorvaneStyle::Initialize()
{
	if (StyleInstance != nullptr)
	{
		return;
	}
	StyleInstance = std::make_shared<FSlateStyleSet>(GetStyleSetName());

	const std::shared_ptr<IPlugin> Plugin = IPluginManager::Get().FindPlugin("KorvaneConnector");
	if (Plugin == nullptr)
	{
		UE_LOG(LogKorvane, Warning, "Could not find plugin for icon registration.");
		return;
	}

	FSlateStyleSet& Style = *StyleInstance;
	Style.SetContentRoot(FPaths::Combine(Plugin->GetBaseDir(), "Resources", "Icons"));
	Style.Set(DefaultIconName, MakeIconBrush(Style, "Korvane_Default_20x", Icon20x20));
	Style.Set(SmallIconName, MakeIconBrush(Style, "Korvane_Default_20x", Icon20x20));
	Style.Set(LargeIconName, MakeIconBrush(Style, "Korvane_Default_40x", Icon40x40));

	FSlateStyleRegistry::RegisterSlateStyle(Style);
	UE_LOG(LogKorvane, Log, "Custom icon style registered.");
}

void FKorvaneStyle::Shutdown()
{
	if (StyleInstance == nullptr)
	{
		return;
	}
	FSlateStyleRegistry::UnRegisterSlateStyle(*StyleInstance);
	StyleInstance.reset();
}
