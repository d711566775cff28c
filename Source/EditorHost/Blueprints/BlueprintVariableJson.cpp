#include "Blueprints/BlueprintVariableJson.h"

#include "Blueprints/BlueprintNames.h"
#include "Core/JsonObject.h"
#include "Objects/Property.h"

namespace
{
	bool IsContainerType(std::string_view Container)
	{
		return Container == "None" || Container == "Array" || Container == "Set" || Container == "Map";
	}

	/** Reads an optional text field into Target; false when it is there but not text. */
	bool ReadText(const FJsonObject& Object, std::string_view Key, std::string& Target, std::string& OutError)
	{
		const FJsonValue* const Field = Object.TryGetField(Key);
		if (Field == nullptr)
		{
			return true;
		}
		const std::string* const Text = Field->TryGetString();
		if (Text == nullptr)
		{
			OutError = "\"" + std::string(Key) + "\" is not text";
			return false;
		}
		Target = *Text;
		return true;
	}

	/** Reads an optional boolean field into Target; false when it is there but not a boolean. */
	bool ReadBool(const FJsonObject& Object, std::string_view Key, bool& Target, std::string& OutError)
	{
		const FJsonValue* const Field = Object.TryGetField(Key);
		if (Field == nullptr)
		{
			return true;
		}
		const std::optional<bool> Value = Field->TryGetBool();
		if (!Value)
		{
			OutError = "\"" + std::string(Key) + "\" is not a boolean";
			return false;
		}
		Target = *Value;
		return true;
	}

	void SetTextIfNotEmpty(FJsonObject& Object, std::string_view Key, const std::string& Text, std::string_view Empty = {})
	{
		if (!Text.empty() && Text != Empty)
		{
			Object.SetStringField(Key, Text);
		}
	}

	void SetTrueOnly(FJsonObject& Object, std::string_view Key, bool bValue)
	{
		if (bValue)
		{
			Object.SetBoolField(Key, true);
		}
	}

	std::shared_ptr<FJsonObject> TerminalTypeToJson(const FEdGraphTerminalType& Terminal)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("category", Terminal.TerminalCategory);
		SetTextIfNotEmpty(*Object, "subCategory", Terminal.TerminalSubCategory);
		SetTextIfNotEmpty(*Object, "subCategoryObject", Terminal.TerminalSubCategoryObject, "None");
		SetTrueOnly(*Object, "isConst", Terminal.bTerminalIsConst);
		SetTrueOnly(*Object, "isWeakPointer", Terminal.bTerminalIsWeakPointer);
		SetTrueOnly(*Object, "isUObjectWrapper", Terminal.bTerminalIsUObjectWrapper);
		return Object;
	}

	std::optional<FEdGraphTerminalType> TerminalTypeFromJson(const FJsonObject& Object, std::string& OutError)
	{
		FEdGraphTerminalType Terminal;
		const std::optional<std::string> Category = Object.TryGetStringField("category");
		if (!Category || Category->empty())
		{
			OutError = "the map's value type has no \"category\"";
			return std::nullopt;
		}
		Terminal.TerminalCategory = *Category;
		if (!ReadText(Object, "subCategory", Terminal.TerminalSubCategory, OutError) || !ReadText(Object, "subCategoryObject", Terminal.TerminalSubCategoryObject, OutError)
			|| !ReadBool(Object, "isConst", Terminal.bTerminalIsConst, OutError) || !ReadBool(Object, "isWeakPointer", Terminal.bTerminalIsWeakPointer, OutError)
			|| !ReadBool(Object, "isUObjectWrapper", Terminal.bTerminalIsUObjectWrapper, OutError))
		{
			return std::nullopt;
		}
		return Terminal;
	}

	/** `propertyFlags`: flag names as the class database writes them; unknown names become warnings. */
	uint64_t ReadPropertyFlags(const FJsonObject& Entry, std::vector<std::string>& OutWarnings)
	{
		const FJsonValue* const Field = Entry.TryGetField("propertyFlags");
		if (Field == nullptr)
		{
			return 0;
		}
		const std::shared_ptr<FJsonValueArray> Names = Field->TryGetArray();
		if (!Names)
		{
			OutWarnings.push_back("\"propertyFlags\" is not an array");
			return 0;
		}
		uint64_t Flags = 0;
		for (const FJsonValue& Name : *Names)
		{
			const std::string* const Text = Name.TryGetString();
			const std::optional<EPropertyFlags> Flag = Text != nullptr ? ParsePropertyFlag(*Text) : std::nullopt;
			if (Flag)
			{
				Flags |= *Flag;
			}
			else
			{
				OutWarnings.push_back("unknown property flag " + Name.AsText().value_or(std::string("(not a name)")));
			}
		}
		return Flags;
	}

	/** `metadata`: {key, value} pairs in order; a malformed pair is left out with a warning. */
	std::vector<FBPVariableMetaDataEntry> ReadMetaData(const FJsonObject& Entry, std::vector<std::string>& OutWarnings)
	{
		std::vector<FBPVariableMetaDataEntry> MetaData;
		const FJsonValue* const Field = Entry.TryGetField("metadata");
		if (Field == nullptr)
		{
			return MetaData;
		}
		const std::shared_ptr<FJsonValueArray> Pairs = Field->TryGetArray();
		if (!Pairs)
		{
			OutWarnings.push_back("\"metadata\" is not an array");
			return MetaData;
		}
		for (const FJsonValue& Value : *Pairs)
		{
			const std::shared_ptr<FJsonObject> Pair = Value.TryGetObject();
			const std::optional<std::string> Key = Pair ? Pair->TryGetStringField("key") : std::nullopt;
			const std::optional<std::string> Text = Pair ? Pair->TryGetStringField("value") : std::nullopt;
			if (!Key || Key->empty() || !Text)
			{
				OutWarnings.push_back("a metadata entry is not a {key, value} pair of text");
				continue;
			}
			MetaData.push_back({*Key, *Text});
		}
		return MetaData;
	}

	ELifetimeCondition ReadReplicationCondition(const FJsonObject& Entry, std::vector<std::string>& OutWarnings)
	{
		const FJsonValue* const Field = Entry.TryGetField("replicationCondition");
		if (Field == nullptr)
		{
			return COND_None;
		}
		const std::string* const Name = Field->TryGetString();
		const UEnum* const Conditions = StaticEnum<ELifetimeCondition>();
		const std::optional<int64_t> Value = Name != nullptr && Conditions != nullptr ? Conditions->GetValueByNameString(*Name) : std::nullopt;
		if (!Value || *Value < COND_None || *Value >= COND_Max)
		{
			OutWarnings.push_back("unknown replication condition " + Field->AsText().value_or(std::string("(not a name)")));
			return COND_None;
		}
		return static_cast<ELifetimeCondition>(*Value);
	}
}

