#include "Endpoints/ComponentLibraryEndpoints.h"
#include "KorvaneLog.h"
#include "ScriptHandoff.h"

#include "Core/FileSystem.h"
#include "Core/JsonSerializer.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

#include <vector>

namespace
{
	constexpr std::string_view NoValidResultMessage = "Python script did not produce a valid result file. Check UE Output Log for errors.";

	bool IsUpper(char Char) { return Char >= 'A' && Char <= 'Z'; }
	bool IsLower(char Char) { return Char >= 'a' && Char <= 'z'; }

	/** ActorComponent first, then every class below it in the class database's order. */
	std::vector<UClass*> ListComponentClasses()
	{
		std::vector<UClass*> Classes;
		if (UClass* const ActorComponent = FClassDatabase::Get().FindClass("/Script/Engine.ActorComponent"))
		{
			Classes.push_back(ActorComponent);
			GetDerivedClasses(ActorComponent, Classes, true);
		}
		return Classes;
	}

	std::shared_ptr<FJsonObject> MakePropertyEntry(const FProperty& Property)
	{
		auto Entry = std::make_shared<FJsonObject>();
		if (Property.HasMetaData("Category"))
		{
			Entry->SetStringField("category", Property.GetMetaData("Category"));
		}
		Entry->SetBoolField("editable", Property.HasAnyPropertyFlags(CPF_Edit));
		Entry->SetBoolField("blueprintReadWrite", Property.HasAnyPropertyFlags(CPF_BlueprintVisible));
		Entry->SetBoolField("replicated", Property.HasAnyPropertyFlags(CPF_Net));
		Entry->SetBoolField("exposeOnSpawn", Property.HasAnyPropertyFlags(CPF_ExposeOnSpawn));
		return Entry;
	}

	std::shared_ptr<FJsonObject> MakeClassEntry(const UClass& Class, const UClass* SceneComponent)
	{
		auto Properties = std::make_shared<FJsonObject>();
		for (TFieldIterator<FProperty> It(&Class); It; ++It)
		{
			Properties->SetObjectField(ToSnakeKey(It->GetName()), MakePropertyEntry(**It));
		}
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetBoolField("isSceneComponent", Class.IsChildOf(SceneComponent));
		Entry->SetObjectField("properties", std::move(Properties));
		return Entry;
	}

	std::shared_ptr<FJsonObject> MakeLibraryFailure(bool bPythonAvailable, std::string_view Error)
	{
		auto Response = std::make_shared<FJsonObject>();
		Response->SetBoolField("pythonAvailable", bPythonAvailable);
		Response->SetBoolField("success", false);
		Response->SetStringField("error", Error);
		return Response;
	}

	/** The metadata file stands in for a payload: the connector writes it itself and it stays for the next run to overwrite. */
	FScriptHandoffParams ComponentLibraryHandoffParams()
	{
		FScriptHandoffParams Params;
		Params.PayloadFileName = "_kv_property_metadata.json";
		Params.ResultFileName = "_kv_enrich_component_library_result.json";
		Params.ScriptFileName = "_kv_enrich_component_library.py";
		Params.PayloadGlobal = "__kv_metadata_path";
		Params.bDeleteStaleResult = false;
		Params.bDeletePayloadAfterRead = false;
		Params.RunMessage = "Running component library enrichment script...";
		Params.RunMessageVerbosity = ELogVerbosity::Verbose;
		return Params;
	}
}

std::string ToSnakeKey(std::string_view PropertyName)
{
	std::string Key;
	Key.reserve(PropertyName.size() + 4);
	for (std::size_t Index = 0; Index < PropertyName.size(); ++Index)
	{
		const char Char = PropertyName[Index];
		if (Index > 0 && IsUpper(Char))
		{
			const bool bAfterLower = IsLower(PropertyName[Index - 1]);
			const bool bBeforeLower = Index + 1 < PropertyName.size() && IsLower(PropertyName[Index + 1]);
			if (bAfterLower || bBeforeLower)
			{
				Key += '_';
			}
		}
		Key += IsUpper(Char) ? static_cast<char>(Char - 'A' + 'a') : Char;
	}
	if (Key.size() > 2 && (Key[0] == 'b' || Key[0] == 'B') && Key[1] == '_')
	{
		Key.erase(0, 2);
	}
	return Key;
}

void WriteComponentPropertyMetadata(std::string_view Path)
{
	const std::vector<UClass*> Classes = ListComponentClasses();
	const UClass* const SceneComponent = FClassDatabase::Get().FindClass("/Script/Engine.SceneComponent");
	FJsonObject Metadata;
	for (const UClass* const Class : Classes)
	{
		Metadata.SetObjectField(Class->GetName(), MakeClassEntry(*Class, SceneComponent));
	}
	FFileHelper::SaveStringToFile(FJsonSerializer::SerializePretty(Metadata), Path);
	UE_LOG(LogKorvane, Log, "Property metadata gathered for %d component classes", static_cast<int>(Classes.size()));
}

std::shared_ptr<FJsonObject> EnrichComponentLibrary()
{
	if (!IsPythonReady())
	{
		return MakeLibraryFailure(false, PythonNotReadyMessage);
	}
	const FScriptHandoffParams Params = ComponentLibraryHandoffParams();
	const FScriptHandoffFiles Files = ScriptHandoffFiles(Params);
	EnsureTransientDir();
	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	if (PlatformFile.FileExists(Files.ResultPath))
	{
		PlatformFile.DeleteFile(Files.ResultPath);
	}
	WriteComponentPropertyMetadata(Files.PayloadPath);

	const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
	if (Outcome.Failure == EScriptHandoffFailure::PythonNotReady)
	{
		return MakeLibraryFailure(false, PythonNotReadyMessage);
	}
	if (Outcome.Failure == EScriptHandoffFailure::ScriptNotFound)
	{
		return MakeLibraryFailure(true, "Component library enrichment script not found at " + Files.RunCopyPath + " or " + Files.ResourceScriptPath);
	}
	if (const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject())
	{
		UE_LOG(LogKorvane, Log, "Component library enrichment complete");
		return Result;
	}
	return MakeLibraryFailure(true, NoValidResultMessage);
}
