#pragma once

#include "Objects/Object.h"
#include "Objects/Property.h"

#include <vector>

/**
 * An engine structure ("/Script/Engine.TableRowBase"): its name without the F
 * prefix, its script package, an optional super structure and the properties it
 * declares. Structures come from the class database's "structs" array and live
 * as long as it does; data tables use them as row structures.
 */
class UScriptStruct : public UObject
{
	DECLARE_ENGINE_CLASS(UScriptStruct, UObject, "/Script/CoreUObject.ScriptStruct")

public:
	UScriptStruct* GetSuperStruct() const { return SuperStruct; }
	/** The properties this structure itself declares, in declaration order. */
	const std::vector<FProperty>& GetOwnProperties() const { return Properties; }
	/** Every property as the editor's field iterator walks them: this structure's own first, then each super's. */
	std::vector<const FProperty*> GetAllProperties() const;

private:
	friend class FClassDatabase;

	UScriptStruct* SuperStruct = nullptr;
	std::vector<FProperty> Properties;
};
