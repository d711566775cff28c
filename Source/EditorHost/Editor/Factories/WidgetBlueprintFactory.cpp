#include "Editor/Factories/WidgetBlueprintFactory.h"

#include "Objects/Class.h"
#include "Objects/ObjectPropertyBase.h"
#include "Widgets/CreateWidgetBlueprint.h"
#include "Widgets/UserWidget.h"
#include "Widgets/WidgetBlueprint.h"

namespace
{
	/** The class the factory's "ParentClass" property names, or nullptr when it names none. */
	UClass* GetParentClassProperty(const UFactory& Factory)
	{
		const std::optional<FObjectPropertyBase> Property = FObjectPropertyBase::From(Factory.GetClass()->FindPropertyByName("ParentClass"));
		return Property ? Cast<UClass>(Property->GetObjectPropertyValue_InContainer(Factory)) : nullptr;
	}
}

UWidgetBlueprintFactory::UWidgetBlueprintFactory()
{
	SupportedClass = UWidgetBlueprint::StaticClass();
}

UObject* UWidgetBlueprintFactory::FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, [[maybe_unused]] EObjectFlags Flags, [[maybe_unused]] UObject* Context)
{
	return DoesSupportClass(InClass) ? CreateWidgetBlueprint(InClass, GetParentClassProperty(*this), UUserWidget::StaticClass(), InParent, InName) : nullptr;
}

UEditorUtilityWidgetBlueprintFactory::UEditorUtilityWidgetBlueprintFactory()
{
	SupportedClass = UEditorUtilityWidgetBlueprint::StaticClass();
}

UObject* UEditorUtilityWidgetBlueprintFactory::FactoryCreateNew(UClass* InClass, UObject* InParent, std::string_view InName, [[maybe_unused]] EObjectFlags Flags, [[maybe_unused]] UObject* Context)
{
	if (!DoesSupportClass(InClass))
	{
		return nullptr;
	}
	// An editor utility widget derives from EditorUtilityWidget; a parent the property names that does not is refused.
	return CreateWidgetBlueprint(InClass, GetParentClassProperty(*this), UEditorUtilityWidget::StaticClass(), InParent, InName);
}
