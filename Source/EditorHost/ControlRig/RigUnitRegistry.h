#pragma once

#include "ControlRig/RigVMGraph.h"
#include "ControlRig/RigVMValue.h"

#include <span>
#include <string_view>
#include <vector>

class URigHierarchy;
struct FRigUnitDeclaration;

/** The name and type of the execution pin every unit on a chain has. */
inline constexpr std::string_view RigVMExecutePinName = "ExecuteContext";
inline constexpr std::string_view RigVMExecuteContextType = "FRigVMExecuteContext";

/** How the rig VM runs a unit. */
enum class ERigUnitKind : uint8_t
{
	/** Starts a chain of execution for its event. */
	Event,
	/** Sits on a chain of execution and runs when the chain reaches it. */
	Mutable,
	/** Has no execution pin: runs when a pin on the chain reads one of its outputs. */
	Pure,
	/** Runs the chain out of its execution pin Count times, then the chain out of "Completed". */
	ForLoop,
};

/** A pin a unit declares: what URigVMController::AddUnitNodeFromStructPath makes. */
struct FRigUnitPinDeclaration
{
	std::string_view Name;
	ERigVMPinDirection Direction;
	std::string_view CPPType;
	/** As default value text; empty for the type's default. */
	std::string_view DefaultValue;
};

/** The values of one run of a unit, one per declared pin: inputs read before the run, outputs written by it. */
class FRigUnitPins
{
public:
	FRigUnitPins(const FRigUnitDeclaration& InDeclaration, std::vector<FRigVMValue> InValues);

	bool GetBool(std::string_view PinName) const;
	int32_t GetInt(std::string_view PinName) const;
	double GetFloat(std::string_view PinName) const;
	/** A name, or an enumerator's name. */
	std::string GetName(std::string_view PinName) const;
	FVector GetVector(std::string_view PinName) const;
	FQuat GetQuat(std::string_view PinName) const;
	FTransform GetTransform(std::string_view PinName) const;
	FRigElementKey GetElementKey(std::string_view PinName) const;
	void Set(std::string_view PinName, FRigVMValue Value);

	const std::vector<FRigVMValue>& GetValues() const { return Values; }

private:
	const FRigVMValue* Find(std::string_view PinName) const;

	const FRigUnitDeclaration& Declaration;
	std::vector<FRigVMValue> Values;
};

/** A unit's work: reads its inputs, changes the hierarchy, writes its outputs. */
using FRigUnitRunFunction = void (*)(FRigUnitPins& Pins, URigHierarchy& Hierarchy);

/** A rig unit the host's rig VM runs. */
struct FRigUnitDeclaration
{
	/** "/Script/ControlRig.RigUnit_SetTransform". */
	std::string_view ScriptStructPath;
	ERigUnitKind Kind = ERigUnitKind::Pure;
	/** Event units only: the event they start ("Forwards Solve"). */
	std::string_view EventName;
	std::vector<FRigUnitPinDeclaration> Pins;
	/** Nothing to do for events and loops, whose work is the VM's. */
	FRigUnitRunFunction Run = nullptr;

	/** The structure's name without its package: "RigUnit_SetTransform". */
	std::string_view GetStructName() const;
	/** The index of the declared pin, or -1. */
	int32_t FindPinIndex(std::string_view PinName) const;
};

/** Every unit the host's rig VM knows. */
std::span<const FRigUnitDeclaration> GetRigUnitDeclarations();
/** The unit of that script structure path, or nullptr. */
const FRigUnitDeclaration* FindRigUnitDeclaration(std::string_view ScriptStructPath);

/** The units of each family, gathered by GetRigUnitDeclarations (RigUnits*.cpp). */
void AppendExecutionRigUnits(std::vector<FRigUnitDeclaration>& OutUnits);
void AppendHierarchyRigUnits(std::vector<FRigUnitDeclaration>& OutUnits);
void AppendMathRigUnits(std::vector<FRigUnitDeclaration>& OutUnits);
void AppendTwoBoneIKRigUnits(std::vector<FRigUnitDeclaration>& OutUnits);
