#include "Assets/AssetFiles.h"
#include "Assets/AssetRegistry.h"
#include "Core/Log.h"
#include "Materials/Material.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture2D.h"
#include "Textures/TextureCube.h"
#include "Textures/TextureRenderTarget2D.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	class DemoTextures : public ::testing::Test
	{
	protected:
		FTestEditor Editor{[] { FTestEditorOptions Options = HostOnly(); Options.bDemoProject = true; return Options; }()};

		/** Every texture asset of any kind the registry lists under a root. */
		static std::vector<FAssetData> TextureAssetsUnder(std::string_view Root)
		{
			FARFilter Filter;
			Filter.PackagePaths = {std::string(Root)};
			Filter.bRecursivePaths = true;
			Filter.ClassPaths = {UTexture::StaticClass()->GetClassPathName()};
			Filter.bRecursiveClasses = true;
			std::vector<FAssetData> Assets;
			IAssetRegistry::Get()->GetAssets(Filter, Assets);
			return Assets;
		}

		static std::vector<std::string> Warnings(const FLogCapture& Log)
		{
			std::vector<std::string> Lines;
			for (const FLogLine& Line : Log.Lines())
			{
				if (Line.Verbosity <= ELogVerbosity::Warning)
				{
					Lines.push_back(Line.Message);
				}
			}
			return Lines;
		}

		static std::vector<uint8_t> MipBytes(const UTexture& Texture, int32_t Mip)
		{
			std::vector<uint8_t> Bytes;
			EXPECT_TRUE(Texture.Source.GetMipData(Bytes, 0, 0, Mip)) << Texture.GetPathName() << " mip " << Mip;
			return Bytes;
		}
	};
}

TEST_F(DemoTextures, EveryTextureLoadsCleanlyWithTheTagsItComputesAndSavesBackByteForByte)
{
	std::vector<FAssetData> Assets = TextureAssetsUnder("/Game");
	const std::vector<FAssetData> EngineAssets = TextureAssetsUnder("/Engine");
	ASSERT_GE(Assets.size(), 13u);
	ASSERT_GE(EngineAssets.size(), 3u);
	Assets.insert(Assets.end(), EngineAssets.begin(), EngineAssets.end());
	for (const FAssetData& Asset : Assets)
	{
		FLogCapture Log;
		UObject* const Loaded = StaticLoadObject(nullptr, Asset.GetObjectPathString());
		ASSERT_NE(Loaded, nullptr) << Asset.GetObjectPathString();
		EXPECT_EQ(Warnings(Log), std::vector<std::string>()) << Asset.GetObjectPathString();
		if (const UTexture2D* const Texture = Cast<UTexture2D>(Loaded))
		{
			std::vector<FAssetRegistryTag> Computed;
			Texture->GetAssetRegistryTags(Computed);
			ASSERT_EQ(Computed.size(), Asset.TagsAndValues.size()) << Asset.GetObjectPathString();
			for (std::size_t Index = 0; Index < Computed.size(); ++Index)
			{
				EXPECT_EQ(Asset.TagsAndValues[Index].Name, Computed[Index].Name) << Asset.GetObjectPathString();
				EXPECT_EQ(Asset.TagsAndValues[Index].Value, Computed[Index].Value) << Asset.GetObjectPathString() << " " << Computed[Index].Name;
			}
			EXPECT_TRUE(Texture->Source.IsValid()) << Asset.GetObjectPathString();
		}
		if (Asset.PackageName.starts_with("/Game/"))
		{
			const std::string Relative = "Content" + Asset.PackageName.substr(std::string_view("/Game").size()) + ".asset.json";
			const std::string Before = Editor.Project().ReadFile(Relative);
			ASSERT_TRUE(UPackage::SavePackage(Loaded->GetPackage(), Loaded, Editor.Project().PathOf(Relative))) << Relative;
			EXPECT_EQ(Editor.Project().ReadFile(Relative), Before) << Relative;
		}
	}
}

TEST_F(DemoTextures, TheLargeTextureCarriesAFullSourceMipChainOfBoxAverages)
{
	const UTexture2D* const Terrain = LoadObject<UTexture2D>("/Game/Textures/T_Terrain_4K.T_Terrain_4K");
	ASSERT_NE(Terrain, nullptr);
	ASSERT_EQ(Terrain->Source.GetNumMips(), 13);
	EXPECT_EQ(Terrain->Source.GetFormat(), TSF_BGRA8);
	EXPECT_EQ(Terrain->GetNumMips(), 13) << "existing mips are kept";
	EXPECT_EQ(Terrain->GetPixelFormat(), PF_DXT1);

	// Mip 4 is 256 × 256 with 32-pixel squares: the second square of the first row is the dark colour.
	EXPECT_EQ(Terrain->Source.GetMipSizeX(4), 256);
	const std::vector<uint8_t> Mip4 = MipBytes(*Terrain, 4);
	ASSERT_EQ(Mip4.size(), 256u * 256u * 4u);
	EXPECT_EQ(std::vector<uint8_t>(Mip4.begin(), Mip4.begin() + 4), (std::vector<uint8_t>{80, 160, 120, 255}));
	EXPECT_EQ(std::vector<uint8_t>(Mip4.begin() + 32 * 4, Mip4.begin() + 33 * 4), (std::vector<uint8_t>{40, 90, 60, 255}));
	// The 1 × 1 mip is the average of the two colours.
	EXPECT_EQ(MipBytes(*Terrain, 12), (std::vector<uint8_t>{60, 125, 90, 255}));
	// 4096² DXT1 down to 1×1: 8 MiB + 2 MiB + ... with every small mip one 8-byte block.
	EXPECT_EQ(Terrain->CalcTextureMemorySizeEnum(ETextureMipCount::TMC_ResidentMips), 11184824u);
}

