#include "ControlRig/RigHierarchy.h"

#include "Meshes/MeshRelativeTransform.h"

namespace
{
	bool IsInitial(ERigTransformType Type)
	{
		return Type == ERigTransformType::InitialLocal || Type == ERigTransformType::InitialGlobal;
	}

	bool IsLocal(ERigTransformType Type)
	{
		return Type == ERigTransformType::InitialLocal || Type == ERigTransformType::CurrentLocal;
	}

	ERigTransformType LocalType(bool bInitial)
	{
		return bInitial ? ERigTransformType::InitialLocal : ERigTransformType::CurrentLocal;
	}

	ERigTransformType GlobalType(bool bInitial)
	{
		return bInitial ? ERigTransformType::InitialGlobal : ERigTransformType::CurrentGlobal;
	}

	/** Whether the caller named a parent at all (an empty key means a root). */
	bool IsParentGiven(const FRigElementKey& Parent)
	{
		return Parent.Type != ERigElementType::None || !Parent.Name.empty();
	}
}

std::string URigHierarchy::MakeLookupKey(const FRigElementKey& Key)
{
	std::string Lookup;
	Lookup.reserve(Key.Name.size() + 1);
	Lookup.push_back(static_cast<char>(Key.Type));
	Lookup.append(Key.Name);
	return Lookup;
}

void URigHierarchy::Reset()
{
	Elements.clear();
	IndexByKey.clear();
	ChildIndices.clear();
}

void URigHierarchy::CopyHierarchy(const URigHierarchy& Other)
{
	if (&Other == this)
	{
		return;
	}
	Reset();
	Elements.reserve(Other.Elements.size());
	for (const std::unique_ptr<FRigBaseElement>& Element : Other.Elements)
	{
		Elements.push_back(std::make_unique<FRigBaseElement>(*Element));
	}
	IndexByKey = Other.IndexByKey;
	ChildIndices = Other.ChildIndices;
}

std::vector<FRigElementKey> URigHierarchy::GetAllKeys(bool bTraverse, ERigElementType ElementTypeMask) const
{
	std::vector<FRigElementKey> Keys;
	const auto AddWhenInMask = [&Keys, ElementTypeMask](const FRigBaseElement& Element) {
		if (IsInElementTypeMask(Element.GetType(), ElementTypeMask))
		{
			Keys.push_back(Element.Key);
		}
	};
	if (!bTraverse)
	{
		for (const std::unique_ptr<FRigBaseElement>& Element : Elements)
		{
			AddWhenInMask(*Element);
		}
		return Keys;
	}

	// Depth first from each root, children in storage order; an explicit stack keeps deep chains off the call stack.
	std::vector<int32_t> Pending;
	for (int32_t RootIndex = Num() - 1; RootIndex >= 0; --RootIndex)
	{
		if (!Elements[RootIndex]->ParentKey.IsValid())
		{
			Pending.push_back(RootIndex);
		}
	}
	while (!Pending.empty())
	{
		const int32_t Index = Pending.back();
		Pending.pop_back();
		AddWhenInMask(*Elements[Index]);
		const std::vector<int32_t>& Children = ChildIndices[Index];
		Pending.insert(Pending.end(), Children.rbegin(), Children.rend());
	}
	return Keys;
}

int32_t URigHierarchy::GetIndex(const FRigElementKey& Key) const
{
	const auto Found = IndexByKey.find(MakeLookupKey(Key));
	return Found != IndexByKey.end() ? Found->second : INDEX_NONE;
}

FRigBaseElement* URigHierarchy::Find(const FRigElementKey& Key)
{
	return Get(GetIndex(Key));
}

const FRigBaseElement* URigHierarchy::Find(const FRigElementKey& Key) const
{
	return Get(GetIndex(Key));
}

FRigBaseElement* URigHierarchy::Get(int32_t Index)
{
	return Index >= 0 && Index < Num() ? Elements[Index].get() : nullptr;
}

const FRigBaseElement* URigHierarchy::Get(int32_t Index) const
{
	return Index >= 0 && Index < Num() ? Elements[Index].get() : nullptr;
}

int32_t URigHierarchy::IndexOf(const FRigBaseElement* Element) const
{
	return Element != nullptr && Get(Element->Index) == Element ? Element->Index : INDEX_NONE;
}

FRigElementKey URigHierarchy::GetFirstParent(const FRigElementKey& Key) const
{
	const FRigBaseElement* const Element = Find(Key);
	return Element != nullptr ? Element->ParentKey : FRigElementKey();
}

std::vector<FRigElementKey> URigHierarchy::GetChildren(const FRigElementKey& Key) const
{
	std::vector<FRigElementKey> Children;
	const int32_t Index = GetIndex(Key);
	if (Index != INDEX_NONE)
	{
		for (const int32_t ChildIndex : ChildIndices[Index])
		{
			Children.push_back(Elements[ChildIndex]->Key);
		}
	}
	return Children;
}

