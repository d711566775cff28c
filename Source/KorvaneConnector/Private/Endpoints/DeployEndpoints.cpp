#include "Endpoints/DeployEndpoints.h"
#include "Endpoints/BlueprintEndpoints.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"
#include "ScriptHandoff.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/Text.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <array>

namespace
{
	constexpr std::string_view DefaultDeployFolder = "/Game/Generated";

	constexpr std::string_view NoResultMessage = "Python script did not produce a result file. Check UE Output Log for errors.";

	/** The script's step reports, in the order the answer lists them. */
	constexpr std::array<std::string_view, 6> ScriptStepNames = {"create", "variables", "components", "componentProperties", "functions", "compile"};

	/** Folder and name joined as FString::PathAppend joins them: no second slash after a folder that ends with one. */
	std::string PathAppend(std::string_view Folder, std::string_view Name)
	{
		std::string Joined(Folder);
		if (!Joined.empty() && Joined.back() != '/' && Joined.back() != '\\')
		{
			Joined += '/';
		}
		Joined += Name;
		return Joined;
	}

	FScriptHandoffParams DeployHandoffParams(const std::string& BodyText, std::string_view Folder, std::string_view Name)
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_deploy_payload.json";
		Params.ResultFileName = "_kv_deploy_result.json";
		Params.ScriptFileName = "_kv_deploy.py";
		Params.PayloadText = BodyText;
		Params.RunMessage = "Running deploy script for " + std::string(Folder) + "/" + std::string(Name) + "...";
		Params.RunMessageVerbosity = ELogVerbosity::Verbose;
		return Params;
	}

	/** The deploy's text for a hand-off that ended without a result. */
	std::string HandoffFailureMessage(EScriptHandoffFailure Failure, const FScriptHandoffFiles& Files)
	{
		switch (Failure)
		{
		case EScriptHandoffFailure::PythonNotReady: return std::string(PythonNotReadyMessage);
		case EScriptHandoffFailure::PayloadNotWritten: return "Failed to write payload to " + Files.PayloadPath;
		case EScriptHandoffFailure::ScriptNotFound: return "Deploy script not found at " + Files.RunCopyPath + " or " + Files.ResourceScriptPath;
		case EScriptHandoffFailure::NoResultFile: break;
		}
		return std::string(NoResultMessage);
	}

	std::shared_ptr<FJsonObject> MakeStepsFromScriptResult(const FJsonObject& Result)
	{
		auto Steps = std::make_shared<FJsonObject>();
		for (const std::string_view StepName : ScriptStepNames)
		{
			if (std::shared_ptr<FJsonObject> Step = Result.TryGetObjectField(StepName))
			{
				Steps->SetObjectField(StepName, std::move(Step));
			}
		}
		return Steps;
	}

	UBlueprint* LoadBlueprint(const std::string& BlueprintPath)
	{
		return Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), BlueprintPath));
	}

	/** Turns the variables the request marks as arrays into array containers; returns how many changed. */
	int PromoteArrayVariables(UBlueprint& Blueprint, const FJsonValueArray& RequestedVariables)
	{
		int Promoted = 0;
		for (const FJsonValue& Value : RequestedVariables)
		{
			const std::shared_ptr<FJsonObject> Requested = Value.TryGetObject();
			const std::optional<std::string> Name = Requested ? Requested->TryGetStringField("name") : std::nullopt;
			if (!Name || Requested->TryGetBoolField("isArray") != true)
			{
				continue;
			}
			for (FBPVariableDescription& Variable : Blueprint.NewVariables)
			{
				if (Text::EqualsIgnoreCase(Variable.VarName, *Name) && !Variable.VarType.IsArray())
				{
					Variable.VarType.ContainerType = "Array";
					++Promoted;
				}
			}
		}
		return Promoted;
	}

	void PromoteRequestedArrays(const std::string& BlueprintPath, const FJsonValueArray& RequestedVariables)
	{
		UBlueprint* const Blueprint = LoadBlueprint(BlueprintPath);
		if (Blueprint == nullptr)
		{
			return;
		}
		const int Promoted = PromoteArrayVariables(*Blueprint, RequestedVariables);
		if (Promoted > 0)
		{
			FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(Blueprint);
			UE_LOG(LogKorvane, Log, "Promoted %d variable(s) to Array containers.", Promoted);
		}
	}

	/** Deploy-pastes every graph text of the request, then compiles; one paste result per pasted graph. */
	std::shared_ptr<FJsonObject> PasteRequestedGraphs(const std::string& BlueprintPath, const FJsonObject& RequestedGraphs)
	{
		auto Results = std::make_shared<FJsonObject>();
		UBlueprint* const Blueprint = LoadBlueprint(BlueprintPath);
		if (Blueprint == nullptr)
		{
			Results->SetStringField("status", "error");
			Results->SetStringField("error", "Could not load Blueprint at " + BlueprintPath + " for node paste");
			return Results;
		}
		for (const auto& [GraphName, Value] : RequestedGraphs.Values())
		{
			const std::string* const ClipboardText = Value.TryGetString();
			if (ClipboardText != nullptr && !ClipboardText->empty())
			{
				Results->SetObjectField(GraphName, PasteIntoGraph(*Blueprint, GraphName, *ClipboardText, true));
			}
		}
		FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::SkipSave);
		FBlueprintEditorUtils::RefreshAllNodes(Blueprint);
		FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::None);
		Blueprint->GetPackage()->MarkPackageDirty();
		return Results;
	}
}

