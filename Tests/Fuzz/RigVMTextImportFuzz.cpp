#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMExecution.h"
#include "ControlRig/RigVMGraph.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace
{
	[[noreturn]] void Fail(const std::string& Message)
	{
		std::fprintf(stderr, "%s\n", Message.c_str());
		std::abort();
	}

	std::vector<std::string> NodeNames(const URigVMGraph& Graph)
	{
		std::vector<std::string> Names;
		for (const URigVMNode* Node : Graph.GetNodes())
		{
			Names.push_back(Node->GetName());
		}
		return Names;
	}

	/** Every link joins two pins of the graph's own nodes, from an output to an input. */
	void CheckLinks(const URigVMGraph& Graph)
	{
		for (const URigVMLink* Link : Graph.GetLinks())
		{
			if (Link->SourcePin == nullptr || Link->TargetPin == nullptr || Graph.FindPin(Link->SourcePin->GetPinPath()) != Link->SourcePin
				|| Graph.FindPin(Link->TargetPin->GetPinPath()) != Link->TargetPin)
			{
				Fail("a link joins pins outside the graph");
			}
		}
	}

	URigVMController* MakeController(UObject& Scope)
	{
		URigVMController* Controller = NewObject<URigVMController>(&Scope);
		Controller->SetGraph(NewObject<URigVMGraph>(&Scope));
		return Controller;
	}
}

// Any text may be pasted into a rig graph: the paste must never crash, what it makes must copy
// to text that pastes back to the same text, and running the graph must end within its limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	// Graphs live in the transient package of the one object store, kept for the whole run.
	static FObjectStore ObjectStore;
	const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
	UObject* const Scope = NewObject<UObject>();

	URigVMController* First = MakeController(*Scope);
	First->ImportNodesFromText(Text);
	CheckLinks(*First->GetGraph());
	const std::string Copied = First->ExportNodesToText(NodeNames(*First->GetGraph()));

	URigVMController* Second = MakeController(*Scope);
	Second->ImportNodesFromText(Copied);
	CheckLinks(*Second->GetGraph());
	if (Second->ExportNodesToText(NodeNames(*Second->GetGraph())) != Copied)
	{
		Fail("the copied text does not paste back to the same text:\n" + Copied);
	}

	URigHierarchy* Hierarchy = NewObject<URigHierarchy>(Scope);
	Hierarchy->AddElement({ERigElementType::Bone, "root"});
	Hierarchy->AddElement({ERigElementType::Bone, "hand_l"}, {ERigElementType::Bone, "root"});
	for (const std::string_view Event : {"Construction", "Forwards Solve", "Backwards Solve"})
	{
		if (ExecuteRigVMEvent(*First->GetGraph(), Event, *Hierarchy).InstructionsRun > MaxRigVMInstructionsPerEvent)
		{
			Fail("an event ran past the instruction limit");
		}
	}
	Scope->MarkAsGarbage();
	CollectGarbage();
	return 0;
}
