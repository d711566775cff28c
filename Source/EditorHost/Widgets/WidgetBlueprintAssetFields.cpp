#include "Widgets/WidgetBlueprint.h"

#include "Assets/CopyPasteTextJsonLines.h"
#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyValues.h"
#include "Objects/Vector2DPropertyValue.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetCopyPaste.h"
#include "Widgets/WidgetTree.h"

#include <algorithm>

namespace
{
	constexpr std::string_view DesignTimeSizeName = "DesignTimeSize";
	constexpr std::string_view DesignSizeModeName = "DesignSizeMode";

	/** Whether the default object holds a value of its own for the property (not the class default). */
	bool HasOwnValue(const UObject& Object, std::string_view PropertyName)
	{
		const std::vector<std::pair<std::string, std::string>> Values = GetChangedPropertyValues(Object);
		return std::any_of(Values.begin(), Values.end(), [PropertyName](const auto& Entry) { return Entry.first == PropertyName; });
	}

	void LoadWidgetTree(UWidgetBlueprint& Blueprint, const FJsonValueArray& Lines, std::vector<std::string>& OutWarnings)
	{
		const std::string Text = JoinCopyPasteTextLines(Lines, "a line of \"widgetTree\"", OutWarnings);
		FWidgetTreeTextFactory Factory;
		Factory.ProcessBuffer(Blueprint.WidgetTree, RF_Transactional, Text);
		for (const std::string& Warning : Factory.GetWarnings())
		{
			OutWarnings.push_back("widget tree: " + Warning);
		}
		// The tree was saved root first, then the unattached widgets.
		const auto Root = std::find_if(Factory.NewWidgets.begin(), Factory.NewWidgets.end(), [](const UWidget* Widget) { return Widget->GetParent() == nullptr; });
		Blueprint.WidgetTree->RootWidget = Root != Factory.NewWidgets.end() ? *Root : nullptr;
	}

	void LoadAnimations(UWidgetBlueprint& Blueprint, const FJsonValueArray& Entries, std::vector<std::string>& OutWarnings)
	{
		for (const FJsonValue& Value : Entries)
		{
			const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
			const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
			const std::string_view DisplayName = Name && Name->ends_with("_INST") ? std::string_view(*Name).substr(0, Name->size() - 5) : std::string_view();
			UWidgetAnimation* const Animation = DisplayName.empty()
				? nullptr
				: Blueprint.AddAnimation(DisplayName, Entry->TryGetNumberField("startTime").value_or(0.0), Entry->TryGetNumberField("endTime").value_or(0.0));
			if (Animation == nullptr)
			{
				OutWarnings.push_back("an animation needs a \"name\" ending in _INST that no other object of the Blueprint has; it is left out");
			}
		}
	}

	/** Puts the saved design size back on the default object the load has just made. */
	void LoadDesignSize(UWidgetBlueprint& Blueprint, const FJsonObject& File, std::vector<std::string>& OutWarnings)
	{
		UObject* const Defaults = Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass->GetDefaultObject() : nullptr;
		if (Defaults == nullptr)
		{
			return;
		}
		if (const std::shared_ptr<FJsonObject> Size = File.TryGetObjectField("designTimeSize"))
		{
			const FProperty* const Property = Defaults->GetClass()->FindPropertyByName(DesignTimeSizeName);
			const std::optional<double> X = Size->TryGetNumberField("x");
			const std::optional<double> Y = Size->TryGetNumberField("y");
			if (Property == nullptr || !X || !Y)
			{
				OutWarnings.push_back("\"designTimeSize\" needs numbers x and y and a parent class with a design size; it is left out");
			}
			else
			{
				SetVector2DPropertyValue(*Defaults, *Property, FVector2D{*X, *Y});
			}
		}
		if (const std::optional<std::string> Mode = File.TryGetStringField("designSizeMode"))
		{
			if (!SetPropertyValueText(*Defaults, DesignSizeModeName, *Mode))
			{
				OutWarnings.push_back("\"designSizeMode\" needs a parent class with a design size mode; it is left out");
			}
		}
	}
}

bool UWidgetBlueprint::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	if (const FJsonValue* const Tree = File.TryGetField("widgetTree"))
	{
		if (const std::shared_ptr<FJsonValueArray> Lines = Tree->TryGetArray(); Lines && WidgetTree != nullptr)
		{
			LoadWidgetTree(*this, *Lines, Warnings);
		}
		else
		{
			Warnings.push_back("\"widgetTree\" is not an array of lines; the widget tree is empty");
		}
	}
	if (const FJsonValue* const Entries = File.TryGetField("animations"))
	{
		if (const std::shared_ptr<FJsonValueArray> List = Entries->TryGetArray())
		{
			LoadAnimations(*this, *List, Warnings);
		}
		else
		{
			Warnings.push_back("\"animations\" is not an array; there are no animations");
		}
	}
	LoadDesignSize(*this, File, Warnings);
	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Widget Blueprint %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	return true;
}

void UWidgetBlueprint::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	const std::vector<UWidget*> TopLevel = GetTopLevelWidgets();
	if (!TopLevel.empty())
	{
		OutFile.SetArrayField("widgetTree", SplitCopyPasteTextLines(ExportWidgetsToText(TopLevel)));
	}
	else
	{
		OutFile.RemoveField("widgetTree");
	}

	FJsonValueArray Entries;
	for (const UWidgetAnimation* const Animation : Animations)
	{
		if (Animation != nullptr)
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("name", Animation->GetName());
			Entry->SetNumberField("startTime", Animation->StartTime);
			Entry->SetNumberField("endTime", Animation->EndTime);
			Entries.emplace_back(std::move(Entry));
		}
	}
	if (!Entries.empty())
	{
		OutFile.SetArrayField("animations", std::move(Entries));
	}
	else
	{
		OutFile.RemoveField("animations");
	}

	const UObject* const Defaults = GeneratedClass != nullptr ? GeneratedClass->GetDefaultObject() : nullptr;
	const FProperty* const SizeProperty = Defaults != nullptr ? Defaults->GetClass()->FindPropertyByName(DesignTimeSizeName) : nullptr;
	const std::optional<FVector2D> Size = SizeProperty != nullptr && HasOwnValue(*Defaults, DesignTimeSizeName) ? GetVector2DPropertyValue(*Defaults, *SizeProperty) : std::nullopt;
	if (Size)
	{
		auto SizeObject = std::make_shared<FJsonObject>();
		SizeObject->SetNumberField("x", Size->X);
		SizeObject->SetNumberField("y", Size->Y);
		OutFile.SetObjectField("designTimeSize", std::move(SizeObject));
	}
	else
	{
		OutFile.RemoveField("designTimeSize");
	}
	const std::optional<std::string> Mode = Defaults != nullptr && HasOwnValue(*Defaults, DesignSizeModeName) ? GetPropertyValueText(*Defaults, DesignSizeModeName) : std::nullopt;
	if (Mode)
	{
		OutFile.SetStringField("designSizeMode", *Mode);
	}
	else
	{
		OutFile.RemoveField("designSizeMode");
	}
}
