#pragma once

#include <optional>

class FProperty;
class UObject;

/**
 * A reflected property seen as an object reference (IsObjectReferenceProperty): an object pointer
 * (`TObjectPtr<UStaticMesh>`, `UTexture*`, weak, soft and lazy ones) or a class reference
 * (`TSubclassOf<UUserWidget>`, `UClass*`). The reference lives in the object's property value
 * texts as the editor exports it, `/Script/CoreUObject.Class'/Script/UMG.UserWidget'`.
 *
 *   if (const std::optional<FObjectPropertyBase> Parent = FObjectPropertyBase::From(Class->FindPropertyByName("ParentClass")))
 *       Parent->SetObjectPropertyValue_InContainer(Factory, UUserWidget::StaticClass());
 */
class FObjectPropertyBase
{
public:
	/** The property as an object reference; nothing for nullptr or a property of another type. */
	static std::optional<FObjectPropertyBase> From(const FProperty* Property);

	const FProperty& GetProperty() const { return Property; }
	/** Whether the reference names a class (TSubclassOf, UClass*): only classes are stored in it. */
	bool IsClassReference() const;

	/** The object the property of Container names (loading its package when needed), or nullptr for None or a path that names nothing. */
	UObject* GetObjectPropertyValue_InContainer(const UObject& Container) const;
	/**
	 * Points the property of Container at Value (None for nullptr). False, with nothing changed, when
	 * Container's class lacks the property or a class reference is given an object that is not a class.
	 */
	bool SetObjectPropertyValue_InContainer(UObject* Container, UObject* Value) const;

private:
	explicit FObjectPropertyBase(const FProperty& InProperty)
		: Property(InProperty)
	{
	}

	const FProperty& Property;
};
