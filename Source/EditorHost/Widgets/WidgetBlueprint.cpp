#include "Widgets/WidgetBlueprint.h"

#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetTree.h"

#include <algorithm>

void UWidgetBlueprint::PostInitProperties()
{
	Super::PostInitProperties();
	WidgetTree = NewObject<UWidgetTree>(this, "WidgetTree", RF_Transactional);
}

std::vector<UWidget*> UWidgetBlueprint::GetTopLevelWidgets() const
{
	std::vector<UWidget*> Widgets;
	if (WidgetTree != nullptr)
	{
		WidgetTree->GetAllWidgets(Widgets);
	}
	std::erase_if(Widgets, [](const UWidget* Widget) { return Widget->GetParent() != nullptr; });
	return Widgets;
}

UWidgetAnimation* UWidgetBlueprint::AddAnimation(std::string_view Name, double StartTime, double EndTime)
{
	const std::string ObjectName = std::string(Name) + "_INST";
	if (Name.empty() || !FObjectInternals::IsValidObjectName(ObjectName) || FindInnerObject(ObjectName) != nullptr)
	{
		return nullptr;
	}
	UWidgetAnimation* const Animation = NewObject<UWidgetAnimation>(this, ObjectName, RF_Transactional);
	if (Animation != nullptr)
	{
		Animation->StartTime = StartTime;
		Animation->EndTime = EndTime;
		Animations.push_back(Animation);
	}
	return Animation;
}

void UWidgetBlueprint::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "NativeParentClass"; });
	const UClass* Native = ParentClass;
	while (Native != nullptr && Native->HasAnyClassFlags(CLASS_CompiledFromBlueprint))
	{
		Native = Native->GetSuperClass();
	}
	if (Native != nullptr)
	{
		OutTags.push_back({"NativeParentClass", Native->GetClass()->GetPathName() + "'" + Native->GetPathName() + "'"});
	}
}