TEST_F(DemoTextures, EachSourceKindBuildsItsOwnFormat)
{
	struct FExpected
	{
		const char* Path;
		ETextureSourceFormat SourceFormat;
		int32_t SizeX;
		int32_t SizeY;
		int32_t NumMips;
		EPixelFormat PixelFormat;
	};
	for (const FExpected& Expected : {
			 FExpected{"/Game/Textures/T_Banner.T_Banner", TSF_BGRA8, 300, 100, 1, PF_B8G8R8A8},
			 FExpected{"/Game/Textures/T_Checker.T_Checker", TSF_BGRA8, 64, 64, 7, PF_DXT1},
			 FExpected{"/Game/Textures/T_Mask_G8.T_Mask_G8", TSF_G8, 64, 64, 7, PF_G8},
			 FExpected{"/Game/Textures/T_Height_G16.T_Height_G16", TSF_G16, 64, 64, 7, PF_G16},
			 FExpected{"/Game/Textures/T_Sky_HDR.T_Sky_HDR", TSF_RGBA16F, 32, 16, 6, PF_FloatRGBA},
			 FExpected{"/Game/Textures/T_FlatNormal.T_FlatNormal", TSF_BGRA8, 4, 4, 3, PF_BC5},
			 FExpected{"/Game/Textures/Environment/Cliffs/T_CliffFace.T_CliffFace", TSF_BGRA8, 64, 64, 7, PF_DXT1},
		 })
	{
		const UTexture2D* const Texture = LoadObject<UTexture2D>(Expected.Path);
		ASSERT_NE(Texture, nullptr) << Expected.Path;
		EXPECT_EQ(Texture->Source.GetFormat(), Expected.SourceFormat) << Expected.Path;
		EXPECT_EQ(Texture->Source.GetNumMips(), 1) << Expected.Path << ": an imported picture keeps one source mip";
		EXPECT_EQ(Texture->GetSizeX(), Expected.SizeX) << Expected.Path;
		EXPECT_EQ(Texture->GetSizeY(), Expected.SizeY) << Expected.Path;
		EXPECT_EQ(Texture->GetNumMips(), Expected.NumMips) << Expected.Path;
		EXPECT_EQ(Texture->GetPixelFormat(), Expected.PixelFormat) << Expected.Path;
	}

	// The half-float sky keeps its values above one.
	const UTexture2D* const Sky = LoadObject<UTexture2D>("/Game/Textures/T_Sky_HDR.T_Sky_HDR");
	ASSERT_NE(Sky, nullptr);
	EXPECT_EQ(Sky->Source.GetBytesPerPixel(), 8);
	const std::vector<uint8_t> Top = MipBytes(*Sky, 0);
	ASSERT_EQ(Top.size(), 32u * 16u * 8u);
	EXPECT_EQ(Top[4] | (Top[5] << 8), 0x4400) << "blue of the first pixel is 4.0 as a half float";
}

TEST_F(DemoTextures, TheCubeAndTheRenderTargetAreReferencedByAMaterial)
{
	const UTextureCube* const Cube = LoadObject<UTextureCube>("/Game/Textures/TC_SkyCube.TC_SkyCube");
	ASSERT_NE(Cube, nullptr);
	EXPECT_EQ(Cube->Source.GetNumSlices(), 6);
	EXPECT_EQ(Cube->GetSizeX(), 16);
	EXPECT_EQ(Cube->GetSizeY(), 16);
	const UTextureRenderTarget2D* const Target = LoadObject<UTextureRenderTarget2D>("/Game/Textures/RT_Minimap.RT_Minimap");
	ASSERT_NE(Target, nullptr);
	EXPECT_EQ(Target->SizeX, 256);
	EXPECT_EQ(Target->SizeY, 256);

	const UMaterial* const Material = LoadObject<UMaterial>("/Game/Materials/Special/M_SkyReflection.M_SkyReflection");
	ASSERT_NE(Material, nullptr);
	std::vector<UTexture*> Used;
	Material->GetUsedTextures(Used);
	std::vector<std::string> Paths;
	std::transform(Used.begin(), Used.end(), std::back_inserter(Paths), [](const UTexture* Texture) { return Texture->GetPathName(); });
	std::sort(Paths.begin(), Paths.end());
	EXPECT_EQ(Paths, (std::vector<std::string>{"/Game/Textures/Environment/Cliffs/T_CliffFace.T_CliffFace", "/Game/Textures/RT_Minimap.RT_Minimap",
						 "/Game/Textures/TC_SkyCube.TC_SkyCube"}));
}
