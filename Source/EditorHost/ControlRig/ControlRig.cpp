#include "ControlRig/ControlRig.h"

#include "Blueprints/BlueprintGeneratedClass.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/ModularRigConstruction.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMExecution.h"
#include "ControlRig/RigVMGraph.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	constexpr std::string_view ConstructionEventName = "Construction";

	/** The Control Rig Blueprint that generated Class or, failing that, the nearest of its super classes. */
	UControlRigBlueprint* FindRigBlueprint(const UClass* Class)
	{
		for (; Class != nullptr; Class = Class->GetSuperClass())
		{
			if (UControlRigBlueprint* const Blueprint = Cast<UControlRigBlueprint>(GetBlueprintFromClass(Class)))
			{
				return Blueprint;
			}
		}
		return nullptr;
	}

	/** Makes the hierarchy's current pose (transforms and control values) its initial one, parents before children. */
	void MakeCurrentPoseInitial(URigHierarchy& Hierarchy)
	{
		for (int32_t Index = 0; Index < Hierarchy.Num(); ++Index)
		{
			FRigBaseElement* const Element = Hierarchy.Get(Index);
			if (Element->GetType() == ERigElementType::Control)
			{
				Hierarchy.SetControlValue(Element, Element->CurrentValue, ERigControlValueType::Initial);
				Hierarchy.SetControlShapeTransform(Element, Element->ShapePose.CurrentLocal, ERigTransformType::InitialLocal);
			}
			else if (Element->IsTransformElement())
			{
				Hierarchy.SetTransform(Element, Element->Pose.CurrentLocal, ERigTransformType::InitialLocal);
			}
		}
	}
}

bool UControlRig::Initialize(bool /*bInitRigUnits*/)
{
	UControlRigBlueprint* const Found = FindRigBlueprint(GetClass());
	if (Found == nullptr || Found->Hierarchy == nullptr)
	{
		return false;
	}
	Blueprint = Found;
	if (Hierarchy == nullptr)
	{
		Hierarchy = NewObject<URigHierarchy>(this, "Hierarchy", RF_Transient);
	}
	if (Hierarchy == nullptr)
	{
		return false;
	}
	Hierarchy->CopyHierarchy(*Found->Hierarchy);
	bConstructed = false;
	return true;
}

URigHierarchy* UControlRig::GetHierarchy() const
{
	return Hierarchy.Get();
}

UControlRigBlueprint* UControlRig::GetBlueprint() const
{
	return Blueprint.Get();
}

std::vector<URigVMGraph*> UControlRig::GetEventGraphs() const
{
	std::vector<URigVMGraph*> Graphs = Blueprint != nullptr ? Blueprint->GetAllModels() : std::vector<URigVMGraph*>();
	std::erase_if(Graphs, [](const URigVMGraph* Graph) { return !Graph->IsTopLevelGraph() || Graph->IsA<URigVMFunctionLibrary>(); });
	return Graphs;
}

bool UControlRig::HasEvent(std::string_view EventName) const
{
	for (const URigVMGraph* const Graph : GetEventGraphs())
	{
		for (const URigVMNode* const Node : Graph->GetNodes())
		{
			if (Node->IsEvent() && Node->GetEventName() == EventName)
			{
				return true;
			}
		}
	}
	return false;
}

void UControlRig::RunEventInGraphs(std::string_view EventName)
{
	for (const URigVMGraph* const Graph : GetEventGraphs())
	{
		ExecuteRigVMEvent(*Graph, EventName, *Hierarchy);
	}
}

void UControlRig::RunConstruction()
{
	Hierarchy->CopyHierarchy(*Blueprint->Hierarchy);
	if (Blueprint->IsModularRig())
	{
		BuildModularRigElements(*Blueprint, *Hierarchy);
	}
	RunEventInGraphs(ConstructionEventName);
	MakeCurrentPoseInitial(*Hierarchy);
	bConstructed = true;
}

bool UControlRig::ExecuteEvent(std::string_view EventName)
{
	if (Blueprint == nullptr || Blueprint->Hierarchy == nullptr || Hierarchy == nullptr)
	{
		return false;
	}
	if (EventName == ConstructionEventName)
	{
		RunConstruction();
		return true;
	}
	if (!HasEvent(EventName))
	{
		return false;
	}
	if (!bConstructed)
	{
		RunConstruction();
	}
	RunEventInGraphs(EventName);
	return true;
}

std::vector<UControlRigShapeLibrary*> UControlRig::GetShapeLibraries() const
{
	return Blueprint != nullptr ? Blueprint->LoadShapeLibraries() : std::vector<UControlRigShapeLibrary*>();
}
