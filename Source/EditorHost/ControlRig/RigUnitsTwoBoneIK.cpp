#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigUnitTransforms.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr double SmallNumber = 1e-6;

	FVector Normalized(const FVector& V)
	{
		const double Length = V.Size();
		return Length > SmallNumber ? V * (1.0 / Length) : FVector::ZeroVector();
	}

	/** Any unit vector at a right angle to the unit vector V. */
	FVector AnyPerpendicular(const FVector& V)
	{
		const FVector Other = std::abs(V.X) < 0.9 ? FVector{1.0, 0.0, 0.0} : FVector{0.0, 1.0, 0.0};
		return Normalized(V ^ Other);
	}

	/** The shortest rotation taking unit vector From onto unit vector To. */
	FQuat FindBetweenNormals(const FVector& From, const FVector& To)
	{
		const double W = 1.0 + (From | To);
		if (W < SmallNumber)
		{
			const FVector Axis = AnyPerpendicular(From);
			return {Axis.X, Axis.Y, Axis.Z, 0.0};
		}
		const FVector Axis = From ^ To;
		FQuat Rotation{Axis.X, Axis.Y, Axis.Z, W};
		Rotation.Normalize();
		return Rotation;
	}

	/** The part of V at a right angle to the unit vector Axis. */
	FVector PerpendicularPart(const FVector& V, const FVector& Axis)
	{
		return V - Axis * (V | Axis);
	}

	/**
	 * Turns Rotation so that its primary axis points along Direction and, by SecondaryWeight,
	 * its secondary axis towards Pole around that direction.
	 */
	FQuat AlignAxes(const FQuat& Rotation, const FVector& PrimaryAxis, const FVector& SecondaryAxis, double SecondaryWeight, const FVector& Direction, const FVector& Pole)
	{
		const FVector Primary = Normalized(Rotation.RotateVector(Normalized(PrimaryAxis)));
		if (Primary.SizeSquared() < SmallNumber)
		{
			return Rotation;
		}
		FQuat Aligned = FindBetweenNormals(Primary, Direction) * Rotation;
		const FVector Secondary = Normalized(PerpendicularPart(Aligned.RotateVector(Normalized(SecondaryAxis)), Direction));
		const FVector PoleSide = Normalized(PerpendicularPart(Pole, Direction));
		const double Weight = std::clamp(SecondaryWeight, 0.0, 1.0);
		if (Weight > 0.0 && Secondary.SizeSquared() > SmallNumber && PoleSide.SizeSquared() > SmallNumber)
		{
			const double Angle = std::atan2((Secondary ^ PoleSide) | Direction, Secondary | PoleSide);
			Aligned = FQuat::FromAxisAngle(Direction, Angle * Weight) * Aligned;
		}
		Aligned.Normalize();
		return Aligned;
	}

	struct FLimbLengths
	{
		double Upper;
		double Lower;
	};

	/** Lengthens both limbs as the target moves past the start ratio of the full reach, up to the maximum ratio. */
	FLimbLengths Stretch(FLimbLengths Lengths, double Distance, double StartRatio, double MaximumRatio)
	{
		const double Reach = Lengths.Upper + Lengths.Lower;
		const double Range = MaximumRatio - StartRatio;
		if (Range <= SmallNumber || Reach <= SmallNumber)
		{
			return Lengths;
		}
		const double Factor = 1.0 + (MaximumRatio - 1.0) * std::clamp((Distance / Reach - StartRatio) / Range, 0.0, 1.0);
		return {Lengths.Upper * Factor, Lengths.Lower * Factor};
	}

	/** The pole as a direction from the root, in rig space: a direction or a location, relative to the pole space element when there is one. */
	FVector GetPoleDirection(const FRigUnitPins& Pins, URigHierarchy& Hierarchy, const FVector& Root)
	{
		const FVector Pole = Pins.GetVector("PoleVector");
		const FRigBaseElement* Space = FindTransformElement(Hierarchy, Pins.GetElementKey("PoleVectorSpace"));
		const FTransform SpaceTransform = Space != nullptr ? Hierarchy.GetTransform(Space, ERigTransformType::CurrentGlobal) : FTransform::Identity();
		if (Pins.GetName("PoleVectorKind") == "Location")
		{
			return SpaceTransform.TransformPosition(Pole) - Root;
		}
		return SpaceTransform.TransformVector(Pole);
	}

	void RunTwoBoneIK(FRigUnitPins& Pins, URigHierarchy& Hierarchy)
	{
		FRigBaseElement* Upper = FindTransformElement(Hierarchy, Pins.GetElementKey("ItemA"));
		FRigBaseElement* Lower = FindTransformElement(Hierarchy, Pins.GetElementKey("ItemB"));
		FRigBaseElement* Effector = FindTransformElement(Hierarchy, Pins.GetElementKey("EffectorItem"));
		const FTransform Target = Pins.GetTransform("Effector");
		const double Weight = std::min(Pins.GetFloat("Weight"), 1.0);
		if (Upper == nullptr || Lower == nullptr || Effector == nullptr || Upper == Lower || Lower == Effector || Upper == Effector || !Target.IsFinite() || !(Weight > 0.0))
		{
			return;
		}
		const FTransform UpperGlobal = Hierarchy.GetTransform(Upper, ERigTransformType::CurrentGlobal);
		const FTransform LowerGlobal = Hierarchy.GetTransform(Lower, ERigTransformType::CurrentGlobal);
		const FTransform EffectorGlobal = Hierarchy.GetTransform(Effector, ERigTransformType::CurrentGlobal);
		const FVector Root = UpperGlobal.Translation;

		FLimbLengths Lengths{Pins.GetFloat("ItemALength"), Pins.GetFloat("ItemBLength")};
		Lengths.Upper = Lengths.Upper > SmallNumber ? Lengths.Upper : (LowerGlobal.Translation - Root).Size();
		Lengths.Lower = Lengths.Lower > SmallNumber ? Lengths.Lower : (EffectorGlobal.Translation - LowerGlobal.Translation).Size();
		if (Lengths.Upper <= SmallNumber || Lengths.Lower <= SmallNumber)
		{
			return;
		}

		const FVector ToTarget = Target.Translation - Root;
		const double Distance = ToTarget.Size();
		FVector Direction = Distance > SmallNumber ? ToTarget * (1.0 / Distance) : Normalized(EffectorGlobal.Translation - Root);
		if (Direction.SizeSquared() < SmallNumber)
		{
			return;
		}
		if (Pins.GetBool("bEnableStretch"))
		{
			Lengths = Stretch(Lengths, Distance, Pins.GetFloat("StretchStartRatio"), Pins.GetFloat("StretchMaximumRatio"));
		}
		// Out of reach the limb lies straight towards the target; too close it folds as far as it can.
		const double Reach = std::clamp(Distance, std::abs(Lengths.Upper - Lengths.Lower) + SmallNumber, Lengths.Upper + Lengths.Lower);
		const double CosUpper = std::clamp((Lengths.Upper * Lengths.Upper + Reach * Reach - Lengths.Lower * Lengths.Lower) / (2.0 * Lengths.Upper * Reach), -1.0, 1.0);
		const FVector Pole = GetPoleDirection(Pins, Hierarchy, Root);
		FVector Bend = Normalized(PerpendicularPart(Pole, Direction));
		if (Bend.SizeSquared() < SmallNumber)
		{
			Bend = Normalized(PerpendicularPart(LowerGlobal.Translation - Root, Direction));
		}
		if (Bend.SizeSquared() < SmallNumber)
		{
			Bend = AnyPerpendicular(Direction);
		}
		const FVector Joint = Root + Direction * (Lengths.Upper * CosUpper) + Bend * (Lengths.Upper * std::sqrt(std::max(0.0, 1.0 - CosUpper * CosUpper)));
		const FVector End = Root + Direction * Reach;

		const FVector PrimaryAxis = Pins.GetVector("PrimaryAxis");
		const FVector SecondaryAxis = Pins.GetVector("SecondaryAxis");
		const double SecondaryWeight = Pins.GetFloat("SecondaryAxisWeight");
		FTransform NewUpper = UpperGlobal;
		NewUpper.Rotation = AlignAxes(UpperGlobal.Rotation, PrimaryAxis, SecondaryAxis, SecondaryWeight, Normalized(Joint - Root), Bend);
		FTransform NewLower = LowerGlobal;
		NewLower.Translation = Joint;
		NewLower.Rotation = AlignAxes(LowerGlobal.Rotation, PrimaryAxis, SecondaryAxis, SecondaryWeight, Normalized(End - Joint), Bend);
		FTransform NewEffector = EffectorGlobal;
		NewEffector.Translation = End;
		NewEffector.Rotation = Target.Rotation;
		if (!NewUpper.IsFinite() || !NewLower.IsFinite() || !NewEffector.IsFinite())
		{
			return;
		}
		const bool bPropagate = Pins.GetBool("bPropagateToChildren");
		SetTransformKeepingChildren(Hierarchy, *Upper, BlendTransforms(UpperGlobal, NewUpper, Weight), ERigTransformType::CurrentGlobal, bPropagate);
		SetTransformKeepingChildren(Hierarchy, *Lower, BlendTransforms(LowerGlobal, NewLower, Weight), ERigTransformType::CurrentGlobal, bPropagate);
		SetTransformKeepingChildren(Hierarchy, *Effector, BlendTransforms(EffectorGlobal, NewEffector, Weight), ERigTransformType::CurrentGlobal, bPropagate);
	}
}

