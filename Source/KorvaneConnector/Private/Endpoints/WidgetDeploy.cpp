#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/WidgetDeploySteps.h"
#include "Endpoints/WidgetEndpoints.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/TextHelpers.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetBlueprint.h"

namespace
{
	constexpr std::string_view DefaultWidgetFolder = "/Game/Generated";
	constexpr std::string_view CompileErrorMessage = "Widget deployed but the final compile reported errors — open the asset in UE for details.";

	/** Folder and name joined with one slash between them. */
	std::string JoinPackagePath(std::string_view Folder, std::string_view Name)
	{
		while (!Folder.empty() && Folder.back() == '/')
		{
			Folder.remove_suffix(1);
		}
		while (!Name.empty() && Name.front() == '/')
		{
			Name.remove_prefix(1);
		}
		return std::string(Folder) + "/" + std::string(Name);
	}

	/**
	 * Whether folder and name make the package of one asset named Name: a name holding a path
	 * separator or a character package names refuse would place the asset somewhere else than
	 * the folder the request was checked for, or name no object at all.
	 */
	bool IsPackageOfAssetNamed(std::string_view PackagePath, std::string_view Name)
	{
		return FPackageName::IsValidLongPackageName(PackagePath) && FPackageName::GetShortName(PackagePath) == Name;
	}

	std::shared_ptr<FJsonObject> Fail(std::shared_ptr<FJsonObject> Response, std::string_view Message)
	{
		Response->SetBoolField("success", false);
		Response->SetStringField("error", Message);
		return Response;
	}

	std::shared_ptr<FJsonObject> MakeCreateStep(std::string_view Action, const UWidgetBlueprint& Blueprint)
	{
		auto Step = std::make_shared<FJsonObject>();
		Step->SetStringField("status", "ok");
		Step->SetStringField("action", Action);
		Step->SetStringField("class", Blueprint.GetClass()->GetName());
		return Step;
	}

	std::shared_ptr<FJsonObject> MakeHierarchyStep(const FWidgetHierarchyImport& Import)
	{
		auto Step = std::make_shared<FJsonObject>();
		Step->SetStringField("status", "ok");
		Step->SetNumberField("widgetCount", static_cast<double>(Import.Widgets.size()));
		Step->SetStringField("root", Import.Root->GetName());
		if (!Import.UnattachedWidgetNames.empty())
		{
			FJsonValueArray Names;
			for (const std::string& Name : Import.UnattachedWidgetNames)
			{
				Names.emplace_back(Name);
			}
			Step->SetArrayField("unattachedWidgets", std::move(Names));
		}
		return Step;
	}

	bool IsUpToDate(EBlueprintStatus Status)
	{
		return Status == BS_UpToDate || Status == BS_UpToDateWithWarnings;
	}

	std::string_view StatusWord(EBlueprintStatus Status)
	{
		switch (Status)
		{
		case BS_UpToDate: return "UpToDate";
		case BS_UpToDateWithWarnings: return "UpToDateWithWarnings";
		case BS_Error: return "Error";
		default: return "Other";
		}
	}

	/** Deploy-pastes each non-empty graph text, names the bound events, then compiles and refreshes. */
	std::shared_ptr<FJsonObject> PasteRequestedGraphs(UWidgetBlueprint& Blueprint, const FJsonObject& Graphs)
	{
		auto Step = std::make_shared<FJsonObject>();
		for (const auto& [GraphName, Value] : Graphs.Values())
		{
			const std::string* const ClipboardText = Value.TryGetString();
			if (ClipboardText != nullptr && !ClipboardText->empty())
			{
				Step->SetObjectField(GraphName, PasteIntoGraph(Blueprint, GraphName, *ClipboardText, true));
			}
		}
		const int Named = NameBoundEventHandlers(Blueprint);
		if (Named > 0)
		{
			UE_LOG(LogKorvane, Log, "Named %d bound-event handler(s) for delegate binding.", Named);
		}
		FKismetEditorUtilities::CompileBlueprint(&Blueprint, EBlueprintCompileOptions::SkipSave);
		FBlueprintEditorUtils::RefreshAllNodes(&Blueprint);
		return Step;
	}
}

