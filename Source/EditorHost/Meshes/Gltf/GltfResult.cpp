#include "Meshes/Gltf/GltfResult.h"

#include <cstdarg>
#include <cstdio>

FGltfError MakeGltfError(const char* Format, ...)
{
	char Buffer[512];
	va_list Args;
	va_start(Args, Format);
	std::vsnprintf(Buffer, sizeof(Buffer), Format, Args);
	va_end(Args);
	return FGltfError{Buffer};
}
