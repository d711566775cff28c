#pragma once

#include "Assets/AssetFiles.h"
#include "Fuzz/WidgetTextImportProperty.h"
#include "Objects/PropertyValues.h"
#include "Support/TestEditor.h"

#include <string>
#include <string_view>
#include <vector>

/** A paste into a fresh widget tree, with what the factory reported. */
struct FWidgetPaste
{
	UWidgetTree* Tree = nullptr;
	std::vector<UWidget*> Widgets;
	std::vector<std::string> Warnings;

	/** The pasted widget of that name, or nullptr. */
	UWidget* Find(std::string_view Name) const
	{
		for (UWidget* const Widget : Widgets)
		{
			if (Widget->GetName() == Name)
			{
				return Widget;
			}
		}
		return nullptr;
	}

	/** The first pasted widget without a parent, as the designer takes the root of a paste. */
	std::string RootName() const
	{
		for (const UWidget* const Widget : Widgets)
		{
			if (Widget->GetParent() == nullptr)
			{
				return Widget->GetName();
			}
		}
		return {};
	}

	/** The other pasted widgets without a parent, in paste order. */
	std::vector<std::string> UnattachedNames() const
	{
		std::vector<std::string> Names;
		for (const UWidget* const Widget : Widgets)
		{
			if (Widget->GetParent() == nullptr && Widget->GetName() != RootName())
			{
				Names.push_back(Widget->GetName());
			}
		}
		return Names;
	}

	bool WarnedAbout(std::string_view Fragment) const
	{
		for (const std::string& Warning : Warnings)
		{
			if (Warning.find(Fragment) != std::string::npos)
			{
				return true;
			}
		}
		return false;
	}
};

inline FWidgetPaste PasteIntoNewTree(std::string_view Text, UWidgetTree* Tree = nullptr)
{
	FWidgetPaste Paste;
	Paste.Tree = Tree != nullptr ? Tree : NewObject<UWidgetTree>();
	FWidgetTreeTextFactory Factory;
	Factory.ProcessBuffer(Paste.Tree, RF_Transactional, Text);
	Paste.Widgets = Factory.NewWidgets;
	Paste.Warnings = Factory.GetWarnings();
	return Paste;
}

/** The names of the panel's children, in child order ("(empty)" for an empty slot). */
inline std::vector<std::string> ChildNames(const UWidget* Widget)
{
	std::vector<std::string> Names;
	if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
	{
		for (int32_t Index = 0; Index < Panel->GetChildrenCount(); ++Index)
		{
			const UWidget* const Child = Panel->GetChildAt(Index);
			Names.push_back(Child != nullptr ? Child->GetName() : "(empty)");
		}
	}
	return Names;
}

/** The property's value on the object as the editor exports it, or empty when the class lacks it. */
inline std::string ValueOf(const UObject* Object, std::string_view PropertyName)
{
	return Object != nullptr ? GetPropertyValueText(*Object, PropertyName).value_or(std::string()) : std::string();
}
