#include "Widgets/WidgetCopyPaste.h"

#include "Core/TextHelpers.h"
#include "Objects/Class.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetTextLinks.h"

namespace
{
	constexpr std::string_view SlotPairClassName = "WidgetSlotPair";
}

bool FWidgetTreeTextFactory::CanCreateClass(UClass* ObjectClass, bool& bOmitSubObjects) const
{
	bOmitSubObjects = false;
	return ObjectClass != nullptr && (ObjectClass->IsChildOf<UWidget>() || Text::EqualsIgnoreCase(ObjectClass->GetName(), SlotPairClassName));
}

void FWidgetTreeTextFactory::PostImportObjects(const std::vector<UObject*>& TopLevelObjects)
{
	std::vector<std::string> LinkWarnings;
	LinkPastedWidgets(TopLevelObjects, LinkWarnings);
	for (std::string& Warning : LinkWarnings)
	{
		Warn(std::move(Warning));
	}
}

void FWidgetTreeTextFactory::ProcessConstructedObject(UObject* NewObject)
{
	if (UWidget* const Widget = Cast<UWidget>(NewObject))
	{
		NewWidgets.push_back(Widget);
		return;
	}
	NewObject->MarkAsGarbage();
}
