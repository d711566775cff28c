#include "Endpoints/TextureScriptEndpoints.h"

#include "KorvaneLog.h"
#include "RequestConventions.h"
#include "ScriptHandoff.h"

#include "Core/Base64.h"
#include "Core/FileSystem.h"
#include "Core/Guid.h"
#include "Core/JsonSerializer.h"
#include "Core/Paths.h"
#include "Core/Text.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

namespace
{
	constexpr std::string_view PythonMessage = "Python Editor Script Plugin is not enabled or initialized.";

	std::string Format(std::string_view Pattern, std::string_view Value)
	{
		std::string Out(Pattern);
		const std::size_t At = Out.find("%s");
		return At == std::string::npos ? Out : Out.replace(At, 2, Value);
	}

	std::shared_ptr<FJsonObject> Failure(std::string_view Message)
	{
		return MakeFailureResponse(Message);
	}

	/**
	 * The answer after a result was read: `success` true and the script's `results`; when the
	 * script itself says it failed (`success` false with an `error`), that failure is answered,
	 * with its `results` when it has them, rather than reported as a success.
	 */
	std::shared_ptr<FJsonObject> AnswerFromResult(const FJsonObject& Result)
	{
		auto Response = std::make_shared<FJsonObject>();
		const std::optional<bool> bScriptSucceeded = Result.TryGetBoolField("success");
		const std::optional<std::string> ScriptError = Result.TryGetStringField("error");
		const bool bScriptFailed = bScriptSucceeded == false && ScriptError && !ScriptError->empty();
		Response->SetBoolField("success", !bScriptFailed);
		if (bScriptFailed)
		{
			Response->SetStringField("error", *ScriptError);
		}
		if (const std::shared_ptr<FJsonValueArray> Results = Result.TryGetArrayField("results"))
		{
			Response->SetArrayField("results", *Results);
		}
		return Response;
	}

	/** The texts of one script route's failures, in the order its steps can fail. */
	struct FTextureScriptTexts
	{
		std::string_view PayloadNotWritten;
		bool bPayloadMessageNamesPath;
		std::string_view ScriptNotFound;
		std::string_view NoResult;
		std::string_view ResultNotRead;
		std::string_view ResultNotObject;
	};

	constexpr FTextureScriptTexts ExportTexts{
		.PayloadNotWritten = "Failed to write payload to %s",
		.bPayloadMessageNamesPath = true,
		.ScriptNotFound = "Texture export script not found at %s or %s",
		.NoResult = "Texture export script did not produce a result file. Check UE Output Log.",
		.ResultNotRead = "Failed to read texture export result",
		.ResultNotObject = "Invalid JSON in texture export result",
	};

	constexpr FTextureScriptTexts ImportTexts{
		.PayloadNotWritten = "Failed to write Python payload",
		.bPayloadMessageNamesPath = false,
		.ScriptNotFound = "Texture import script not found at %s or %s",
		.NoResult = "Texture import script did not produce a result file. Check UE Output Log.",
		.ResultNotRead = "Failed to read texture import result",
		.ResultNotObject = "Invalid JSON in texture import result",
	};

