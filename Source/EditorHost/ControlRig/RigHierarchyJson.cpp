#include "ControlRig/RigHierarchyJson.h"

#include "ControlRig/RigEnumNames.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigTransformJson.h"
#include "Core/JsonObject.h"

#include <cmath>
#include <limits>

namespace
{
	bool IsSingleElementKind(ERigElementType Type)
	{
		const uint8_t Bits = static_cast<uint8_t>(Type);
		return Bits != 0 && (Bits & (Bits - 1)) == 0;
	}

	/** What an element object says beyond its key, read before anything is added, so a bad entry adds nothing. */
	struct FRigElementEntry
	{
		FRigElementKey Key;
		FRigElementKey Parent;
		FTransform Transform;
		std::string ModuleName;
		FRigControlSettings ControlSettings;
		std::optional<FRigControlValue> InitialValue;
		std::optional<FRigControlValue> MinimumValue;
		std::optional<FRigControlValue> MaximumValue;
		FTransform ShapeTransform;
		FRigConnectorSettings ConnectorSettings;
		float CurveValue = 0.0f;
	};

	bool Refuse(std::string_view Reason, std::string& OutError)
	{
		OutError = Reason;
		return false;
	}

	bool ReadOptionalText(const FJsonObject& Object, std::string_view Key, std::string& InOutText, std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::string* const Text = Value->TryGetString();
		if (Text == nullptr)
		{
			return Refuse("\"" + std::string(Key) + "\" is not text", OutError);
		}
		InOutText = *Text;
		return true;
	}

	bool ReadOptionalBool(const FJsonObject& Object, std::string_view Key, bool& InOutFlag, std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::optional<bool> Flag = Value->TryGetBool();
		if (!Flag)
		{
			return Refuse("\"" + std::string(Key) + "\" is not true or false", OutError);
		}
		InOutFlag = *Flag;
		return true;
	}

	template <typename TEnum>
	bool ReadOptionalEnum(const FJsonObject& Object, std::string_view Key, TEnum& InOutValue, std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::string* const Name = Value->TryGetString();
		const std::optional<TEnum> Parsed = Name != nullptr ? ParseRigEnumName<TEnum>(*Name) : std::nullopt;
		if (!Parsed)
		{
			return Refuse("\"" + std::string(Key) + "\" is no entry name: " + Value->AsText().value_or("(not text)"), OutError);
		}
		InOutValue = *Parsed;
		return true;
	}

	bool ReadOptionalTransform(const FJsonObject& Object, std::string_view Key, FTransform& InOutTransform, std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::optional<FTransform> Transform = ReadRigTransform(*Value, OutError);
		if (!Transform)
		{
			OutError = "\"" + std::string(Key) + "\": " + OutError;
			return false;
		}
		InOutTransform = *Transform;
		return true;
	}

	bool ReadOptionalControlValue(const FJsonObject& Object, std::string_view Key, ERigControlType ControlType, std::optional<FRigControlValue>& OutValue,
		std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		OutValue = ReadRigControlValue(*Value, ControlType, OutError);
		if (!OutValue)
		{
			OutError = "\"" + std::string(Key) + "\": " + OutError;
			return false;
		}
		return true;
	}

	bool ReadColor(const FJsonObject& Object, std::string_view Key, FLinearColor& InOutColor, std::string& OutError)
	{
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonObject> Color = Value->TryGetObject();
		FLinearColor Read;
		float* const Channels[] = {&Read.R, &Read.G, &Read.B, &Read.A};
		constexpr std::string_view Names[] = {"r", "g", "b", "a"};
		for (int Index = 0; Index < 4; ++Index)
		{
			const std::optional<double> Number = Color ? Color->TryGetNumberField(Names[Index]) : std::nullopt;
			if (!Number || !(std::abs(*Number) <= std::numeric_limits<float>::max()))
			{
				return Refuse("\"" + std::string(Key) + "\" is not a colour {r, g, b, a} of single-precision numbers", OutError);
			}
			*Channels[Index] = static_cast<float>(*Number);
		}
		InOutColor = Read;
		return true;
	}

