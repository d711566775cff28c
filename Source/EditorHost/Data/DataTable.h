#pragma once

#include "Objects/Object.h"

#include <memory>
#include <string>
#include <vector>

class FJsonObject;
class UScriptStruct;

/** One row of a data table: its name and its values by property name, as the asset file holds them. */
struct FDataTableRow
{
	std::string Name;
	std::shared_ptr<FJsonObject> Values;
};

/**
 * A table of rows that share one row structure from the class database.
 * Asset fields: "rowStruct" (the structure's path, "/Script/Module.Name") and
 * "rows" (array of {"name", "values": {property name: value}}). Row names are
 * names: unique, letter case ignored. A structure the class database lacks
 * leaves the table without one (as the editor loads a table whose structure
 * is gone) and its path is kept for saving.
 */
class UDataTable : public UObject
{
	DECLARE_ENGINE_CLASS(UDataTable, UObject, "/Script/Engine.DataTable")

public:
	/** The row structure, or nullptr when the table has none. */
	const UScriptStruct* GetRowStruct() const { return RowStruct; }
	const std::vector<FDataTableRow>& GetRows() const { return Rows; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	/** "RowStructure": the row structure's path. */
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	bool LoadRows(const FJsonObject& File, std::string& OutError);

	std::string RowStructPath;
	const UScriptStruct* RowStruct = nullptr;
	std::vector<FDataTableRow> Rows;
};
