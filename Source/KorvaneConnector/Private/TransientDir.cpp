#include "TransientDir.h"

#include "Core/FileSystem.h"
#include "Core/Paths.h"

std::string TransientDir()
{
	return FPaths::Combine(FPaths::ProjectIntermediateDir(), "Korvane");
}

bool EnsureTransientDir()
{
	const std::string Dir = TransientDir();
	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	if (PlatformFile.DirectoryExists(Dir))
	{
		return true;
	}
	return PlatformFile.CreateDirectoryTree(Dir);
}
