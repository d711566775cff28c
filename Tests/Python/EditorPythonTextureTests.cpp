#include "Python/PythonTestSupport.h"

#include "Imaging/ImageWriter.h"

#include <gtest/gtest.h>

namespace
{
	/** A 2x1 16-bit grey PNG holding 0x0000 and 0x8080 (high byte 128, low byte rounds it to 128). */
	FImage MakeGrey16()
	{
		FImage Image;
		Image.SizeX = 2;
		Image.SizeY = 1;
		Image.Format = EImagePixelFormat::G16;
		const uint16_t Values[] = {0x0000, 0x8080};
		Image.RawData.assign(reinterpret_cast<const uint8_t*>(Values), reinterpret_cast<const uint8_t*>(Values) + sizeof(Values));
		return Image;
	}
}

TEST(EditorPythonTextures, ImportsSetsSettingsAndExportsSixteenBitSourcesAsEightBitTga)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	const std::string PngPath = Editor.Project().PathOf("Grey16.png");
	ASSERT_TRUE(SaveImageFile(MakeGrey16(), PngPath));
	const std::string TgaPath = Editor.Project().PathOf("Grey16.tga");

	EXPECT_EQ(EvalPython(Editor, "editor.import_texture(r'" + PngPath + "', '/Game/Imported').get_path_name()"), "'/Game/Imported/Grey16.Grey16'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_texture_source_info('/Game/Imported/Grey16')"),
		"{'valid': True, 'width': 2, 'height': 1, 'mips': 1, 'format': 'TSF_G16'}");
	EXPECT_EQ(EvalPython(Editor, "editor.set_texture_settings('/Game/Imported/Grey16', {'sRGB': False, 'compressionSettings': 'TC_Normalmap', "
		"'addressY': 'TA_Clamp', 'lodGroup': 'NoSuchGroup', 'bogus': 1})"), "(3, ['lodGroup', 'bogus'])");
	EXPECT_EQ(EvalPython(Editor, "[editor.get_texture_settings('/Game/Imported/Grey16')[k] for k in ('sRGB', 'compressionSettings', 'addressY', 'lodGroup')]"),
		"[False, 'TC_Normalmap', 'TA_Clamp', 'TEXTUREGROUP_World']");

	// The 8-bit copy takes round(v * 255 / 65535): 0x8080 (32896) becomes 128.
	EXPECT_EQ(EvalPython(Editor, "editor.export_texture_source_tga('/Game/Imported/Grey16', r'" + TgaPath + "')"), "True");
	EXPECT_EQ(EvalPython(Editor, "editor.import_texture(r'" + TgaPath + "', '/Game/Again', 'T_Grey8').get_name()"), "'T_Grey8'");
	EXPECT_EQ(EvalPython(Editor, "(editor.get_texture_source_info('/Game/Again/T_Grey8')['format'], list(editor.get_texture_source_pixels('/Game/Again/T_Grey8')))"),
		"('TSF_G8', [0, 128])");

	// Importing again over the same asset replaces its source and keeps its settings.
	EXPECT_EQ(EvalPython(Editor, "editor.import_texture(r'" + PngPath + "', '/Game/Imported').get_path_name()"), "'/Game/Imported/Grey16.Grey16'");
	EXPECT_EQ(EvalPython(Editor, "editor.get_texture_settings('/Game/Imported/Grey16')['compressionSettings']"), "'TC_Normalmap'");
	EXPECT_EQ(EvalPython(Editor, "editor.save_asset('/Game/Imported/Grey16')"), "True");
	EXPECT_TRUE(Editor.Project().Exists("Content/Imported/Grey16.png"));
}

TEST(EditorPythonTextures, RefusesFilesThatDoNotDecodeAndTexturesWithoutSource)
{
	FTestEditor Editor(EmbeddedPythonOptions());
	Editor.Project().WriteFile("Broken.tga", std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\x10\0\x10\0\x20\x08", 18));
	const std::string TgaPath = Editor.Project().PathOf("Broken.tga");
	EXPECT_EQ(EvalPython(Editor, "editor.import_texture(r'" + TgaPath + "', '/Game/Imported')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.does_asset_exist('/Game/Imported/Broken')"), "False");

	EXPECT_EQ(EvalPython(Editor, "editor.create_texture('/Game/Empty', 'T_Blank').get_name()"), "'T_Blank'");
	EXPECT_EQ(EvalPython(Editor, "editor.create_texture('/Game/Empty', 'T_Blank')"), "<error>");
	EXPECT_EQ(EvalPython(Editor, "editor.get_texture_source_info('/Game/Empty/T_Blank')['valid']"), "False");
	EXPECT_EQ(EvalPython(Editor, "editor.export_texture_source_tga('/Game/Empty/T_Blank', r'" + Editor.Project().PathOf("Blank.tga") + "')"), "False");
	EXPECT_FALSE(Editor.Project().Exists("Blank.tga"));
}
