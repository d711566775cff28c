#include "ControlRig/RigVMExecution.h"

#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigVMGraph.h"
#include "ControlRig/RigVMPinValues.h"

#include <unordered_map>
#include <unordered_set>

namespace
{
	/** Loops inside loops run this deep; a loop deeper down skips its body and goes on with its "Completed" chain. */
	constexpr int32_t MaxLoopNesting = 64;

	/** A node's pin values from its last run, by pin of the node. */
	using FNodeValues = std::unordered_map<const URigVMPin*, FRigVMValue>;

	/** Whether the value is of the kind a pin of that type holds. */
	bool FitsType(const FRigVMValue& Value, std::string_view CPPType)
	{
		switch (GetRigVMValueKind(CPPType))
		{
		case ERigVMValueKind::Bool:
			return std::holds_alternative<bool>(Value);
		case ERigVMValueKind::Int:
			return std::holds_alternative<int32_t>(Value);
		case ERigVMValueKind::Float:
			return std::holds_alternative<double>(Value);
		case ERigVMValueKind::Name:
		case ERigVMValueKind::Enum:
			return std::holds_alternative<std::string>(Value);
		case ERigVMValueKind::Vector:
			return std::holds_alternative<FVector>(Value);
		case ERigVMValueKind::Quat:
			return std::holds_alternative<FQuat>(Value);
		case ERigVMValueKind::Transform:
			return std::holds_alternative<FTransform>(Value);
		case ERigVMValueKind::ElementKey:
			return std::holds_alternative<FRigElementKey>(Value);
		default:
			return false;
		}
	}

	class FRigVMRun
	{
	public:
		FRigVMRun(const URigVMGraph& Graph, URigHierarchy& InHierarchy, FRigVMExecuteResult& InResult)
			: Hierarchy(InHierarchy)
			, Result(InResult)
		{
			for (const URigVMLink* Link : Graph.GetLinks())
			{
				SourceOf.emplace(Link->TargetPin, Link->SourcePin);
				if (Link->SourcePin->IsExecuteContext())
				{
					NextOf.emplace(Link->SourcePin, Link->TargetPin);
				}
				for (const URigVMPin* Pin = Link->TargetPin; Pin != nullptr && LinkedWithin.insert(Pin).second; Pin = Pin->GetParentPin())
				{
				}
			}
		}

		void RunEvent(const URigVMNode& EventNode)
		{
			if (Spend())
			{
				RunChainFrom(EventNode.FindExecutePin(), 0);
			}
		}

	private:
		/** Takes one instruction; false, and the run ends, once the limit is reached. */
		bool Spend()
		{
			if (Result.InstructionsRun >= MaxRigVMInstructionsPerEvent)
			{
				Result.bHitInstructionLimit = true;
				return false;
			}
			++Result.InstructionsRun;
			return true;
		}

		static const FRigUnitDeclaration* GetUnit(const URigVMNode& Node)
		{
			const URigVMUnitNode* UnitNode = Cast<URigVMUnitNode>(&Node);
			return UnitNode != nullptr && UnitNode->KeptClassPath.empty() ? FindRigUnitDeclaration(UnitNode->ScriptStructPath) : nullptr;
		}

		/** A node without an execution pin runs when read; one with it runs on the chain. */
		static bool IsPure(const URigVMNode& Node)
		{
			const FRigUnitDeclaration* Unit = GetUnit(Node);
			return Unit != nullptr ? Unit->Kind == ERigUnitKind::Pure : Node.FindExecutePin() == nullptr;
		}

		const URigVMNode* NextNode(const URigVMPin* ExecuteOutput) const
		{
			const auto Found = ExecuteOutput != nullptr ? NextOf.find(ExecuteOutput) : NextOf.end();
			return Found != NextOf.end() ? Found->second->GetNode() : nullptr;
		}

		void RunChainFrom(const URigVMPin* ExecuteOutput, int32_t LoopDepth)
		{
			for (const URigVMNode* Node = NextNode(ExecuteOutput); Node != nullptr && !Result.bHitInstructionLimit;)
			{
				const FRigUnitDeclaration* Unit = GetUnit(*Node);
				if (!Spend())
				{
					return;
				}
				RunChainNode(*Node, Unit, LoopDepth);
				Node = NextNode(Unit != nullptr && Unit->Kind == ERigUnitKind::ForLoop ? Node->FindPin("Completed") : Node->FindExecutePin());
			}
		}

