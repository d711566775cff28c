#pragma once

#include "TransientDir.h"

#include "Core/Log.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class FJsonObject;

/**
 * The way the connector hands work to a Python resource script: a payload file
 * in TransientDir, two globals set in the editor's interpreter, one command that
 * runs a copy of the script from TransientDir, and a result file that the script
 * writes and the connector reads back. Everything runs on the game thread.
 */

/** What one operation calls its files, and how its run differs from the others'. */
struct FScriptHandoffParams
{
	/** "_kv_deploy_payload.json"; the file the payload global names. */
	std::string PayloadFileName;
	/** "_kv_deploy_result.json"; the file the script writes. */
	std::string ResultFileName;
	/** "_kv_deploy.py"; the resource script's name, and the run copy's. */
	std::string ScriptFileName;
	/** The global that names the payload file for the script. */
	std::string PayloadGlobal = "__kv_payload_path";
	/** The payload text, written UTF-8 without byte-order mark; empty when the caller wrote the payload file itself. */
	std::optional<std::string> PayloadText;
	/** Whether a result left by an earlier run is deleted first (runs whose names hold a fresh run identifier skip it). */
	bool bDeleteStaleResult = true;
	/** Whether the payload file is deleted with the result once the result was read (a caller's own payload file stays). */
	bool bDeletePayloadAfterRead = true;
	/** Whether the run copy is deleted with the result once the result was read. */
	bool bDeleteRunCopyAfterRead = false;
	/** The caller's line, logged to LogKorvane just before the script runs; empty for none. */
	std::string RunMessage;
	ELogVerbosity RunMessageVerbosity = ELogVerbosity::Verbose;
};

/** Why a hand-off ended without a result, in the order the steps can fail. */
enum class EScriptHandoffFailure
{
	PythonNotReady,
	PayloadNotWritten,
	ScriptNotFound,
	NoResultFile
};

/** The four files of one hand-off, for the caller's messages. */
struct FScriptHandoffFiles
{
	std::string PayloadPath;
	std::string ResultPath;
	/** The copy in TransientDir that is actually run. */
	std::string RunCopyPath;
	/** The script as the plug-in ships it, in its Resources folder. */
	std::string ResourceScriptPath;
};

/** How a hand-off ended: the result file's text, or the failure. */
struct FScriptHandoffOutcome
{
	std::optional<EScriptHandoffFailure> Failure;
	/** The result file's text as the script wrote it (when there is no failure). */
	std::string ResultText;
	/** Whether the script left a result file; with NoResultFile it tells a file that could not be read from none at all. */
	bool bResultFileFound = false;
	FScriptHandoffFiles Files;

	bool Succeeded() const { return !Failure.has_value(); }
	/** The result text as a JSON object, or nullptr when it is not exactly one. */
	std::shared_ptr<FJsonObject> ParseResultObject() const;
};

/** True when the "PythonScriptPlugin" module is loaded and reports Python as available. */
bool IsPythonReady();

/** What the Blueprint deploy and the component library answer when Python is not ready. */
inline constexpr std::string_view PythonNotReadyMessage =
	"Python Editor Script Plugin is not enabled or Python is not initialized. Enable it in Edit > Plugins > Scripting > Python Editor Script Plugin, then restart the editor.";

/** The plug-in's Resources folder, or the one under the project's Plugins folder when the plug-in manager does not know the plug-in. */
std::string ConnectorResourcesDir();

/** Where an operation's files are, without touching any of them. */
FScriptHandoffFiles ScriptHandoffFiles(const FScriptHandoffParams& Params);

/**
 * Runs one hand-off: Python check, payload, stale result, script copy, the
 * three Python commands, and the result. Once a result file has been read it
 * is deleted, with the payload (and the run copy) as the parameters say; files
 * of a run that failed earlier stay behind, and the next run of the operation
 * deletes its stale result and overwrites its run copy.
 */
FScriptHandoffOutcome RunScriptHandoff(const FScriptHandoffParams& Params);