	bool ReadControlSettings(const FJsonObject& Control, FRigElementEntry& Entry, std::string& OutError)
	{
		FRigControlSettings& Settings = Entry.ControlSettings;
		if (!ReadOptionalEnum(Control, "controlType", Settings.ControlType, OutError) || !ReadOptionalEnum(Control, "animationType", Settings.AnimationType, OutError)
			|| !ReadOptionalText(Control, "displayName", Settings.DisplayName, OutError) || !ReadOptionalText(Control, "shapeName", Settings.ShapeName, OutError)
			|| !ReadColor(Control, "shapeColor", Settings.ShapeColor, OutError) || !ReadOptionalBool(Control, "shapeVisible", Settings.bShapeVisible, OutError)
			|| !ReadOptionalTransform(Control, "shapeTransform", Entry.ShapeTransform, OutError))
		{
			return false;
		}
		return ReadOptionalControlValue(Control, "initialValue", Settings.ControlType, Entry.InitialValue, OutError)
			&& ReadOptionalControlValue(Control, "minimumValue", Settings.ControlType, Entry.MinimumValue, OutError)
			&& ReadOptionalControlValue(Control, "maximumValue", Settings.ControlType, Entry.MaximumValue, OutError);
	}

	bool ReadConnectorSettings(const FJsonObject& Connector, FRigConnectorSettings& Settings, std::string& OutError)
	{
		return ReadOptionalEnum(Connector, "type", Settings.Type, OutError) && ReadOptionalBool(Connector, "optional", Settings.bOptional, OutError)
			&& ReadOptionalBool(Connector, "isArray", Settings.bIsArray, OutError) && ReadOptionalText(Connector, "description", Settings.Description, OutError);
	}

	/** The settings object of the element's kind ("control", "connector"), read into Entry; an absent object keeps the defaults. */
	bool ReadKindSettings(const FJsonObject& Object, FRigElementEntry& Entry, std::string& OutError)
	{
		const bool bControl = Entry.Key.Type == ERigElementType::Control;
		if (!bControl && Entry.Key.Type != ERigElementType::Connector)
		{
			return true;
		}
		const std::string_view Key = bControl ? "control" : "connector";
		const FJsonValue* const Value = Object.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonObject> Settings = Value->TryGetObject();
		if (!Settings)
		{
			return Refuse("\"" + std::string(Key) + "\" is not an object", OutError);
		}
		if (!(bControl ? ReadControlSettings(*Settings, Entry, OutError) : ReadConnectorSettings(*Settings, Entry.ConnectorSettings, OutError)))
		{
			OutError = "\"" + std::string(Key) + "\": " + OutError;
			return false;
		}
		return true;
	}

	bool ReadCurveValue(const FJsonObject& Object, FRigElementEntry& Entry, std::string& OutError)
	{
		const FJsonValue* const Value = Entry.Key.Type == ERigElementType::Curve ? Object.TryGetField("value") : nullptr;
		if (Value == nullptr)
		{
			return true;
		}
		const std::optional<double> Number = Value->TryGetNumber();
		if (!Number || !(std::abs(*Number) <= std::numeric_limits<float>::max()))
		{
			return Refuse("\"value\" is not a single-precision number", OutError);
		}
		Entry.CurveValue = static_cast<float>(*Number);
		return true;
	}

	/** The entry's fields; nothing and a reason when one of them cannot be read. */
	std::optional<FRigElementEntry> ReadElementEntry(const FJsonObject& Object, std::vector<std::string>& OutWarnings, std::string& OutError)
	{
		FRigElementEntry Entry;
		std::optional<FRigElementKey> Key = ReadRigElementKeyMembers(&Object, OutError);
		if (!Key)
		{
			return std::nullopt;
		}
		Entry.Key = std::move(*Key);
		if (const FJsonValue* const Parent = Object.TryGetField("parent"))
		{
			std::string ParentError;
			std::optional<FRigElementKey> ParentKey = ReadRigElementKey(*Parent, ParentError);
			if (ParentKey)
			{
				Entry.Parent = std::move(*ParentKey);
			}
			else
			{
				OutWarnings.push_back("the parent of " + Entry.Key.Name + " cannot be read (" + ParentError + "); it is a root");
			}
		}
		if (!ReadOptionalTransform(Object, "transform", Entry.Transform, OutError) || !ReadOptionalText(Object, "module", Entry.ModuleName, OutError)
			|| !ReadKindSettings(Object, Entry, OutError) || !ReadCurveValue(Object, Entry, OutError))
		{
			return std::nullopt;
		}
		return Entry;
	}

