#pragma once

#include "Blueprints/BlueprintVariable.h"
#include "Blueprints/CompilerResultsLog.h"
#include "Objects/Object.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UClass;
class UEdGraph;
class USimpleConstructionScript;

/** Where a Blueprint stands with its compiler, with the editor's values. */
enum EBlueprintStatus : uint8_t
{
	BS_Unknown,
	BS_Dirty,
	BS_Error,
	BS_UpToDate,
	BS_BeingCreated,
	BS_UpToDateWithWarnings,
};

/** What kind of Blueprint an asset is, with the editor's values; it decides the flags of user-made functions. */
enum EBlueprintType : uint8_t
{
	BPTYPE_Normal,
	BPTYPE_Const,
	BPTYPE_MacroLibrary,
	BPTYPE_Interface,
	BPTYPE_LevelScript,
	BPTYPE_FunctionLibrary,
};

/** The asset file's word for a Blueprint type ("FunctionLibrary"), and back; nothing for an unknown word. */
std::string_view BlueprintTypeName(EBlueprintType Type);
std::optional<EBlueprintType> ParseBlueprintTypeName(std::string_view Name);

/**
 * A Blueprint asset: a class built in the editor on top of a parent class. It holds its
 * member variables, the construction script that lays out its components, its graphs
 * (event graph pages, function graphs and macro graphs, all living inside the Blueprint),
 * the class the compiler generates from it and the compiler's last results. Widget, Anim,
 * Editor Utility Widget and Control Rig Blueprints are classes below it and load with this
 * type. docs/PROJECT_FORMAT.md gives the asset's fields.
 */
class UBlueprint : public UObject
{
	DECLARE_ENGINE_CLASS(UBlueprint, UObject, "/Script/Engine.Blueprint")

public:
	/** The class the Blueprint derives from; nullptr when its parent is missing. */
	UClass* ParentClass = nullptr;
	EBlueprintType BlueprintType = BPTYPE_Normal;
	/** The Blueprint's own member variables, in their stored order. */
	std::vector<FBPVariableDescription> NewVariables;
	/** The component layout; nullptr for Blueprints without one (function libraries, Anim Blueprints...). */
	USimpleConstructionScript* SimpleConstructionScript = nullptr;
	/** The event graph pages. */
	std::vector<UEdGraph*> UbergraphPages;
	std::vector<UEdGraph*> FunctionGraphs;
	std::vector<UEdGraph*> MacroGraphs;
	/** The class the last compile generated (`<Name>_C` in the Blueprint's package); nullptr before the first. */
	UClass* GeneratedClass = nullptr;
	EBlueprintStatus Status = BS_Dirty;
	/** What the last compile reported. */
	FCompilerResultsLog LastCompileResults;

	/** Every graph: event graph pages, then function graphs, then macro graphs. */
	std::vector<UEdGraph*> GetAllGraphs() const;
	/** The member variable of that name, or nullptr. */
	FBPVariableDescription* FindVariable(std::string_view VarName);
	const FBPVariableDescription* FindVariable(std::string_view VarName) const;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	/** ParentClass (the parent's path), as the registry lists Blueprints. */
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

	/** The parent class path the asset file named when that class was not found; saving writes it back. */
	const std::string& GetMissingParentClassPath() const { return MissingParentClassPath; }

private:
	std::string MissingParentClassPath;
};
