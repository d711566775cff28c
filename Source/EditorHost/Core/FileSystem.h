#pragma once

#include "Core/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** The platform file system as the editor's IPlatformFile offers it. */
class IPlatformFile
{
public:
	virtual ~IPlatformFile() = default;

	virtual bool FileExists(std::string_view Path) = 0;
	virtual bool DirectoryExists(std::string_view Path) = 0;
	/** Creates the directory and every missing parent; true when it exists afterwards. */
	virtual bool CreateDirectoryTree(std::string_view Path) = 0;
	/** Deletes one file; false when it was not there or could not be removed. */
	virtual bool DeleteFile(std::string_view Path) = 0;
	/** Copies Source over Destination; false on failure. */
	virtual bool CopyFile(std::string_view Destination, std::string_view Source) = 0;
	/** Deletes an empty directory; false when it was not there, is not empty or could not be removed. */
	virtual bool DeleteDirectory(std::string_view Path) = 0;
	/** The size of a file in bytes; -1 when it is not a file. */
	virtual int64_t FileSize(std::string_view Path) = 0;
	/** The time of a file's last change, in UTC; nothing when it is not there. */
	virtual std::optional<FDateTime> GetTimeStamp(std::string_view Path) = 0;
	/**
	 * Appends the full paths of the files directly inside Directory whose name ends
	 * with Extension (".py", compared without regard to case), in name order.
	 */
	virtual void FindFiles(std::vector<std::string>& FoundFiles, std::string_view Directory, std::string_view Extension) = 0;
};

class FPlatformFileManager
{
public:
	static FPlatformFileManager& Get();
	IPlatformFile& GetPlatformFile();
};

/** Whole-file text and byte helpers. Saves are atomic: a temporary file is renamed over the target. */
class FFileHelper
{
public:
	/** Writes UTF-8 without a byte-order mark. */
	static bool SaveStringToFile(std::string_view Text, std::string_view Path);
	static bool SaveBytesToFile(const std::vector<uint8_t>& Bytes, std::string_view Path);
	/** Reads a file as text; a UTF-8 byte-order mark is dropped. */
	static std::optional<std::string> LoadFileToString(std::string_view Path);
	static std::optional<std::vector<uint8_t>> LoadFileToBytes(std::string_view Path);
};
