#include "Endpoints/MaterialPasteDeploy.h"
#include "Endpoints/MaterialGraphWiring.h"
#include "Endpoints/MaterialSettingsApply.h"
#include "KorvaneLog.h"
#include "KorvaneMaterialHelper.h"
#include "RequestConventions.h"

#include "Assets/AssetToolsModule.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Editor/Factories/MaterialFactoryNew.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialShared.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

namespace
{
	constexpr std::string_view DefaultMaterialFolder = "/Game/Materials";

	struct FPasteRequest
	{
		std::shared_ptr<FJsonObject> Body;
		std::string Name;
		std::string Path;
		std::string ClipboardText;
		bool bClearGraph = true;
		/** The failure answer when the request is not usable. */
		std::shared_ptr<FJsonObject> Error;
	};

	/** The request's fields, checked in the order the failure answers name them. */
	FPasteRequest ReadPasteRequest(const std::string& BodyText)
	{
		FPasteRequest Request;
		Request.Body = ParseJsonBody(BodyText);
		if (!Request.Body)
		{
			Request.Error = MakeFailureResponse(InvalidJsonBodyMessage);
			return Request;
		}
		Request.Name = Request.Body->TryGetStringField("name").value_or("");
		Request.Path = Request.Body->TryGetStringField("path").value_or(std::string(DefaultMaterialFolder));
		Request.ClipboardText = Request.Body->TryGetStringField("clipboardText").value_or("");
		Request.bClearGraph = Request.Body->TryGetBoolField("clearGraph").value_or(true);
		if (Request.Name.empty())
		{
			Request.Error = MakeFailureResponse(MissingFieldMessage("name"));
		}
		else if (!IsValidAssetPath(Request.Path))
		{
			Request.Error = MakeFailureResponse(InvalidAssetPathMessage);
		}
		else if (Request.ClipboardText.empty())
		{
			Request.Error = MakeFailureResponse(MissingFieldMessage("clipboardText"));
		}
		return Request;
	}

	/** The folder as given, without trailing white space and with each "//" made one slash; a trailing slash stays. */
	std::string NormalisePackageFolder(std::string_view Path)
	{
		while (!Path.empty() && std::isspace(static_cast<unsigned char>(Path.back())))
		{
			Path.remove_suffix(1);
		}
		std::string Folder;
		Folder.reserve(Path.size());
		for (std::size_t Index = 0; Index < Path.size(); ++Index)
		{
			Folder += Path[Index];
			if (Path[Index] == '/' && Index + 1 < Path.size() && Path[Index + 1] == '/')
			{
				++Index;
			}
		}
		return Folder;
	}

	UMaterial* LoadOrCreateMaterial(std::string_view Folder, std::string_view Name, const std::string& ObjectPath)
	{
		if (UMaterial* const Existing = LoadObject<UMaterial>(ObjectPath))
		{
			return Existing;
		}
		UMaterialFactoryNew* const Factory = NewObject<UMaterialFactoryNew>(GetTransientPackage());
		UObject* const Created = FAssetToolsModule::GetModule().Get().CreateAsset(Name, Folder, UMaterial::StaticClass(), Factory);
		// Nothing refers to the factory any more; the next garbage collection takes it.
		Factory->MarkAsGarbage();
		UMaterial* const Material = Cast<UMaterial>(Created);
		if (Material != nullptr)
		{
			UE_LOG(LogKorvane, Log, "Created new material asset %s", ObjectPath.c_str());
		}
		return Material;
	}

	/** The material's editor graph, made and filled from the material when it has none yet. */
	UMaterialGraph* EnsureMaterialGraph(UMaterial& Material)
	{
		if (Material.MaterialGraph == nullptr)
		{
			UEdGraph* const Graph = FBlueprintEditorUtils::CreateNewGraph(&Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass());
			Material.MaterialGraph = Cast<UMaterialGraph>(Graph);
			if (Material.MaterialGraph != nullptr)
			{
				Material.MaterialGraph->Material = &Material;
				Material.MaterialGraph->MaterialFunction = nullptr;
				Material.MaterialGraph->RebuildGraph();
			}
		}
		return Material.MaterialGraph;
	}

	/** What the walk over the pasted nodes kept and counted. */
	struct FImportedNodes
	{
		std::vector<FImportedMaterialNode> Expressions;
		int32_t CommentCount = 0;
		int32_t SkippedRoots = 0;
		FJsonValueArray NodesJson;
	};