		void RunChainNode(const URigVMNode& Node, const FRigUnitDeclaration* Unit, int32_t LoopDepth)
		{
			// Data nodes feeding this one run afresh for it.
			PureValues.clear();
			EvaluateUpstream(Node);
			// A node whose inputs could not all be worked out before the limit does not run on half of them.
			if (Unit == nullptr || Unit->Kind == ERigUnitKind::Event || Result.bHitInstructionLimit)
			{
				return;
			}
			FRigUnitPins Pins = ReadPins(Node, *Unit);
			if (Unit->Kind == ERigUnitKind::ForLoop)
			{
				RunLoop(Node, Pins.GetInt("Count"), LoopDepth);
				return;
			}
			if (Unit->Run != nullptr)
			{
				Unit->Run(Pins, Hierarchy);
			}
			StoreOutputs(ChainValues[&Node], Node, *Unit, Pins);
		}

		void RunLoop(const URigVMNode& Node, int32_t Count, int32_t LoopDepth)
		{
			FNodeValues& Values = ChainValues[&Node];
			const URigVMPin* IndexPin = Node.FindPin("Index");
			const URigVMPin* RatioPin = Node.FindPin("Ratio");
			if (LoopDepth >= MaxLoopNesting)
			{
				return;
			}
			for (int32_t Index = 0; Index < Count; ++Index)
			{
				if (!Spend())
				{
					return;
				}
				Values[IndexPin] = Index;
				Values[RatioPin] = Count > 1 ? static_cast<double>(Index) / static_cast<double>(Count - 1) : 0.0;
				RunChainFrom(Node.FindExecutePin(), LoopDepth + 1);
			}
		}

		/** The unit's declared pins as values: inputs as read, outputs at their defaults until the unit writes them. */
		FRigUnitPins ReadPins(const URigVMNode& Node, const FRigUnitDeclaration& Unit)
		{
			std::vector<FRigVMValue> Values;
			Values.reserve(Unit.Pins.size());
			for (const FRigUnitPinDeclaration& Declared : Unit.Pins)
			{
				const URigVMPin* Pin = Node.FindPin(Declared.Name);
				if (Pin == nullptr)
				{
					Values.push_back(MakeDefaultRigVMValue(Declared.CPPType));
				}
				else if (Pin->Direction == ERigVMPinDirection::Input || Pin->Direction == ERigVMPinDirection::IO)
				{
					Values.push_back(ReadInput(*Pin));
				}
				else
				{
					Values.push_back(GetDefault(*Pin));
				}
			}
			return FRigUnitPins(Unit, std::move(Values));
		}

		static void StoreOutputs(FNodeValues& Values, const URigVMNode& Node, const FRigUnitDeclaration& Unit, const FRigUnitPins& Pins)
		{
			for (std::size_t Index = 0; Index < Unit.Pins.size(); ++Index)
			{
				if (const URigVMPin* Pin = Node.FindPin(Unit.Pins[Index].Name); Pin != nullptr && FitsType(Pins.GetValues()[Index], Pin->CPPType))
				{
					Values[Pin] = Pins.GetValues()[Index];
				}
			}
		}

		/** A pin's default value, read from its text once per run. */
		const FRigVMValue& GetDefault(const URigVMPin& Pin)
		{
			const auto Found = Defaults.find(&Pin);
			if (Found != Defaults.end())
			{
				return Found->second;
			}
			std::optional<FRigVMValue> Value = ReadRigVMPinValue(Pin);
			return Defaults.emplace(&Pin, Value && FitsType(*Value, Pin.CPPType) ? std::move(*Value) : MakeDefaultRigVMValue(Pin.CPPType)).first->second;
		}

		/** What a pin gets: its link's value, or its default with the values of its linked sub-pins over it. */
		FRigVMValue ReadInput(const URigVMPin& Pin)
		{
			if (!LinkedWithin.contains(&Pin))
			{
				return GetDefault(Pin);
			}
			if (const auto Source = SourceOf.find(&Pin); Source != SourceOf.end())
			{
				FRigVMValue Value = ReadOutput(*Source->second);
				return FitsType(Value, Pin.CPPType) ? Value : GetDefault(Pin);
			}
			FRigVMValue Value = GetDefault(Pin);
			for (const URigVMPin* SubPin : Pin.SubPins)
			{
				if (LinkedWithin.contains(SubPin))
				{
					SetRigVMStructMember(Value, SubPin->GetName(), ReadInput(*SubPin));
				}
			}
			return Value;
		}

