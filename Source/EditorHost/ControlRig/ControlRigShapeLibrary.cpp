#include "ControlRig/ControlRigShapeLibrary.h"

#include "Core/JsonObject.h"
#include "Level/TransformJson.h"
#include "Materials/Material.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	const FControlRigShapeDefinition* FindShape(const UControlRigShapeLibrary& Library, std::string_view ShapeName)
	{
		if (ShapeName.empty())
		{
			return nullptr;
		}
		for (const FControlRigShapeDefinition& Shape : Library.Shapes)
		{
			if (Shape.ShapeName == ShapeName)
			{
				return &Shape;
			}
		}
		return Library.DefaultShape.ShapeName == ShapeName ? &Library.DefaultShape : nullptr;
	}

	/** A shape's transform: {"location", "rotation" (pitch, yaw, roll), "scale"}, each part optional. */
	bool ReadShapeTransform(const FJsonObject& Fields, FTransform& OutTransform, std::string& OutError)
	{
		const FJsonValue* Value = Fields.TryGetField("transform");
		if (Value == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonObject> Transform = Value->TryGetObject();
		if (!Transform)
		{
			OutError = "\"transform\" is not an object";
			return false;
		}
		FVector Location = OutTransform.Translation;
		FRotator Rotation = FRotator::FromQuat(OutTransform.Rotation);
		FVector Scale = OutTransform.Scale3D;
		if (!ReadVectorField(*Transform, "location", Location, OutError) || !ReadRotatorField(*Transform, "rotation", Rotation, OutError)
			|| !ReadVectorField(*Transform, "scale", Scale, OutError))
		{
			return false;
		}
		OutTransform = {Rotation.Quaternion(), Location, Scale};
		return true;
	}

	bool ReadShape(const FJsonValue* Value, std::string_view What, FControlRigShapeDefinition& OutShape, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Fields = Value != nullptr ? Value->TryGetObject() : nullptr;
		const std::optional<std::string> Name = Fields ? Fields->TryGetStringField("shapeName") : std::nullopt;
		if (!Name || Name->empty())
		{
			OutError = std::string(What) + " needs a \"shapeName\"";
			return false;
		}
		const FJsonValue* Mesh = Fields->TryGetField("staticMesh");
		if (Mesh != nullptr && Mesh->TryGetString() == nullptr)
		{
			OutError = "the \"staticMesh\" of shape " + *Name + " is not an object path";
			return false;
		}
		OutShape.ShapeName = *Name;
		OutShape.StaticMeshPath = Mesh != nullptr ? *Mesh->TryGetString() : std::string();
		return ReadShapeTransform(*Fields, OutShape.Transform, OutError);
	}

	std::shared_ptr<FJsonObject> MakeShapeObject(const FControlRigShapeDefinition& Shape)
	{
		auto Transform = std::make_shared<FJsonObject>();
		Transform->SetObjectField("location", MakeVectorObject(Shape.Transform.Translation));
		Transform->SetObjectField("rotation", MakeRotatorObject(FRotator::FromQuat(Shape.Transform.Rotation)));
		Transform->SetObjectField("scale", MakeVectorObject(Shape.Transform.Scale3D));
		auto Fields = std::make_shared<FJsonObject>();
		Fields->SetStringField("shapeName", Shape.ShapeName);
		Fields->SetStringField("staticMesh", Shape.StaticMeshPath);
		Fields->SetObjectField("transform", Transform);
		return Fields;
	}

	bool ReadOptionalString(const FJsonObject& File, std::string_view Key, std::string& InOutText, std::string& OutError)
	{
		const FJsonValue* Value = File.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		if (Value->TryGetString() == nullptr)
		{
			OutError.assign(1, '"').append(Key).append("\" is not a text");
			return false;
		}
		InOutText = *Value->TryGetString();
		return true;
	}
}

UStaticMesh* FControlRigShapeDefinition::LoadStaticMesh() const
{
	return StaticMeshPath.empty() ? nullptr : LoadObject<UStaticMesh>(StaticMeshPath);
}

const FControlRigShapeDefinition* UControlRigShapeLibrary::GetShapeByName(std::string_view ShapeName, std::span<UControlRigShapeLibrary* const> Libraries,
	bool bUseDefaultIfNotFound)
{
	const std::size_t Dot = ShapeName.find('.');
	for (const UControlRigShapeLibrary* Library : Libraries)
	{
		if (Library == nullptr)
		{
			continue;
		}
		if (Dot == std::string_view::npos)
		{
			if (const FControlRigShapeDefinition* Shape = FindShape(*Library, ShapeName))
			{
				return Shape;
			}
		}
		else if (Library->GetName() == ShapeName.substr(0, Dot))
		{
			if (const FControlRigShapeDefinition* Shape = FindShape(*Library, ShapeName.substr(Dot + 1)))
			{
				return Shape;
			}
		}
	}
	if (bUseDefaultIfNotFound)
	{
		for (const UControlRigShapeLibrary* Library : Libraries)
		{
			if (Library != nullptr)
			{
				return &Library->DefaultShape;
			}
		}
	}
	return nullptr;
}

UMaterialInterface* UControlRigShapeLibrary::LoadDefaultMaterial() const
{
	return DefaultMaterialPath.empty() ? nullptr : LoadObject<UMaterialInterface>(DefaultMaterialPath);
}

bool UControlRigShapeLibrary::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	FControlRigShapeDefinition Default;
	if (const FJsonValue* Value = File.TryGetField("defaultShape"); Value != nullptr && !ReadShape(Value, "the default shape", Default, OutError))
	{
		return false;
	}
	std::string Material;
	std::string ColorParameter = "Color";
	if (!ReadOptionalString(File, "defaultMaterial", Material, OutError) || !ReadOptionalString(File, "materialColorParameter", ColorParameter, OutError))
	{
		return false;
	}
	std::vector<FControlRigShapeDefinition> Read;
	if (const FJsonValue* Value = File.TryGetField("shapes"))
	{
		const std::shared_ptr<FJsonValueArray> Entries = Value->TryGetArray();
		if (!Entries)
		{
			OutError = "\"shapes\" is not an array";
			return false;
		}
		Read.resize(Entries->size());
		for (std::size_t Index = 0; Index < Entries->size(); ++Index)
		{
			if (!ReadShape(&(*Entries)[Index], "shape " + std::to_string(Index), Read[Index], OutError))
			{
				return false;
			}
		}
	}
	DefaultShape = std::move(Default);
	DefaultMaterialPath = std::move(Material);
	MaterialColorParameter = std::move(ColorParameter);
	Shapes = std::move(Read);
	return true;
}

void UControlRigShapeLibrary::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (!DefaultShape.ShapeName.empty())
	{
		OutFile.SetObjectField("defaultShape", MakeShapeObject(DefaultShape));
	}
	OutFile.SetStringField("defaultMaterial", DefaultMaterialPath);
	OutFile.SetStringField("materialColorParameter", MaterialColorParameter);
	FJsonValueArray Entries;
	Entries.reserve(Shapes.size());
	for (const FControlRigShapeDefinition& Shape : Shapes)
	{
		Entries.emplace_back(MakeShapeObject(Shape));
	}
	OutFile.SetArrayField("shapes", std::move(Entries));
}
