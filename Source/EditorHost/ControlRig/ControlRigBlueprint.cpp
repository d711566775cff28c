#include "ControlRig/ControlRigBlueprint.h"

#include "Blueprints/BlueprintGeneratedClass.h"
#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigShapeLibrary.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"

void UControlRigBlueprint::PostInitProperties()
{
	Super::PostInitProperties();
	Hierarchy = NewObject<URigHierarchy>(this, "Hierarchy", RF_Transactional);
	FunctionLibrary = NewObject<URigVMFunctionLibrary>(this, "RigVMFunctionLibrary", RF_Transactional);
	FunctionLibraryController = MakeController(FunctionLibrary);
	if (ParentClass == nullptr)
	{
		ParentClass = UControlRig::StaticClass();
	}
}

URigVMController* UControlRigBlueprint::MakeController(URigVMGraph* Graph)
{
	if (Graph == nullptr)
	{
		return nullptr;
	}
	URigVMController* const Controller = NewObject<URigVMController>(this, MakeUniqueObjectName(this, Graph->GetName() + "_Controller"), RF_Transient);
	if (Controller != nullptr)
	{
		Controller->SetGraph(Graph);
	}
	return Controller;
}

USkeletalMesh* UControlRigBlueprint::GetPreviewMesh() const
{
	return PreviewMeshPath.empty() ? nullptr : LoadObject<USkeletalMesh>(PreviewMeshPath);
}

void UControlRigBlueprint::SetPreviewMesh(USkeletalMesh* Mesh)
{
	PreviewMeshPath = Mesh != nullptr ? Mesh->GetPathName() : std::string();
}

std::vector<FRigVMGraphVariableDescription> UControlRigBlueprint::GetMemberVariables() const
{
	std::vector<FRigVMGraphVariableDescription> Variables;
	Variables.reserve(NewVariables.size());
	for (const FBPVariableDescription& Variable : NewVariables)
	{
		Variables.push_back({Variable.VarName, GetVariableCPPType(Variable.VarType), Variable.DefaultValue});
	}
	return Variables;
}

std::vector<URigVMGraph*> UControlRigBlueprint::GetAllModels() const
{
	std::vector<URigVMGraph*> Graphs = Models;
	if (FunctionLibrary != nullptr)
	{
		Graphs.push_back(FunctionLibrary);
	}
	// Graphs nested in collapse and function nodes live inside their node; each found graph is searched in turn.
	for (std::size_t Next = 0; Next < Graphs.size(); ++Next)
	{
		for (const URigVMNode* const Node : Graphs[Next]->GetNodes())
		{
			for (UObject* const Inner : Node->GetInnerObjects())
			{
				if (URigVMGraph* const Nested = Cast<URigVMGraph>(Inner))
				{
					Graphs.push_back(Nested);
				}
			}
		}
	}
	return Graphs;
}

URigVMGraph* UControlRigBlueprint::GetModel() const
{
	return Models.empty() ? nullptr : Models.front();
}

URigVMFunctionLibrary* UControlRigBlueprint::GetLocalFunctionLibrary() const
{
	return FunctionLibrary;
}

URigVMController* UControlRigBlueprint::GetController(const URigVMGraph* Graph) const
{
	if (Graph == nullptr)
	{
		return nullptr;
	}
	if (Graph == FunctionLibrary)
	{
		return FunctionLibraryController;
	}
	for (std::size_t Index = 0; Index < Models.size(); ++Index)
	{
		if (Models[Index] == Graph)
		{
			return Controllers[Index];
		}
	}
	return nullptr;
}

URigVMGraph* UControlRigBlueprint::AddModel(std::string_view Name)
{
	if (Name.empty() || !FObjectInternals::IsValidObjectName(Name) || FindInnerObject(Name) != nullptr)
	{
		return nullptr;
	}
	URigVMGraph* const Graph = NewObject<URigVMGraph>(this, Name, RF_Transactional);
	URigVMController* const Controller = MakeController(Graph);
	if (Graph == nullptr || Controller == nullptr)
	{
		return nullptr;
	}
	Models.push_back(Graph);
	Controllers.push_back(Controller);
	return Graph;
}

std::vector<UControlRigShapeLibrary*> UControlRigBlueprint::LoadShapeLibraries() const
{
	std::vector<UControlRigShapeLibrary*> Libraries;
	for (const std::string& Path : ShapeLibraries)
	{
		if (UControlRigShapeLibrary* const Library = LoadObject<UControlRigShapeLibrary>(Path))
		{
			Libraries.push_back(Library);
		}
	}
	return Libraries;
}

void UControlRigBlueprint::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "PreviewSkeletalMesh" || Tag.Name == "ControlRigType"; });
	if (!PreviewMeshPath.empty())
	{
		OutTags.push_back({"PreviewSkeletalMesh", PreviewMeshPath});
	}
	OutTags.push_back({"ControlRigType", IsModularRig() ? "ModularRig" : "IndependentRig"});
}
