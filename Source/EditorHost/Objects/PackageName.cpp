#include "Objects/PackageName.h"

#include "Core/Paths.h"

#include <filesystem>
#include <mutex>
#include <system_error>

namespace
{
	/** The characters the editor refuses in long package names. */
	constexpr std::string_view RefusedCharacters = "\\:*?\"<>|' ,.&!~@#";

	bool IsValidSegment(std::string_view Segment)
	{
		if (Segment.empty())
		{
			return false;
		}
		for (const char Character : Segment)
		{
			const unsigned char Byte = static_cast<unsigned char>(Character);
			if (Byte < 0x20 || Byte == 0x7F || RefusedCharacters.find(Character) != std::string_view::npos)
			{
				return false;
			}
		}
		return true;
	}

	/** Counts the segments of "/A/B/C", or 0 when any segment is invalid. */
	std::size_t CountValidSegments(std::string_view Path)
	{
		if (Path.empty() || Path.front() != '/')
		{
			return 0;
		}
		std::size_t Count = 0;
		std::size_t Start = 1;
		while (true)
		{
			const std::size_t Slash = Path.find('/', Start);
			if (!IsValidSegment(Path.substr(Start, Slash == std::string_view::npos ? std::string_view::npos : Slash - Start)))
			{
				return 0;
			}
			++Count;
			if (Slash == std::string_view::npos)
			{
				return Count;
			}
			Start = Slash + 1;
		}
	}

	std::filesystem::path Resolved(std::string_view Path)
	{
		std::error_code Error;
		std::filesystem::path Result = std::filesystem::weakly_canonical(std::filesystem::path(Path), Error);
		return Error ? std::filesystem::path() : Result;
	}

	/** Whether the name or path is the root itself or lies below it ("/Engine/A" under "/Engine", not "/EngineX"). */
	bool IsUnderRoot(std::string_view Name, std::string_view Root)
	{
		return Name.starts_with(Root) && (Name.size() == Root.size() || Name[Root.size()] == '/');
	}

	/** Whether File, with every link resolved, lies strictly inside Folder (resolved too). */
	bool IsInsideFolder(std::string_view Folder, std::string_view File)
	{
		const std::filesystem::path ResolvedFolder = Resolved(Folder);
		const std::filesystem::path ResolvedFile = Resolved(File);
		return !ResolvedFolder.empty() && !ResolvedFile.empty() && ResolvedFile != ResolvedFolder &&
			FPaths::IsUnderDirectory(ResolvedFile.generic_string(), ResolvedFolder.generic_string());
	}

	/** The folders the read-only roots are mounted on (empty: not mounted). */
	struct FMountedContentState
	{
		std::mutex Mutex;
		std::string EngineDir;
		std::string ControlRigDir;
	};

	FMountedContentState& GetMountedContentState()
	{
		static FMountedContentState State;
		return State;
	}

	/** The folder as a mount point: absolute, its links resolved, with a trailing slash; empty stays empty. */
	std::string MakeMountDir(std::string_view Dir)
	{
		if (Dir.empty())
		{
			return {};
		}
		// The folder is the host's own; resolving its links once lets the scanner
		// open it without following any link below it.
		const std::filesystem::path Real = Resolved(FPaths::ConvertRelativePathToFull(Dir));
		std::string Full = Real.empty() ? FPaths::ConvertRelativePathToFull(Dir) : Real.generic_string();
		if (Full.back() != '/')
		{
			Full.push_back('/');
		}
		return Full;
	}

	void SetMountDir(std::string FMountedContentState::*Member, std::string_view Dir)
	{
		std::string Full = MakeMountDir(Dir);
		FMountedContentState& State = GetMountedContentState();
		const std::lock_guard Lock(State.Mutex);
		State.*Member = std::move(Full);
	}

	std::string GetMountDir(std::string FMountedContentState::*Member)
	{
		FMountedContentState& State = GetMountedContentState();
		const std::lock_guard Lock(State.Mutex);
		return State.*Member;
	}
}

bool FPackageName::IsValidLongPackageName(std::string_view PackageName)
{
	return CountValidSegments(PackageName) >= 2;
}

