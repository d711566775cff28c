#include "ControlRig/RigTransformJson.h"

#include "Core/JsonObject.h"
#include "Level/Rotator.h"
#include "Level/TransformJson.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace
{
	bool IsIdentityRotation(const FQuat& Rotation)
	{
		return Rotation.X == 0.0 && Rotation.Y == 0.0 && Rotation.Z == 0.0 && Rotation.W == 1.0;
	}

	/** A quaternion {"x","y","z","w"} of finite numbers, normalised; nothing for a zero one. */
	std::optional<FQuat> ReadQuaternion(const FJsonObject& Object)
	{
		FQuat Rotation;
		double* const Components[] = {&Rotation.X, &Rotation.Y, &Rotation.Z, &Rotation.W};
		constexpr std::string_view Names[] = {"x", "y", "z", "w"};
		for (int Index = 0; Index < 4; ++Index)
		{
			const std::optional<double> Number = Object.TryGetNumberField(Names[Index]);
			if (!Number || !std::isfinite(*Number))
			{
				return std::nullopt;
			}
			*Components[Index] = *Number;
		}
		return Rotation.Normalize() ? std::optional(Rotation) : std::nullopt;
	}

	bool ReadRotation(const FJsonObject& Transform, FQuat& OutRotation, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Rotation = Transform.TryGetObjectField("rotation");
		if (Rotation && Rotation->HasField("w"))
		{
			const std::optional<FQuat> Quaternion = ReadQuaternion(*Rotation);
			if (!Quaternion)
			{
				OutError = "\"rotation\" is not a quaternion {x, y, z, w} of finite numbers that is not zero";
				return false;
			}
			OutRotation = *Quaternion;
			return true;
		}
		FRotator Rotator;
		if (!ReadRotatorField(Transform, "rotation", Rotator, OutError))
		{
			return false;
		}
		OutRotation = Rotator.Quaternion();
		return true;
	}

	double RoundToMillionth(double Degrees)
	{
		const double Rounded = std::round(Degrees * 1.0e6) / 1.0e6;
		return Rounded == 0.0 ? 0.0 : Rounded;
	}

	std::shared_ptr<FJsonObject> MakeRoundedRotatorObject(const FQuat& Rotation)
	{
		const FRotator Rotator = FRotator::FromQuat(Rotation);
		return MakeRotatorObject({RoundToMillionth(Rotator.Pitch), RoundToMillionth(Rotator.Yaw), RoundToMillionth(Rotator.Roll)});
	}

	std::optional<double> ReadFiniteNumber(const FJsonValue& Value)
	{
		const std::optional<double> Number = Value.TryGetNumber();
		return Number && std::isfinite(*Number) ? Number : std::nullopt;
	}

	/**
	 * The named members of an object ({"x", "y"}, {"x", "y", "z"}, {"pitch", "yaw", "roll"}) as the
	 * vector's components in order, the ones not named 0; nothing when one is missing or not a finite number.
	 */
	std::optional<FVector> ReadNumberMembers(const FJsonValue& Value, std::initializer_list<std::string_view> Names)
	{
		const std::shared_ptr<FJsonObject> Object = Value.TryGetObject();
		if (!Object)
		{
			return std::nullopt;
		}
		FVector Result;
		double* Component[] = {&Result.X, &Result.Y, &Result.Z};
		int Index = 0;
		for (const std::string_view Name : Names)
		{
			const std::optional<double> Number = Object->TryGetNumberField(Name);
			if (!Number || !std::isfinite(*Number))
			{
				return std::nullopt;
			}
			*Component[Index++] = *Number;
		}
		return Result;
	}
}

std::optional<FTransform> ReadRigTransform(const FJsonValue& Value, std::string& OutError)
{
	const std::shared_ptr<FJsonObject> Object = Value.TryGetObject();
	if (!Object)
	{
		OutError = "a transform is not an object {location, rotation, scale}";
		return std::nullopt;
	}
	FTransform Transform;
	if (!ReadVectorField(*Object, "location", Transform.Translation, OutError) || !ReadRotation(*Object, Transform.Rotation, OutError)
		|| !ReadVectorField(*Object, "scale", Transform.Scale3D, OutError))
	{
		return std::nullopt;
	}
	return Transform;
}

