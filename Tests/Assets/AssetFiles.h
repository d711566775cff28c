#pragma once

#include "Support/TestEditor.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** The text of an asset file with this header and the given field members (JSON text after the header). */
inline std::string AssetFileText(std::string_view ClassPath, const std::vector<std::pair<std::string, std::string>>& Tags = {}, std::string_view Fields = {})
{
	std::string Text = "{\"class\":\"" + std::string(ClassPath) + "\",\"tags\":{";
	for (std::size_t Index = 0; Index < Tags.size(); ++Index)
	{
		Text += (Index > 0 ? "," : "") + ("\"" + Tags[Index].first + "\":\"" + Tags[Index].second + "\"");
	}
	Text += "}";
	if (!Fields.empty())
	{
		Text += "," + std::string(Fields);
	}
	return Text + "}";
}

/** Writes Content/<Relative>.asset.json ("Anims/Run" for /Game/Anims/Run). */
inline void WriteAsset(FTestProject& Project, std::string_view Relative, std::string_view ClassPath,
	const std::vector<std::pair<std::string, std::string>>& Tags = {}, std::string_view Fields = {})
{
	Project.WriteFile("Content/" + std::string(Relative) + ".asset.json", AssetFileText(ClassPath, Tags, Fields));
}

/** A test editor without the connector, for the object and asset tests. */
inline FTestEditorOptions HostOnly()
{
	FTestEditorOptions Options;
	Options.bLoadConnector = false;
	return Options;
}