	/** Adds the entry's element; a parent the hierarchy cannot take makes it a root (with a warning). */
	FRigBaseElement* AddEntry(URigHierarchy& Hierarchy, FRigElementEntry& Entry, std::vector<std::string>& OutWarnings)
	{
		const auto Add = [&Hierarchy, &Entry](const FRigElementKey& Parent) {
			return Entry.Key.Type == ERigElementType::Control
				? Hierarchy.AddControl(Entry.Key, Parent, Entry.ControlSettings, Entry.Transform, Entry.InitialValue)
				: Hierarchy.AddElement(Entry.Key, Parent, Entry.Transform);
		};
		FRigBaseElement* Element = Add(Entry.Parent);
		if (Element == nullptr && Entry.Parent.IsValid())
		{
			Element = Add({});
			if (Element != nullptr)
			{
				OutWarnings.push_back("the parent " + Entry.Parent.Name + " of " + Entry.Key.Name
					+ (Element->IsTransformElement() ? " is no earlier element with a transform; it is a root" : " is not used: the element has no transform"));
			}
		}
		return Element;
	}

	void ApplyEntry(URigHierarchy& Hierarchy, FRigBaseElement& Element, const FRigElementEntry& Entry)
	{
		Element.ModuleName = Entry.ModuleName;
		Element.ConnectorSettings = Entry.ConnectorSettings;
		Element.CurveValue = Entry.CurveValue;
		if (Element.GetType() != ERigElementType::Control)
		{
			return;
		}
		if (Entry.MinimumValue)
		{
			Hierarchy.SetControlValue(&Element, *Entry.MinimumValue, ERigControlValueType::Minimum);
		}
		if (Entry.MaximumValue)
		{
			Hierarchy.SetControlValue(&Element, *Entry.MaximumValue, ERigControlValueType::Maximum);
		}
		Hierarchy.SetControlShapeTransform(&Element, Entry.ShapeTransform, ERigTransformType::InitialLocal);
		Hierarchy.SetControlShapeTransform(&Element, Entry.ShapeTransform, ERigTransformType::CurrentLocal);
	}

	std::shared_ptr<FJsonObject> MakeColorObject(const FLinearColor& Color)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetNumberField("r", Color.R);
		Object->SetNumberField("g", Color.G);
		Object->SetNumberField("b", Color.B);
		Object->SetNumberField("a", Color.A);
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeControlObject(const URigHierarchy& Hierarchy, const FRigBaseElement& Control)
	{
		const FRigControlSettings& Settings = Control.ControlSettings;
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("controlType", GetRigEnumName(Settings.ControlType));
		Object->SetStringField("animationType", GetRigEnumName(Settings.AnimationType));
		Object->SetStringField("displayName", Settings.DisplayName);
		Object->SetStringField("shapeName", Settings.ShapeName);
		Object->SetObjectField("shapeColor", MakeColorObject(Settings.ShapeColor));
		Object->SetBoolField("shapeVisible", Settings.bShapeVisible);
		Object->SetObjectField("shapeTransform", MakeRigTransformObject(Hierarchy.GetControlShapeTransform(&Control, ERigTransformType::InitialLocal)));
		Object->SetField("initialValue", MakeRigControlValueJson(Control.InitialValue, Settings.ControlType));
		Object->SetField("minimumValue", MakeRigControlValueJson(Control.MinimumValue, Settings.ControlType));
		Object->SetField("maximumValue", MakeRigControlValueJson(Control.MaximumValue, Settings.ControlType));
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeConnectorObject(const FRigConnectorSettings& Settings)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("type", GetRigEnumName(Settings.Type));
		Object->SetBoolField("optional", Settings.bOptional);
		Object->SetBoolField("isArray", Settings.bIsArray);
		Object->SetStringField("description", Settings.Description);
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeElementObject(const URigHierarchy& Hierarchy, const FRigBaseElement& Element)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("type", GetRigEnumName(Element.GetType()));
		Object->SetStringField("name", Element.GetName());
		if (Element.ParentKey.IsValid())
		{
			Object->SetObjectField("parent", MakeRigElementKeyObject(Element.ParentKey));
		}
		if (Element.IsTransformElement())
		{
			const FTransform& Placement = Element.GetType() == ERigElementType::Control ? Element.OffsetTransform : Element.Pose.InitialLocal;
			std::shared_ptr<FJsonObject> Transform = MakeRigTransformObject(Placement);
			if (!Transform->IsEmpty())
			{
				Object->SetObjectField("transform", std::move(Transform));
			}
		}
		if (!Element.ModuleName.empty())
		{
			Object->SetStringField("module", Element.ModuleName);
		}
		switch (Element.GetType())
		{
		case ERigElementType::Control:
			Object->SetObjectField("control", MakeControlObject(Hierarchy, Element));
			break;
		case ERigElementType::Connector:
			Object->SetObjectField("connector", MakeConnectorObject(Element.ConnectorSettings));
			break;
		case ERigElementType::Curve:
			Object->SetNumberField("value", Element.CurveValue);
			break;
		default:
			break;
		}
		return Object;
	}
}