	/** The expression's class name without its package, also for a class the host does not know (then as the text named it). */
	std::string GetExpressionClassName(const UMaterialExpression& Expression)
	{
		std::string Name = ReferencedObjectName(Expression.GetExpressionClassPath());
		return Name.empty() ? Expression.GetClass()->GetName() : Name;
	}

	std::shared_ptr<FJsonObject> MakeNodeJson(const UMaterialGraphNode& Node)
	{
		const UMaterialExpression* const Expression = Node.MaterialExpression;
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", Expression != nullptr ? Expression->GetName() : Node.GetName());
		Object->SetStringField("class", Expression != nullptr ? GetExpressionClassName(*Expression) : Node.GetClass()->GetName());
		Object->SetNumberField("posX", Node.NodePosX);
		Object->SetNumberField("posY", Node.NodePosY);
		return Object;
	}

	/** Moves a pasted expression (or comment) out of its node into the material, where the material's lists hold it. */
	void AdoptIntoMaterial(UMaterialExpression& Expression, UMaterial& Material)
	{
		Expression.Rename(nullptr, &Material, REN_DontCreateRedirectors | REN_DoNotDirty);
		Expression.Material = &Material;
	}

	/**
	 * Takes the pasted nodes into the material: result nodes are removed again (the material has
	 * its own), expressions and comments join the material's lists, anything else is left alone.
	 */
	FImportedNodes AdoptPastedNodes(UMaterial& Material, UMaterialGraph& Graph, const std::vector<UEdGraphNode*>& Created)
	{
		FImportedNodes Imported;
		for (UEdGraphNode* const Node : Created)
		{
			if (Cast<UMaterialGraphNode_Root>(Node) != nullptr)
			{
				++Imported.SkippedRoots;
				Graph.RemoveNode(*Node);
			}
			else if (auto* const MaterialNode = Cast<UMaterialGraphNode>(Node))
			{
				if (UMaterialExpression* const Expression = MaterialNode->MaterialExpression)
				{
					AdoptIntoMaterial(*Expression, Material);
					Expression->UpdateMaterialExpressionGuid(true, true);
					Material.GetExpressionCollection().AddExpression(Expression);
					Imported.Expressions.push_back({Expression, MaterialNode->NodePosX, MaterialNode->NodePosY});
				}
				Imported.NodesJson.emplace_back(MakeNodeJson(*MaterialNode));
			}
			else if (auto* const CommentNode = Cast<UMaterialGraphNode_Comment>(Node))
			{
				if (UMaterialExpressionComment* const Comment = CommentNode->MaterialExpressionComment)
				{
					AdoptIntoMaterial(*Comment, Material);
					Material.GetExpressionCollection().AddComment(Comment);
					++Imported.CommentCount;
				}
			}
			else
			{
				UE_LOG(LogKorvane, Warning, "Imported node of unhandled class: %s", Node->GetClass()->GetName().c_str());
			}
		}
		return Imported;
	}

	/** Runs one wiring step on the body's array of that name; an absent array does nothing. */
	template <typename TStep>
	FMaterialWiringResult WireFromArray(const FJsonObject& Body, std::string_view Key, TStep&& Step)
	{
		const std::shared_ptr<FJsonValueArray> Entries = Body.TryGetArrayField(Key);
		return Entries ? Step(*Entries) : FMaterialWiringResult{};
	}

	/** The errors of the material's last compile for the editor's shader platform at its default quality level (High). */
	std::vector<std::string> ReadCompileErrors(UMaterial& Material)
	{
		FinishAllShaderCompilation();
		const FMaterialResource* const Resource = Material.GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
		return Resource != nullptr ? Resource->GetCompileErrors() : std::vector<std::string>{};
	}
}

