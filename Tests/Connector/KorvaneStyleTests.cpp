#include "Support/TestEditor.h"

#include "KorvaneStyle.h"
#include "KorvaneUITestSupport.h"

#include "Core/Log.h"
#include "Slate/SlateStyle.h"
#include "Slate/SlateStyleRegistry.h"

#include <array>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::IsEmpty;

namespace
{
	/** The width and height in a PNG file's header (0 x 0 for a file that is not a PNG). */
	FVector2D PngSize(const std::string& Path)
	{
		std::array<unsigned char, 24> Header{};
		std::ifstream(Path, std::ios::binary).read(reinterpret_cast<char*>(Header.data()), Header.size());
		const auto BigEndian = [&Header](std::size_t At) { return double((Header[At] << 24) | (Header[At + 1] << 16) | (Header[At + 2] << 8) | Header[At + 3]); };
		return Header[1] == 'P' && Header[2] == 'N' && Header[3] == 'G' ? FVector2D{BigEndian(16), BigEndian(20)} : FVector2D{};
	}
}

TEST(KorvaneStyle, RegistersOnceAndAfterShutdownAFreshSetOfThePluginsIcons)
{
	FTestEditorOptions Options;
	Options.ConnectorPluginDir = KORVANE_PLUGIN_DIR "/";
	FTestEditor Editor(Options);
	FLogCapture Log;
	const FSlateStyleSet* const First = FKorvaneStyle::Get();
	ASSERT_NE(First, nullptr);
	FKorvaneStyle::Initialize();
	EXPECT_EQ(FKorvaneStyle::Get(), First);
	EXPECT_THAT(Log.Lines(), IsEmpty()) << "no second registration, so no warning from the registry either";

	FKorvaneStyle::Shutdown();
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle("KorvaneStyle"), nullptr);
	FKorvaneStyle::Initialize();
	const ISlateStyle* const Fresh = FSlateStyleRegistry::FindSlateStyle("KorvaneStyle");
	ASSERT_NE(Fresh, nullptr);
	EXPECT_EQ(Fresh, FKorvaneStyle::Get());
	EXPECT_EQ(Log.Messages("LogKorvane"), std::vector<std::string>{"Custom icon style registered."});

	// Each brush is drawn at the size of its image file.
	for (const char* BrushName : {"Korvane.Icon.Default", "Korvane.Icon.Default.Small", "Korvane.Icon.Default.Large"})
	{
		const FSlateBrush* const Brush = Fresh->FindBrush(BrushName);
		ASSERT_NE(Brush, nullptr) << BrushName;
		EXPECT_EQ(PngSize(Brush->GetResourceName()), Brush->ImageSize) << Brush->GetResourceName();
	}
	EXPECT_EQ(Fresh->FindBrush("Korvane.Icon.Default.Large")->ImageSize, (FVector2D{40.0, 40.0}));
}

TEST(KorvaneStyle, WithoutThePluginTheSetStaysEmptyAndTheButtonsShowWithoutIcon)
{
	FLogCapture Log;
	FTestEditor Editor;
	EXPECT_THAT(Log.Messages("LogKorvane"), Contains("Could not find plugin for icon registration."));
	ASSERT_NE(FKorvaneStyle::Get(), nullptr);
	EXPECT_THAT(FKorvaneStyle::Get()->GetBrushNames(), IsEmpty());
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle("KorvaneStyle"), nullptr);

	const FToolMenuEntry* const Button = KorvaneUITest::FindKorvaneEntry(UToolMenus::LevelEditorPlayToolBar, "OpenKorvanePanel");
	ASSERT_NE(Button, nullptr);
	EXPECT_EQ(Button->Icon.Get().GetIcon(), nullptr) << "the icon is named but cannot be drawn";
}
