#pragma once

#include "ControlRig/RigHierarchyElements.h"
#include "Objects/Object.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/**
 * A rig's elements: bones, nulls, controls, curves, references, connectors, sockets and physics
 * elements, each named uniquely within its kind, in storage order. Transform elements have an
 * initial and a current pose, kept both relative to their parent (local) and to the rig
 * (global): setting one form recomputes the other, and moving a parent carries its children
 * (their local transforms stay). A Control Rig Blueprint owns one (its setup), and each rig
 * instance owns a copy that its events change.
 */
class URigHierarchy : public UObject
{
	DECLARE_ENGINE_CLASS(URigHierarchy, UObject, "/Script/ControlRig.RigHierarchy")

public:
	static constexpr int32_t INDEX_NONE = -1;

	int32_t Num() const { return static_cast<int32_t>(Elements.size()); }
	/** Removes every element. */
	void Reset();
	/** Replaces this hierarchy's elements with copies of Other's. */
	void CopyHierarchy(const URigHierarchy& Other);

	/**
	 * The keys of the elements whose kind is in ElementTypeMask. Traversed: parents before their
	 * children, depth first from each root in storage order; otherwise storage order.
	 */
	std::vector<FRigElementKey> GetAllKeys(bool bTraverse = true, ERigElementType ElementTypeMask = ERigElementType::All) const;
	/** The element's storage index, or INDEX_NONE. */
	int32_t GetIndex(const FRigElementKey& Key) const;
	bool Contains(const FRigElementKey& Key) const { return GetIndex(Key) != INDEX_NONE; }
	/** The element, or nullptr. */
	FRigBaseElement* Find(const FRigElementKey& Key);
	const FRigBaseElement* Find(const FRigElementKey& Key) const;
	FRigBaseElement* Get(int32_t Index);
	const FRigBaseElement* Get(int32_t Index) const;
	/** The parent of a transform element; an invalid key for a root or an element without transforms. */
	FRigElementKey GetFirstParent(const FRigElementKey& Key) const;
	/** The transform elements whose first parent is Key, in storage order. */
	std::vector<FRigElementKey> GetChildren(const FRigElementKey& Key) const;

	/** One of the element's transforms; the identity for an element without transforms. */
	FTransform GetTransform(const FRigBaseElement* Element, ERigTransformType Type) const;
	/** Sets one of a transform element's transforms; the other form of the same pose follows, and so do its children's global transforms. */
	void SetTransform(FRigBaseElement* Element, const FTransform& Transform, ERigTransformType Type);
	FTransform GetGlobalTransform(const FRigElementKey& Key, bool bInitial = false) const;
	void SetGlobalTransform(const FRigElementKey& Key, const FTransform& Transform, bool bInitial = false);
	FTransform GetLocalTransform(const FRigElementKey& Key, bool bInitial = false) const;
	void SetLocalTransform(const FRigElementKey& Key, const FTransform& Transform, bool bInitial = false);
	/** A control's shape transform: local is relative to the control, global is that composed with the control's global transform. */
	FTransform GetControlShapeTransform(const FRigBaseElement* Control, ERigTransformType Type) const;
	void SetControlShapeTransform(FRigBaseElement* Control, const FTransform& Transform, ERigTransformType Type);
	/** Makes every current transform and control value its initial one again. */
	void ResetPoseToInitial();

	/** A control's value; a default value for any other element. */
	FRigControlValue GetControlValue(const FRigBaseElement* Control, ERigControlValueType Type = ERigControlValueType::Current) const;
	/**
	 * Sets a control's value. A current value also moves the control: a Float control's value is
	 * its local translation X, transform-shaped controls take the value's transform as their local
	 * transform. bSetupUndo is accepted for the engine's signature; the host keeps no undo.
	 */
	void SetControlValue(FRigBaseElement* Control, const FRigControlValue& Value, ERigControlValueType Type = ERigControlValueType::Current, bool bSetupUndo = false);

	/**
	 * Adds an element of Key's kind at the end of storage; nullptr (and nothing added) when the
	 * key is not valid or already taken, or the parent is given but is not a transform element
	 * of this hierarchy. The initial and current local transforms are Local; globals follow.
	 */
	FRigBaseElement* AddElement(const FRigElementKey& Key, const FRigElementKey& Parent = {}, const FTransform& Local = {});
	/**
	 * Adds a control as AddElement does: Offset is where it sits relative to its parent, and Value
	 * (the control type's neutral value when none) is its initial and current value, which moves
	 * it from there. Its shape transform is the identity until set.
	 */
	FRigBaseElement* AddControl(const FRigElementKey& Key, const FRigElementKey& Parent, const FRigControlSettings& Settings,
		const FTransform& Offset = {}, const std::optional<FRigControlValue>& Value = std::nullopt);
	/** The module name an element carries ("" for the rig's own). */
	std::string_view GetModuleName(const FRigElementKey& Key) const;

private:
	/** The storage index of Element when it is one of this hierarchy's, else INDEX_NONE. */
	int32_t IndexOf(const FRigBaseElement* Element) const;
	FTransform GetParentGlobalTransform(const FRigBaseElement& Element, bool bInitial) const;
	/** Sets a transform element's local transform (a control's through its value) and recomputes its global one and its children's. */
	void ApplyLocalTransform(FRigBaseElement& Element, const FTransform& Local, bool bInitial);
	/** Recomputes the global transforms (and control shape transforms) of the element at Index and of everything below it. */
	void UpdateGlobalsBelow(int32_t Index, bool bInitial);
	void UpdateGlobal(FRigBaseElement& Element, bool bInitial);
	FRigBaseElement* AddValidatedElement(const FRigElementKey& Key, const FRigElementKey& Parent);
	/** The lookup key of an element key: its kind and its name. */
	static std::string MakeLookupKey(const FRigElementKey& Key);

	std::vector<std::unique_ptr<FRigBaseElement>> Elements;
	std::unordered_map<std::string, int32_t> IndexByKey;
	/** Per element, the storage indices of the elements whose first parent it is, ascending. */
	std::vector<std::vector<int32_t>> ChildIndices;
};
