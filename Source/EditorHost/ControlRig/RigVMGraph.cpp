#include "ControlRig/RigVMGraph.h"

#include "ControlRig/RigUnitRegistry.h"

namespace
{
	/**
	 * The object as a T when its class is T's class or derives from it. Pins and nodes are made
	 * for their bound classes, so the class answers what a dynamic_cast would, without walking
	 * the C++ type information on every step up a pin's outers.
	 */
	template <typename T>
	T* CastByClass(UObject* Object)
	{
		return Object != nullptr && Object->IsA<T>() ? static_cast<T*>(Object) : nullptr;
	}

	/** The first segment of a pin path and the rest after its dot ("Value", "Translation.X"). */
	std::pair<std::string_view, std::string_view> SplitFirstSegment(std::string_view Path)
	{
		const std::size_t Dot = Path.find('.');
		return Dot == std::string_view::npos ? std::pair(Path, std::string_view()) : std::pair(Path.substr(0, Dot), Path.substr(Dot + 1));
	}

	URigVMPin* FindPinIn(const std::vector<URigVMPin*>& Pins, std::string_view Path)
	{
		const auto [Name, Rest] = SplitFirstSegment(Path);
		for (URigVMPin* Pin : Pins)
		{
			if (Pin->GetName() == Name)
			{
				return Rest.empty() ? Pin : FindPinIn(Pin->SubPins, Rest);
			}
		}
		return nullptr;
	}

	const URigVMGraph* GetGraphOf(const URigVMPin& Pin)
	{
		const URigVMNode* Node = Pin.GetNode();
		return Node != nullptr ? Cast<URigVMGraph>(Node->GetOuter()) : nullptr;
	}
}

std::string URigVMPin::GetSegmentPath() const
{
	const URigVMPin* Parent = GetParentPin();
	return Parent != nullptr ? Parent->GetSegmentPath() + "." + GetName() : GetName();
}

std::string URigVMPin::GetPinPath() const
{
	const URigVMNode* Node = GetNode();
	return Node != nullptr ? Node->GetName() + "." + GetSegmentPath() : GetSegmentPath();
}

URigVMPin* URigVMPin::FindSubPin(std::string_view SubPinName) const
{
	for (URigVMPin* SubPin : SubPins)
	{
		if (SubPin->GetName() == SubPinName)
		{
			return SubPin;
		}
	}
	return nullptr;
}

const URigVMPin* URigVMPin::GetRootPin() const
{
	const URigVMPin* Root = this;
	while (const URigVMPin* Parent = Root->GetParentPin())
	{
		Root = Parent;
	}
	return Root;
}

URigVMNode* URigVMPin::GetNode() const
{
	UObject* Outer = GetOuter();
	while (CastByClass<URigVMPin>(Outer) != nullptr)
	{
		Outer = Outer->GetOuter();
	}
	return CastByClass<URigVMNode>(Outer);
}

URigVMPin* URigVMPin::GetParentPin() const
{
	return CastByClass<URigVMPin>(GetOuter());
}

bool URigVMPin::IsExecuteContext() const
{
	return GetRigVMValueKind(CPPType) == ERigVMValueKind::Execute;
}

std::vector<URigVMPin*> URigVMPin::GetLinkedSourcePins() const
{
	std::vector<URigVMPin*> Sources;
	if (const URigVMGraph* Graph = GetGraphOf(*this))
	{
		for (const URigVMLink* Link : Graph->GetLinks())
		{
			if (Link->TargetPin == this)
			{
				Sources.push_back(Link->SourcePin);
			}
		}
	}
	return Sources;
}

std::vector<URigVMPin*> URigVMPin::GetLinkedTargetPins() const
{
	std::vector<URigVMPin*> Targets;
	if (const URigVMGraph* Graph = GetGraphOf(*this))
	{
		for (const URigVMLink* Link : Graph->GetLinks())
		{
			if (Link->SourcePin == this)
			{
				Targets.push_back(Link->TargetPin);
			}
		}
	}
	return Targets;
}

URigVMPin* URigVMNode::FindPin(std::string_view PinPath) const
{
	return FindPinIn(Pins, PinPath);
}

URigVMPin* URigVMNode::FindExecutePin() const
{
	for (URigVMPin* Pin : Pins)
	{
		if (Pin->GetName() == RigVMExecutePinName && Pin->IsExecuteContext())
		{
			return Pin;
		}
	}
	return nullptr;
}

bool URigVMUnitNode::IsEvent() const
{
	const FRigUnitDeclaration* Unit = FindRigUnitDeclaration(ScriptStructPath);
	return Unit != nullptr && Unit->Kind == ERigUnitKind::Event;
}

std::string URigVMUnitNode::GetEventName() const
{
	const FRigUnitDeclaration* Unit = FindRigUnitDeclaration(ScriptStructPath);
	return Unit != nullptr && Unit->Kind == ERigUnitKind::Event ? std::string(Unit->EventName) : std::string();
}

URigVMNode* URigVMGraph::FindNodeByName(std::string_view Name) const
{
	URigVMNode* Node = Cast<URigVMNode>(FindInnerObject(Name));
	return IsValid(Node) ? Node : nullptr;
}

URigVMPin* URigVMGraph::FindPin(std::string_view PinPath) const
{
	const std::size_t Dot = PinPath.find('.');
	if (Dot == std::string_view::npos)
	{
		return nullptr;
	}
	const URigVMNode* Node = FindNodeByName(PinPath.substr(0, Dot));
	return Node != nullptr ? Node->FindPin(PinPath.substr(Dot + 1)) : nullptr;
}

bool URigVMGraph::IsTopLevelGraph() const
{
	const UObject* Outer = GetOuter();
	return Outer == nullptr || (Cast<URigVMGraph>(Outer) == nullptr && Cast<URigVMNode>(Outer) == nullptr);
}