	FScriptHandoffParams SessionParams(std::string_view Operation, const std::string& SessionId, std::string PayloadText, std::string RunMessage, ELogVerbosity Verbosity)
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_" + std::string(Operation) + "_payload_" + SessionId + ".json";
		Params.ResultFileName = "_kv_" + std::string(Operation) + "_result_" + SessionId + ".json";
		Params.ScriptFileName = "_kv_" + std::string(Operation) + ".py";
		Params.PayloadText = std::move(PayloadText);
		Params.bDeleteStaleResult = false;
		Params.RunMessage = std::move(RunMessage);
		Params.RunMessageVerbosity = Verbosity;
		return Params;
	}

	/**
	 * Runs the script and answers. Whatever the outcome, no payload or result file of the run is
	 * left behind: a result that was read takes both with it, and every failure after the payload
	 * was written removes what is there.
	 */
	std::shared_ptr<FJsonObject> RunAndAnswer(const FScriptHandoffParams& Params, const FTextureScriptTexts& Texts)
	{
		const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		if (Outcome.Succeeded())
		{
			const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject();
			return Result ? AnswerFromResult(*Result) : Failure(Texts.ResultNotObject);
		}
		PlatformFile.DeleteFile(Outcome.Files.PayloadPath);
		PlatformFile.DeleteFile(Outcome.Files.ResultPath);
		switch (*Outcome.Failure)
		{
		case EScriptHandoffFailure::PythonNotReady:
			return Failure(PythonMessage);
		case EScriptHandoffFailure::PayloadNotWritten:
			return Failure(Texts.bPayloadMessageNamesPath ? Format(Texts.PayloadNotWritten, Outcome.Files.PayloadPath) : std::string(Texts.PayloadNotWritten));
		case EScriptHandoffFailure::ScriptNotFound:
			return Failure(Format(Format(Texts.ScriptNotFound, Outcome.Files.RunCopyPath), Outcome.Files.ResourceScriptPath));
		case EScriptHandoffFailure::NoResultFile:
			break;
		}
		return Failure(Outcome.bResultFileFound ? Texts.ResultNotRead : Texts.NoResult);
	}

	/** One accepted import entry: the file written for it and its payload entry. */
	struct FImportEntry
	{
		std::string FilePath;
		std::shared_ptr<FJsonObject> PayloadEntry;
	};

	std::string LowerCase(std::string Text)
	{
		std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
		return Text;
	}

	std::string StringOrEmpty(const FJsonObject& Object, std::string_view Key)
	{
		return Object.TryGetStringField(Key).value_or(std::string());
	}

	/** Checks, decodes and writes one entry; nothing when it is skipped (with a Warning where the steps give one). */
	std::optional<FImportEntry> AcceptImportEntry(const FJsonValue& Element, const std::string& ImportDir, std::set<std::string>& TakenNames)
	{
		const std::shared_ptr<FJsonObject> Entry = Element.TryGetObject();
		if (!Entry)
		{
			return std::nullopt;
		}
		const std::string FileName = StringOrEmpty(*Entry, "filename");
		const std::string Base64Text = StringOrEmpty(*Entry, "base64");
		if (FileName.empty() || Base64Text.empty())
		{
			return std::nullopt;
		}
		const std::string TargetPath = StringOrEmpty(*Entry, "targetPath");
		if (!Text::StartsWithIgnoreCase(TargetPath, "/Game/"))
		{
			UE_LOG(LogKorvane, Warning, "Rejecting non-/Game/ target path: %s", TargetPath.c_str());
			return std::nullopt;
		}
		if (!IsPlainFileName(FileName))
		{
			UE_LOG(LogKorvane, Warning, "Rejecting unsafe file name: %s", FileName.c_str());
			return std::nullopt;
		}
		// Two entries of one name would share one file, and the first would import the second's bytes.
		if (!TakenNames.insert(LowerCase(FileName)).second)
		{
			UE_LOG(LogKorvane, Warning, "Rejecting duplicate file name: %s", FileName.c_str());
			return std::nullopt;
		}
		const std::optional<std::vector<uint8_t>> Bytes = FBase64::Decode(Base64Text);
		if (!Bytes)
		{
			UE_LOG(LogKorvane, Warning, "Base64 decode failed for %s", FileName.c_str());
			return std::nullopt;
		}
		const std::string FilePath = FPaths::Combine(ImportDir, FileName);
		if (!FFileHelper::SaveBytesToFile(*Bytes, FilePath))
		{
			UE_LOG(LogKorvane, Warning, "Failed to write temp TGA: %s", FilePath.c_str());
			return std::nullopt;
		}
		auto PayloadEntry = std::make_shared<FJsonObject>();
		PayloadEntry->SetStringField("filename", FileName);
		PayloadEntry->SetStringField("filePath", FilePath);
		PayloadEntry->SetStringField("originalPath", StringOrEmpty(*Entry, "originalPath"));
		PayloadEntry->SetStringField("originalName", StringOrEmpty(*Entry, "originalName"));
		PayloadEntry->SetStringField("targetPath", TargetPath);
		if (const std::shared_ptr<FJsonObject> Settings = Entry->TryGetObjectField("settings"))
		{
			PayloadEntry->SetObjectField("settings", Settings);
		}
		return FImportEntry{FilePath, std::move(PayloadEntry)};
	}

	void RemoveImportFiles(const std::vector<FImportEntry>& Entries, const std::string& ImportDir)
	{
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		for (const FImportEntry& Entry : Entries)
		{
			PlatformFile.DeleteFile(Entry.FilePath);
		}
		PlatformFile.DeleteDirectory(ImportDir);
	}
}