bool FPackageName::IsValidPath(std::string_view Path)
{
	return CountValidSegments(Path) >= 1;
}

std::string_view FPackageName::GetLongPackagePath(std::string_view PackageName)
{
	const std::size_t Slash = PackageName.rfind('/');
	return Slash == std::string_view::npos ? std::string_view() : PackageName.substr(0, Slash);
}

std::string_view FPackageName::GetShortName(std::string_view PackageName)
{
	const std::size_t Slash = PackageName.rfind('/');
	return Slash == std::string_view::npos ? PackageName : PackageName.substr(Slash + 1);
}

std::string_view FPackageName::ObjectPathToPackageName(std::string_view ObjectPath)
{
	return ObjectPath.substr(0, ObjectPath.find('.'));
}

void FPackageName::SetEngineContentDir(std::string_view Dir)
{
	SetMountDir(&FMountedContentState::EngineDir, Dir);
}

std::string FPackageName::EngineContentDir()
{
	return GetMountDir(&FMountedContentState::EngineDir);
}

void FPackageName::SetControlRigContentDir(std::string_view Dir)
{
	SetMountDir(&FMountedContentState::ControlRigDir, Dir);
}

std::string FPackageName::ControlRigContentDir()
{
	return GetMountDir(&FMountedContentState::ControlRigDir);
}

std::vector<FContentRoot> FPackageName::GetContentRoots()
{
	std::vector<FContentRoot> Roots;
	Roots.push_back({GameRoot, FPaths::ProjectContentDir(), false});
	std::string EngineDir = EngineContentDir();
	if (!EngineDir.empty())
	{
		Roots.push_back({EngineRoot, std::move(EngineDir), true});
	}
	std::string ControlRigDir = ControlRigContentDir();
	if (!ControlRigDir.empty())
	{
		Roots.push_back({ControlRigRoot, std::move(ControlRigDir), true});
	}
	return Roots;
}

std::optional<FContentRoot> FPackageName::FindContentRoot(std::string_view PackageNameOrPath)
{
	for (FContentRoot& Root : GetContentRoots())
	{
		if (IsUnderRoot(PackageNameOrPath, Root.RootPath))
		{
			return std::move(Root);
		}
	}
	return std::nullopt;
}

bool FPackageName::IsReadOnlyPackage(std::string_view PackageName)
{
	return IsUnderRoot(PackageName, EngineRoot) || IsUnderRoot(PackageName, ControlRigRoot);
}

std::optional<std::string> FPackageName::TryConvertLongPackageNameToFilename(std::string_view PackageName)
{
	if (!IsValidLongPackageName(PackageName) || PackageName == TransientPackageName)
	{
		return std::nullopt;
	}
	const std::optional<FContentRoot> Root = FindContentRoot(PackageName);
	if (!Root)
	{
		return std::nullopt;
	}
	std::string Filename = Root->ContentDir;
	Filename.append(PackageName.substr(Root->RootPath.size() + 1));
	Filename.append(AssetFileExtension);
	if (!IsInsideFolder(Root->ContentDir, Filename))
	{
		return std::nullopt;
	}
	return Filename;
}

std::optional<std::string> FPackageName::TryConvertFilenameToLongPackageName(std::string_view Filename)
{
	const std::string Full = FPaths::ConvertRelativePathToFull(Filename);
	if (!Full.ends_with(AssetFileExtension))
	{
		return std::nullopt;
	}
	for (const FContentRoot& Root : GetContentRoots())
	{
		if (!Full.starts_with(Root.ContentDir))
		{
			continue;
		}
		std::string PackageName(Root.RootPath);
		PackageName.push_back('/');
		PackageName.append(std::string_view(Full).substr(Root.ContentDir.size(), Full.size() - Root.ContentDir.size() - AssetFileExtension.size()));
		if (!IsValidLongPackageName(PackageName) || PackageName == TransientPackageName)
		{
			return std::nullopt;
		}
		return PackageName;
	}
	return std::nullopt;
}

bool FPackageName::IsInsideContentRootOf(std::string_view PackageName, std::string_view Filename)
{
	const std::optional<FContentRoot> Root = FindContentRoot(PackageName);
	return Root && IsInsideFolder(Root->ContentDir, Filename);
}
