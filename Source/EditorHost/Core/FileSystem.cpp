#include "Core/FileSystem.h"

#include "Core/Paths.h"
#include "Core/Text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	/** IPlatformFile over std::filesystem; every call uses the error_code overloads and never throws. */
	class FStdPlatformFile final : public IPlatformFile
	{
	public:
		bool FileExists(std::string_view Path) override
		{
			std::error_code Error;
			return fs::is_regular_file(fs::path(Path), Error);
		}

		bool DirectoryExists(std::string_view Path) override
		{
			std::error_code Error;
			return fs::is_directory(fs::path(Path), Error);
		}

		bool CreateDirectoryTree(std::string_view Path) override
		{
			std::error_code Error;
			fs::create_directories(fs::path(Path), Error);
			return fs::is_directory(fs::path(Path), Error);
		}

		bool DeleteFile(std::string_view Path) override
		{
			std::error_code Error;
			if (fs::is_directory(fs::symlink_status(fs::path(Path), Error)))
			{
				return false;
			}
			return fs::remove(fs::path(Path), Error) && !Error;
		}

		bool CopyFile(std::string_view Destination, std::string_view Source) override
		{
			std::error_code Error;
			return fs::copy_file(fs::path(Source), fs::path(Destination), fs::copy_options::overwrite_existing, Error) && !Error;
		}

		bool DeleteDirectory(std::string_view Path) override
		{
			std::error_code Error;
			return fs::is_directory(fs::path(Path), Error) && fs::remove(fs::path(Path), Error) && !Error;
		}

		int64_t FileSize(std::string_view Path) override
		{
			std::error_code Error;
			const std::uintmax_t Size = fs::file_size(fs::path(Path), Error);
			return Error || !fs::is_regular_file(fs::path(Path), Error) ? -1 : static_cast<int64_t>(Size);
		}

		std::optional<FDateTime> GetTimeStamp(std::string_view Path) override
		{
			std::error_code Error;
			const fs::file_time_type Time = fs::last_write_time(fs::path(Path), Error);
			if (Error)
			{
				return std::nullopt;
			}
			const auto SystemTime = fs::file_time_type::clock::to_sys(Time);
			return FDateTime::FromUnixMilliseconds(std::chrono::duration_cast<std::chrono::milliseconds>(SystemTime.time_since_epoch()).count());
		}

		void FindFiles(std::vector<std::string>& FoundFiles, std::string_view Directory, std::string_view Extension) override
		{
			std::error_code Error;
			std::vector<std::string> Names;
			for (fs::directory_iterator It(fs::path(Directory), Error), End; !Error && It != End; It.increment(Error))
			{
				std::error_code TypeError;
				std::string Name = It->path().filename().string();
				if (It->is_regular_file(TypeError) && Text::EndsWithIgnoreCase(Name, Extension))
				{
					Names.push_back(std::move(Name));
				}
			}
			std::sort(Names.begin(), Names.end());
			for (const std::string& Name : Names)
			{
				FoundFiles.push_back(FPaths::Combine(Directory, Name));
			}
		}
	};

	/** Owns an open file descriptor and closes it when it goes out of scope. */
	class FFileDescriptor
	{
	public:
		explicit FFileDescriptor(int InDescriptor) : Descriptor(InDescriptor) {}
		~FFileDescriptor()
		{
			if (Descriptor >= 0)
			{
				::close(Descriptor);
			}
		}
		FFileDescriptor(const FFileDescriptor&) = delete;
		FFileDescriptor& operator=(const FFileDescriptor&) = delete;
		FFileDescriptor& operator=(FFileDescriptor&& Other) noexcept
		{
			std::swap(Descriptor, Other.Descriptor);
			return *this;
		}

		int Get() const { return Descriptor; }
		bool IsOpen() const { return Descriptor >= 0; }
		/** Closes now and reports whether the close succeeded (a late write error shows up here). */
		bool Close()
		{
			const int Result = ::close(Descriptor);
			Descriptor = -1;
			return Result == 0;
		}

	private:
		int Descriptor;
	};

	/** A temporary file next to the target; removed when it goes out of scope unless it was renamed into place. */
	class FTemporaryFile
	{
	public:
		explicit FTemporaryFile(const fs::path& Target)
		{
			static std::atomic<unsigned> Counter{0};
			std::random_device Random;
			for (int Attempt = 0; Attempt < 16 && !File.IsOpen(); ++Attempt)
			{
				char Suffix[64];
				std::snprintf(Suffix, sizeof(Suffix), ".%d-%u-%08x.tmp", static_cast<int>(::getpid()), Counter.fetch_add(1), Random());
				const fs::path Candidate = Target.parent_path() / ("." + Target.filename().string() + Suffix);
				File = FFileDescriptor(::open(Candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
				if (File.IsOpen())
				{
					Path = Candidate;
				}
			}
		}
		~FTemporaryFile()
		{
			if (!bCommitted && !Path.empty())
			{
				::unlink(Path.c_str());
			}
		}
		FTemporaryFile(const FTemporaryFile&) = delete;
		FTemporaryFile& operator=(const FTemporaryFile&) = delete;

		bool IsOpen() const { return File.IsOpen(); }

		bool WriteAll(const char* Data, std::size_t Size)
		{
			while (Size > 0)
			{
				const ssize_t Written = ::write(File.Get(), Data, Size);
				if (Written < 0)
				{
					if (errno == EINTR)
					{
						continue;
					}
					return false;
				}
				Data += Written;
				Size -= static_cast<std::size_t>(Written);
			}
			return true;
		}

		/** Flushes to disk, closes and renames over the target. */
		bool Commit(const fs::path& Target)
		{
			if (::fsync(File.Get()) != 0 || !File.Close())
			{
				return false;
			}
			if (::rename(Path.c_str(), Target.c_str()) != 0)
			{
				return false;
			}
			bCommitted = true;
			return true;
		}

	private:
		fs::path Path;
		FFileDescriptor File{-1};
		bool bCommitted = false;
	};

	bool SaveAtomically(const char* Data, std::size_t Size, std::string_view Path)
	{
		const fs::path Target(Path);
		if (Target.filename().empty())
		{
			return false;
		}
		if (Target.has_parent_path())
		{
			std::error_code Error;
			fs::create_directories(Target.parent_path(), Error);
		}
		FTemporaryFile Temporary(Target);
		return Temporary.IsOpen() && Temporary.WriteAll(Data, Size) && Temporary.Commit(Target);
	}

	template <typename TContainer>
	std::optional<TContainer> ReadAll(std::string_view Path)
	{
		FFileDescriptor File(::open(std::string(Path).c_str(), O_RDONLY | O_CLOEXEC));
		struct stat Info;
		if (!File.IsOpen() || ::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode))
		{
			return std::nullopt;
		}
		TContainer Contents;
		Contents.reserve(static_cast<std::size_t>(Info.st_size));
		char Buffer[65536];
		for (;;)
		{
			const ssize_t Read = ::read(File.Get(), Buffer, sizeof(Buffer));
			if (Read < 0)
			{
				if (errno == EINTR)
				{
					continue;
				}
				return std::nullopt;
			}
			if (Read == 0)
			{
				return Contents;
			}
			Contents.insert(Contents.end(), Buffer, Buffer + Read);
		}
	}
}

FPlatformFileManager& FPlatformFileManager::Get()
{
	static FPlatformFileManager Manager;
	return Manager;
}

IPlatformFile& FPlatformFileManager::GetPlatformFile()
{
	static FStdPlatformFile PlatformFile;
	return PlatformFile;
}

bool FFileHelper::SaveStringToFile(std::string_view Text, std::string_view Path)
{
	return SaveAtomically(Text.data(), Text.size(), Path);
}

bool FFileHelper::SaveBytesToFile(const std::vector<uint8_t>& Bytes, std::string_view Path)
{
	return SaveAtomically(reinterpret_cast<const char*>(Bytes.data()), Bytes.size(), Path);
}

std::optional<std::string> FFileHelper::LoadFileToString(std::string_view Path)
{
	std::optional<std::string> Text = ReadAll<std::string>(Path);
	if (Text && Text->starts_with("\xEF\xBB\xBF"))
	{
		Text->erase(0, 3);
	}
	return Text;
}

std::optional<std::vector<uint8_t>> FFileHelper::LoadFileToBytes(std::string_view Path)
{
	return ReadAll<std::vector<uint8_t>>(Path);
}
