#include "Core/Log.h"
#include "Meshes/Gltf/GltfFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Any bytes, as .gltf text or .glb, must be refused or built into every kind of asset data without a crash.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	FLog::SetStderrEnabled(false);
	const std::optional<FGltfFile> File = FGltfFile::LoadFromMemory(std::span(Data, Size), "Fuzz.gltf");
	if (File)
	{
		File->BuildReferenceSkeleton();
		File->BuildSkeletalMesh();
		File->BuildStaticMesh();
		File->BuildAnimations(30.0);
	}
	return 0;
}
