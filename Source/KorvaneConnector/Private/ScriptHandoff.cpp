#include "ScriptHandoff.h"

#include "KorvaneLog.h"
#include "PythonLiteral.h"

#include "Core/FileSystem.h"
#include "Core/JsonSerializer.h"
#include "Core/Paths.h"
#include "Python/PythonScriptPlugin.h"
#include "Runtime/PluginManager.h"

namespace
{
	/** Deletes the files of a hand-off whose result has been read. */
	void DeleteReadFiles(const FScriptHandoffParams& Params, const FScriptHandoffFiles& Files)
	{
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		PlatformFile.DeleteFile(Files.ResultPath);
		if (Params.bDeletePayloadAfterRead)
		{
			PlatformFile.DeleteFile(Files.PayloadPath);
		}
		if (Params.bDeleteRunCopyAfterRead)
		{
			PlatformFile.DeleteFile(Files.RunCopyPath);
		}
	}

	/**
	 * The resource script copied over its run copy; the run copy alone when the
	 * plug-in no longer ships the script; false when neither exists.
	 */
	bool PrepareRunCopy(const FScriptHandoffFiles& Files)
	{
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		if (PlatformFile.FileExists(Files.ResourceScriptPath))
		{
			if (!PlatformFile.CopyFile(Files.RunCopyPath, Files.ResourceScriptPath))
			{
				UE_LOG(LogKorvane, Warning, "Could not copy %s to %s", Files.ResourceScriptPath.c_str(), Files.RunCopyPath.c_str());
			}
			return true;
		}
		return PlatformFile.FileExists(Files.RunCopyPath);
	}

	/** The three commands: set the globals, run the copy in __main__, reset the globals. */
	void RunScript(IPythonScriptPlugin& Python, const FScriptHandoffParams& Params, const FScriptHandoffFiles& Files)
	{
		Python.ExecPythonCommand(
			Params.PayloadGlobal + " = " + PythonStringLiteral(Files.PayloadPath) + "; __kv_result_path = " + PythonStringLiteral(Files.ResultPath));
		Python.ExecPythonCommand("exec(open(" + PythonStringLiteral(Files.RunCopyPath) + ", encoding='utf-8').read())");
		Python.ExecPythonCommand(Params.PayloadGlobal + " = None; __kv_result_path = None");
	}
}

std::shared_ptr<FJsonObject> FScriptHandoffOutcome::ParseResultObject() const
{
	return Succeeded() ? FJsonSerializer::DeserializeObject(ResultText) : nullptr;
}

bool IsPythonReady()
{
	const IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	return Python != nullptr && Python->IsPythonAvailable();
}

std::string ConnectorResourcesDir()
{
	if (const std::shared_ptr<IPlugin> Plugin = IPluginManager::Get().FindPlugin("KorvaneConnector"))
	{
		return FPaths::Combine(Plugin->GetBaseDir(), "Resources");
	}
	return FPaths::Combine(FPaths::ProjectPluginsDir(), "KorvaneConnector", "Resources");
}

FScriptHandoffFiles ScriptHandoffFiles(const FScriptHandoffParams& Params)
{
	const std::string Dir = TransientDir();
	return FScriptHandoffFiles{
		FPaths::Combine(Dir, Params.PayloadFileName),
		FPaths::Combine(Dir, Params.ResultFileName),
		FPaths::Combine(Dir, Params.ScriptFileName),
		FPaths::Combine(ConnectorResourcesDir(), Params.ScriptFileName),
	};
}

FScriptHandoffOutcome RunScriptHandoff(const FScriptHandoffParams& Params)
{
	FScriptHandoffOutcome Outcome;
	Outcome.Files = ScriptHandoffFiles(Params);
	const FScriptHandoffFiles& Files = Outcome.Files;
	IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	if (Python == nullptr || !Python->IsPythonAvailable())
	{
		Outcome.Failure = EScriptHandoffFailure::PythonNotReady;
		return Outcome;
	}

	EnsureTransientDir();
	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	if (Params.bDeleteStaleResult && PlatformFile.FileExists(Files.ResultPath))
	{
		PlatformFile.DeleteFile(Files.ResultPath);
	}
	if (Params.PayloadText && !FFileHelper::SaveStringToFile(*Params.PayloadText, Files.PayloadPath))
	{
		Outcome.Failure = EScriptHandoffFailure::PayloadNotWritten;
		return Outcome;
	}
	if (!PrepareRunCopy(Files))
	{
		Outcome.Failure = EScriptHandoffFailure::ScriptNotFound;
		return Outcome;
	}

	if (!Params.RunMessage.empty() && !LogKorvane.IsSuppressed(Params.RunMessageVerbosity))
	{
		FLog::Write(LogKorvane, Params.RunMessageVerbosity, Params.RunMessage);
	}
	RunScript(*Python, Params, Files);

	if (!PlatformFile.FileExists(Files.ResultPath))
	{
		Outcome.Failure = EScriptHandoffFailure::NoResultFile;
		return Outcome;
	}
	Outcome.bResultFileFound = true;
	std::optional<std::string> ResultText = FFileHelper::LoadFileToString(Files.ResultPath);
	DeleteReadFiles(Params, Files);
	if (!ResultText)
	{
		Outcome.Failure = EScriptHandoffFailure::NoResultFile;
		return Outcome;
	}
	Outcome.ResultText = std::move(*ResultText);
	return Outcome;
}
