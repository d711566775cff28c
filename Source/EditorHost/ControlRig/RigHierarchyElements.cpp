#include "ControlRig/RigHierarchyElements.h"

#include <cmath>

FRigControlValue FRigControlValue::MakeFloat(float Value)
{
	FRigControlValue Result;
	Result.Transform.Translation.X = Value;
	return Result;
}

float FRigControlValue::GetFloat() const
{
	return static_cast<float>(Transform.Translation.X);
}

FRigControlValue FRigControlValue::MakeNeutral(ERigControlType ControlType)
{
	return ControlType == ERigControlType::ScaleFloat ? MakeFloat(1.0f) : FRigControlValue();
}

FTransform FRigControlValue::GetControlTransform(ERigControlType ControlType) const
{
	FTransform Result;
	const FVector& Translation = Transform.Translation;
	switch (ControlType)
	{
	case ERigControlType::Bool:
		break;
	case ERigControlType::Float:
	case ERigControlType::Integer:
		Result.Translation.X = Translation.X;
		break;
	case ERigControlType::ScaleFloat:
		Result.Scale3D = {Translation.X, Translation.X, Translation.X};
		break;
	case ERigControlType::Vector2D:
		Result.Translation = {Translation.X, Translation.Y, 0.0};
		break;
	case ERigControlType::Position:
		Result.Translation = Translation;
		break;
	case ERigControlType::Scale:
		Result.Scale3D = Transform.Scale3D;
		break;
	case ERigControlType::Rotator:
		Result.Rotation = Transform.Rotation;
		break;
	case ERigControlType::TransformNoScale:
		Result.Rotation = Transform.Rotation;
		Result.Translation = Translation;
		break;
	case ERigControlType::Transform:
	case ERigControlType::EulerTransform:
		Result = Transform;
		break;
	}
	return Result;
}

FRigControlValue FRigControlValue::FromControlTransform(ERigControlType ControlType, const FTransform& Transform, const FRigControlValue& Current)
{
	FRigControlValue Result;
	switch (ControlType)
	{
	case ERigControlType::Bool:
		return Current;
	case ERigControlType::Float:
		Result.Transform.Translation.X = Transform.Translation.X;
		break;
	case ERigControlType::Integer:
		Result.Transform.Translation.X = std::isfinite(Transform.Translation.X) ? std::trunc(Transform.Translation.X) : 0.0;
		break;
	case ERigControlType::ScaleFloat:
		Result.Transform.Translation.X = Transform.Scale3D.X;
		break;
	case ERigControlType::Vector2D:
		Result.Transform.Translation = {Transform.Translation.X, Transform.Translation.Y, 0.0};
		break;
	case ERigControlType::Position:
		Result.Transform.Translation = Transform.Translation;
		break;
	case ERigControlType::Scale:
		Result.Transform.Scale3D = Transform.Scale3D;
		break;
	case ERigControlType::Rotator:
		Result.Transform.Rotation = Transform.Rotation;
		break;
	case ERigControlType::TransformNoScale:
		Result.Transform.Rotation = Transform.Rotation;
		Result.Transform.Translation = Transform.Translation;
		break;
	case ERigControlType::Transform:
	case ERigControlType::EulerTransform:
		Result.Transform = Transform;
		break;
	}
	return Result;
}

bool FRigBaseElement::IsTransformElement() const
{
	switch (Key.Type)
	{
	case ERigElementType::Bone:
	case ERigElementType::Null:
	case ERigElementType::Control:
	case ERigElementType::Physics:
	case ERigElementType::Reference:
	case ERigElementType::Socket:
		return true;
	default:
		return false;
	}
}

const FTransform& FRigTransformPose::Get(ERigTransformType Type) const
{
	switch (Type)
	{
	case ERigTransformType::InitialLocal:
		return InitialLocal;
	case ERigTransformType::CurrentLocal:
		return CurrentLocal;
	case ERigTransformType::InitialGlobal:
		return InitialGlobal;
	case ERigTransformType::CurrentGlobal:
		break;
	}
	return CurrentGlobal;
}

FTransform& FRigTransformPose::Get(ERigTransformType Type)
{
	return const_cast<FTransform&>(static_cast<const FRigTransformPose&>(*this).Get(Type));
}