std::shared_ptr<FJsonObject> PasteMaterialT3D(const std::string& BodyText)
{
	const FPasteRequest Request = ReadPasteRequest(BodyText);
	if (Request.Error)
	{
		return Request.Error;
	}
	const FJsonObject& Body = *Request.Body;

	const std::string Folder = NormalisePackageFolder(Request.Path);
	const std::string ObjectPath = Folder + "/" + Request.Name + "." + Request.Name;
	UMaterial* const Material = LoadOrCreateMaterial(Folder, Request.Name, ObjectPath);
	if (Material == nullptr)
	{
		return MakeFailureResponse("Failed to create material at " + ObjectPath);
	}
	UMaterialGraph* const Graph = EnsureMaterialGraph(*Material);
	if (Graph == nullptr)
	{
		return MakeFailureResponse("Failed to create or load MaterialGraph");
	}

	int32_t ClearedExpressions = 0;
	if (Request.bClearGraph)
	{
		ClearedExpressions = UKorvaneMaterialHelper::ForceClearMaterialGraph(Material);
		// The nodes of the cleared expressions go now, so the pasted nodes can take the names they were copied with.
		Graph->RefreshGraph();
	}
	Material->PreEditChange(nullptr);
	Material->Modify();

	const std::vector<UEdGraphNode*> Created = ImportNodesFromText(*Graph, Request.ClipboardText);
	if (Created.empty())
	{
		Material->PostEditChange();
		return MakeFailureResponse("ImportNodesFromText produced 0 nodes. Verify clipboard format.");
	}
	FImportedNodes Imported = AdoptPastedNodes(*Material, *Graph, Created);
	const auto ImportedExpressions = static_cast<int32_t>(Imported.Expressions.size());

	FMaterialGraphWiring Wiring(std::move(Imported.Expressions), [Graph]() { Graph->LinkGraphNodesFromMaterial(); });
	Wiring.BuildPositionLookup();
	FMaterialWiringResult ExpressionWires =
		WireFromArray(Body, "connections", [&](const FJsonValueArray& Entries) { return Wiring.WireExpressions(Entries); });

	const std::shared_ptr<FJsonObject> Settings = Body.TryGetObjectField("materialSettings");
	const int32_t SettingsApplied = Settings ? ApplyMaterialSettings(*Material, *Settings) : 0;

	FMaterialWiringResult ResultWires =
		WireFromArray(Body, "resultConnections", [&](const FJsonValueArray& Entries) { return Wiring.WireResultPins(Entries); });
	FMaterialWiringResult RerouteLinks =
		WireFromArray(Body, "namedRerouteLinks", [&](const FJsonValueArray& Entries) { return Wiring.BindNamedReroutes(Entries); });
	UE_LOG(LogKorvane, Log, "Named reroute rebind: %d links fixed, %d failures", RerouteLinks.Wired, static_cast<int>(RerouteLinks.Failures.size()));

	Material->PostEditChange();
	UMaterialEditingLibrary::RecompileMaterial(Material);
	Material->MarkPackageDirty();

	const bool bCheckCompile = Body.TryGetBoolField("checkCompile").value_or(true);
	const std::vector<std::string> CompileErrors = bCheckCompile ? ReadCompileErrors(*Material) : std::vector<std::string>{};

	UE_LOG(LogKorvane, Log,
		"%s \u2014 cleared %d, imported %d expressions + %d comments (skipped %d roots), %d settings, %d expr wires, %d result wires, %d named reroute links, %d compile errors",
		Material->GetName().c_str(), ClearedExpressions, ImportedExpressions, Imported.CommentCount, Imported.SkippedRoots, SettingsApplied, ExpressionWires.Wired,
		ResultWires.Wired, RerouteLinks.Wired, static_cast<int>(CompileErrors.size()));

	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("success", true);
	Response->SetBoolField("compiled", CompileErrors.empty());
	if (!CompileErrors.empty())
	{
		FJsonValueArray Errors(CompileErrors.begin(), CompileErrors.end());
		Response->SetArrayField("compileErrors", std::move(Errors));
	}
	Response->SetStringField("material", ObjectPath);
	Response->SetNumberField("clearedExpressions", ClearedExpressions);
	Response->SetNumberField("importedExpressions", ImportedExpressions);
	Response->SetNumberField("importedComments", Imported.CommentCount);
	Response->SetNumberField("skippedRoots", Imported.SkippedRoots);
	Response->SetNumberField("settingsApplied", SettingsApplied);
	Response->SetNumberField("expressionConnectionsWired", ExpressionWires.Wired);
	Response->SetNumberField("resultConnectionsWired", ResultWires.Wired);
	Response->SetNumberField("namedRerouteLinksFixed", RerouteLinks.Wired);
	Response->SetArrayField("nodes", std::move(Imported.NodesJson));
	const auto SetFailures = [&Response](std::string_view Key, FJsonValueArray& Failures) {
		if (!Failures.empty())
		{
			Response->SetArrayField(Key, std::move(Failures));
		}
	};
	SetFailures("expressionConnectionFailures", ExpressionWires.Failures);
	SetFailures("resultFailures", ResultWires.Failures);
	SetFailures("namedRerouteFailures", RerouteLinks.Failures);
	return Response;
}
