#include "Editor/EditorUIModel.h"
#include "Slate/AppStyle.h"
#include "Slate/SlateIcon.h"
#include "Slate/SlateStyle.h"
#include "Slate/SlateStyleRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
	/** A style set "TestStyle" with one image brush, unregistered when the test ends. */
	class StyleSets : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			ContentRoot = std::filesystem::temp_directory_path() / ("SlateStyleTests-" + std::to_string(::getpid()));
			std::filesystem::create_directories(ContentRoot);
			std::ofstream(ContentRoot / "Icon_20x.png") << "\x89PNG";
			Style.SetContentRoot(ContentRoot.string());
			Style.Set("Test.Icon", std::make_unique<FSlateImageBrush>(Style.RootToContentDir("Icon_20x", ".png"), FVector2D{20.0, 20.0}));
		}

		void TearDown() override
		{
			FSlateStyleRegistry::UnRegisterSlateStyle(Style);
			std::filesystem::remove_all(ContentRoot);
		}

		std::filesystem::path ContentRoot;
		FSlateStyleSet Style{"TestStyle"};
	};
}

TEST_F(StyleSets, ImageBrushesLiveUnderTheContentRoot)
{
	const FSlateBrush* Brush = Style.FindBrush("Test.Icon");
	ASSERT_NE(Brush, nullptr);
	EXPECT_EQ(Brush->GetResourceName(), (ContentRoot / "Icon_20x.png").string());
	EXPECT_EQ(Brush->ImageSize, (FVector2D{20.0, 20.0}));
	EXPECT_EQ(Brush->TintColor.GetSpecifiedColor(), (FLinearColor{1.0f, 1.0f, 1.0f, 1.0f}));
	EXPECT_EQ(Brush->StyleSetName, "TestStyle");
	EXPECT_EQ(Brush->BrushName, "Test.Icon");

	Style.Set("Test.Icon", std::make_unique<FSlateImageBrush>(Style.RootToContentDir("Icon_40x", ".png"), FVector2D{40.0, 40.0}));
	EXPECT_EQ(Style.FindBrush("Test.Icon")->ImageSize.X, 40.0) << "setting a name again replaces the brush";
	EXPECT_EQ(Style.GetBrushNames(), std::vector<std::string>{"Test.Icon"});
	EXPECT_EQ(Style.GetBrush("Missing"), ISlateStyle::GetNoBrush());
}

TEST_F(StyleSets, TheRegistryFindsASetOnlyWhileItIsRegistered)
{
	const FSlateIcon Icon("TestStyle", "Test.Icon");
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle("TestStyle"), nullptr);
	EXPECT_EQ(Icon.GetIcon(), nullptr) << "an icon of an unregistered set has no brush";

	ASSERT_TRUE(FSlateStyleRegistry::RegisterSlateStyle(Style));
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle("TestStyle"), &Style);
	EXPECT_EQ(Icon.GetIcon(), Style.FindBrush("Test.Icon"));
	EXPECT_EQ(FSlateIcon("TestStyle", "Other").GetIcon(), nullptr);

	FSlateStyleSet SameName("TestStyle");
	EXPECT_FALSE(FSlateStyleRegistry::RegisterSlateStyle(SameName)) << "a second set of the same name is refused";
	EXPECT_FALSE(FSlateStyleRegistry::UnRegisterSlateStyle(SameName)) << "and cannot unregister the first";
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle("TestStyle"), &Style);

	EXPECT_TRUE(FSlateStyleRegistry::UnRegisterSlateStyle(Style));
	EXPECT_FALSE(FSlateStyleRegistry::UnRegisterSlateStyle(Style));
	EXPECT_EQ(Icon.GetIcon(), nullptr);
}

TEST_F(StyleSets, OnlyExistingPngFilesOfRegisteredBrushesAreHandedOut)
{
	Style.Set("Test.Missing", std::make_unique<FSlateImageBrush>(Style.RootToContentDir("Missing", ".png"), FVector2D{20.0, 20.0}));
	std::ofstream(ContentRoot / "Notes.txt") << "text";
	Style.Set("Test.Text", std::make_unique<FSlateImageBrush>(Style.RootToContentDir("Notes", ".txt"), FVector2D{20.0, 20.0}));
	EXPECT_EQ(FEditorUIModel::FindBrushImageFile("TestStyle", "Test.Icon"), std::nullopt) << "not registered";

	ASSERT_TRUE(FSlateStyleRegistry::RegisterSlateStyle(Style));
	EXPECT_EQ(FEditorUIModel::FindBrushImageFile("TestStyle", "Test.Icon"), (ContentRoot / "Icon_20x.png").string());
	EXPECT_EQ(FEditorUIModel::FindBrushImageFile("TestStyle", "Test.Missing"), std::nullopt);
	EXPECT_EQ(FEditorUIModel::FindBrushImageFile("TestStyle", "Test.Text"), std::nullopt);
	EXPECT_EQ(FEditorUIModel::FindBrushImageFile("EditorStyle", "Icons.FilledCircle"), std::nullopt) << "drawn by name, no file";
}

TEST(AppStyleTests, TheEditorsOwnStylesAreAlwaysThere)
{
	EXPECT_EQ(FAppStyle::GetAppStyleSetName(), "EditorStyle");
	EXPECT_NE(FSlateStyleRegistry::FindSlateStyle("EditorStyle"), nullptr);
	EXPECT_NE(FSlateStyleRegistry::FindSlateStyle("CoreStyle"), nullptr);
	const FSlateBrush* Dot = FAppStyle::GetBrush("Icons.FilledCircle");
	EXPECT_NE(Dot, ISlateStyle::GetNoBrush());
	EXPECT_EQ(Dot->BrushName, "Icons.FilledCircle");
	EXPECT_FALSE(Dot->HasImageFile());
}
