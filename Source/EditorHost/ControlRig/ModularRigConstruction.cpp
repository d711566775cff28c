#include "ControlRig/ModularRigConstruction.h"

#include "Blueprints/BlueprintGeneratedClass.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "Core/LogHost.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
	/** The modules in model order, each after its parent module; modules whose parents form a loop keep their order at the end. */
	std::vector<const FRigModuleReference*> ParentsFirst(const FModularRigModel& Model)
	{
		std::vector<const FRigModuleReference*> Ordered;
		std::vector<const FRigModuleReference*> Pending;
		for (const FRigModuleReference& Module : Model.Modules)
		{
			Pending.push_back(&Module);
		}
		const auto IsPlaced = [&Ordered, &Model](const FRigModuleReference* Module) {
			const FRigModuleReference* const Parent = Model.FindModule(Module->ParentModuleName);
			return Parent == nullptr || Parent == Module || std::find(Ordered.begin(), Ordered.end(), Parent) != Ordered.end();
		};
		while (!Pending.empty())
		{
			const auto Ready = std::stable_partition(Pending.begin(), Pending.end(), IsPlaced);
			if (Ready == Pending.begin())
			{
				break;
			}
			Ordered.insert(Ordered.end(), Pending.begin(), Ready);
			Pending.erase(Pending.begin(), Ready);
		}
		Ordered.insert(Ordered.end(), Pending.begin(), Pending.end());
		return Ordered;
	}

	const UControlRigBlueprint* LoadModuleBlueprint(const FRigModuleReference& Module)
	{
		const UClass* const Class = Cast<UClass>(StaticLoadObject(UClass::StaticClass(), Module.ClassPath));
		return Cast<UControlRigBlueprint>(GetBlueprintFromClass(Class));
	}

	/** The element the module's roots hang under: the first target of its primary connector that is a transform element of Hierarchy. */
	FRigElementKey FindRootParent(const FModularRigModel& Model, const FRigModuleReference& Module, const URigHierarchy& ModuleHierarchy, const URigHierarchy& Hierarchy)
	{
		for (int32_t Index = 0; Index < ModuleHierarchy.Num(); ++Index)
		{
			const FRigBaseElement& Element = *ModuleHierarchy.Get(Index);
			if (Element.GetType() != ERigElementType::Connector || Element.ConnectorSettings.Type != EConnectorType::Primary)
			{
				continue;
			}
			const FRigElementKey Connector{ERigElementType::Connector, Module.Name + "/" + Element.GetName()};
			for (const FRigElementKey& Target : Model.FindConnectionTargets(Connector))
			{
				const FRigBaseElement* const TargetElement = Hierarchy.Find(Target);
				if (TargetElement != nullptr && TargetElement->IsTransformElement())
				{
					return Target;
				}
			}
			break;
		}
		return {};
	}

	FRigBaseElement* AddModuleElement(URigHierarchy& Hierarchy, const FRigBaseElement& Source, const FRigElementKey& Key, const FRigElementKey& Parent)
	{
		if (Source.GetType() != ERigElementType::Control)
		{
			return Hierarchy.AddElement(Key, Parent, Source.Pose.InitialLocal);
		}
		FRigBaseElement* const Control = Hierarchy.AddControl(Key, Parent, Source.ControlSettings, Source.OffsetTransform, Source.InitialValue);
		if (Control != nullptr)
		{
			Hierarchy.SetControlValue(Control, Source.MinimumValue, ERigControlValueType::Minimum);
			Hierarchy.SetControlValue(Control, Source.MaximumValue, ERigControlValueType::Maximum);
			Hierarchy.SetControlShapeTransform(Control, Source.ShapePose.InitialLocal, ERigTransformType::InitialLocal);
			Hierarchy.SetControlShapeTransform(Control, Source.ShapePose.InitialLocal, ERigTransformType::CurrentLocal);
		}
		return Control;
	}

	int32_t BuildModule(const FModularRigModel& Model, const FRigModuleReference& Module, const URigHierarchy& ModuleHierarchy, URigHierarchy& Hierarchy)
	{
		const std::string Prefix = Module.Name + "/";
		const FRigElementKey RootParent = FindRootParent(Model, Module, ModuleHierarchy, Hierarchy);
		int32_t Added = 0;
		for (int32_t Index = 0; Index < ModuleHierarchy.Num(); ++Index)
		{
			const FRigBaseElement& Source = *ModuleHierarchy.Get(Index);
			const FRigElementKey Key{Source.GetType(), Prefix + Source.GetName()};
			if (Hierarchy.Contains(Key))
			{
				continue;
			}
			FRigElementKey Parent;
			if (Source.ParentKey.IsValid())
			{
				Parent = {Source.ParentKey.Type, Prefix + Source.ParentKey.Name};
			}
			else if (Source.IsTransformElement())
			{
				Parent = RootParent;
			}
			FRigBaseElement* Element = AddModuleElement(Hierarchy, Source, Key, Parent);
			if (Element == nullptr && Parent.IsValid())
			{
				// The parent was an element the hierarchy kept from before and cannot hold children.
				Element = AddModuleElement(Hierarchy, Source, Key, {});
			}
			if (Element != nullptr)
			{
				Element->ModuleName = Module.Name;
				Element->ConnectorSettings = Source.ConnectorSettings;
				Element->CurveValue = Source.CurveValue;
				++Added;
			}
		}
		return Added;
	}
}

int32_t BuildModularRigElements(const UControlRigBlueprint& Blueprint, URigHierarchy& Hierarchy)
{
	int32_t Added = 0;
	for (const FRigModuleReference* const Module : ParentsFirst(Blueprint.ModularRigModel))
	{
		const UControlRigBlueprint* const ModuleBlueprint = LoadModuleBlueprint(*Module);
		if (ModuleBlueprint == nullptr || ModuleBlueprint == &Blueprint || ModuleBlueprint->Hierarchy == nullptr)
		{
			UE_LOG(LogHost, Warning, "Control Rig %s: module %s has no rig class of a Control Rig Blueprint (%s); it builds no elements", Blueprint.GetPathName().c_str(),
				Module->Name.c_str(), Module->ClassPath.c_str());
			continue;
		}
		Added += BuildModule(Blueprint.ModularRigModel, *Module, *ModuleBlueprint->Hierarchy, Hierarchy);
	}
	return Added;
}