FTransform URigHierarchy::GetParentGlobalTransform(const FRigBaseElement& Element, bool bInitial) const
{
	const FRigBaseElement* const Parent = Find(Element.ParentKey);
	return Parent != nullptr ? Parent->Pose.Get(GlobalType(bInitial)) : FTransform();
}

void URigHierarchy::UpdateGlobal(FRigBaseElement& Element, bool bInitial)
{
	const FTransform Global = Element.Pose.Get(LocalType(bInitial)) * GetParentGlobalTransform(Element, bInitial);
	Element.Pose.Get(GlobalType(bInitial)) = Global;
	if (Element.GetType() == ERigElementType::Control)
	{
		Element.ShapePose.Get(GlobalType(bInitial)) = Element.ShapePose.Get(LocalType(bInitial)) * Global;
	}
}

void URigHierarchy::UpdateGlobalsBelow(int32_t Index, bool bInitial)
{
	std::vector<int32_t> Pending{Index};
	while (!Pending.empty())
	{
		const int32_t Next = Pending.back();
		Pending.pop_back();
		UpdateGlobal(*Elements[Next], bInitial);
		const std::vector<int32_t>& Children = ChildIndices[Next];
		Pending.insert(Pending.end(), Children.begin(), Children.end());
	}
}

void URigHierarchy::ApplyLocalTransform(FRigBaseElement& Element, const FTransform& Local, bool bInitial)
{
	FTransform Applied = Local;
	if (Element.GetType() == ERigElementType::Control)
	{
		// A control holds its pose as a value on top of its offset; the transform is what the value can say.
		const ERigControlType ControlType = Element.ControlSettings.ControlType;
		FRigControlValue& Value = bInitial ? Element.InitialValue : Element.CurrentValue;
		Value = FRigControlValue::FromControlTransform(ControlType, GetRelativeTransform(Local, Element.OffsetTransform), Value);
		Applied = Value.GetControlTransform(ControlType) * Element.OffsetTransform;
	}
	Element.Pose.Get(LocalType(bInitial)) = Applied;
	UpdateGlobalsBelow(Element.Index, bInitial);
}

FTransform URigHierarchy::GetTransform(const FRigBaseElement* Element, ERigTransformType Type) const
{
	return IndexOf(Element) != INDEX_NONE && Element->IsTransformElement() ? Element->Pose.Get(Type) : FTransform();
}

void URigHierarchy::SetTransform(FRigBaseElement* Element, const FTransform& Transform, ERigTransformType Type)
{
	if (IndexOf(Element) == INDEX_NONE || !Element->IsTransformElement())
	{
		return;
	}
	const bool bInitial = IsInitial(Type);
	const FTransform Local = IsLocal(Type) ? Transform : GetRelativeTransform(Transform, GetParentGlobalTransform(*Element, bInitial));
	ApplyLocalTransform(*Element, Local, bInitial);
}

FTransform URigHierarchy::GetGlobalTransform(const FRigElementKey& Key, bool bInitial) const
{
	return GetTransform(Find(Key), GlobalType(bInitial));
}

void URigHierarchy::SetGlobalTransform(const FRigElementKey& Key, const FTransform& Transform, bool bInitial)
{
	SetTransform(Find(Key), Transform, GlobalType(bInitial));
}

FTransform URigHierarchy::GetLocalTransform(const FRigElementKey& Key, bool bInitial) const
{
	return GetTransform(Find(Key), LocalType(bInitial));
}

void URigHierarchy::SetLocalTransform(const FRigElementKey& Key, const FTransform& Transform, bool bInitial)
{
	SetTransform(Find(Key), Transform, LocalType(bInitial));
}

FTransform URigHierarchy::GetControlShapeTransform(const FRigBaseElement* Control, ERigTransformType Type) const
{
	return IndexOf(Control) != INDEX_NONE && Control->GetType() == ERigElementType::Control ? Control->ShapePose.Get(Type) : FTransform();
}

void URigHierarchy::SetControlShapeTransform(FRigBaseElement* Control, const FTransform& Transform, ERigTransformType Type)
{
	if (IndexOf(Control) == INDEX_NONE || Control->GetType() != ERigElementType::Control)
	{
		return;
	}
	const bool bInitial = IsInitial(Type);
	const FTransform& ControlGlobal = Control->Pose.Get(GlobalType(bInitial));
	const FTransform Local = IsLocal(Type) ? Transform : GetRelativeTransform(Transform, ControlGlobal);
	Control->ShapePose.Get(LocalType(bInitial)) = Local;
	Control->ShapePose.Get(GlobalType(bInitial)) = Local * ControlGlobal;
}

