#pragma once

#include "Graph/CopyPasteText.h"

#include <optional>
#include <string>
#include <string_view>

/** The one-line forms of the copy-paste text, read and written (lines without their indentation). */
namespace CopyPasteLines
{
	inline constexpr std::string_view BeginKeyword = "Begin Object";
	inline constexpr std::string_view EndKeyword = "End Object";
	inline constexpr std::string_view CustomKeyword = "CustomProperties";

	bool IsBegin(std::string_view Content);
	bool IsEnd(std::string_view Content);

	/** `CustomProperties Kind Text`; nothing when the line has no kind word. */
	std::optional<FCopyPasteCustomProperty> ReadCustomProperty(std::string_view Content);
	/** `Name=Value` or `Name(Index)=Value` with an identifier name; nothing otherwise. */
	std::optional<FCopyPasteProperty> ReadProperty(std::string_view Content);

	/** Appends `Begin Object Class=... Name="..." ...`, from the object's class and name and these attributes. */
	void AppendBegin(std::string& Out, const FCopyPasteObject& Object, bool bWithClass, const std::vector<FCopyPasteAttribute>& Attributes);
	/** Appends `CustomProperties Kind Text`. */
	void AppendCustomProperty(std::string& Out, std::string_view Kind, std::string_view Text);
	void AppendProperty(std::string& Out, const FCopyPasteProperty& Property);
}
