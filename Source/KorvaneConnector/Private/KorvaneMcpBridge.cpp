#include "KorvaneMcpBridge.h"

#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/EnrichEndpoints.h"
#include "Endpoints/MaterialExport.h"
#include "Endpoints/MaterialTextureBundle.h"
#include "KorvaneLog.h"
#include "PendingPickupStore.h"
#include "StatusEndpoints.h"

#include "Assets/AssetRegistry.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Blueprints/KismetEditorUtilities.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Core/Text.h"
#include "Editor/EditorEngine.h"
#include "Editor/Notifications.h"
#include "Editor/TabManager.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Materials/Material.h"
#include "Materials/MaterialGraph.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PackageName.h"
#include "Objects/SoftObjectPath.h"
#include "Runtime/ModuleManager.h"
#include "Slate/DockTab.h"

#include <algorithm>

namespace
{
	constexpr const char* PickupNote =
		"Queued for one-shot pickup. The Korvane app polls the connector and will import it within a few seconds if it is running and connected.";
	constexpr std::size_t MaxReportedMessages = 50;

	/** "/Game/Foo" completed to "/Game/Foo.Foo"; a path holding a dot anywhere is kept. */
	std::string CompleteObjectPath(const std::string& Path)
	{
		if (Path.find('.') != std::string::npos)
		{
			return Path;
		}
		return Path + "." + std::string(FPackageName::GetLongPackageAssetName(Path));
	}

	/** The object of the class at the path as passed, else at the completed path; nullptr when neither loads. */
	template <typename TObject>
	TObject* ResolveObjectPath(const std::string& Path)
	{
		if (TObject* const Loaded = Cast<TObject>(StaticLoadObject(TObject::StaticClass(), nullptr, Path)))
		{
			return Loaded;
		}
		if (Path.find('.') != std::string::npos)
		{
			return nullptr;
		}
		return Cast<TObject>(StaticLoadObject(TObject::StaticClass(), nullptr, CompleteObjectPath(Path)));
	}

	/** The first edited asset of the type whose editor tab is in the foreground. */
	template <typename TAsset>
	TAsset* FindFocusedAsset()
	{
		if (GEditor == nullptr)
		{
			return nullptr;
		}
		UAssetEditorSubsystem* const Editors = GEditor->GetEditorSubsystem<UAssetEditorSubsystem>();
		for (UObject* const Asset : Editors->GetAllEditedAssets())
		{
			TAsset* const Typed = Cast<TAsset>(Asset);
			if (Typed == nullptr)
			{
				continue;
			}
			IAssetEditorInstance* const Editor = Editors->FindEditorForAsset(Asset, false);
			const std::shared_ptr<FTabManager> TabManager = Editor != nullptr ? Editor->GetAssociatedTabManager() : nullptr;
			const std::shared_ptr<SDockTab> OwnerTab = TabManager != nullptr ? TabManager->GetOwnerTab() : nullptr;
			if (OwnerTab != nullptr && OwnerTab->IsForeground())
			{
				return Typed;
			}
		}
		return nullptr;
	}

	FJsonObject MakeFailure(std::string_view Error)
	{
		FJsonObject Result;
		Result.SetBoolField("success", false);
		Result.SetStringField("error", std::string(Error));
		return Result;
	}

	void Notify(const FText& Text)
	{
		FNotificationInfo Info(Text);
		Info.ExpireDuration = 3.0f;
		Info.bUseLargeFont = false;
		FSlateNotificationManager::Get().AddNotification(Info);
	}

	std::string_view StatusName(EBlueprintStatus Status)
	{
		switch (Status)
		{
		case BS_Dirty:
			return "Dirty";
		case BS_Error:
			return "Error";
		case BS_UpToDate:
			return "UpToDate";
		case BS_BeingCreated:
			return "BeingCreated";
		case BS_UpToDateWithWarnings:
			return "UpToDateWithWarnings";
		default:
			return "Unknown";
		}
	}

	std::string_view SeverityName(EMessageSeverity Severity)
	{
		switch (static_cast<int>(Severity))
		{
		case 1:
			return "error";
		case 2:
		case 3:
			return "warning";
		default:
			return "info";
		}
	}

