#include "Data/DataTable.h"

#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Objects/ClassDatabase.h"

#include <algorithm>
#include <unordered_set>

namespace
{
	/** Row names are names: "Crate" and "crate" are the same row. */
	std::string AsciiLower(std::string Name)
	{
		std::transform(Name.begin(), Name.end(), Name.begin(), [](unsigned char Char) { return Char >= 'A' && Char <= 'Z' ? static_cast<char>(Char - 'A' + 'a') : static_cast<char>(Char); });
		return Name;
	}
}

bool UDataTable::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	RowStructPath = File.TryGetStringField("rowStruct").value_or(std::string());
	RowStruct = FClassDatabase::Get().FindStruct(RowStructPath);
	if (RowStruct == nullptr && !RowStructPath.empty())
	{
		UE_LOG(LogHost, Warning, "Data table %s: its row structure %s is not in the class database", GetPathName().c_str(), RowStructPath.c_str());
	}
	return LoadRows(File, OutError);
}

bool UDataTable::LoadRows(const FJsonObject& File, std::string& OutError)
{
	const std::shared_ptr<FJsonValueArray> Entries = File.TryGetArrayField("rows");
	if (!Entries)
	{
		return true;
	}
	std::unordered_set<std::string> Names;
	Rows.reserve(Entries->size());
	for (const FJsonValue& Value : *Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
		if (!Name || Name->empty())
		{
			OutError = "a data table row needs a \"name\"";
			return false;
		}
		if (!Names.insert(AsciiLower(*Name)).second)
		{
			OutError = "row " + *Name + " appears twice";
			return false;
		}
		const FJsonValue* Values = Entry->TryGetField("values");
		std::shared_ptr<FJsonObject> RowValues = Values != nullptr ? Values->TryGetObject() : std::make_shared<FJsonObject>();
		if (!RowValues)
		{
			OutError = "the values of row " + *Name + " are not an object";
			return false;
		}
		Rows.push_back({*Name, std::move(RowValues)});
	}
	return true;
}

void UDataTable::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (RowStructPath.empty() && Rows.empty())
	{
		return;
	}
	OutFile.SetStringField("rowStruct", RowStructPath);
	FJsonValueArray Entries;
	Entries.reserve(Rows.size());
	for (const FDataTableRow& Row : Rows)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Row.Name);
		Entry->SetObjectField("values", Row.Values);
		Entries.emplace_back(std::move(Entry));
	}
	OutFile.SetArrayField("rows", std::move(Entries));
}

void UDataTable::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	if (!RowStructPath.empty())
	{
		OutTags.push_back({"RowStructure", RowStructPath});
	}
}
