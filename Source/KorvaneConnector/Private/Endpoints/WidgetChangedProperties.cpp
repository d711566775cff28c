#include "Endpoints/WidgetChangedProperties.h"
#include "KorvaneLog.h"

#include "Core/TextHelpers.h"
#include "Graph/CopyPasteTextValue.h"
#include "Objects/Class.h"
#include "Objects/PropertyExportText.h"
#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/Widget.h"

#include <unordered_map>
#include <unordered_set>

namespace
{
	/**
	 * How deep the tree is exported. A tree the designer made is a few dozen levels at most; a
	 * hostile hierarchy text can nest far deeper, and the export (and the JSON printing after it)
	 * must not run out of stack on it.
	 */
	constexpr int MaxWidgetDepth = 512;

	/**
	 * The texts one read has worked out, by property, value and default: the widgets of one tree
	 * share most of their values (a style, a padding), and comparing and exporting a structure
	 * text means reading both texts member by member. Empty for a value that equals its default.
	 */
	class FPropertyTextCache
	{
	public:
		const std::string& Find(const FProperty& Property, const std::string& Value, const std::string& Default)
		{
			std::string Key;
			Key.reserve(Value.size() + Default.size() + 24);
			const FProperty* const Address = &Property;
			Key.append(reinterpret_cast<const char*>(&Address), sizeof(Address)).append(Value).push_back('\0');
			Key.append(Default);
			const auto Found = Texts.find(Key);
			if (Found != Texts.end())
			{
				return Found->second;
			}
			return Texts.emplace(std::move(Key), ChangedText(Property, Value, Default)).first->second;
		}

	private:
		static std::string ChangedText(const FProperty& Property, const std::string& Value, const std::string& Default);

		std::unordered_map<std::string, std::string> Texts;
	};

	bool IsListedProperty(const FProperty& Property)
	{
		return Property.HasAnyPropertyFlags(CPF_Edit | CPF_BlueprintVisible) && !Property.HasAnyPropertyFlags(CPF_Transient | CPF_Deprecated | CPF_EditorOnly);
	}

	/** Delegates and multicast delegates: bound events are assignable, other delegates say so in their type. */
	bool IsDelegateProperty(const FProperty& Property)
	{
		return Property.HasAnyPropertyFlags(CPF_BlueprintAssignable) || Text::FindIgnoreCase(Property.GetCPPType(), "Delegate").has_value();
	}

	bool IsTextProperty(const FProperty& Property)
	{
		return Property.GetCPPType() == "FText";
	}

	/**
	 * A text property's display string from its export text: the source string of NSLOCTEXT,
	 * LOCTEXT and INVTEXT, a quoted string's content, anything else as written.
	 */
	std::string TextDisplayString(std::string_view ExportText)
	{
		const FCopyPasteValue Value = ParseCopyPasteValue(ExportText);
		if (Value.Kind == FCopyPasteValue::EKind::Call && !Value.Items.empty())
		{
			return Value.Items.back().Value.AsPlainText();
		}
		return Value.AsPlainText();
	}

	std::string FPropertyTextCache::ChangedText(const FProperty& Property, const std::string& Value, const std::string& Default)
	{
		// The same text is the same value; only texts that differ need the member-by-member test.
		if (Value == Default || ArePropertyValuesIdentical(Property, Value, Default))
		{
			return {};
		}
		return IsTextProperty(Property) ? TextDisplayString(Value) : ExportPropertyTextDelta(Property, Value, Default);
	}

	std::shared_ptr<FJsonObject> CollectChangedProperties(const UObject& Object, bool bSlotMode, FPropertyTextCache& Cache)
	{
		auto Changed = std::make_shared<FJsonObject>();
		const UClass* const Class = Object.GetClass();
		const UObject* const DefaultObject = Class->GetDefaultObject(true);
		for (TFieldIterator<FProperty> It(Class); It; ++It)
		{
			const FProperty& Property = **It;
			const std::string& Name = Property.GetName();
			if (!IsListedProperty(Property) || IsDelegateProperty(Property) || Text::EqualsIgnoreCase(Name, "Slot") || Text::EqualsIgnoreCase(Name, "Navigation"))
			{
				continue;
			}
			const std::string Value = GetPropertyValueText(Object, Name).value_or(std::string());
			const std::string Default = DefaultObject != nullptr ? GetPropertyValueText(*DefaultObject, Name).value_or(std::string()) : Class->GetDefaultValueText(Property);
			const std::string& PropertyText = Cache.Find(Property, Value, Default);
			if (PropertyText.empty() || Text::Utf16Length(PropertyText) > MaxPropertyTextLength)
			{
				continue;
			}
			const bool bNormalised = bSlotMode && Text::EqualsIgnoreCase(Name, "Size");
			Changed->SetStringField(Name, bNormalised ? NormalizeSlotSizeText(PropertyText) : PropertyText);
		}
		return Changed;
	}

