#include "Graph/EdGraphExportPath.h"

std::optional<std::string> RenameExportPathObject(std::string_view ExportPath, std::string_view NewName)
{
	const std::size_t Last = ExportPath.find_last_not_of("\"'");
	if (Last == std::string_view::npos)
	{
		return std::nullopt;
	}
	const std::size_t Separator = ExportPath.find_last_of(".:'\"", Last);
	if (Separator == std::string_view::npos || (ExportPath[Separator] != '.' && ExportPath[Separator] != ':'))
	{
		return std::nullopt;
	}
	return std::string(ExportPath.substr(0, Separator + 1)) + std::string(NewName) + std::string(ExportPath.substr(Last + 1));
}
