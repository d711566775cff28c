#pragma once

#include "Objects/Enum.h"

#include <cstdint>
#include <string>

/**
 * The kinds of element a rig hierarchy holds, with the engine's values: each kind is one bit,
 * so a set of kinds is a mask (0xEF is every kind but physics). Reflected as
 * `/Script/ControlRig.ERigElementType`.
 */
enum class ERigElementType : uint8_t
{
	None = 0x000,
	Bone = 0x001,
	Null = 0x002,
	Control = 0x004,
	Curve = 0x008,
	Physics = 0x010,
	Reference = 0x020,
	Connector = 0x040,
	Socket = 0x080,
	All = Bone | Null | Control | Curve | Physics | Reference | Connector | Socket,
};

constexpr ERigElementType operator|(ERigElementType A, ERigElementType B)
{
	return static_cast<ERigElementType>(static_cast<uint8_t>(A) | static_cast<uint8_t>(B));
}
/** Whether Type is one of the kinds in Mask (None is in no mask). */
constexpr bool IsInElementTypeMask(ERigElementType Type, ERigElementType Mask)
{
	return (static_cast<uint8_t>(Type) & static_cast<uint8_t>(Mask)) != 0;
}

/** What a control holds, with the engine's values; reflected as `/Script/ControlRig.ERigControlType`. */
enum class ERigControlType : uint8_t
{
	Bool,
	Float,
	Integer,
	Vector2D,
	Position,
	Scale,
	Rotator,
	Transform,
	TransformNoScale,
	EulerTransform,
	ScaleFloat,
};

/** How animators see a control; reflected as `/Script/ControlRig.ERigControlAnimationType`. */
enum class ERigControlAnimationType : uint8_t
{
	AnimationControl,
	AnimationChannel,
	ProxyControl,
	VisualCue,
};

/** Whether a connector is its module's main attachment or an extra one; reflected as `/Script/ControlRig.EConnectorType`. */
enum class EConnectorType : uint8_t
{
	Primary,
	Secondary,
};

/** Which of an element's four transforms: its initial (setup) or current pose, relative to its parent or to the rig. */
enum class ERigTransformType : uint8_t
{
	InitialLocal,
	CurrentLocal,
	InitialGlobal,
	CurrentGlobal,
};

/** An element's identity: its kind and its name, unique among elements of that kind. */
struct FRigElementKey
{
	ERigElementType Type = ERigElementType::None;
	std::string Name;

	/** Set when the kind is not None and the name is not empty. */
	bool IsValid() const { return Type != ERigElementType::None && !Name.empty(); }

	friend bool operator==(const FRigElementKey&, const FRigElementKey&) = default;
};

/**
 * StaticEnum<ERigElementType>(), StaticEnum<ERigControlType>(), StaticEnum<ERigControlAnimationType>()
 * and StaticEnum<EConnectorType>() answer the class database's enumerations of these types
 * (Objects/Enum.h), so their names come from UEnum::GetNameStringByValue.
 */
template <>
const UEnum* StaticEnum<ERigElementType>();
template <>
const UEnum* StaticEnum<ERigControlType>();
template <>
const UEnum* StaticEnum<ERigControlAnimationType>();
template <>
const UEnum* StaticEnum<EConnectorType>();
