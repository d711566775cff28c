#include "Endpoints/WidgetDeploySteps.h"
#include "PythonLiteral.h"

#include "Core/FileSystem.h"
#include "Core/Paths.h"
#include "Core/TextHelpers.h"
#include "Python/PythonScriptPlugin.h"

#include <algorithm>

namespace
{
	constexpr std::string_view SkippedReason = "script needs a .py filename and non-empty content";
	constexpr std::string_view PythonUnavailableNote = "Python plugin unavailable — enable it or restart the editor for the import to resolve";

	/**
	 * The request's filename cut to its last path component, when that names a .py file that can
	 * only land inside Folder: folders and parent steps in the request never reach the file system.
	 */
	std::optional<std::string> ScriptFileName(std::string_view RequestedName, std::string_view Folder)
	{
		const std::string FileName = FPaths::GetCleanFilename(RequestedName);
		if (FileName.empty() || FileName == "." || FileName == ".." || !Text::EndsWithIgnoreCase(FileName, ".py"))
		{
			return std::nullopt;
		}
		if (!FPaths::IsUnderDirectory(FPaths::Combine(Folder, FileName), Folder))
		{
			return std::nullopt;
		}
		return FileName;
	}

	/** Puts Folder on Python's sys.path unless it is there; false when Python is not available. */
	bool EnsureFolderOnSysPath(std::string Folder)
	{
		IPythonScriptPlugin* const Python = IPythonScriptPlugin::Get();
		if (Python == nullptr || !Python->IsPythonAvailable())
		{
			return false;
		}
		std::replace(Folder.begin(), Folder.end(), '\\', '/');
		Python->ExecPythonCommand("import sys, os; p = os.path.normpath(" + PythonStringLiteral(Folder)
			+ "); (p in [os.path.normpath(x) for x in sys.path]) or sys.path.append(p)");
		return true;
	}
}

std::shared_ptr<FJsonObject> DeployWidgetScript(const FJsonObject& Script)
{
	auto Step = std::make_shared<FJsonObject>();
	const std::string Folder = FPaths::Combine(FPaths::ProjectContentDir(), "Python");
	const std::optional<std::string> FileName = ScriptFileName(Script.TryGetStringField("filename").value_or(std::string()), Folder);
	const std::string Content = Script.TryGetStringField("content").value_or(std::string());
	if (!FileName || Content.empty())
	{
		Step->SetStringField("status", "skipped");
		Step->SetStringField("reason", SkippedReason);
		return Step;
	}

	const std::string FilePath = FPaths::Combine(Folder, *FileName);
	FPlatformFileManager::Get().GetPlatformFile().CreateDirectoryTree(Folder);
	const std::optional<std::string> Existing = FFileHelper::LoadFileToString(FilePath);
	// Exact comparison: Python is case-sensitive, so a change of letter case alone is an edit to write.
	if (Existing && *Existing == Content)
	{
		Step->SetStringField("status", "ok");
		Step->SetStringField("action", "unchanged");
	}
	else if (FFileHelper::SaveStringToFile(Content, FilePath))
	{
		Step->SetStringField("status", "ok");
		Step->SetStringField("action", Existing ? "updated" : "written");
	}
	else
	{
		Step->SetStringField("status", "error");
		Step->SetStringField("reason", "Could not write " + FilePath);
	}
	Step->SetStringField("path", FilePath);
	const bool bSysPathEnsured = EnsureFolderOnSysPath(Folder);
	Step->SetBoolField("sysPathEnsured", bSysPathEnsured);
	if (!bSysPathEnsured)
	{
		Step->SetStringField("note", PythonUnavailableNote);
	}
	return Step;
}
