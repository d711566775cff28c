#include "Endpoints/WidgetDeploySteps.h"

#include "Objects/Class.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Objects/Vector2DPropertyValue.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetCopyPaste.h"
#include "Widgets/WidgetTree.h"

namespace
{
	constexpr std::string_view NoWidgetsMessage = "Hierarchy import produced no widgets — is 'hierarchy' the widget-tree clipboard text?";

	/** Points each panel's slots and their content at each other again, as the designer's paste does. */
	void RepairSlotLinks(const std::vector<UWidget*>& Widgets)
	{
		for (UWidget* const Widget : Widgets)
		{
			UPanelWidget* const Panel = Cast<UPanelWidget>(Widget);
			if (Panel == nullptr)
			{
				continue;
			}
			for (UPanelSlot* const Slot : Panel->GetSlots())
			{
				if (Slot == nullptr)
				{
					continue;
				}
				if (Slot->Content != nullptr && Slot->Content->Slot != Slot)
				{
					Slot->Content->Slot = Slot;
				}
				if (Slot->Parent == nullptr)
				{
					Slot->Parent = Panel;
				}
			}
		}
	}

	/** The generated class's default object, made when missing; nullptr before the first compile. */
	UObject* GeneratedDefaultObject(const UWidgetBlueprint& Blueprint)
	{
		return Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass->GetDefaultObject(true) : nullptr;
	}
}

FWidgetHierarchyImport ImportWidgetHierarchy(UWidgetBlueprint& Blueprint, std::string_view HierarchyText)
{
	FWidgetHierarchyImport Import;
	UWidgetTree* const Tree = Blueprint.WidgetTree;
	if (Tree == nullptr)
	{
		Import.Error = "New widget blueprint has no WidgetTree";
		return Import;
	}
	FWidgetTreeTextFactory Factory;
	Factory.ProcessBuffer(Tree, RF_Transactional, HierarchyText);
	Import.Widgets = Factory.NewWidgets;
	if (Import.Widgets.empty())
	{
		Import.Error = NoWidgetsMessage;
		return Import;
	}
	RepairSlotLinks(Import.Widgets);
	for (UWidget* const Widget : Import.Widgets)
	{
		if (Widget->GetParent() != nullptr)
		{
			continue;
		}
		if (Import.Root == nullptr)
		{
			Import.Root = Widget;
		}
		else
		{
			Import.UnattachedWidgetNames.push_back(Widget->GetName());
		}
	}
	if (Import.Root == nullptr)
	{
		Import.Error = "No root widget found in imported hierarchy";
		return Import;
	}
	Tree->RootWidget = Import.Root;
	Tree->SetFlags(RF_Transactional);
	return Import;
}

void ApplyDesignSize(UWidgetBlueprint& Blueprint, const FJsonObject& DesignSize)
{
	UObject* const DefaultObject = GeneratedDefaultObject(Blueprint);
	if (DefaultObject == nullptr)
	{
		return;
	}
	const UClass* const Class = DefaultObject->GetClass();
	const std::optional<double> X = DesignSize.TryGetNumberField("x");
	const std::optional<double> Y = DesignSize.TryGetNumberField("y");
	const FProperty* const SizeProperty = Class->FindPropertyByName("DesignTimeSize");
	if (X && Y && *X > 0.0 && *Y > 0.0 && SizeProperty != nullptr)
	{
		SetVector2DPropertyValue(*DefaultObject, *SizeProperty, FVector2D{*X, *Y});
	}
	const std::optional<std::string> Mode = DesignSize.TryGetStringField("mode");
	const FProperty* const ModeProperty = Class->FindPropertyByName("DesignSizeMode");
	if (Mode && !Mode->empty() && ModeProperty != nullptr)
	{
		const std::string Current = GetPropertyValueText(*DefaultObject, ModeProperty->GetName()).value_or(std::string());
		if (const std::optional<std::string> Imported = ImportPropertyText(*ModeProperty, Current, *Mode))
		{
			SetPropertyValueText(*DefaultObject, ModeProperty->GetName(), *Imported);
		}
	}
}
