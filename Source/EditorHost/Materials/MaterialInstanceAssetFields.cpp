#include "Materials/MaterialInstance.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Data/AssetFieldReaders.h"
#include "Materials/MaterialEnumNames.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

#include <algorithm>
#include <array>

namespace
{
	/** `name`, `association` and `index` of a parameter value entry; nothing when they are not a parameter's. */
	std::optional<FMaterialParameterInfo> ReadParameterInfo(const FJsonObject& Entry)
	{
		const std::optional<std::string> Name = Entry.TryGetStringField("name");
		const std::optional<std::string> AssociationName = Entry.TryGetStringField("association");
		const std::optional<EMaterialParameterAssociation> Association =
			AssociationName ? MaterialEnumNames::FromName<EMaterialParameterAssociation>(*AssociationName) : std::optional(GlobalParameter);
		if (!Name || Name->empty() || !Association)
		{
			return std::nullopt;
		}
		return FMaterialParameterInfo{*Name, *Association, Entry.TryGetInt32Field("index").value_or(*Association == GlobalParameter ? -1 : 0)};
	}

	std::shared_ptr<FJsonObject> WriteParameterInfo(const FMaterialParameterInfo& Info)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Info.Name);
		Entry->SetStringField("association", MaterialEnumNames::ToName(Info.Association));
		Entry->SetNumberField("index", Info.Index);
		return Entry;
	}

	/**
	 * The entries of an array field, each with its parameter info; an entry that is not an object
	 * naming a parameter, or whose value Read refuses, is left out with a warning.
	 */
	template <typename TRead>
	void ReadParameterEntries(const FJsonObject& File, std::string_view Field, std::vector<std::string>& Warnings, TRead&& Read)
	{
		const std::shared_ptr<FJsonValueArray> Entries = File.TryGetArrayField(Field);
		if (!Entries)
		{
			return;
		}
		for (std::size_t Index = 0; Index < Entries->size(); ++Index)
		{
			const std::shared_ptr<FJsonObject> Entry = (*Entries)[Index].TryGetObject();
			const std::optional<FMaterialParameterInfo> Info = Entry ? ReadParameterInfo(*Entry) : std::nullopt;
			if (!Info || !Read(*Info, *Entry))
			{
				Warnings.push_back("entry " + std::to_string(Index) + " of \"" + std::string(Field) + "\" is not a parameter value; it is left out");
			}
		}
	}

	/**
	 * The number to write for a float: the number as read when it still gives the same float (so
	 * a hand-written 0.3 stays 0.3), else the float itself.
	 */
	FJsonValue FloatValue(float Value, const FJsonValue* AsRead)
	{
		const std::optional<double> Read = AsRead != nullptr ? AsRead->TryGetNumber() : std::nullopt;
		return Read && static_cast<float>(*Read) == Value ? FJsonValue(*Read) : FJsonValue(static_cast<double>(Value));
	}

	/** The object of the kept array entry at Index, when it names the same parameter. */
	std::shared_ptr<FJsonObject> KeptEntry(const std::shared_ptr<FJsonValueArray>& Kept, std::size_t Index, const FMaterialParameterInfo& Info)
	{
		if (!Kept || Index >= Kept->size())
		{
			return nullptr;
		}
		std::shared_ptr<FJsonObject> Entry = (*Kept)[Index].TryGetObject();
		return Entry && ReadParameterInfo(*Entry) == Info ? Entry : nullptr;
	}
}

bool UMaterialInstanceConstant::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	if (const std::optional<std::string> ParentPath = File.TryGetStringField("parent"); ParentPath && !ParentPath->empty())
	{
		UMaterialInterface* const Loaded = LoadObject<UMaterialInterface>(*ParentPath);
		Parent = Loaded != this ? Loaded : nullptr;
		if (Parent == nullptr)
		{
			MissingParentPath = *ParentPath;
			Warnings.push_back("its parent " + *ParentPath + " does not load as a material; it has no parent");
		}
	}
	ReadParameterEntries(File, "scalarParameterValues", Warnings, [this](const FMaterialParameterInfo& Info, const FJsonObject& Entry) {
		const std::optional<float> Value = TryGetFloatField(Entry, "value");
		if (Value)
		{
			ScalarParameterValues.push_back({Info, *Value});
		}
		return Value.has_value();
	});
	ReadParameterEntries(File, "vectorParameterValues", Warnings, [this](const FMaterialParameterInfo& Info, const FJsonObject& Entry) {
		const std::shared_ptr<FJsonObject> Color = Entry.TryGetObjectField("value");
		if (!Color)
		{
			return false;
		}
		FLinearColor Value{TryGetFloatField(*Color, "r").value_or(0.0f), TryGetFloatField(*Color, "g").value_or(0.0f), TryGetFloatField(*Color, "b").value_or(0.0f),
			TryGetFloatField(*Color, "a").value_or(0.0f)};
		VectorParameterValues.push_back({Info, Value});
		return true;
	});
	ReadParameterEntries(File, "textureParameterValues", Warnings, [this, &Warnings](const FMaterialParameterInfo& Info, const FJsonObject& Entry) {
		const std::optional<std::string> Path = Entry.TryGetStringField("value");
		UTexture* const Texture = Path && !Path->empty() ? LoadObject<UTexture>(*Path) : nullptr;
		if (Texture == nullptr && Path && !Path->empty())
		{
			MissingTexturePaths.emplace_back(Info, *Path);
			Warnings.push_back("the texture " + *Path + " of parameter " + Info.Name + " does not load; the parameter has no texture");
		}
		TextureParameterValues.push_back({Info, Texture});
		return true;
	});
	ReadParameterEntries(File, "staticSwitchParameters", Warnings, [this](const FMaterialParameterInfo& Info, const FJsonObject& Entry) {
		const std::optional<bool> Value = Entry.TryGetBoolField("value");
		if (Value)
		{
			StaticSwitchParameters.push_back({Info, *Value, FGuid{}});
		}
		return Value.has_value();
	});
	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Material instance %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	return true;
}