void AppendTwoBoneIKRigUnits(std::vector<FRigUnitDeclaration>& OutUnits)
{
	constexpr std::string_view NoBone = "(Type=Bone,Name=\"None\")";
	OutUnits.push_back({"/Script/ControlRig.RigUnit_TwoBoneIKSimplePerItem",
		ERigUnitKind::Mutable,
		{},
		{
			{RigVMExecutePinName, ERigVMPinDirection::IO, RigVMExecuteContextType, {}},
			{"ItemA", ERigVMPinDirection::Input, "FRigElementKey", NoBone},
			{"ItemB", ERigVMPinDirection::Input, "FRigElementKey", NoBone},
			{"EffectorItem", ERigVMPinDirection::Input, "FRigElementKey", NoBone},
			{"Effector", ERigVMPinDirection::Input, "FTransform", {}},
			{"PrimaryAxis", ERigVMPinDirection::Input, "FVector", "(X=1.000000,Y=0.000000,Z=0.000000)"},
			{"SecondaryAxis", ERigVMPinDirection::Input, "FVector", "(X=0.000000,Y=1.000000,Z=0.000000)"},
			{"SecondaryAxisWeight", ERigVMPinDirection::Input, "float", "1.000000"},
			{"PoleVector", ERigVMPinDirection::Input, "FVector", "(X=0.000000,Y=0.000000,Z=1.000000)"},
			{"PoleVectorKind", ERigVMPinDirection::Input, "EControlRigVectorKind", "Direction"},
			{"PoleVectorSpace", ERigVMPinDirection::Input, "FRigElementKey", NoBone},
			{"bEnableStretch", ERigVMPinDirection::Input, "bool", "False"},
			{"StretchStartRatio", ERigVMPinDirection::Input, "float", "0.750000"},
			{"StretchMaximumRatio", ERigVMPinDirection::Input, "float", "1.250000"},
			{"Weight", ERigVMPinDirection::Input, "float", "1.000000"},
			{"ItemALength", ERigVMPinDirection::Input, "float", "0.000000"},
			{"ItemBLength", ERigVMPinDirection::Input, "float", "0.000000"},
			{"bPropagateToChildren", ERigVMPinDirection::Input, "bool", "True"},
		},
		&RunTwoBoneIK});
}