std::shared_ptr<FJsonObject> MakeRigTransformObject(const FTransform& Transform)
{
	auto Object = std::make_shared<FJsonObject>();
	if (Transform.Translation != FVector::ZeroVector())
	{
		Object->SetObjectField("location", MakeVectorObject(Transform.Translation));
	}
	if (!IsIdentityRotation(Transform.Rotation))
	{
		Object->SetObjectField("rotation", MakeRoundedRotatorObject(Transform.Rotation));
	}
	if (Transform.Scale3D != FVector::OneVector())
	{
		Object->SetObjectField("scale", MakeVectorObject(Transform.Scale3D));
	}
	return Object;
}

std::optional<FRigControlValue> ReadRigControlValue(const FJsonValue& Value, ERigControlType ControlType, std::string& OutError)
{
	FRigControlValue Result = FRigControlValue::MakeNeutral(ControlType);
	switch (ControlType)
	{
	case ERigControlType::Bool:
		if (const std::optional<bool> Flag = Value.TryGetBool())
		{
			Result.Transform.Translation.X = *Flag ? 1.0 : 0.0;
			return Result;
		}
		OutError = "a Bool control's value is not true or false";
		return std::nullopt;
	case ERigControlType::Float:
	case ERigControlType::ScaleFloat:
	case ERigControlType::Integer:
		if (const std::optional<double> Number = ReadFiniteNumber(Value))
		{
			Result.Transform.Translation.X = ControlType == ERigControlType::Integer ? std::trunc(*Number) : *Number;
			return Result;
		}
		OutError = "the control's value is not a finite number";
		return std::nullopt;
	case ERigControlType::Vector2D:
		if (const std::optional<FVector> Vector = ReadNumberMembers(Value, {"x", "y"}))
		{
			Result.Transform.Translation = *Vector;
			return Result;
		}
		OutError = "a Vector2D control's value is not a vector {x, y}";
		return std::nullopt;
	case ERigControlType::Position:
	case ERigControlType::Scale:
		if (const std::optional<FVector> Vector = ReadNumberMembers(Value, {"x", "y", "z"}))
		{
			(ControlType == ERigControlType::Scale ? Result.Transform.Scale3D : Result.Transform.Translation) = *Vector;
			return Result;
		}
		OutError = "the control's value is not a vector {x, y, z}";
		return std::nullopt;
	case ERigControlType::Rotator:
		if (const std::optional<FVector> Angles = ReadNumberMembers(Value, {"pitch", "yaw", "roll"}))
		{
			Result.Transform.Rotation = FRotator{Angles->X, Angles->Y, Angles->Z}.Quaternion();
			return Result;
		}
		OutError = "a Rotator control's value is not a rotator {pitch, yaw, roll}";
		return std::nullopt;
	case ERigControlType::Transform:
	case ERigControlType::TransformNoScale:
	case ERigControlType::EulerTransform:
		break;
	}
	std::optional<FTransform> Transform = ReadRigTransform(Value, OutError);
	if (!Transform)
	{
		return std::nullopt;
	}
	if (ControlType == ERigControlType::TransformNoScale)
	{
		Transform->Scale3D = FVector::OneVector();
	}
	Result.Transform = *Transform;
	return Result;
}

FJsonValue MakeRigControlValueJson(const FRigControlValue& Value, ERigControlType ControlType)
{
	const FTransform& Transform = Value.Transform;
	switch (ControlType)
	{
	case ERigControlType::Bool:
		return FJsonValue(Transform.Translation.X != 0.0);
	case ERigControlType::Float:
	case ERigControlType::ScaleFloat:
	case ERigControlType::Integer:
		return FJsonValue(Transform.Translation.X);
	case ERigControlType::Vector2D:
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetNumberField("x", Transform.Translation.X);
		Object->SetNumberField("y", Transform.Translation.Y);
		return FJsonValue(std::move(Object));
	}
	case ERigControlType::Position:
		return FJsonValue(MakeVectorObject(Transform.Translation));
	case ERigControlType::Scale:
		return FJsonValue(MakeVectorObject(Transform.Scale3D));
	case ERigControlType::Rotator:
		return FJsonValue(MakeRoundedRotatorObject(Transform.Rotation));
	case ERigControlType::Transform:
	case ERigControlType::TransformNoScale:
	case ERigControlType::EulerTransform:
		break;
	}
	return FJsonValue(MakeRigTransformObject(Transform));
}
