#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigUnitTransforms.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr std::string_view SpaceType = "ERigVMTransformSpace";
	constexpr std::string_view IdentityTransformText =
		"(Rotation=(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000),Translation=(X=0.000000,Y=0.000000,Z=0.000000),Scale3D=(X=1.000000,Y=1.000000,Z=1.000000))";

	ERigTransformType GetTransformType(const FRigUnitPins& Pins)
	{
		const bool bGlobal = Pins.GetName("Space") != "LocalSpace";
		if (Pins.GetBool("bInitial"))
		{
			return bGlobal ? ERigTransformType::InitialGlobal : ERigTransformType::InitialLocal;
		}
		return bGlobal ? ERigTransformType::CurrentGlobal : ERigTransformType::CurrentLocal;
	}

	bool IsInitial(ERigTransformType Type)
	{
		return Type == ERigTransformType::InitialGlobal || Type == ERigTransformType::InitialLocal;
	}

	void RunGetTransform(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		const FRigBaseElement* Element = FindTransformElement(Hierarchy, Pins.GetElementKey("Item"));
		Pins.Set("Transform", Element != nullptr ? Hierarchy.GetTransform(Element, GetTransformType(Pins)) : FTransform::Identity());
	}

	void RunSetTransform(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		FRigBaseElement* Element = FindTransformElement(Hierarchy, Pins.GetElementKey("Item"));
		const FTransform Value = Pins.GetTransform("Value");
		const double Weight = Pins.GetFloat("Weight");
		if (Element == nullptr || !Value.IsFinite() || !(Weight > 0.0))
		{
			return;
		}
		const ERigTransformType Type = GetTransformType(Pins);
		const FTransform Blended = BlendTransforms(Hierarchy.GetTransform(Element, Type), Value, Weight);
		SetTransformKeepingChildren(Hierarchy, *Element, Blended, Type, Pins.GetBool("bPropagateToChildren"));
	}

	FRigBaseElement* FindControl(URigHierarchy& Hierarchy, std::string_view ControlName)
	{
		return ControlName.empty() ? nullptr : Hierarchy.Find(FRigElementKey{ERigElementType::Control, std::string(ControlName)});
	}

	void RunGetControlFloat(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		const FRigBaseElement* Control = FindControl(Hierarchy, Pins.GetName("Control"));
		if (Control == nullptr)
		{
			return;
		}
		Pins.Set("FloatValue", static_cast<double>(Hierarchy.GetControlValue(Control, ERigControlValueType::Current).GetFloat()));
		Pins.Set("Minimum", static_cast<double>(Hierarchy.GetControlValue(Control, ERigControlValueType::Minimum).GetFloat()));
		Pins.Set("Maximum", static_cast<double>(Hierarchy.GetControlValue(Control, ERigControlValueType::Maximum).GetFloat()));
	}

	void RunSetControlFloat(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		FRigBaseElement* Control = FindControl(Hierarchy, Pins.GetName("Control"));
		const double Weight = std::min(Pins.GetFloat("Weight"), 1.0);
		if (Control == nullptr || !(Weight > 0.0))
		{
			return;
		}
		const double Current = Hierarchy.GetControlValue(Control, ERigControlValueType::Current).GetFloat();
		const double Value = Current + (Pins.GetFloat("FloatValue") - Current) * Weight;
		if (std::isfinite(static_cast<float>(Value)))
		{
			Hierarchy.SetControlValue(Control, FRigControlValue::MakeFloat(static_cast<float>(Value)), ERigControlValueType::Current);
		}
	}

	void RunGetControlTransform(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		const FRigBaseElement* Control = FindControl(Hierarchy, Pins.GetName("Control"));
		if (Control == nullptr)
		{
			return;
		}
		const bool bGlobal = Pins.GetName("Space") != "LocalSpace";
		Pins.Set("Transform", Hierarchy.GetTransform(Control, bGlobal ? ERigTransformType::CurrentGlobal : ERigTransformType::CurrentLocal));
		Pins.Set("Minimum", Hierarchy.GetControlValue(Control, ERigControlValueType::Minimum).Transform);
		Pins.Set("Maximum", Hierarchy.GetControlValue(Control, ERigControlValueType::Maximum).Transform);
	}
}

FRigBaseElement* FindTransformElement(URigHierarchy& Hierarchy, const FRigElementKey& Key)
{
	FRigBaseElement* Element = Key.IsValid() ? Hierarchy.Find(Key) : nullptr;
	return Element != nullptr && Element->IsTransformElement() ? Element : nullptr;
}

