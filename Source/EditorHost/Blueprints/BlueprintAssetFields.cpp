#include "Blueprints/Blueprint.h"

#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/BlueprintGraphsJson.h"
#include "Blueprints/BlueprintVariableJson.h"
#include "Blueprints/ConstructionScriptJson.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/JsonObject.h"
#include "Core/LogHost.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <array>

namespace
{
	/**
	 * The class a `parentClass` path names: an engine class, or a Blueprint's generated class
	 * (loading that Blueprint). nullptr when there is none, or when it is not a class a Blueprint
	 * can derive from.
	 */
	UClass* FindParentClass(std::string_view Path)
	{
		if (UClass* const Native = FClassDatabase::Get().FindClass(Path))
		{
			return Native->HasAnyClassFlags(CLASS_Interface) ? nullptr : Native;
		}
		return Path.starts_with("/Script/") ? nullptr : Cast<UClass>(StaticLoadObject(UClass::StaticClass(), Path));
	}

	constexpr std::array<std::string_view, 6> BlueprintTypeNames = {"Normal", "Const", "MacroLibrary", "Interface", "LevelScript", "FunctionLibrary"};

	/** A class reference as the editor writes it in registry tags: `/Script/CoreUObject.Class'/Script/Engine.Actor'`. */
	std::string ClassReferenceText(std::string_view ClassClassPath, std::string_view ClassPath)
	{
		return std::string(ClassClassPath) + "'" + std::string(ClassPath) + "'";
	}
}

std::string_view BlueprintTypeName(EBlueprintType Type)
{
	return Type < BlueprintTypeNames.size() ? BlueprintTypeNames[Type] : BlueprintTypeNames[BPTYPE_Normal];
}

std::optional<EBlueprintType> ParseBlueprintTypeName(std::string_view Name)
{
	const auto Found = std::find(BlueprintTypeNames.begin(), BlueprintTypeNames.end(), Name);
	return Found != BlueprintTypeNames.end() ? std::optional(static_cast<EBlueprintType>(Found - BlueprintTypeNames.begin())) : std::nullopt;
}

bool UBlueprint::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	if (const FJsonValue* const Parent = File.TryGetField("parentClass"))
	{
		const std::string* const Written = Parent->TryGetString();
		const std::string Path = Written != nullptr ? ReferencedObjectPath(*Written) : std::string();
		ParentClass = Path.empty() ? nullptr : FindParentClass(Path);
		if (ParentClass == nullptr)
		{
			MissingParentClassPath = Path;
			Warnings.push_back("its parent class " + Parent->AsText().value_or(std::string("(not a path)")) + " is not found; it has no parent class");
		}
	}

	if (const FJsonValue* const Type = File.TryGetField("blueprintType"))
	{
		const std::string* const Written = Type->TryGetString();
		const std::optional<EBlueprintType> Parsed = Written != nullptr ? ParseBlueprintTypeName(*Written) : std::nullopt;
		BlueprintType = Parsed.value_or(BPTYPE_Normal);
		if (!Parsed)
		{
			Warnings.push_back("its blueprintType " + Type->AsText().value_or(std::string("(not a word)")) + " is unknown; it is a normal Blueprint");
		}
	}

	if (const std::shared_ptr<FJsonValueArray> Variables = File.TryGetArrayField("variables"))
	{
		for (const FJsonValue& Value : *Variables)
		{
			const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
			std::string Error = "a variable is not an object";
			std::optional<FBPVariableDescription> Variable = Entry ? BlueprintVariableFromJson(*Entry, Warnings, Error) : std::nullopt;
			if (Variable && FindVariable(Variable->VarName) != nullptr)
			{
				Error = "variable " + Variable->VarName + " is listed twice";
				Variable.reset();
			}
			if (Variable)
			{
				NewVariables.push_back(std::move(*Variable));
			}
			else
			{
				Warnings.push_back(Error + "; it is left out");
			}
		}
	}

	if (const FJsonValue* const Components = File.TryGetField("components"))
	{
		SimpleConstructionScript = NewObject<USimpleConstructionScript>(this, "SimpleConstructionScript");
		if (const std::shared_ptr<FJsonValueArray> Entries = Components->TryGetArray())
		{
			ConstructionScriptFromJson(*SimpleConstructionScript, *Entries, Warnings);
		}
		else
		{
			Warnings.push_back("\"components\" is not an array; the construction script is empty");
		}
	}

	if (const std::shared_ptr<FJsonObject> Graphs = File.TryGetObjectField("graphs"))
	{
		BlueprintGraphsFromJson(*this, *Graphs, Warnings);
	}

	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Blueprint %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	RegenerateBlueprintClass(*this);
	return true;
}

void UBlueprint::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (ParentClass != nullptr || !MissingParentClassPath.empty())
	{
		OutFile.SetStringField("parentClass", ParentClass != nullptr ? ParentClass->GetPathName() : MissingParentClassPath);
	}
	else
	{
		OutFile.RemoveField("parentClass");
	}
	if (BlueprintType != BPTYPE_Normal)
	{
		OutFile.SetStringField("blueprintType", BlueprintTypeName(BlueprintType));
	}
	else
	{
		OutFile.RemoveField("blueprintType");
	}
	FJsonValueArray Variables;
	for (const FBPVariableDescription& Variable : NewVariables)
	{
		Variables.emplace_back(BlueprintVariableToJson(Variable));
	}
	OutFile.SetArrayField("variables", std::move(Variables));
	if (SimpleConstructionScript != nullptr)
	{
		OutFile.SetArrayField("components", ConstructionScriptToJson(*SimpleConstructionScript));
	}
	else
	{
		OutFile.RemoveField("components");
	}
	OutFile.SetObjectField("graphs", BlueprintGraphsToJson(*this));
}

void UBlueprint::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	Super::GetAssetRegistryTags(OutTags);
	std::erase_if(OutTags, [](const FAssetRegistryTag& Tag) { return Tag.Name == "ParentClass"; });
	if (ParentClass != nullptr)
	{
		OutTags.push_back({"ParentClass", ClassReferenceText(ParentClass->GetClass()->GetPathName(), ParentClass->GetPathName())});
	}
	else if (!MissingParentClassPath.empty())
	{
		OutTags.push_back({"ParentClass", ClassReferenceText(UClass::StaticClassPath, MissingParentClassPath)});
	}
}