std::string MakeTextureSessionId()
{
	return FGuid::NewGuid().ToString(EGuidFormats::Digits);
}

bool IsPlainFileName(std::string_view FileName)
{
	constexpr std::string_view Blanks = " \t\r\n";
	const std::size_t First = FileName.find_first_not_of(Blanks);
	if (First == std::string_view::npos)
	{
		return false;
	}
	const std::string_view Trimmed = FileName.substr(First, FileName.find_last_not_of(Blanks) - First + 1);
	return Trimmed != "." && Trimmed != ".." && FileName.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

std::shared_ptr<FJsonObject> ExportTextures(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return Failure(InvalidJsonBodyMessage);
	}
	const std::shared_ptr<FJsonValueArray> Paths = Body->TryGetArrayField("paths");
	if (!Paths || Paths->empty())
	{
		return Failure("Missing or empty 'paths' array");
	}
	if (!IsPythonReady())
	{
		return Failure(PythonMessage);
	}
	EnsureTransientDir();
	const std::string SessionId = MakeTextureSessionId();
	UE_LOG(LogKorvane, Log, "Texture export session %s (%d textures)", SessionId.c_str(), static_cast<int>(Paths->size()));
	Body->SetStringField("outputDir", FPaths::Combine(FPaths::ProjectIntermediateDir(), "KorvaneExport"));
	const FScriptHandoffParams Params = SessionParams("texture_export", SessionId, FJsonSerializer::SerializeCondensed(*Body),
		"Running texture export for " + std::to_string(Paths->size()) + " textures...", ELogVerbosity::Verbose);
	return RunAndAnswer(Params, ExportTexts);
}

std::shared_ptr<FJsonObject> ImportTextures(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return Failure(InvalidJsonBodyMessage);
	}
	const std::shared_ptr<FJsonValueArray> Textures = Body->TryGetArrayField("textures");
	if (!Textures || Textures->empty())
	{
		return Failure("Missing or empty 'textures' array");
	}
	if (!IsPythonReady())
	{
		return Failure(PythonMessage);
	}
	const std::string SessionId = MakeTextureSessionId();
	UE_LOG(LogKorvane, Log, "Texture import session %s", SessionId.c_str());
	EnsureTransientDir();
	const std::string ImportDir = FPaths::Combine(FPaths::Combine(FPaths::ProjectIntermediateDir(), "KorvaneImport"), SessionId);
	FPlatformFileManager::Get().GetPlatformFile().CreateDirectoryTree(ImportDir);

	std::vector<FImportEntry> Accepted;
	std::set<std::string> TakenNames;
	FJsonValueArray PayloadEntries;
	for (const FJsonValue& Element : *Textures)
	{
		if (std::optional<FImportEntry> Entry = AcceptImportEntry(Element, ImportDir, TakenNames))
		{
			PayloadEntries.emplace_back(Entry->PayloadEntry);
			Accepted.push_back(std::move(*Entry));
		}
	}
	if (Accepted.empty())
	{
		RemoveImportFiles(Accepted, ImportDir);
		return Failure("No valid textures to import after decoding");
	}
	FJsonObject Payload;
	Payload.SetArrayField("textures", std::move(PayloadEntries));
	const FScriptHandoffParams Params = SessionParams("texture_import", SessionId, FJsonSerializer::SerializeCondensed(Payload),
		"Importing " + std::to_string(Accepted.size()) + " bundled textures...", ELogVerbosity::Log);
	std::shared_ptr<FJsonObject> Response = RunAndAnswer(Params, ImportTexts);
	RemoveImportFiles(Accepted, ImportDir);
	return Response;
}
