#pragma once

#include "Objects/Object.h"
#include "Objects/Property.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

/** Structure flags with the editor's values (the ones the class database uses). */
enum EStructFlags : uint32_t
{
	STRUCT_NoFlags = 0x00000000,
	/** Exported and compared as a whole: a changed member writes every member, not just the changed ones. */
	STRUCT_Atomic = 0x00000010,
	/** Immutable structures are atomic too. */
	STRUCT_Immutable = 0x00000020,
};

/** The flag of a name as the class database writes it ("Atomic" for STRUCT_Atomic), or empty. */
std::optional<EStructFlags> ParseStructFlag(std::string_view Name);

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
	uint32_t GetStructFlags() const { return StructFlags; }
	bool HasAnyStructFlags(uint32_t Mask) const { return (StructFlags & Mask) != 0; }
	/** Whether a value of this structure is exported whole against a delta (atomic or immutable). */
	bool IsAtomic() const { return HasAnyStructFlags(STRUCT_Atomic | STRUCT_Immutable); }
	/** The properties this structure itself declares, in declaration order. */
	const std::vector<FProperty>& GetOwnProperties() const { return Properties; }
	/** Every property as the editor's field iterator walks them: this structure's own first, then each super's. */
	std::vector<const FProperty*> GetAllProperties() const;

private:
	friend class FClassDatabase;

	UScriptStruct* SuperStruct = nullptr;
	uint32_t StructFlags = STRUCT_NoFlags;
	std::vector<FProperty> Properties;
};
