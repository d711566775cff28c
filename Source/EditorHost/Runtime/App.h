#pragma once

#include <string>
#include <string_view>

/** Facts about the running editor application. */
class FApp
{
public:
	/** The loaded project's name: its .uproject file name without extension. */
	static const std::string& GetProjectName();
	static void SetProjectName(std::string_view Name);
};
