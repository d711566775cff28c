#include "Assets/ContentScanner.h"

#include "Assets/AssetFileHeader.h"
#include "Core/LogHost.h"
#include "Objects/PackageName.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <optional>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
	/** The asset files of one folder, waiting for their headers to be read. */
	struct FFolderJob
	{
		std::string Dir;
		std::string Path;
		std::vector<std::string> AssetNames;
		/** Where this folder's results start in the scan's result list. */
		std::size_t FirstResult = 0;
	};

	enum class EEntryKind
	{
		File,
		Directory,
		Other
	};

	struct FDirectoryEntry
	{
		std::string Name;
		EEntryKind Kind = EEntryKind::Other;
	};

	/** The entries of one directory, sorted by name; links and special files count as Other. */
	std::vector<FDirectoryEntry> ListDirectory(const std::string& Dir)
	{
		std::vector<FDirectoryEntry> Entries;
		std::unique_ptr<DIR, int (*)(DIR*)> Handle(::opendir(Dir.c_str()), &::closedir);
		if (!Handle)
		{
			return Entries;
		}
		while (const dirent* Entry = ::readdir(Handle.get()))
		{
			const std::string_view Name = Entry->d_name;
			if (Name == "." || Name == "..")
			{
				continue;
			}
			unsigned char Type = Entry->d_type;
			if (Type == DT_UNKNOWN)
			{
				struct stat Info;
				const std::string Path = Dir + std::string(Name);
				Type = ::lstat(Path.c_str(), &Info) != 0 ? DT_UNKNOWN : S_ISREG(Info.st_mode) ? DT_REG : S_ISDIR(Info.st_mode) ? DT_DIR : DT_LNK;
			}
			Entries.push_back({std::string(Name), Type == DT_REG ? EEntryKind::File : Type == DT_DIR ? EEntryKind::Directory : EEntryKind::Other});
		}
		std::sort(Entries.begin(), Entries.end(), [](const FDirectoryEntry& A, const FDirectoryEntry& B) { return A.Name < B.Name; });
		return Entries;
	}

	/** Collects the asset files of Dir (mapped to Path) and of every folder below it. */
	void CollectAssetFiles(const std::string& Dir, const std::string& Path, FContentScan& Scan, std::vector<FFolderJob>& OutJobs, std::size_t& ResultCount)
	{
		const std::vector<FDirectoryEntry> Entries = ListDirectory(Dir);
		FFolderJob Job{Dir, Path, {}, ResultCount};
		for (const FDirectoryEntry& Entry : Entries)
		{
			if (Entry.Kind != EEntryKind::File || !Entry.Name.ends_with(FPackageName::AssetFileExtension))
			{
				continue;
			}
			std::string AssetName = Entry.Name.substr(0, Entry.Name.size() - FPackageName::AssetFileExtension.size());
			const std::string PackageName = Path + "/" + AssetName;
			if (!FPackageName::IsValidLongPackageName(PackageName))
			{
				UE_LOG(LogHost, Warning, "Skipping asset file %s%s: its name is not a valid package name", Dir.c_str(), Entry.Name.c_str());
				++Scan.SkippedFiles;
				continue;
			}
			if (PackageName == FPackageName::TransientPackageName)
			{
				UE_LOG(LogHost, Warning, "Skipping asset file %s%s: %s is the transient package, never a file", Dir.c_str(), Entry.Name.c_str(), PackageName.c_str());
				++Scan.SkippedFiles;
				continue;
			}
			Job.AssetNames.push_back(std::move(AssetName));
		}
		if (!Job.AssetNames.empty())
		{
			ResultCount += Job.AssetNames.size();
			OutJobs.push_back(std::move(Job));
		}
		for (const FDirectoryEntry& Entry : Entries)
		{
			if (Entry.Kind != EEntryKind::Directory)
			{
				continue;
			}
			const std::string SubPath = Path + "/" + Entry.Name;
			if (!FPackageName::IsValidPath(SubPath))
			{
				UE_LOG(LogHost, Warning, "Skipping content folder %s%s: its name is not valid in package names", Dir.c_str(), Entry.Name.c_str());
				continue;
			}
			Scan.Folders.push_back(SubPath);
			CollectAssetFiles(Dir + Entry.Name + "/", SubPath, Scan, OutJobs, ResultCount);
		}
	}

	/** Reads a file of the open folder DirDescriptor (opening it by name there spares the kernel the whole path). */
	std::optional<std::string> ReadWholeFile(int DirDescriptor, const std::string& Name)
	{
		const int Descriptor = ::openat(DirDescriptor, Name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
		if (Descriptor < 0)
		{
			return std::nullopt;
		}
		std::optional<std::string> Text;
		struct stat Info;
		if (::fstat(Descriptor, &Info) == 0 && S_ISREG(Info.st_mode))
		{
			Text.emplace(static_cast<std::size_t>(Info.st_size), '\0');
			std::size_t Done = 0;
			while (Done < Text->size())
			{
				const ssize_t Read = ::read(Descriptor, Text->data() + Done, Text->size() - Done);
				if (Read < 0 && errno == EINTR)
				{
					continue;
				}
				if (Read <= 0)
				{
					break;
				}
				Done += static_cast<std::size_t>(Read);
			}
			Text->resize(Done);
		}
		::close(Descriptor);
		return Text;
	}

	std::optional<FAssetData> ReadAssetData(int DirDescriptor, const FFolderJob& Job, const std::string& AssetName)
	{
		const std::string FileName = AssetName + std::string(FPackageName::AssetFileExtension);
		const std::optional<std::string> Text = DirDescriptor >= 0 ? ReadWholeFile(DirDescriptor, FileName) : std::nullopt;
		if (!Text)
		{
			UE_LOG(LogHost, Warning, "Skipping asset file %s%s: it cannot be read", Job.Dir.c_str(), FileName.c_str());
			return std::nullopt;
		}
		std::string Error;
		std::optional<FAssetFileHeader> Header = ReadAssetFileHeader(*Text, Error);
		if (!Header)
		{
			UE_LOG(LogHost, Warning, "Skipping asset file %s%s: %s", Job.Dir.c_str(), FileName.c_str(), Error.c_str());
			return std::nullopt;
		}
		return FAssetData(Job.Path + "/" + AssetName, AssetName, FTopLevelAssetPath(Header->ClassPath), std::move(Header->Tags));
	}

	void ReadFolder(const FFolderJob& Job, std::vector<std::optional<FAssetData>>& OutResults)
	{
		const int DirDescriptor = ::open(Job.Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
		for (std::size_t Index = 0; Index < Job.AssetNames.size(); ++Index)
		{
			OutResults[Job.FirstResult + Index] = ReadAssetData(DirDescriptor, Job, Job.AssetNames[Index]);
		}
		if (DirDescriptor >= 0)
		{
			::close(DirDescriptor);
		}
	}
}

FContentScan ScanContentFolder(std::string_view ContentDir, std::string_view RootPath)
{
	FContentScan Scan;
	std::string Dir(ContentDir);
	if (Dir.empty() || Dir.back() != '/')
	{
		Dir.push_back('/');
	}
	std::vector<FFolderJob> Jobs;
	std::size_t ResultCount = 0;
	CollectAssetFiles(Dir, std::string(RootPath), Scan, Jobs, ResultCount);

	// Reading the files is most of the work; a few threads share it, a folder
	// at a time, and each result keeps its place, so the order does not depend
	// on the threads.
	std::vector<std::optional<FAssetData>> Results(ResultCount);
	std::atomic<std::size_t> NextJob{0};
	const auto Work = [&]() {
		for (std::size_t Index = NextJob++; Index < Jobs.size(); Index = NextJob++)
		{
			ReadFolder(Jobs[Index], Results);
		}
	};
	const std::size_t ThreadCount = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
	std::vector<std::jthread> Helpers;
	for (std::size_t Helper = 1; Helper < ThreadCount && ResultCount > 64 * Helper; ++Helper)
	{
		Helpers.emplace_back(Work);
	}
	Work();
	Helpers.clear();

	Scan.Assets.reserve(ResultCount);
	for (std::optional<FAssetData>& Result : Results)
	{
		if (Result)
		{
			Scan.Assets.push_back(std::move(*Result));
		}
		else
		{
			++Scan.SkippedFiles;
		}
	}
	return Scan;
}
