#include "Endpoints/ControlRigEndpoints.h"

#include "Endpoints/ControlRigJson.h"

#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigEnumNames.h"
#include "ControlRig/RigHierarchy.h"
#include "Level/Rotator.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	/** Every kind of element but physics, as the rig editor's element list shows them. */
	constexpr ERigElementType ListedElementTypes = static_cast<ERigElementType>(0xEF);

	const char* ElementTypeWord(ERigElementType Type)
	{
		switch (Type)
		{
		case ERigElementType::Bone:
			return "Bone";
		case ERigElementType::Null:
			return "Null";
		case ERigElementType::Control:
			return "Control";
		default:
			return nullptr;
		}
	}

	void AppendControlFields(FJsonObject& Element, const URigHierarchy& Hierarchy, const FRigBaseElement& Control)
	{
		const FRigControlSettings& Settings = Control.ControlSettings;
		Element.SetStringField("shapeName", Settings.ShapeName);
		Element.SetArrayField("shapeColor", FJsonValueArray{Settings.ShapeColor.R, Settings.ShapeColor.G, Settings.ShapeColor.B});
		Element.SetStringField("controlType", GetRigEnumName(Settings.ControlType));
		Element.SetStringField("animationType", GetRigEnumName(Settings.AnimationType));
		const FTransform Shape = Hierarchy.GetControlShapeTransform(&Control, ERigTransformType::InitialLocal);
		Element.SetArrayField("shapeScale", MakeVectorJson(Shape.Scale3D));
		Element.SetArrayField("shapeOffset", MakeVectorJson(Shape.Translation));
		const FRotator Rotation = FRotator::FromQuat(Shape.Rotation);
		Element.SetArrayField("shapeRotation", FJsonValueArray{Rotation.Roll, Rotation.Pitch, Rotation.Yaw});
	}

	std::shared_ptr<FJsonObject> MakeRigElementJson(const URigHierarchy& Hierarchy, const FRigBaseElement& RigElement, const char* TypeWord)
	{
		auto Element = std::make_shared<FJsonObject>();
		Element->SetStringField("name", RigElement.GetName());
		Element->SetStringField("type", TypeWord);
		const FRigElementKey Parent = Hierarchy.GetFirstParent(RigElement.GetKey());
		if (Parent.IsValid())
		{
			Element->SetStringField("parent", Parent.Name);
		}
		const FTransform Global =
			RigElement.IsTransformElement() ? Hierarchy.GetTransform(&RigElement, ERigTransformType::InitialGlobal) : FTransform::Identity();
		Element->SetArrayField("position", MakeVectorJson(Global.Translation));
		Element->SetArrayField("rotation", MakeQuatJson(Global.Rotation));
		if (RigElement.GetType() == ERigElementType::Control)
		{
			AppendControlFields(*Element, Hierarchy, RigElement);
		}
		return Element;
	}
}

FJsonValueArray MakeVectorJson(const FVector& Vector)
{
	return FJsonValueArray{Vector.X, Vector.Y, Vector.Z};
}

FJsonValueArray MakeQuatJson(const FQuat& Rotation)
{
	return FJsonValueArray{Rotation.X, Rotation.Y, Rotation.Z, Rotation.W};
}

UControlRigBlueprint* LoadControlRigBlueprint(const std::string& Path, FJsonObject& Response)
{
	UControlRigBlueprint* const Blueprint = Cast<UControlRigBlueprint>(StaticLoadObject(UControlRigBlueprint::StaticClass(), Path));
	if (Blueprint == nullptr)
	{
		Response.SetStringField("error", "Control Rig Blueprint not found at path");
	}
	return Blueprint;
}

FJsonValueArray AppendRigElements(const URigHierarchy& Hierarchy)
{
	FJsonValueArray Elements;
	for (const FRigElementKey& Key : Hierarchy.GetAllKeys(true, ListedElementTypes))
	{
		const char* const TypeWord = ElementTypeWord(Key.Type);
		const FRigBaseElement* const RigElement = TypeWord != nullptr ? Hierarchy.Find(Key) : nullptr;
		if (RigElement != nullptr)
		{
			Elements.emplace_back(MakeRigElementJson(Hierarchy, *RigElement, TypeWord));
		}
	}
	return Elements;
}

void AppendMorphTargets(FJsonObject& Response, const USkeletalMesh* Mesh)
{
	if (Mesh == nullptr)
	{
		return;
	}
	FJsonValueArray Names;
	for (const UMorphTarget* MorphTarget : Mesh->GetMorphTargets())
	{
		if (MorphTarget != nullptr)
		{
			Names.emplace_back(MorphTarget->GetName());
		}
	}
	if (!Names.empty())
	{
		Response.SetArrayField("morphTargets", std::move(Names));
	}
}
