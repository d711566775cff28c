#include "Render/TextureUploads.h"

#include "Core/Color.h"
#include "Textures/Texture.h"
#include "Textures/TextureRenderTarget2D.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace
{
	struct FGlFormat
	{
		GLenum InternalFormat = GL_RGBA8;
		GLenum Format = GL_RGBA;
		GLenum Type = GL_UNSIGNED_BYTE;
		/** Single-channel formats read as grey with full alpha. */
		bool bGrey = false;
	};

	std::optional<FGlFormat> FindGlFormat(ETextureSourceFormat Format, bool bSRGB)
	{
		switch (Format)
		{
		case TSF_G8:
			return FGlFormat{GL_R8, GL_RED, GL_UNSIGNED_BYTE, true};
		case TSF_BGRA8:
			return FGlFormat{bSRGB ? GLenum(GL_SRGB8_ALPHA8) : GLenum(GL_RGBA8), GL_BGRA, GL_UNSIGNED_BYTE, false};
		case TSF_BGRE8:
			return FGlFormat{GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, false};
		case TSF_RGBA8_DEPRECATED:
		case TSF_RGBE8_DEPRECATED:
			return FGlFormat{bSRGB ? GLenum(GL_SRGB8_ALPHA8) : GLenum(GL_RGBA8), GL_RGBA, GL_UNSIGNED_BYTE, false};
		case TSF_RGBA16:
			return FGlFormat{GL_RGBA16, GL_RGBA, GL_UNSIGNED_SHORT, false};
		case TSF_RGBA16F:
			return FGlFormat{GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, false};
		case TSF_G16:
			return FGlFormat{GL_R16, GL_RED, GL_UNSIGNED_SHORT, true};
		case TSF_RGBA32F:
			return FGlFormat{GL_RGBA32F, GL_RGBA, GL_FLOAT, false};
		case TSF_R16F:
			return FGlFormat{GL_R16F, GL_RED, GL_HALF_FLOAT, true};
		case TSF_R32F:
			return FGlFormat{GL_R32F, GL_RED, GL_FLOAT, true};
		default:
			return std::nullopt;
		}
	}

	void SetSampling(GLuint Texture, bool bMips)
	{
		glTextureParameteri(Texture, GL_TEXTURE_MIN_FILTER, bMips ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
		glTextureParameteri(Texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
		glTextureParameteri(Texture, GL_TEXTURE_WRAP_S, GL_REPEAT);
		glTextureParameteri(Texture, GL_TEXTURE_WRAP_T, GL_REPEAT);
	}

	/** A texture made from the source's mips (slices are a cube's six faces), or nothing when the source cannot be used. */
	FGlTexture UploadSource(const UTexture& Texture, bool bCube)
	{
		const FTextureSource& Source = Texture.Source;
		const std::optional<FGlFormat> Format = FindGlFormat(Source.GetFormat(), Texture.SRGB);
		const int32_t Faces = bCube ? 6 : 1;
		if (!Source.IsValid() || !Format || Source.GetNumSlices() < Faces || (bCube && Source.GetSizeX() != Source.GetSizeY()))
		{
			return FGlTexture();
		}
		GLuint Name = 0;
		glCreateTextures(bCube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D, 1, &Name);
		FGlTexture Result(Name);
		const int32_t NumMips = Source.GetNumMips();
		glTextureStorage2D(Name, NumMips > 1 ? NumMips : 1 + static_cast<int32_t>(std::log2(std::max(Source.GetSizeX(), Source.GetSizeY()))), Format->InternalFormat,
			Source.GetSizeX(), Source.GetSizeY());
		glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
		std::vector<uint8_t> MipData;
		for (int32_t Mip = 0; Mip < NumMips; ++Mip)
		{
			if (!Source.GetMipData(MipData, 0, 0, Mip))
			{
				return FGlTexture();
			}
			const int32_t Width = Source.GetMipSizeX(Mip);
			const int32_t Height = Source.GetMipSizeY(Mip);
			if (bCube)
			{
				glTextureSubImage3D(Name, Mip, 0, 0, 0, Width, Height, 6, Format->Format, Format->Type, MipData.data());
			}
			else
			{
				glTextureSubImage2D(Name, Mip, 0, 0, Width, Height, Format->Format, Format->Type, MipData.data());
			}
		}
		if (NumMips == 1)
		{
			glGenerateTextureMipmap(Name);
		}
		if (Format->bGrey)
		{
			const GLint Swizzle[4] = {GL_RED, GL_RED, GL_RED, GL_ONE};
			glTextureParameteriv(Name, GL_TEXTURE_SWIZZLE_RGBA, Swizzle);
		}
		SetSampling(Name, true);
		return Result;
	}

	float DecodeSRGB(float Value)
	{
		return Value <= 0.04045f ? Value / 12.92f : std::pow((Value + 0.055f) / 1.055f, 2.4f);
	}

	/** The render target's pixels as a float texture; the 8-bit values of an sRGB target are decoded to linear. */
	FGlTexture UploadRenderTarget(UTextureRenderTarget2D& RenderTarget, FGlTexture Existing)
	{
		FTextureRenderTargetResource* Resource = RenderTarget.GameThread_GetRenderTargetResource();
		std::vector<FLinearColor> Pixels;
		if (Resource == nullptr || !Resource->ReadLinearColorPixels(Pixels))
		{
			return FGlTexture();
		}
		if (Resource->GetDisplayGamma() > 1.0f)
		{
			for (FLinearColor& Pixel : Pixels)
			{
				Pixel = FLinearColor{DecodeSRGB(Pixel.R), DecodeSRGB(Pixel.G), DecodeSRGB(Pixel.B), Pixel.A};
			}
		}
		GLuint Name = Existing.Get();
		GLint Width = 0;
		GLint Height = 0;
		if (Name != 0)
		{
			glGetTextureLevelParameteriv(Name, 0, GL_TEXTURE_WIDTH, &Width);
			glGetTextureLevelParameteriv(Name, 0, GL_TEXTURE_HEIGHT, &Height);
		}
		if (Name == 0 || Width != Resource->GetSizeX() || Height != Resource->GetSizeY())
		{
			glCreateTextures(GL_TEXTURE_2D, 1, &Name);
			Existing = FGlTexture(Name);
			glTextureStorage2D(Name, 1, GL_RGBA32F, Resource->GetSizeX(), Resource->GetSizeY());
			SetSampling(Name, false);
		}
		glTextureSubImage2D(Name, 0, 0, 0, Resource->GetSizeX(), Resource->GetSizeY(), GL_RGBA, GL_FLOAT, Pixels.data());
		return Existing;
	}
}

uint32_t FTextureUploads::GetBlack(bool bCube)
{
	FGlTexture& Black = bCube ? BlackCube : Black2D;
	if (!Black)
	{
		GLuint Name = 0;
		glCreateTextures(bCube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D, 1, &Name);
		Black = FGlTexture(Name);
		glTextureStorage2D(Name, 1, GL_RGBA8, 1, 1);
		const uint8_t Pixel[4 * 6] = {};
		if (bCube)
		{
			glTextureSubImage3D(Name, 0, 0, 0, 0, 1, 1, 6, GL_RGBA, GL_UNSIGNED_BYTE, Pixel);
		}
		else
		{
			glTextureSubImage2D(Name, 0, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, Pixel);
		}
		SetSampling(Name, false);
	}
	return Black.Get();
}

uint32_t FTextureUploads::GetTexture(UTexture* Texture, bool bCube)
{
	if (Texture == nullptr)
	{
		return GetBlack(bCube);
	}
	auto Found = Entries.find(Texture);
	if (Found != Entries.end() && Found->second.Object.Get() != Texture)
	{
		Entries.erase(Found);
		Found = Entries.end();
	}
	if (auto* RenderTarget = Cast<UTextureRenderTarget2D>(Texture); RenderTarget != nullptr && !bCube)
	{
		FEntry& Entry = Entries[Texture];
		Entry.Object = Texture;
		Entry.Texture = UploadRenderTarget(*RenderTarget, std::move(Entry.Texture));
		return Entry.Texture ? Entry.Texture.Get() : GetBlack(bCube);
	}
	const uint32_t ChangeCount = Texture->Source.GetChangeCount();
	if (Found == Entries.end() || Found->second.ChangeCount != ChangeCount || Found->second.bCube != bCube)
	{
		FEntry& Entry = Entries[Texture];
		Entry.Object = Texture;
		Entry.ChangeCount = ChangeCount;
		Entry.bCube = bCube;
		Entry.Texture = UploadSource(*Texture, bCube);
		return Entry.Texture ? Entry.Texture.Get() : GetBlack(bCube);
	}
	return Found->second.Texture ? Found->second.Texture.Get() : GetBlack(bCube);
}
