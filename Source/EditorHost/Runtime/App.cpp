#include "Runtime/App.h"

namespace
{
	std::string& ProjectName()
	{
		static std::string Name;
		return Name;
	}
}

const std::string& FApp::GetProjectName()
{
	return ProjectName();
}

void FApp::SetProjectName(std::string_view Name)
{
	ProjectName() = Name;
}
