#pragma once

#include <string>
#include <string_view>
#include <vector>

/** One file of the page's folder and the path the UI port serves it at. */
struct FEditorUIPageFile
{
	/** "/editor.js"; the folder's index.html is also served at "/". */
	std::string UrlPath;
	std::string FilePath;
	std::string ContentType;
};

/**
 * The files of the page's folder (and its subfolders) that a browser can use: HTML, CSS,
 * scripts and images, sorted by path. Other files, hidden ones and links that lead out of
 * the folder are left out, so the UI port never serves anything else from the disk.
 */
std::vector<FEditorUIPageFile> ListEditorUIPageFiles(const std::string& PageDir);

/** The content type of a page file by its extension; empty for a kind the page does not use. */
std::string_view GetEditorUIPageContentType(std::string_view FileName);
