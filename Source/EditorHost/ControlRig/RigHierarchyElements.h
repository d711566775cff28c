#pragma once

#include "ControlRig/RigElementKey.h"
#include "Core/Color.h"
#include "Meshes/MeshTransform.h"

#include <cstdint>
#include <string>
#include <vector>

/**
 * A control's value: one transform-shaped record that every control type reads its part of
 * (a float control its translation X, a bool control X != 0, a rotator control the rotation...),
 * as the engine's FRigControlValue stores a float array.
 */
struct FRigControlValue
{
	FTransform Transform;

	static FRigControlValue MakeFloat(float Value);
	/** The float a Float or ScaleFloat control reads. */
	float GetFloat() const;

	/** The value a control of that type starts from: nothing set, but 1 for ScaleFloat and a unit scale for Scale. */
	static FRigControlValue MakeNeutral(ERigControlType ControlType);
	/**
	 * How far the value moves a control of that type from its offset: Float and Integer along X,
	 * Vector2D in X and Y, Position as a translation, Scale and ScaleFloat as a scale, Rotator as a
	 * rotation, the transform types whole (TransformNoScale without its scale); Bool not at all.
	 */
	FTransform GetControlTransform(ERigControlType ControlType) const;
	/**
	 * The value of a control of that type that moves it by Transform from its offset, as near as
	 * the type can hold it (an Integer takes the X translation cut toward zero); a Bool keeps Current.
	 */
	static FRigControlValue FromControlTransform(ERigControlType ControlType, const FTransform& Transform, const FRigControlValue& Current);
};

/** Which of a control's values: its initial, current, minimum or maximum one. */
enum class ERigControlValueType : uint8_t
{
	Initial,
	Current,
	Minimum,
	Maximum,
};

/** What a control is and how its gizmo is drawn. */
struct FRigControlSettings
{
	ERigControlAnimationType AnimationType = ERigControlAnimationType::AnimationControl;
	ERigControlType ControlType = ERigControlType::Transform;
	std::string DisplayName;
	/** The shape's name in the rig's shape libraries ("Default", "Circle_Thin"...). */
	std::string ShapeName = "Default";
	FLinearColor ShapeColor{1.0f, 0.0f, 0.0f, 1.0f};
	bool bShapeVisible = true;
};

/** A connector's role in its module. */
struct FRigConnectorSettings
{
	EConnectorType Type = EConnectorType::Primary;
	/** Secondary connectors only: the module works without a target. */
	bool bOptional = false;
	/** Secondary connectors only: it accepts several targets. */
	bool bIsArray = false;
	std::string Description;
};

/** An element's transforms: relative to its first parent and to the rig, initial and current. */
struct FRigTransformPose
{
	FTransform InitialLocal;
	FTransform CurrentLocal;
	FTransform InitialGlobal;
	FTransform CurrentGlobal;

	const FTransform& Get(ERigTransformType Type) const;
	FTransform& Get(ERigTransformType Type);
};

/**
 * One element of a rig hierarchy. The kind decides which of the fields mean something:
 * transform elements (bones, nulls, controls, references, sockets, physics) have a pose and a
 * first parent; controls add their settings, value and shape transform; connectors their
 * settings. Elements live in their hierarchy and are reached through it.
 */
struct FRigBaseElement
{
	FRigElementKey Key;
	/** Position in the hierarchy's storage order. */
	int32_t Index = -1;
	/** The module that made the element ("Arm"), empty for elements of the rig itself. */
	std::string ModuleName;

	ERigElementType GetType() const { return Key.Type; }
	const std::string& GetName() const { return Key.Name; }
	const FRigElementKey& GetKey() const { return Key; }
	/** Bones, nulls, controls, references, sockets and physics elements have transforms; curves and connectors do not. */
	bool IsTransformElement() const;

	/** Transform elements: the parent whose space the local transforms are in; invalid key for a root. Set when the element is added. */
	FRigElementKey ParentKey;
	FRigTransformPose Pose;

	/** Controls only. */
	FRigControlSettings ControlSettings;
	/** Controls only: where the control sits relative to its parent before its value moves it. */
	FTransform OffsetTransform;
	FRigControlValue InitialValue;
	FRigControlValue CurrentValue;
	FRigControlValue MinimumValue;
	FRigControlValue MaximumValue;
	/** Controls only: the gizmo's transform relative to the control. */
	FRigTransformPose ShapePose;

	/** Connectors only. */
	FRigConnectorSettings ConnectorSettings;

	/** Curves only. */
	float CurveValue = 0.0f;
};
