#include "Widgets/CreateWidgetBlueprint.h"

#include "Blueprints/KismetEditorUtilities.h"
#include "Core/LogHost.h"
#include "Objects/Class.h"
#include "Widgets/WidgetBlueprint.h"

UWidgetBlueprint* CreateWidgetBlueprint(UClass* BlueprintClass, UClass* ParentClass, UClass* BaseClass, UObject* Outer, std::string_view Name)
{
	UClass* const Parent = ParentClass != nullptr ? ParentClass : BaseClass;
	if (BlueprintClass == nullptr || !BlueprintClass->IsChildOf(UWidgetBlueprint::StaticClass()) || Parent == nullptr || !Parent->IsChildOf(BaseClass))
	{
		UE_LOG(LogHost, Warning, "Cannot create a Widget Blueprint of %s", Parent != nullptr ? Parent->GetPathName().c_str() : "no parent class");
		return nullptr;
	}
	return Cast<UWidgetBlueprint>(FKismetEditorUtilities::CreateBlueprint(Parent, Outer, Name, BlueprintClass));
}