	/**
	 * The copy-paste text of a base material's whole graph, rebuilt from its expressions (the
	 * graph made on demand); empty when the graph cannot be made or has no nodes.
	 */
	std::string CopyMaterialGraphText(UMaterial& Material)
	{
		if (Material.MaterialGraph == nullptr)
		{
			UEdGraph* const Created = FBlueprintEditorUtils::CreateNewGraph(&Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass());
			UMaterialGraph* const Graph = Cast<UMaterialGraph>(Created);
			if (Graph == nullptr)
			{
				return {};
			}
			Graph->Material = &Material;
			Graph->MaterialFunction = nullptr;
			Material.MaterialGraph = Graph;
		}
		UMaterialGraph& Graph = *Material.MaterialGraph;
		Graph.RebuildGraph();
		if (Graph.GetNodes().empty())
		{
			return {};
		}
		const std::vector<const UEdGraphNode*> Nodes(Graph.GetNodes().begin(), Graph.GetNodes().end());
		for (UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
			{
				ExpressionNode->PrepareForCopying();
			}
			else if (auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
			{
				CommentNode->PrepareForCopying();
			}
		}
		std::string Text = ExportNodesToText(Nodes);
		for (UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (auto* const ExpressionNode = Cast<UMaterialGraphNode>(Node))
			{
				ExpressionNode->PostCopyNode();
			}
		}
		return Text;
	}
}

std::string UKorvaneMcpBridge::SerializeJson(const FJsonObject& Object)
{
	return FJsonSerializer::SerializePretty(Object);
}

UBlueprint* UKorvaneMcpBridge::FindFocusedBlueprint()
{
	return FindFocusedAsset<UBlueprint>();
}

UMaterialInterface* UKorvaneMcpBridge::FindFocusedMaterial()
{
	return FindFocusedAsset<UMaterialInterface>();
}

std::string UKorvaneMcpBridge::SendBlueprintToKorvane(const std::string& BlueprintPath)
{
	UBlueprint* Blueprint = nullptr;
	if (BlueprintPath.empty())
	{
		Blueprint = FindFocusedBlueprint();
		if (Blueprint == nullptr)
		{
			return SerializeJson(MakeFailure("No Blueprint editor tab is in the foreground. Pass an explicit blueprint_path (e.g. /Game/Blueprints/BP_MyActor) or focus a "
							   "Blueprint editor."));
		}
	}
	else
	{
		Blueprint = ResolveObjectPath<UBlueprint>(BlueprintPath);
		if (Blueprint == nullptr)
		{
			return SerializeJson(MakeFailure("Blueprint not found at '" + BlueprintPath + "'"));
		}
	}

	const std::shared_ptr<FJsonObject> Gathered = GatherBlueprint(Blueprint);
	EnrichComponentProperties(*Gathered, Blueprint->GetPathName());
	SetPendingBlueprint(Gathered);

	Notify(FText::Format(NSLOCTEXT("KorvaneConnector", "SentToKorvaneMcp", "Sent '{0}' (via MCP)"), FText::FromString(Blueprint->GetName())));
	UE_LOG(LogKorvane, Log, "MCP: Blueprint '%s' queued for pickup.", Blueprint->GetName().c_str());

	FJsonObject Result;
	Result.SetBoolField("success", true);
	Result.SetStringField("blueprintName", Blueprint->GetName());
	Result.SetStringField("blueprintPath", Blueprint->GetPathName());
	Result.SetStringField("note", PickupNote);
	return SerializeJson(Result);
}

std::string UKorvaneMcpBridge::SendMaterialToKorvane(const std::string& MaterialPath, bool bBundleTextures)
{
	UMaterialInterface* Material = nullptr;
	if (MaterialPath.empty())
	{
		Material = FindFocusedMaterial();
		if (Material == nullptr)
		{
			return SerializeJson(MakeFailure("No Material editor tab is in the foreground. Pass an explicit material_path (e.g. /Game/Materials/M_MyMaterial) or focus a "
							   "Material editor."));
		}
	}
	else
	{
		Material = ResolveObjectPath<UMaterialInterface>(MaterialPath);
		if (Material == nullptr)
		{
			return SerializeJson(MakeFailure("Material not found at '" + MaterialPath + "'"));
		}
	}

	const std::shared_ptr<FJsonObject> Payload = SerializeMaterial(Material);
	PopulateNodeTextures(Material, Payload);
	PopulateNodeCustomCode(Material, Payload);
	if (bBundleTextures)
	{
		BundleMaterialTextures(Material, Payload);
	}
	if (UMaterial* const BaseMaterial = Cast<UMaterial>(Material))
	{
		const std::string ClipboardText = CopyMaterialGraphText(*BaseMaterial);
		if (!ClipboardText.empty())
		{
			Payload->SetStringField("clipboardText", ClipboardText);
		}
	}
	SetPendingMaterial(Payload);

	const FText Pattern = bBundleTextures ? NSLOCTEXT("KorvaneConnector", "SentMaterialWithAssetsToKV", "Sent '{0}' with bundled textures")
										  : NSLOCTEXT("KorvaneConnector", "SentMaterialToKV", "Sent '{0}'");
	Notify(FText::Format(Pattern, FText::FromString(Material->GetName())));
	UE_LOG(LogKorvane, Log, "Material '%s' queued for pickup.", Material->GetName().c_str());

	FJsonObject Result;
	Result.SetBoolField("success", true);
	Result.SetStringField("materialName", Material->GetName());
	Result.SetStringField("materialPath", Material->GetPathName());
	Result.SetBoolField("bundledTextures", bBundleTextures);
	Result.SetStringField("note", PickupNote);
	return SerializeJson(Result);
}

std::string UKorvaneMcpBridge::CompileBlueprintAndReport(const std::string& BlueprintPath)
{
	if (BlueprintPath.empty())
	{
		return SerializeJson(MakeFailure("blueprint_path is required"));
	}
	UBlueprint* const Blueprint = ResolveObjectPath<UBlueprint>(BlueprintPath);
	if (Blueprint == nullptr)
	{
		return SerializeJson(MakeFailure("Blueprint not found at '" + BlueprintPath + "'"));
	}

	FCompilerResultsLog Results;
	FKismetEditorUtilities::CompileBlueprint(Blueprint, EBlueprintCompileOptions::None, &Results);

	FJsonValueArray Messages;
	const std::size_t Reported = std::min(Results.Messages.size(), MaxReportedMessages);
	for (std::size_t Index = 0; Index < Reported; ++Index)
	{
		const FCompilerResultsMessage& Message = Results.Messages[Index];
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("severity", std::string(SeverityName(Message.Severity)));
		Entry->SetStringField("text", Message.Text);
		Messages.emplace_back(std::move(Entry));
	}

	FJsonObject Result;
	Result.SetBoolField("success", Results.NumErrors == 0);
	Result.SetStringField("blueprintName", Blueprint->GetName());
	Result.SetStringField("status", std::string(StatusName(Blueprint->Status)));
	Result.SetNumberField("numErrors", Results.NumErrors);
	Result.SetNumberField("numWarnings", Results.NumWarnings);
	Result.SetArrayField("messages", std::move(Messages));
	if (Results.Messages.size() > MaxReportedMessages)
	{
		Result.SetNumberField("messagesTruncatedFrom", static_cast<double>(Results.Messages.size()));
	}
	UE_LOG(LogKorvane, Log, "MCP: compiled '%s' - %d error(s), %d warning(s).", Blueprint->GetName().c_str(), Results.NumErrors, Results.NumWarnings);
	return SerializeJson(Result);
}

std::string UKorvaneMcpBridge::CheckAssetsExist(const std::vector<std::string>& AssetPaths)
{
	const IAssetRegistry* const Registry = IAssetRegistry::Get();
	bool bAllExist = true;
	FJsonValueArray Entries;
	for (const std::string& Path : AssetPaths)
	{
		bool bExists = false;
		const std::string Completed = Path.empty() ? Path : CompleteObjectPath(Path);
		if (!Completed.empty() && Completed.front() == '/' && Registry != nullptr)
		{
			FSoftObjectPath ObjectPath;
			ObjectPath.SetPath(Completed);
			bExists = Registry->GetAssetByObjectPath(ObjectPath).IsValid();
		}
		bAllExist = bAllExist && bExists;
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("path", Path);
		Entry->SetBoolField("exists", bExists);
		Entries.emplace_back(std::move(Entry));
	}

	FJsonObject Result;
	Result.SetBoolField("allExist", bAllExist);
	Result.SetNumberField("checked", static_cast<double>(AssetPaths.size()));
	Result.SetArrayField("results", std::move(Entries));
	return SerializeJson(Result);
}

std::string UKorvaneMcpBridge::GetStatusJson()
{
	return SerializeJson(*GetStatus());
}