std::optional<FRigElementKey> ReadRigElementKey(const FJsonValue& Value, std::string& OutError)
{
	return ReadRigElementKeyMembers(Value.TryGetObject().get(), OutError);
}

std::optional<FRigElementKey> ReadRigElementKeyMembers(const FJsonObject* Object, std::string& OutError)
{
	const std::optional<std::string> TypeName = Object ? Object->TryGetStringField("type") : std::nullopt;
	const std::optional<std::string> Name = Object ? Object->TryGetStringField("name") : std::nullopt;
	if (!TypeName || !Name || Name->empty())
	{
		OutError = "an element needs a \"type\" and a \"name\" that is not empty";
		return std::nullopt;
	}
	const std::optional<ERigElementType> Type = ParseRigEnumName<ERigElementType>(*TypeName);
	if (!Type || !IsSingleElementKind(*Type))
	{
		OutError = "\"" + *TypeName + "\" is no element type";
		return std::nullopt;
	}
	return FRigElementKey{*Type, *Name};
}

std::shared_ptr<FJsonObject> MakeRigElementKeyObject(const FRigElementKey& Key)
{
	auto Object = std::make_shared<FJsonObject>();
	Object->SetStringField("type", GetRigEnumName(Key.Type));
	Object->SetStringField("name", Key.Name);
	return Object;
}

void ReadRigHierarchy(const FJsonValueArray& Entries, URigHierarchy& Hierarchy, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread)
{
	for (const FJsonValue& Value : Entries)
	{
		const std::shared_ptr<FJsonObject> Object = Value.TryGetObject();
		std::string Error = "an element is not an object";
		std::optional<FRigElementEntry> Entry = Object ? ReadElementEntry(*Object, OutWarnings, Error) : std::nullopt;
		FRigBaseElement* Element = nullptr;
		if (Entry && Hierarchy.Contains(Entry->Key))
		{
			Error = "element " + Entry->Key.Name + " is listed twice";
		}
		else if (Entry)
		{
			Element = AddEntry(Hierarchy, *Entry, OutWarnings);
		}
		if (Element != nullptr)
		{
			ApplyEntry(Hierarchy, *Element, *Entry);
		}
		else
		{
			OutWarnings.push_back(Error + "; it is left out");
			OutUnread.push_back(Value);
		}
	}
}

FJsonValueArray WriteRigHierarchy(const URigHierarchy& Hierarchy)
{
	FJsonValueArray Entries;
	Entries.reserve(static_cast<std::size_t>(Hierarchy.Num()));
	for (int32_t Index = 0; Index < Hierarchy.Num(); ++Index)
	{
		Entries.emplace_back(MakeElementObject(Hierarchy, *Hierarchy.Get(Index)));
	}
	return Entries;
}
