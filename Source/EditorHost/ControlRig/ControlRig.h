#pragma once

#include "Objects/Object.h"
#include "Objects/ObjectPtr.h"

#include <string_view>
#include <vector>

class UControlRigBlueprint;
class UControlRigShapeLibrary;
class URigHierarchy;
class URigVMGraph;

/** Something that runs rig graphs by event name. */
class URigVMHost : public UObject
{
	DECLARE_ENGINE_CLASS(URigVMHost, UObject, "/Script/RigVM.RigVMHost")

public:
	/**
	 * Runs one event ("Construction", "Forwards Solve", "Backwards Solve"); false when the host
	 * was not initialised or its graphs have no such event (nothing changes then).
	 */
	virtual bool ExecuteEvent(std::string_view /*EventName*/) { return false; }
};

/**
 * A running rig: an instance of a Control Rig Blueprint's generated class (made with
 * NewObject in the transient package), with its own hierarchy. Initialize copies the
 * Blueprint's hierarchy into it. The "Construction" event first puts that setup back, builds
 * the elements of a modular rig's modules (each module's rig elements, named "<Module>/<Name>",
 * the module's roots under its primary connector's target), then runs the graphs' construction
 * chain, whose resulting pose becomes the initial one; any other event runs construction first
 * when it has not run yet, then its own chain in every top-level graph of the Blueprint.
 */
class UControlRig : public URigVMHost
{
	DECLARE_ENGINE_CLASS(UControlRig, URigVMHost, "/Script/ControlRig.ControlRig")

public:
	/** Finds the Blueprint behind the object's class and copies its hierarchy; false for a class no Control Rig Blueprint generated. */
	bool Initialize(bool bInitRigUnits = true);
	/** "Construction" always runs once initialised (it puts the setup back even when no graph has the event); any other event as URigVMHost says. */
	bool ExecuteEvent(std::string_view EventName) override;

	/** The instance's hierarchy; nullptr before Initialize. */
	URigHierarchy* GetHierarchy() const;
	UControlRigBlueprint* GetBlueprint() const;
	/** The shape libraries the rig draws its controls with (its Blueprint's, loaded). */
	std::vector<UControlRigShapeLibrary*> GetShapeLibraries() const;

private:
	/** The Blueprint's top-level rig graphs, in order (the function library is none of them). */
	std::vector<URigVMGraph*> GetEventGraphs() const;
	bool HasEvent(std::string_view EventName) const;
	void RunConstruction();
	void RunEventInGraphs(std::string_view EventName);

	TObjectPtr<UControlRigBlueprint> Blueprint;
	TObjectPtr<URigHierarchy> Hierarchy;
	bool bConstructed = false;
};