void UMaterialInstanceConstant::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (Parent != nullptr || !MissingParentPath.empty())
	{
		OutFile.SetStringField("parent", Parent != nullptr ? Parent->GetPathName() : MissingParentPath);
	}
	else
	{
		OutFile.RemoveField("parent");
	}

	const std::shared_ptr<FJsonValueArray> KeptScalars = OutFile.TryGetArrayField("scalarParameterValues");
	FJsonValueArray Scalars;
	for (std::size_t Index = 0; Index < ScalarParameterValues.size(); ++Index)
	{
		const FScalarParameterValue& Value = ScalarParameterValues[Index];
		const std::shared_ptr<FJsonObject> Kept = KeptEntry(KeptScalars, Index, Value.ParameterInfo);
		std::shared_ptr<FJsonObject> Entry = WriteParameterInfo(Value.ParameterInfo);
		Entry->SetField("value", FloatValue(Value.ParameterValue, Kept ? Kept->TryGetField("value") : nullptr));
		Scalars.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("scalarParameterValues", std::move(Scalars));

	const std::shared_ptr<FJsonValueArray> KeptVectors = OutFile.TryGetArrayField("vectorParameterValues");
	FJsonValueArray Vectors;
	for (std::size_t Index = 0; Index < VectorParameterValues.size(); ++Index)
	{
		const FVectorParameterValue& Value = VectorParameterValues[Index];
		const std::shared_ptr<FJsonObject> Kept = KeptEntry(KeptVectors, Index, Value.ParameterInfo);
		const std::shared_ptr<FJsonObject> KeptColor = Kept ? Kept->TryGetObjectField("value") : nullptr;
		auto Color = std::make_shared<FJsonObject>();
		const std::array<std::pair<const char*, float>, 4> Channels = {{{"r", Value.ParameterValue.R}, {"g", Value.ParameterValue.G}, {"b", Value.ParameterValue.B}, {"a", Value.ParameterValue.A}}};
		for (const auto& [Key, Channel] : Channels)
		{
			Color->SetField(Key, FloatValue(Channel, KeptColor ? KeptColor->TryGetField(Key) : nullptr));
		}
		std::shared_ptr<FJsonObject> Entry = WriteParameterInfo(Value.ParameterInfo);
		Entry->SetObjectField("value", std::move(Color));
		Vectors.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("vectorParameterValues", std::move(Vectors));

	FJsonValueArray Textures;
	for (const FTextureParameterValue& Value : TextureParameterValues)
	{
		std::shared_ptr<FJsonObject> Entry = WriteParameterInfo(Value.ParameterInfo);
		const auto Missing = std::find_if(MissingTexturePaths.begin(), MissingTexturePaths.end(), [&Value](const auto& Path) { return Path.first == Value.ParameterInfo; });
		if (Value.ParameterValue != nullptr)
		{
			Entry->SetStringField("value", Value.ParameterValue->GetPathName());
		}
		else if (Missing != MissingTexturePaths.end())
		{
			Entry->SetStringField("value", Missing->second);
		}
		else
		{
			Entry->SetField("value", FJsonValue());
		}
		Textures.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("textureParameterValues", std::move(Textures));

	FJsonValueArray Switches;
	for (const FStaticSwitchParameter& Value : StaticSwitchParameters)
	{
		std::shared_ptr<FJsonObject> Entry = WriteParameterInfo(Value.ParameterInfo);
		Entry->SetBoolField("value", Value.Value);
		Switches.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("staticSwitchParameters", std::move(Switches));
}

void UMaterialInstanceConstant::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "Parent"; });
	if (Parent != nullptr || !MissingParentPath.empty())
	{
		OutTags.push_back({"Parent", Parent != nullptr ? Parent->GetPathName() : MissingParentPath});
	}
}
