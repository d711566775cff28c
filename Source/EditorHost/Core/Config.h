#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

/**
 * The editor's configuration cache over ini files: `[Section]` headers and
 * `Key=Value` lines, `;` and `#` comments. A file is read on first use and kept in
 * the cache; Flush writes one file back, keeping its comments and the order of its
 * lines, through a temporary file and a rename. A missing file or key reads as absent.
 */
class FConfigCacheIni
{
public:
	/** True, Yes, On (any case) or a non-zero number read as true; other text as false. */
	std::optional<bool> GetBool(std::string_view Section, std::string_view Key, const std::string& Filename);
	std::optional<std::string> GetString(std::string_view Section, std::string_view Key, const std::string& Filename);
	void SetBool(std::string_view Section, std::string_view Key, bool bValue, const std::string& Filename);
	void SetString(std::string_view Section, std::string_view Key, std::string_view Value, const std::string& Filename);
	/** Writes the file to disk if it changed; false when the write failed. */
	bool Flush(const std::string& Filename);

private:
	struct FIniFile;
	FIniFile& FindOrLoad(const std::string& Filename);

	std::mutex Mutex;
	std::map<std::string, std::shared_ptr<FIniFile>, std::less<>> Files;
};

/** The configuration system, or nullptr while there is none. Set by the host. */
extern FConfigCacheIni* GConfig;
/** The path of the editor's per-project settings ini. Set by the host. */
extern std::string GEditorPerProjectIni;
