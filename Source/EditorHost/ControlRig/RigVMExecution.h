#pragma once

#include <cstdint>
#include <string_view>

class URigHierarchy;
class URigVMGraph;

/** What running one event of a rig graph did. */
struct FRigVMExecuteResult
{
	/** Whether the graph has an event node for the event. */
	bool bFoundEvent = false;
	/** Unit runs, counting each data node evaluated and each node on the execution chain. */
	int64_t InstructionsRun = 0;
	/** Whether the run stopped at the instruction limit (a loop, or a graph too large to finish). */
	bool bHitInstructionLimit = false;
};

/** The most unit runs one event may take before it stops; what it did so far stays. */
inline constexpr int64_t MaxRigVMInstructionsPerEvent = 1'000'000;

/**
 * The host's rig virtual machine: runs the chain of execution that starts at Graph's event node
 * for EventName ("Forwards Solve", "Construction", "Backwards Solve"), node after node along
 * the links out of each node's execution pin. Each input pin reads its linked source (running
 * the pure node behind it, once per node on the chain) or else its default value. Known units
 * read and write Hierarchy; unknown units do nothing; a unit that names a missing element does
 * nothing for it. Runs within MaxRigVMInstructionsPerEvent.
 */
FRigVMExecuteResult ExecuteRigVMEvent(const URigVMGraph& Graph, std::string_view EventName, URigHierarchy& Hierarchy);