	void ExportWidgetNodeAt(const UWidget& Widget, FJsonObject& Node, int Depth, std::unordered_set<const UWidget*>& Exported, FPropertyTextCache& Cache);

	FJsonValueArray ExportChildren(const UPanelWidget& Panel, int Depth, std::unordered_set<const UWidget*>& Exported, FPropertyTextCache& Cache)
	{
		FJsonValueArray Children;
		for (int32_t Index = 0; Index < Panel.GetChildrenCount(); ++Index)
		{
			const UWidget* const Child = Panel.GetChildAt(Index);
			if (Child == nullptr || !Exported.insert(Child).second)
			{
				continue;
			}
			auto ChildNode = std::make_shared<FJsonObject>();
			ExportWidgetNodeAt(*Child, *ChildNode, Depth + 1, Exported, Cache);
			Children.emplace_back(std::move(ChildNode));
		}
		return Children;
	}

	void ExportWidgetNodeAt(const UWidget& Widget, FJsonObject& Node, int Depth, std::unordered_set<const UWidget*>& Exported, FPropertyTextCache& Cache)
	{
		std::string ClassName = Widget.GetClass()->GetName();
		if (Text::EndsWithIgnoreCase(ClassName, "_C"))
		{
			ClassName.resize(ClassName.size() - 2);
		}
		Node.SetStringField("widgetClass", ClassName);
		Node.SetStringField("name", Widget.GetName());
		Node.SetBoolField("isVariable", Widget.GetIsVariable());
		const std::shared_ptr<FJsonObject> Properties = CollectChangedProperties(Widget, false, Cache);
		if (!Properties->IsEmpty())
		{
			Node.SetObjectField("properties", Properties);
		}
		if (Widget.Slot != nullptr)
		{
			const std::shared_ptr<FJsonObject> SlotProperties = CollectChangedProperties(*Widget.Slot, true, Cache);
			if (!SlotProperties->IsEmpty())
			{
				Node.SetObjectField("slotProperties", SlotProperties);
			}
		}
		const UPanelWidget* const Panel = Cast<UPanelWidget>(&Widget);
		if (Panel == nullptr || Panel->GetChildrenCount() == 0)
		{
			return;
		}
		if (Depth >= MaxWidgetDepth)
		{
			UE_LOG(LogKorvane, Warning, "Widget %s is nested more than %d levels deep; its children are left out of the read.", Widget.GetName().c_str(), MaxWidgetDepth);
			return;
		}
		FJsonValueArray Children = ExportChildren(*Panel, Depth, Exported, Cache);
		if (!Children.empty())
		{
			Node.SetArrayField("children", std::move(Children));
		}
	}
}

std::string NormalizeSlotSizeText(std::string_view SizeText)
{
	// The editor's FString::Contains, which ignores letter case.
	if (Text::FindIgnoreCase(SizeText, "SizeRule=Auto"))
	{
		return "Auto";
	}
	const auto Contains = [SizeText](std::string_view Needle) { return Text::FindIgnoreCase(SizeText, Needle).has_value(); };
	const bool bFillOfOne = !Contains("Value=") || Contains("Value=1.0") || Contains("Value=1,") || Contains("Value=1)");
	if (Contains("SizeRule=Fill") && bFillOfOne)
	{
		return "Fill";
	}
	return std::string(SizeText);
}

std::shared_ptr<FJsonObject> CollectChangedProperties(const UObject& Object, bool bSlotMode)
{
	FPropertyTextCache Cache;
	return CollectChangedProperties(Object, bSlotMode, Cache);
}

std::shared_ptr<FJsonObject> ExportWidgetNode(const UWidget& Widget)
{
	auto Node = std::make_shared<FJsonObject>();
	std::unordered_set<const UWidget*> Exported{&Widget};
	FPropertyTextCache Cache;
	ExportWidgetNodeAt(Widget, *Node, 0, Exported, Cache);
	return Node;
}