std::shared_ptr<FJsonObject> DeployWidget(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> Name = Body->TryGetStringField("name");
	if (!Name || Name->empty())
	{
		return MakeFailureResponse(MissingFieldMessage("name"));
	}
	const std::string Folder = Body->TryGetStringField("path").value_or(std::string(DefaultWidgetFolder));
	if (!IsValidAssetPath(Folder) || !IsPackageOfAssetNamed(JoinPackagePath(Folder, *Name), *Name))
	{
		return MakeFailureResponse(InvalidAssetPathMessage);
	}
	const bool bWidgetBlueprint = Text::EqualsIgnoreCase(Body->TryGetStringField("widgetType").value_or(""), "UserWidget");
	const std::optional<std::string> Hierarchy = Body->TryGetStringField("hierarchy");
	if (!Hierarchy || Hierarchy->empty())
	{
		return MakeFailureResponse("Missing 'hierarchy' field (widget-tree clipboard text)");
	}

	const bool bOverwrite = Body->TryGetBoolField("overwrite").value_or(false);
	auto Steps = std::make_shared<FJsonObject>();
	const std::string PackagePath = JoinPackagePath(Folder, *Name);
	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("blueprintPath", PackagePath);
	UObject* const Existing = StaticLoadObject(UObject::StaticClass(), PackagePath + "." + *Name);

	UWidgetBlueprint* Blueprint = nullptr;
	std::string_view Action = "created";
	if (Existing != nullptr)
	{
		if (!bOverwrite)
		{
			return Fail(Response, "Asset already exists at " + PackagePath + ". Pass \"overwrite\": true to replace it.");
		}
		Blueprint = Cast<UWidgetBlueprint>(Existing);
		if (Blueprint == nullptr)
		{
			return Fail(Response, "Asset at " + PackagePath + " exists but is not a Widget Blueprint");
		}
		Action = "updated";
		ClearWidgetBlueprintForOverwrite(*Blueprint);
	}
	else
	{
		FWidgetBlueprintCreation Creation = CreateWidgetBlueprintAsset(PackagePath, *Name, !bWidgetBlueprint);
		if (Creation.Blueprint == nullptr)
		{
			return Fail(Response, Creation.Error);
		}
		Blueprint = Creation.Blueprint;
	}
	Steps->SetObjectField("create", MakeCreateStep(Action, *Blueprint));

	const FWidgetHierarchyImport Import = ImportWidgetHierarchy(*Blueprint, *Hierarchy);
	if (!Import.Error.empty())
	{
		return Fail(Response, Import.Error);
	}
	Steps->SetObjectField("hierarchy", MakeHierarchyStep(Import));

	if (const std::shared_ptr<FJsonObject> DesignSize = Body->TryGetObjectField("designSize"))
	{
		ApplyDesignSize(*Blueprint, *DesignSize);
	}
	const std::shared_ptr<FJsonValueArray> Variables = Body->TryGetArrayField("variables");
	if (Variables && !Variables->empty())
	{
		Steps->SetObjectField("variables", AddRequestedVariables(*Blueprint, *Variables));
	}
	if (const std::shared_ptr<FJsonObject> Script = Body->TryGetObjectField("script"))
	{
		Steps->SetObjectField("script", DeployWidgetScript(*Script));
	}
	if (const std::shared_ptr<FJsonValueArray> Functions = Body->TryGetArrayField("functions"))
	{
		Steps->SetObjectField("functions", EnsureRequestedFunctions(*Blueprint, *Functions));
	}
	FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::SkipSave);

	const std::shared_ptr<FJsonObject> Graphs = Body->TryGetObjectField("graphs");
	if (Graphs && !Graphs->IsEmpty())
	{
		Steps->SetObjectField("graphs", PasteRequestedGraphs(*Blueprint, *Graphs));
	}

	FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::None);
	Blueprint->GetPackage()->MarkPackageDirty();
	const bool bCompiled = IsUpToDate(Blueprint->Status);
	auto Compile = std::make_shared<FJsonObject>();
	Compile->SetStringField("status", bCompiled ? "ok" : "error");
	Compile->SetStringField("blueprintStatus", StatusWord(Blueprint->Status));
	Steps->SetObjectField("compile", std::move(Compile));

	Response->SetBoolField("success", bCompiled);
	if (!bCompiled)
	{
		Response->SetStringField("error", CompileErrorMessage);
	}
	Response->SetObjectField("steps", Steps);
	UE_LOG(LogKorvane, Log, "Widget deploy complete: %s", PackagePath.c_str());
	return Response;
}
