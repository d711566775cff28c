#include "Endpoints/EnrichEndpoints.h"
#include "Endpoints/BlueprintEndpoints.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"
#include "ScriptHandoff.h"

#include "Blueprints/Blueprint.h"
#include "Core/DateTime.h"
#include "Core/FileSystem.h"
#include "Core/JsonSerializer.h"
#include "Objects/ObjectGlobals.h"

#include <initializer_list>

namespace
{
	FScriptHandoffParams EnrichHandoffParams(std::string PayloadText, std::string_view BlueprintPath)
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_enrich_payload.json";
		Params.ResultFileName = "_kv_enrich_result.json";
		Params.ScriptFileName = "_kv_enrich.py";
		Params.PayloadText = std::move(PayloadText);
		Params.RunMessage = "Running enrich script for " + std::string(BlueprintPath) + "...";
		Params.RunMessageVerbosity = ELogVerbosity::Verbose;
		return Params;
	}

	/** The script's input: the Blueprint path and, per gathered component, its name, class and template path where it has them. */
	std::string MakeEnrichPayload(const FJsonValueArray& Components, std::string_view BlueprintPath)
	{
		FJsonValueArray Entries;
		for (const FJsonValue& Component : Components)
		{
			const std::shared_ptr<FJsonObject> Gathered = Component.TryGetObject();
			if (!Gathered)
			{
				continue;
			}
			auto Entry = std::make_shared<FJsonObject>();
			for (const std::string_view Key : {"name", "class", "templatePath"})
			{
				if (const std::optional<std::string> Value = Gathered->TryGetStringField(Key))
				{
					Entry->SetStringField(Key, *Value);
				}
			}
			Entries.emplace_back(std::move(Entry));
		}
		FJsonObject Payload;
		Payload.SetStringField("blueprintPath", BlueprintPath);
		Payload.SetArrayField("components", std::move(Entries));
		return FJsonSerializer::SerializeCondensed(Payload);
	}

	/** Logs why the hand-off gave no result; a payload whose script is missing is removed again. */
	void ReportHandoffFailure(const FScriptHandoffOutcome& Outcome)
	{
		switch (*Outcome.Failure)
		{
		case EScriptHandoffFailure::PythonNotReady:
			UE_LOG(LogKorvane, Log, "Enrich: Python not available \u2014 skipping component properties");
			break;
		case EScriptHandoffFailure::PayloadNotWritten:
			UE_LOG(LogKorvane, Warning, "Enrich: Failed to write payload \u2014 skipping component properties");
			break;
		case EScriptHandoffFailure::ScriptNotFound:
			UE_LOG(LogKorvane, Warning, "Enrich: Script not found at %s \u2014 skipping component properties", Outcome.Files.ResourceScriptPath.c_str());
			FPlatformFileManager::Get().GetPlatformFile().DeleteFile(Outcome.Files.PayloadPath);
			break;
		case EScriptHandoffFailure::NoResultFile:
			UE_LOG(LogKorvane, Warning, "Enrich: No result file \u2014 skipping component properties");
			break;
		}
	}

	/** Gives each gathered component whose name the result lists that entry, as its last key `properties`. */
	void AttachComponentProperties(const FJsonValueArray& Components, const FJsonObject& ResultComponents)
	{
		for (const FJsonValue& Component : Components)
		{
			const std::shared_ptr<FJsonObject> Entry = Component.TryGetObject();
			const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
			if (!Name)
			{
				continue;
			}
			if (std::shared_ptr<FJsonObject> Properties = ResultComponents.TryGetObjectField(*Name))
			{
				Entry->SetObjectField("properties", std::move(Properties));
			}
		}
	}
}

void EnrichComponentProperties(FJsonObject& Gathered, std::string_view BlueprintPath)
{
	if (!IsPythonReady())
	{
		Gathered.SetBoolField("componentProperties", false);
		UE_LOG(LogKorvane, Log, "Enrich: Python not available \u2014 skipping component properties");
		return;
	}
	const std::shared_ptr<FJsonValueArray> Components = Gathered.TryGetArrayField("components");
	if (!Components || Components->empty())
	{
		Gathered.SetBoolField("componentProperties", false);
		return;
	}

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(EnrichHandoffParams(MakeEnrichPayload(*Components, BlueprintPath), BlueprintPath));
	if (!Outcome.Succeeded())
	{
		Gathered.SetBoolField("componentProperties", false);
		ReportHandoffFailure(Outcome);
		return;
	}
	const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject();
	if (!Result)
	{
		Gathered.SetBoolField("componentProperties", false);
		UE_LOG(LogKorvane, Warning, "Enrich: No result file \u2014 skipping component properties");
		return;
	}
	if (!Result->TryGetBoolField("success").value_or(false))
	{
		const std::string Error = Result->TryGetStringField("error").value_or("");
		Gathered.SetBoolField("componentProperties", false);
		Gathered.SetStringField("componentPropertiesError", Error);
		UE_LOG(LogKorvane, Warning, "Enrich: Python script failed \u2014 %s", Error.c_str());
		return;
	}
	if (const std::shared_ptr<FJsonObject> ResultComponents = Result->TryGetObjectField("components"))
	{
		AttachComponentProperties(*Components, *ResultComponents);
	}
	Gathered.SetBoolField("componentProperties", true);
	UE_LOG(LogKorvane, Log, "Enrich complete: %s", std::string(BlueprintPath).c_str());
}

std::shared_ptr<FJsonObject> EnrichBlueprint(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> BlueprintPath = Body->TryGetStringField("blueprintPath");
	if (!BlueprintPath)
	{
		return MakeFailureResponse(MissingFieldMessage("blueprintPath"));
	}
	if (!IsValidAssetPath(*BlueprintPath))
	{
		return MakeFailureResponse(InvalidAssetPathMessage);
	}
	const UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), *BlueprintPath));
	if (Blueprint == nullptr)
	{
		return MakeFailureResponse("Blueprint not found: " + *BlueprintPath);
	}

	const std::shared_ptr<FJsonObject> Response = GatherBlueprint(Blueprint);
	Response->SetBoolField("success", true);
	Response->SetBoolField("enriched", true);
	Response->SetStringField("enrichedAt", FDateTime::UtcNow().ToString());
	// Says whether the interpreter is up, so the desktop app can tell "no Python" from "no components".
	Response->SetBoolField("pythonAvailable", IsPythonReady());
	EnrichComponentProperties(*Response, *BlueprintPath);
	return Response;
}
