#include "EditorUI/EditorUIPageFiles.h"

#include "Core/Text.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <utility>

namespace
{
	constexpr std::array<std::pair<std::string_view, std::string_view>, 7> ContentTypes{{
		{".html", "text/html; charset=utf-8"},
		{".css", "text/css; charset=utf-8"},
		{".js", "text/javascript; charset=utf-8"},
		{".png", "image/png"},
		{".svg", "image/svg+xml"},
		{".ico", "image/x-icon"},
		{".json", "application/json"},
	}};

	bool IsHidden(const std::filesystem::path& Relative)
	{
		return std::any_of(Relative.begin(), Relative.end(), [](const std::filesystem::path& Part) { return Part.string().starts_with('.'); });
	}
}

std::string_view GetEditorUIPageContentType(std::string_view FileName)
{
	for (const auto& [Extension, ContentType] : ContentTypes)
	{
		if (FileName.size() > Extension.size() && Text::EndsWithIgnoreCase(FileName, Extension))
		{
			return ContentType;
		}
	}
	return {};
}

std::vector<FEditorUIPageFile> ListEditorUIPageFiles(const std::string& PageDir)
{
	std::vector<FEditorUIPageFile> Files;
	std::error_code Error;
	const std::filesystem::path Root = std::filesystem::weakly_canonical(PageDir, Error);
	if (Error || !std::filesystem::is_directory(Root, Error))
	{
		return Files;
	}
	for (auto Entry = std::filesystem::recursive_directory_iterator(Root, Error); !Error && Entry != std::filesystem::recursive_directory_iterator(); Entry.increment(Error))
	{
		const std::filesystem::path Relative = Entry->path().lexically_relative(Root);
		const std::string_view ContentType = GetEditorUIPageContentType(Entry->path().filename().string());
		if (!Entry->is_regular_file(Error) || ContentType.empty() || IsHidden(Relative))
		{
			continue;
		}
		const std::filesystem::path Target = std::filesystem::canonical(Entry->path(), Error);
		const std::filesystem::path InsideRoot = Target.lexically_relative(Root);
		if (Error || InsideRoot.empty() || *InsideRoot.begin() == "..")
		{
			Error.clear();
			continue;
		}
		Files.push_back(FEditorUIPageFile{"/" + Relative.generic_string(), Target.string(), std::string(ContentType)});
	}
	std::sort(Files.begin(), Files.end(), [](const FEditorUIPageFile& A, const FEditorUIPageFile& B) { return A.UrlPath < B.UrlPath; });
	return Files;
}