std::shared_ptr<FJsonObject> PinTypeToJson(const FEdGraphPinType& PinType)
{
	auto Object = std::make_shared<FJsonObject>();
	Object->SetStringField("category", PinType.PinCategory);
	SetTextIfNotEmpty(*Object, "subCategory", PinType.PinSubCategory);
	SetTextIfNotEmpty(*Object, "subCategoryObject", PinType.PinSubCategoryObject, "None");
	SetTextIfNotEmpty(*Object, "container", PinType.ContainerType, "None");
	if (PinType.IsMap())
	{
		Object->SetObjectField("valueType", TerminalTypeToJson(PinType.PinValueType));
	}
	SetTrueOnly(*Object, "isReference", PinType.bIsReference);
	SetTrueOnly(*Object, "isConst", PinType.bIsConst);
	SetTrueOnly(*Object, "isWeakPointer", PinType.bIsWeakPointer);
	SetTrueOnly(*Object, "isUObjectWrapper", PinType.bIsUObjectWrapper);
	return Object;
}

std::optional<FEdGraphPinType> PinTypeFromJson(const FJsonObject& Object, std::string& OutError)
{
	FEdGraphPinType PinType;
	const std::optional<std::string> Category = Object.TryGetStringField("category");
	if (!Category || Category->empty())
	{
		OutError = "the type has no \"category\"";
		return std::nullopt;
	}
	PinType.PinCategory = *Category;
	if (!ReadText(Object, "subCategory", PinType.PinSubCategory, OutError) || !ReadText(Object, "subCategoryObject", PinType.PinSubCategoryObject, OutError)
		|| !ReadText(Object, "container", PinType.ContainerType, OutError) || !ReadBool(Object, "isReference", PinType.bIsReference, OutError)
		|| !ReadBool(Object, "isConst", PinType.bIsConst, OutError) || !ReadBool(Object, "isWeakPointer", PinType.bIsWeakPointer, OutError)
		|| !ReadBool(Object, "isUObjectWrapper", PinType.bIsUObjectWrapper, OutError))
	{
		return std::nullopt;
	}
	if (!IsContainerType(PinType.ContainerType))
	{
		OutError = "unknown container \"" + PinType.ContainerType + "\"";
		return std::nullopt;
	}
	if (PinType.IsMap())
	{
		const std::shared_ptr<FJsonObject> ValueType = Object.TryGetObjectField("valueType");
		if (!ValueType)
		{
			OutError = "a Map needs a \"valueType\" object";
			return std::nullopt;
		}
		std::optional<FEdGraphTerminalType> Terminal = TerminalTypeFromJson(*ValueType, OutError);
		if (!Terminal)
		{
			return std::nullopt;
		}
		PinType.PinValueType = std::move(*Terminal);
	}
	return PinType;
}

