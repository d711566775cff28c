#include "Endpoints/ControlRigEndpoints.h"

#include "Endpoints/ControlRigModules.h"
#include "Endpoints/ControlRigInstance.h"
#include "RequestConventions.h"

#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Meshes/SkeletalMesh.h"

#include <string>
#include <vector>

namespace
{
	std::shared_ptr<FJsonObject> MakeGraphJson(const URigVMGraph& Graph, const URigVMController& Controller)
	{
		std::vector<std::string> NodeNames;
		NodeNames.reserve(Graph.GetNodes().size());
		for (const URigVMNode* Node : Graph.GetNodes())
		{
			NodeNames.push_back(Node->GetName());
		}
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Graph.GetName());
		Entry->SetNumberField("nodeCount", static_cast<double>(NodeNames.size()));
		Entry->SetStringField("text", Controller.ExportNodesToText(NodeNames, false));
		return Entry;
	}

	/** The Blueprint's own top-level rig graphs that have a controller, the function library left out. */
	FJsonValueArray MakeGraphsJson(const UControlRigBlueprint& Blueprint)
	{
		FJsonValueArray Graphs;
		for (const URigVMGraph* Graph : Blueprint.GetAllModels())
		{
			if (Graph == nullptr || !Graph->IsTopLevelGraph() || Graph->IsA<URigVMFunctionLibrary>())
			{
				continue;
			}
			if (const URigVMController* const Controller = Blueprint.GetController(Graph))
			{
				Graphs.emplace_back(MakeGraphJson(*Graph, *Controller));
			}
		}
		return Graphs;
	}

	FJsonValueArray MakeVariablesJson(const UControlRigBlueprint& Blueprint)
	{
		FJsonValueArray Variables;
		for (const FRigVMGraphVariableDescription& Variable : Blueprint.GetMemberVariables())
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("name", Variable.Name);
			Entry->SetStringField("cppType", Variable.CPPType);
			Variables.emplace_back(std::move(Entry));
		}
		return Variables;
	}

	/**
	 * The Blueprint's own hierarchy, or, for a modular rig whose own hierarchy is empty, the
	 * hierarchy its construction builds in a fresh instance (when that has any element).
	 */
	void AppendHierarchy(FJsonObject& Response, const UControlRigBlueprint& Blueprint)
	{
		const URigHierarchy* const Own = Blueprint.Hierarchy;
		const bool bOwnIsEmpty = Own == nullptr || Own->Num() == 0;
		if (Blueprint.IsModularRig() && bOwnIsEmpty && Blueprint.GeneratedClass != nullptr)
		{
			const FTransientControlRig Instance(Blueprint);
			UControlRig* const Rig = Instance.Get();
			if (Rig != nullptr)
			{
				Rig->ExecuteEvent("Construction");
			}
			const URigHierarchy* const Constructed = Rig != nullptr ? Rig->GetHierarchy() : nullptr;
			if (Constructed != nullptr && Constructed->Num() > 0)
			{
				Response.SetBoolField("hierarchyFromInstance", true);
				Response.SetArrayField("hierarchy", AppendRigElements(*Constructed));
				return;
			}
		}
		Response.SetArrayField("hierarchy", Own != nullptr ? AppendRigElements(*Own) : FJsonValueArray());
	}
}

std::shared_ptr<FJsonObject> ReadControlRig(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	auto Response = std::make_shared<FJsonObject>();
	const UControlRigBlueprint* const Blueprint = LoadControlRigBlueprint(Request.Path, *Response);
	if (Blueprint == nullptr)
	{
		return Response;
	}
	Response->SetStringField("name", Blueprint->GetName());
	Response->SetStringField("path", Request.Path);
	Response->SetArrayField("graphs", MakeGraphsJson(*Blueprint));
	Response->SetArrayField("variables", MakeVariablesJson(*Blueprint));
	if (const USkeletalMesh* const PreviewMesh = Blueprint->GetPreviewMesh())
	{
		Response->SetStringField("previewMesh", PreviewMesh->GetPathName());
		AppendMorphTargets(*Response, PreviewMesh);
	}
	AppendHierarchy(*Response, *Blueprint);
	if (Blueprint->IsModularRig())
	{
		Response->SetBoolField("isModular", true);
		Response->SetArrayField("modules", MakeRigModulesJson(*Blueprint));
	}
	Response->SetBoolField("success", true);
	return Response;
}
