#include "Imaging/Image.h"

std::string_view LexToString(EImagePixelFormat Format)
{
	switch (Format)
	{
	case EImagePixelFormat::G8:
		return "G8";
	case EImagePixelFormat::G16:
		return "G16";
	case EImagePixelFormat::BGRA8:
		return "BGRA8";
	case EImagePixelFormat::RGBA16:
		return "RGBA16";
	case EImagePixelFormat::RGBA16F:
		return "RGBA16F";
	case EImagePixelFormat::RGBA32F:
		return "RGBA32F";
	case EImagePixelFormat::R32F:
		return "R32F";
	}
	return "Unknown";
}

int32_t GetBytesPerPixel(EImagePixelFormat Format)
{
	switch (Format)
	{
	case EImagePixelFormat::G8:
		return 1;
	case EImagePixelFormat::G16:
		return 2;
	case EImagePixelFormat::BGRA8:
	case EImagePixelFormat::R32F:
		return 4;
	case EImagePixelFormat::RGBA16:
	case EImagePixelFormat::RGBA16F:
		return 8;
	case EImagePixelFormat::RGBA32F:
		return 16;
	}
	return 0;
}