		/** The value an output (or a member of one) holds now; a data node not evaluated (a loop of links, the limit reached) gives its defaults. */
		FRigVMValue ReadOutput(const URigVMPin& Source)
		{
			const URigVMPin& Root = *Source.GetRootPin();
			const URigVMNode* Node = Root.GetNode();
			const FNodeValues* Values = nullptr;
			if (Node != nullptr)
			{
				const auto& Store = IsPure(*Node) ? PureValues : ChainValues;
				const auto Found = Store.find(Node);
				Values = Found != Store.end() ? &Found->second : nullptr;
			}
			const auto Stored = Values != nullptr ? Values->find(&Root) : FNodeValues::const_iterator();
			FRigVMValue Value = Values != nullptr && Stored != Values->end() ? Stored->second : GetDefault(Root);
			std::vector<const URigVMPin*> Members;
			for (const URigVMPin* Pin = &Source; Pin != &Root; Pin = Pin->GetParentPin())
			{
				Members.push_back(Pin);
			}
			for (auto Member = Members.rbegin(); Member != Members.rend(); ++Member)
			{
				Value = GetRigVMStructMember(Value, (*Member)->GetName()).value_or(MakeDefaultRigVMValue((*Member)->CPPType));
			}
			return Value;
		}

		/** The data nodes whose outputs the node's pins read, directly or through other data nodes. */
		void AppendUpstreamPureNodes(const URigVMPin& Pin, std::vector<const URigVMNode*>& OutNodes) const
		{
			if (!LinkedWithin.contains(&Pin))
			{
				return;
			}
			if (const auto Source = SourceOf.find(&Pin); Source != SourceOf.end())
			{
				const URigVMNode* Node = Source->second->GetNode();
				if (Node != nullptr && IsPure(*Node))
				{
					OutNodes.push_back(Node);
				}
				return;
			}
			for (const URigVMPin* SubPin : Pin.SubPins)
			{
				AppendUpstreamPureNodes(*SubPin, OutNodes);
			}
		}

		/** Evaluates the data nodes behind the node, each after the ones it reads, without recursion. */
		void EvaluateUpstream(const URigVMNode& Node)
		{
			struct FFrame
			{
				const URigVMNode* Node;
				bool bExpanded;
			};
			std::vector<FFrame> Stack;
			std::unordered_set<const URigVMNode*> InProgress;
			std::vector<const URigVMNode*> Upstream;
			const auto PushUpstream = [&](const URigVMNode& Of) {
				Upstream.clear();
				for (const URigVMPin* Pin : Of.Pins)
				{
					AppendUpstreamPureNodes(*Pin, Upstream);
				}
				for (const URigVMNode* Next : Upstream)
				{
					if (!PureValues.contains(Next) && !InProgress.contains(Next))
					{
						Stack.push_back({Next, false});
					}
				}
			};
			PushUpstream(Node);
			while (!Stack.empty() && !Result.bHitInstructionLimit)
			{
				FFrame& Frame = Stack.back();
				const URigVMNode* Current = Frame.Node;
				if (PureValues.contains(Current))
				{
					Stack.pop_back();
				}
				else if (!Frame.bExpanded)
				{
					Frame.bExpanded = true;
					InProgress.insert(Current);
					PushUpstream(*Current);
				}
				else
				{
					Stack.pop_back();
					InProgress.erase(Current);
					if (Spend())
					{
						EvaluatePure(*Current);
					}
				}
			}
		}

		void EvaluatePure(const URigVMNode& Node)
		{
			FNodeValues& Values = PureValues[&Node];
			const FRigUnitDeclaration* Unit = GetUnit(Node);
			if (Unit == nullptr)
			{
				return;
			}
			FRigUnitPins Pins = ReadPins(Node, *Unit);
			if (Unit->Run != nullptr)
			{
				Unit->Run(Pins, Hierarchy);
			}
			StoreOutputs(Values, Node, *Unit, Pins);
		}

		URigHierarchy& Hierarchy;
		FRigVMExecuteResult& Result;
		/** Each linked input's source, and each execution output's next pin. */
		std::unordered_map<const URigVMPin*, const URigVMPin*> SourceOf;
		std::unordered_map<const URigVMPin*, const URigVMPin*> NextOf;
		/** Pins that are linked, or have a linked sub-pin. */
		std::unordered_set<const URigVMPin*> LinkedWithin;
		std::unordered_map<const URigVMPin*, FRigVMValue> Defaults;
		std::unordered_map<const URigVMNode*, FNodeValues> ChainValues;
		std::unordered_map<const URigVMNode*, FNodeValues> PureValues;
	};
}

FRigVMExecuteResult ExecuteRigVMEvent(const URigVMGraph& Graph, std::string_view EventName, URigHierarchy& Hierarchy)
{
	FRigVMExecuteResult Result;
	for (const URigVMNode* Node : Graph.GetNodes())
	{
		if (Node->IsEvent() && Node->GetEventName() == EventName)
		{
			Result.bFoundEvent = true;
			FRigVMRun(Graph, Hierarchy, Result).RunEvent(*Node);
			break;
		}
	}
	return Result;
}
