#pragma once

#include "Core/Guid.h"
#include "Graph/EdGraphPinType.h"
#include "Objects/Enum.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/** Replication conditions with the editor's values (the enumeration `/Script/Engine.ELifetimeCondition`). */
enum ELifetimeCondition : uint8_t
{
	COND_None = 0,
	COND_InitialOnly = 1,
	COND_OwnerOnly = 2,
	COND_SkipOwner = 3,
	COND_SimulatedOnly = 4,
	COND_AutonomousOnly = 5,
	COND_SimulatedOrPhysics = 6,
	COND_InitialOrOwner = 7,
	COND_Custom = 8,
	COND_ReplayOrOwner = 9,
	COND_ReplayOnly = 10,
	COND_SimulatedOnlyNoReplay = 11,
	COND_SimulatedOrPhysicsNoReplay = 12,
	COND_SkipReplay = 13,
	COND_Dynamic = 14,
	COND_Never = 15,
	COND_NetGroup = 16,
	COND_Max = 17,
};

/** `/Script/Engine.ELifetimeCondition` from the class database. */
template <>
const UEnum* StaticEnum<ELifetimeCondition>();

struct FBPVariableMetaDataEntry
{
	std::string DataKey;
	std::string DataValue;
};

/** Metadata keys the editor gives Blueprint variables. */
namespace FBlueprintMetadata
{
	inline constexpr std::string_view MD_Tooltip = "tooltip";
	inline constexpr std::string_view MD_ExposeOnSpawn = "ExposeOnSpawn";
}

/**
 * One member variable of a Blueprint. The pin type says what it holds (category, sub-category,
 * sub-category object, container); PropertyFlags has the editor's 64-bit CPF_ values (CPF_Net
 * for replicated, CPF_ExposeOnSpawn...). DefaultValue is the editor's export text of the value.
 */
struct FBPVariableDescription
{
	std::string VarName;
	FGuid VarGuid;
	FEdGraphPinType VarType;
	std::string FriendlyName;
	/** The category text shown in the Blueprint editor; empty means the default category. */
	std::string Category;
	uint64_t PropertyFlags = 0;
	std::string RepNotifyFunc;
	ELifetimeCondition ReplicationCondition = COND_None;
	/** Key and value pairs in their stored order; a key may repeat. */
	std::vector<FBPVariableMetaDataEntry> MetaDataArray;
	std::string DefaultValue;

	/** Whether any entry has that key. */
	bool HasMetaData(std::string_view Key) const;
	/** The value of the first entry with that key; empty text when none. */
	const std::string& GetMetaData(std::string_view Key) const;
	/** Sets the first entry with that key, or adds one. */
	void SetMetaData(std::string_view Key, std::string Value);
	void RemoveMetaData(std::string_view Key);
};