void URigHierarchy::ResetPoseToInitial()
{
	for (const std::unique_ptr<FRigBaseElement>& Element : Elements)
	{
		Element->Pose.CurrentLocal = Element->Pose.InitialLocal;
		Element->Pose.CurrentGlobal = Element->Pose.InitialGlobal;
		Element->ShapePose.CurrentLocal = Element->ShapePose.InitialLocal;
		Element->ShapePose.CurrentGlobal = Element->ShapePose.InitialGlobal;
		Element->CurrentValue = Element->InitialValue;
	}
}

FRigControlValue URigHierarchy::GetControlValue(const FRigBaseElement* Control, ERigControlValueType Type) const
{
	if (IndexOf(Control) == INDEX_NONE || Control->GetType() != ERigElementType::Control)
	{
		return {};
	}
	switch (Type)
	{
	case ERigControlValueType::Initial:
		return Control->InitialValue;
	case ERigControlValueType::Minimum:
		return Control->MinimumValue;
	case ERigControlValueType::Maximum:
		return Control->MaximumValue;
	case ERigControlValueType::Current:
		break;
	}
	return Control->CurrentValue;
}

void URigHierarchy::SetControlValue(FRigBaseElement* Control, const FRigControlValue& Value, ERigControlValueType Type, bool /*bSetupUndo*/)
{
	if (IndexOf(Control) == INDEX_NONE || Control->GetType() != ERigElementType::Control)
	{
		return;
	}
	switch (Type)
	{
	case ERigControlValueType::Minimum:
		Control->MinimumValue = Value;
		return;
	case ERigControlValueType::Maximum:
		Control->MaximumValue = Value;
		return;
	case ERigControlValueType::Initial:
	case ERigControlValueType::Current:
		break;
	}
	const bool bInitial = Type == ERigControlValueType::Initial;
	(bInitial ? Control->InitialValue : Control->CurrentValue) = Value;
	Control->Pose.Get(LocalType(bInitial)) = Value.GetControlTransform(Control->ControlSettings.ControlType) * Control->OffsetTransform;
	UpdateGlobalsBelow(Control->Index, bInitial);
}

FRigBaseElement* URigHierarchy::AddValidatedElement(const FRigElementKey& Key, const FRigElementKey& Parent)
{
	if (!Key.IsValid() || Contains(Key))
	{
		return nullptr;
	}
	auto Element = std::make_unique<FRigBaseElement>();
	Element->Key = Key;
	if (IsParentGiven(Parent))
	{
		const FRigBaseElement* const ParentElement = Find(Parent);
		if (ParentElement == nullptr || !ParentElement->IsTransformElement() || !Element->IsTransformElement())
		{
			return nullptr;
		}
		Element->ParentKey = Parent;
	}
	const int32_t Index = Num();
	Element->Index = Index;
	if (Element->ParentKey.IsValid())
	{
		ChildIndices[GetIndex(Element->ParentKey)].push_back(Index);
	}
	IndexByKey.emplace(MakeLookupKey(Key), Index);
	ChildIndices.emplace_back();
	Elements.push_back(std::move(Element));
	return Elements.back().get();
}

FRigBaseElement* URigHierarchy::AddElement(const FRigElementKey& Key, const FRigElementKey& Parent, const FTransform& Local)
{
	if (Key.Type == ERigElementType::Control)
	{
		return AddControl(Key, Parent, {}, Local);
	}
	FRigBaseElement* const Element = AddValidatedElement(Key, Parent);
	if (Element != nullptr && Element->IsTransformElement())
	{
		Element->Pose.InitialLocal = Local;
		Element->Pose.CurrentLocal = Local;
		UpdateGlobal(*Element, true);
		UpdateGlobal(*Element, false);
	}
	return Element;
}

FRigBaseElement* URigHierarchy::AddControl(const FRigElementKey& Key, const FRigElementKey& Parent, const FRigControlSettings& Settings,
	const FTransform& Offset, const std::optional<FRigControlValue>& Value)
{
	if (Key.Type != ERigElementType::Control)
	{
		return nullptr;
	}
	FRigBaseElement* const Control = AddValidatedElement(Key, Parent);
	if (Control != nullptr)
	{
		Control->ControlSettings = Settings;
		Control->OffsetTransform = Offset;
		const FRigControlValue Neutral = FRigControlValue::MakeNeutral(Settings.ControlType);
		Control->MinimumValue = Neutral;
		Control->MaximumValue = Neutral;
		SetControlValue(Control, Value.value_or(Neutral), ERigControlValueType::Initial);
		SetControlValue(Control, Value.value_or(Neutral), ERigControlValueType::Current);
	}
	return Control;
}

std::string_view URigHierarchy::GetModuleName(const FRigElementKey& Key) const
{
	const FRigBaseElement* const Element = Find(Key);
	return Element != nullptr ? std::string_view(Element->ModuleName) : std::string_view();
}