FTransform BlendTransforms(const FTransform& From, const FTransform& To, double Weight)
{
	if (Weight >= 1.0)
	{
		return To;
	}
	FTransform Blended;
	Blended.Translation = From.Translation + (To.Translation - From.Translation) * Weight;
	Blended.Rotation = FQuat::Slerp(From.Rotation, To.Rotation, Weight);
	Blended.Scale3D = From.Scale3D + (To.Scale3D - From.Scale3D) * Weight;
	return Blended;
}

void SetTransformKeepingChildren(URigHierarchy& Hierarchy, FRigBaseElement& Element, const FTransform& Transform, ERigTransformType Type, bool bPropagateToChildren)
{
	if (bPropagateToChildren)
	{
		Hierarchy.SetTransform(&Element, Transform, Type);
		return;
	}
	// Children keep where they are in the rig: their global transforms go back after the move.
	const ERigTransformType ChildType = IsInitial(Type) ? ERigTransformType::InitialGlobal : ERigTransformType::CurrentGlobal;
	std::vector<std::pair<FRigBaseElement*, FTransform>> Children;
	for (const FRigElementKey& ChildKey : Hierarchy.GetChildren(Element.GetKey()))
	{
		if (FRigBaseElement* Child = Hierarchy.Find(ChildKey))
		{
			Children.emplace_back(Child, Hierarchy.GetTransform(Child, ChildType));
		}
	}
	Hierarchy.SetTransform(&Element, Transform, Type);
	for (const auto& [Child, Global] : Children)
	{
		Hierarchy.SetTransform(Child, Global, ChildType);
	}
}

void AppendHierarchyRigUnits(std::vector<FRigUnitDeclaration>& OutUnits)
{
	OutUnits.push_back({"/Script/ControlRig.RigUnit_GetTransform",
		ERigUnitKind::Pure,
		{},
		{
			{"Item", ERigVMPinDirection::Input, "FRigElementKey", "(Type=Bone,Name=\"None\")"},
			{"Space", ERigVMPinDirection::Input, SpaceType, "GlobalSpace"},
			{"bInitial", ERigVMPinDirection::Input, "bool", "False"},
			{"Transform", ERigVMPinDirection::Output, "FTransform", IdentityTransformText},
		},
		&RunGetTransform});
	OutUnits.push_back({"/Script/ControlRig.RigUnit_SetTransform",
		ERigUnitKind::Mutable,
		{},
		{
			{RigVMExecutePinName, ERigVMPinDirection::IO, RigVMExecuteContextType, {}},
			{"Item", ERigVMPinDirection::Input, "FRigElementKey", "(Type=Bone,Name=\"None\")"},
			{"Space", ERigVMPinDirection::Input, SpaceType, "GlobalSpace"},
			{"bInitial", ERigVMPinDirection::Input, "bool", "False"},
			{"Value", ERigVMPinDirection::Input, "FTransform", IdentityTransformText},
			{"Weight", ERigVMPinDirection::Input, "float", "1.000000"},
			{"bPropagateToChildren", ERigVMPinDirection::Input, "bool", "True"},
		},
		&RunSetTransform});
	OutUnits.push_back({"/Script/ControlRig.RigUnit_GetControlFloat",
		ERigUnitKind::Pure,
		{},
		{
			{"Control", ERigVMPinDirection::Input, "FName", "None"},
			{"FloatValue", ERigVMPinDirection::Output, "float", "0.000000"},
			{"Minimum", ERigVMPinDirection::Output, "float", "0.000000"},
			{"Maximum", ERigVMPinDirection::Output, "float", "0.000000"},
		},
		&RunGetControlFloat});
	OutUnits.push_back({"/Script/ControlRig.RigUnit_SetControlFloat",
		ERigUnitKind::Mutable,
		{},
		{
			{RigVMExecutePinName, ERigVMPinDirection::IO, RigVMExecuteContextType, {}},
			{"Control", ERigVMPinDirection::Input, "FName", "None"},
			{"Weight", ERigVMPinDirection::Input, "float", "1.000000"},
			{"FloatValue", ERigVMPinDirection::Input, "float", "0.000000"},
		},
		&RunSetControlFloat});
	OutUnits.push_back({"/Script/ControlRig.RigUnit_GetControlTransform",
		ERigUnitKind::Pure,
		{},
		{
			{"Control", ERigVMPinDirection::Input, "FName", "None"},
			{"Space", ERigVMPinDirection::Input, SpaceType, "GlobalSpace"},
			{"Transform", ERigVMPinDirection::Output, "FTransform", IdentityTransformText},
			{"Minimum", ERigVMPinDirection::Output, "FTransform", IdentityTransformText},
			{"Maximum", ERigVMPinDirection::Output, "FTransform", IdentityTransformText},
		},
		&RunGetControlTransform});
}
