#include "Endpoints/MaterialScriptEndpoints.h"
#include "RequestConventions.h"
#include "ScriptHandoff.h"

#include <optional>
#include <string_view>

namespace
{
	/** What tells the two material script routes apart: their body key, files and texts. */
	struct FMaterialScriptRoute
	{
		/** The string field the body must hold. */
		std::string_view RequiredField;
		/** The folder field checked as the asset path, with its default; unset when the required field is the path. */
		std::optional<std::string_view> FolderField;
		std::string_view DefaultFolder;
		std::string_view PythonMissingMessage;
		std::string_view PayloadFileName;
		std::string_view ResultFileName;
		std::string_view ScriptFileName;
		std::string_view PayloadNotWrittenMessage;
		/** Whether the payload path follows the payload-write message. */
		bool bPayloadMessageNamesPath;
		std::string_view ScriptMissingMessage;
		std::string_view RunMessage;
		std::string_view NoResultMessage;
		/** The error for a result that is not one JSON object; unset when such a result adds nothing. */
		std::optional<std::string_view> UnparsedResultMessage;
	};

	constexpr FMaterialScriptRoute DeployRoute{
		.RequiredField = "name",
		.FolderField = "path",
		.DefaultFolder = "/Game/Materials",
		.PythonMissingMessage = PythonNotReadyMessage,
		.PayloadFileName = "_kv_material_deploy_payload.json",
		.ResultFileName = "_kv_material_deploy_result.json",
		.ScriptFileName = "_kv_material_deploy.py",
		.PayloadNotWrittenMessage = "Failed to write payload to ",
		.bPayloadMessageNamesPath = true,
		.ScriptMissingMessage = "Material deploy script not found. Ensure _kv_material_deploy.py is in the plugin Resources folder.",
		.RunMessage = "Executing material deploy script...",
		.NoResultMessage = "Deploy script did not produce a result file",
		.UnparsedResultMessage = "Failed to parse deploy result JSON",
	};

	constexpr FMaterialScriptRoute EnrichRoute{
		.RequiredField = "materialPath",
		.FolderField = std::nullopt,
		.DefaultFolder = {},
		.PythonMissingMessage = "Python Editor Script Plugin is not enabled.",
		.PayloadFileName = "_kv_material_enrich_payload.json",
		.ResultFileName = "_kv_material_enrich_result.json",
		.ScriptFileName = "_kv_material_enrich.py",
		.PayloadNotWrittenMessage = "Failed to write payload",
		.bPayloadMessageNamesPath = false,
		.ScriptMissingMessage = "Material enrich script not found.",
		.RunMessage = "Executing material enrich script...",
		.NoResultMessage = "Enrich script did not produce a result file",
		.UnparsedResultMessage = std::nullopt,
	};

	/** The body goes to the script as it came; a read result takes its payload and run copy with it. */
	FScriptHandoffParams MaterialHandoffParams(const FMaterialScriptRoute& Route, const std::string& BodyText)
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = Route.PayloadFileName;
		Params.ResultFileName = Route.ResultFileName;
		Params.ScriptFileName = Route.ScriptFileName;
		Params.PayloadText = BodyText;
		Params.bDeleteRunCopyAfterRead = true;
		Params.RunMessage = Route.RunMessage;
		Params.RunMessageVerbosity = ELogVerbosity::Log;
		return Params;
	}

	std::string HandoffFailureMessage(const FMaterialScriptRoute& Route, EScriptHandoffFailure Failure, const FScriptHandoffFiles& Files)
	{
		switch (Failure)
		{
		case EScriptHandoffFailure::PythonNotReady: return std::string(Route.PythonMissingMessage);
		case EScriptHandoffFailure::PayloadNotWritten:
			return std::string(Route.PayloadNotWrittenMessage) + (Route.bPayloadMessageNamesPath ? Files.PayloadPath : std::string());
		case EScriptHandoffFailure::ScriptNotFound: return std::string(Route.ScriptMissingMessage);
		case EScriptHandoffFailure::NoResultFile: break;
		}
		return std::string(Route.NoResultMessage);
	}

	void SetFailure(FJsonObject& Response, std::string_view Message)
	{
		Response.SetBoolField("success", false);
		Response.SetStringField("error", Message);
	}

	/**
	 * Checks the body, runs the route's script and answers. Body-check failures answer
	 * `success` false and `error` alone; from the Python check on, the answer carries
	 * `pythonAvailable`, and after a run whose result is one JSON object the answer is
	 * that object, keys as the script wrote them, with `pythonAvailable` true set on it.
	 */
	std::shared_ptr<FJsonObject> RunMaterialScript(const FMaterialScriptRoute& Route, const std::string& BodyText)
	{
		const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
		if (!Body)
		{
			return MakeFailureResponse(InvalidJsonBodyMessage);
		}
		const std::optional<std::string> Required = Body->TryGetStringField(Route.RequiredField);
		if (!Required)
		{
			return MakeFailureResponse(MissingFieldMessage(Route.RequiredField));
		}
		const std::string AssetPath = Route.FolderField ? Body->TryGetStringField(*Route.FolderField).value_or(std::string(Route.DefaultFolder)) : *Required;
		if (!IsValidAssetPath(AssetPath))
		{
			return MakeFailureResponse(InvalidAssetPathMessage);
		}

		auto Response = std::make_shared<FJsonObject>();
		const bool bPythonReady = IsPythonReady();
		Response->SetBoolField("pythonAvailable", bPythonReady);
		if (!bPythonReady)
		{
			SetFailure(*Response, Route.PythonMissingMessage);
			return Response;
		}

		const FScriptHandoffOutcome Outcome = RunScriptHandoff(MaterialHandoffParams(Route, BodyText));
		if (Outcome.Succeeded())
		{
			if (std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject())
			{
				Response = std::move(Result);
			}
			else if (Route.UnparsedResultMessage)
			{
				SetFailure(*Response, *Route.UnparsedResultMessage);
			}
		}
		else if (!Outcome.bResultFileFound)
		{
			SetFailure(*Response, HandoffFailureMessage(Route, *Outcome.Failure, Outcome.Files));
		}
		Response->SetBoolField("pythonAvailable", true);
		return Response;
	}
}

std::shared_ptr<FJsonObject> DeployMaterial(const std::string& BodyText)
{
	return RunMaterialScript(DeployRoute, BodyText);
}

std::shared_ptr<FJsonObject> EnrichMaterial(const std::string& BodyText)
{
	return RunMaterialScript(EnrichRoute, BodyText);
}
