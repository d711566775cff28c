#pragma once

#include "Core/Vector2D.h"
#include "Graph/CopyPasteText.h"
#include "Objects/Object.h"

#include <string>
#include <string_view>
#include <vector>

class URigVMLink;
class URigVMNode;

/** Which way data flows through a pin, with the engine's values. */
enum class ERigVMPinDirection : uint8_t
{
	Input,
	Output,
	IO,
	Visible,
	Hidden,
	Invalid,
};

/**
 * A pin of a rig graph node: a name, a direction, a C++ type ("FTransform", "float",
 * "FRigElementKey", "FRigVMExecuteContext"), a default value as export text for pins that nothing
 * links to, and sub-pins for the members of a structure ("Item.Name"). Objects inside their node.
 */
class URigVMPin : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMPin, UObject, "/Script/RigVMDeveloper.RigVMPin")

public:
	ERigVMPinDirection Direction = ERigVMPinDirection::Input;
	std::string CPPType;
	/** The reflected type behind CPPType ("/Script/CoreUObject.Transform"); empty for plain types. */
	std::string CPPTypeObjectPath;
	/** The value as export text ("(X=0.0,Y=0.0,Z=1.0)", "hand_l", "0.5"); for a structure pin the whole value. */
	std::string DefaultValue;
	std::vector<URigVMPin*> SubPins;
	/** What the copy-paste text held for the pin that the host does not read, written back as it came. */
	FCopyPasteObject KeptText;

	/** "Node.Pin" or "Node.Pin.SubPin". */
	std::string GetPinPath() const;
	/** The pin's path below its node: "Pin" or "Pin.SubPin". */
	std::string GetSegmentPath() const;
	URigVMPin* FindSubPin(std::string_view SubPinName) const;
	/** The pin at the top of this one's sub-pin tree (itself for a pin of the node). */
	const URigVMPin* GetRootPin() const;
	URigVMNode* GetNode() const;
	URigVMPin* GetParentPin() const;
	/** Whether this is the execution pin ("ExecuteContext", C++ type FRigVMExecuteContext). */
	bool IsExecuteContext() const;
	/** The pins linked into this one (sources), and out of it (targets). */
	std::vector<URigVMPin*> GetLinkedSourcePins() const;
	std::vector<URigVMPin*> GetLinkedTargetPins() const;
};

/**
 * A node of a rig graph. A unit node runs one rig unit (its script structure,
 * "/Script/ControlRig.RigUnit_SetTransform"); a unit the host's rig VM does not know is kept
 * as it came and does nothing when run. Objects inside their graph.
 */
class URigVMNode : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMNode, UObject, "/Script/RigVMDeveloper.RigVMNode")

public:
	FVector2D Position;
	std::vector<URigVMPin*> Pins;
	/**
	 * The class the copy-paste text named, for a node whose class the host does not know: the
	 * node stays a plain RigVMNode and writes that class back. Empty otherwise.
	 */
	std::string KeptClassPath;
	/** What the copy-paste text held for the node that the host does not read, written back as it came. */
	FCopyPasteObject KeptText;

	/** A pin by its path below the node ("Value" or "Value.Translation.X"). */
	URigVMPin* FindPin(std::string_view PinPath) const;
	/** The execution pin ("ExecuteContext"), or nullptr for a node that is not on a chain of execution. */
	URigVMPin* FindExecutePin() const;
	/** Event nodes start a chain of execution ("Forwards Solve", "Construction", "Backwards Solve"). */
	virtual bool IsEvent() const { return false; }
	/** The event this node starts, or empty. */
	virtual std::string GetEventName() const { return {}; }
};

/** A node that runs a rig unit, named by its script structure's path. */
class URigVMUnitNode : public URigVMNode
{
	DECLARE_ENGINE_CLASS(URigVMUnitNode, URigVMNode, "/Script/RigVMDeveloper.RigVMUnitNode")

public:
	/** "/Script/ControlRig.RigUnit_BeginExecution"... */
	std::string ScriptStructPath;
	/** The unit's method; the engine's units all have "Execute". */
	std::string MethodName = "Execute";

	bool IsEvent() const override;
	std::string GetEventName() const override;
};

/** A link from an output pin to an input pin of the same graph. */
class URigVMLink : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMLink, UObject, "/Script/RigVMDeveloper.RigVMLink")

public:
	URigVMPin* SourcePin = nullptr;
	URigVMPin* TargetPin = nullptr;
};

/**
 * A rig graph (the engine's model graph): nodes and the links between their pins. A Control
 * Rig Blueprint holds top-level graphs (its "RigVMModel" and further event graphs), a function
 * library, and graphs nested in collapse and function nodes.
 */
class URigVMGraph : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMGraph, UObject, "/Script/RigVMDeveloper.RigVMGraph")

public:
	const std::vector<URigVMNode*>& GetNodes() const { return Nodes; }
	const std::vector<URigVMLink*>& GetLinks() const { return Links; }
	URigVMNode* FindNodeByName(std::string_view Name) const;
	/** The pin at "Node.Pin.SubPin", or nullptr. */
	URigVMPin* FindPin(std::string_view PinPath) const;
	/** Whether the graph's outer is not another graph or node (it is one of its Blueprint's own graphs). */
	bool IsTopLevelGraph() const;

protected:
	friend class URigVMController;
	std::vector<URigVMNode*> Nodes;
	std::vector<URigVMLink*> Links;
};

/** The graph of a Blueprint's shared rig functions; never an event graph. */
class URigVMFunctionLibrary : public URigVMGraph
{
	DECLARE_ENGINE_CLASS(URigVMFunctionLibrary, URigVMGraph, "/Script/RigVMDeveloper.RigVMFunctionLibrary")
};