std::shared_ptr<FJsonObject> BlueprintVariableToJson(const FBPVariableDescription& Variable)
{
	auto Entry = std::make_shared<FJsonObject>();
	Entry->SetStringField("name", Variable.VarName);
	Entry->SetStringField("guid", Variable.VarGuid.ToString());
	Entry->SetObjectField("type", PinTypeToJson(Variable.VarType));
	SetTextIfNotEmpty(*Entry, "defaultValue", Variable.DefaultValue);
	SetTextIfNotEmpty(*Entry, "category", Variable.Category);
	SetTextIfNotEmpty(*Entry, "friendlyName", Variable.FriendlyName);
	const std::vector<std::string_view> FlagNames = GetPropertyFlagNames(Variable.PropertyFlags);
	if (!FlagNames.empty())
	{
		FJsonValueArray Flags;
		for (const std::string_view Name : FlagNames)
		{
			Flags.emplace_back(Name);
		}
		Entry->SetArrayField("propertyFlags", std::move(Flags));
	}
	if (Variable.ReplicationCondition != COND_None)
	{
		const UEnum* const Conditions = StaticEnum<ELifetimeCondition>();
		Entry->SetStringField("replicationCondition", Conditions != nullptr ? Conditions->GetNameStringByValue(Variable.ReplicationCondition) : std::string());
	}
	SetTextIfNotEmpty(*Entry, "repNotifyFunc", Variable.RepNotifyFunc);
	if (!Variable.MetaDataArray.empty())
	{
		FJsonValueArray MetaData;
		for (const FBPVariableMetaDataEntry& Pair : Variable.MetaDataArray)
		{
			auto Item = std::make_shared<FJsonObject>();
			Item->SetStringField("key", Pair.DataKey);
			Item->SetStringField("value", Pair.DataValue);
			MetaData.emplace_back(std::move(Item));
		}
		Entry->SetArrayField("metadata", std::move(MetaData));
	}
	return Entry;
}

std::optional<FBPVariableDescription> BlueprintVariableFromJson(const FJsonObject& Entry, std::vector<std::string>& OutWarnings, std::string& OutError)
{
	FBPVariableDescription Variable;
	const std::optional<std::string> Name = Entry.TryGetStringField("name");
	if (!Name || !IsValidBlueprintMemberName(*Name))
	{
		OutError = "a variable needs a \"name\" without '.', ':' or '/'";
		return std::nullopt;
	}
	Variable.VarName = *Name;
	const std::shared_ptr<FJsonObject> Type = Entry.TryGetObjectField("type");
	std::optional<FEdGraphPinType> PinType = Type ? PinTypeFromJson(*Type, OutError) : std::nullopt;
	if (!PinType)
	{
		OutError = "variable " + *Name + ": " + (Type ? OutError : std::string("no \"type\" object"));
		return std::nullopt;
	}
	Variable.VarType = std::move(*PinType);
	if (!ReadText(Entry, "defaultValue", Variable.DefaultValue, OutError) || !ReadText(Entry, "category", Variable.Category, OutError)
		|| !ReadText(Entry, "friendlyName", Variable.FriendlyName, OutError) || !ReadText(Entry, "repNotifyFunc", Variable.RepNotifyFunc, OutError))
	{
		OutError = "variable " + *Name + ": " + OutError;
		return std::nullopt;
	}

	std::vector<std::string> Warnings;
	const std::optional<std::string> GuidText = Entry.TryGetStringField("guid");
	const std::optional<FGuid> Guid = GuidText ? FGuid::Parse(*GuidText) : std::nullopt;
	if (GuidText && !Guid)
	{
		Warnings.push_back("\"guid\" is not a GUID; a new one is made");
	}
	Variable.VarGuid = Guid.value_or(FGuid::NewGuid());
	Variable.PropertyFlags = ReadPropertyFlags(Entry, Warnings);
	Variable.ReplicationCondition = ReadReplicationCondition(Entry, Warnings);
	Variable.MetaDataArray = ReadMetaData(Entry, Warnings);
	for (std::string& Warning : Warnings)
	{
		OutWarnings.push_back("variable " + *Name + ": " + Warning);
	}
	return Variable;
}