std::shared_ptr<FJsonObject> DeployBlueprint(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> Name = Body->TryGetStringField("name");
	if (!Name)
	{
		return MakeFailureResponse(MissingFieldMessage("name"));
	}
	const std::string Folder = Body->TryGetStringField("path").value_or(std::string(DefaultDeployFolder));
	if (!IsValidAssetPath(Folder))
	{
		return MakeFailureResponse(InvalidAssetPathMessage);
	}

	auto Response = std::make_shared<FJsonObject>();
	const bool bPythonReady = IsPythonReady();
	Response->SetBoolField("pythonAvailable", bPythonReady);
	if (!bPythonReady)
	{
		Response->SetBoolField("success", false);
		Response->SetStringField("error", PythonNotReadyMessage);
		return Response;
	}

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(DeployHandoffParams(BodyText, Folder, *Name));
	const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject();
	if (!Result)
	{
		Response->SetBoolField("success", false);
		Response->SetStringField("error", HandoffFailureMessage(Outcome.Failure.value_or(EScriptHandoffFailure::NoResultFile), Outcome.Files));
		return Response;
	}
	if (Result->TryGetBoolField("success") != true)
	{
		Response->SetBoolField("success", false);
		Response->SetStringField("error", "Python deploy failed: " + Result->TryGetStringField("error").value_or(""));
		Response->SetObjectField("steps", MakeStepsFromScriptResult(*Result));
		return Response;
	}

	const std::optional<std::string> ScriptBlueprintPath = Result->TryGetStringField("blueprintPath");
	const std::string BlueprintPath = ScriptBlueprintPath && !ScriptBlueprintPath->empty() ? *ScriptBlueprintPath : PathAppend(Folder, *Name);
	Response->SetStringField("blueprintPath", BlueprintPath);
	const std::shared_ptr<FJsonObject> Steps = MakeStepsFromScriptResult(*Result);

	if (const std::shared_ptr<FJsonValueArray> RequestedVariables = Body->TryGetArrayField("variables"))
	{
		PromoteRequestedArrays(BlueprintPath, *RequestedVariables);
	}
	const std::shared_ptr<FJsonObject> RequestedGraphs = Body->TryGetObjectField("graphs");
	if (RequestedGraphs && !RequestedGraphs->IsEmpty())
	{
		Steps->SetObjectField("graphs", PasteRequestedGraphs(BlueprintPath, *RequestedGraphs));
	}

	Response->SetBoolField("success", true);
	Response->SetObjectField("steps", Steps);
	UE_LOG(LogKorvane, Log, "Deploy complete: %s", BlueprintPath.c_str());
	return Response;
}
