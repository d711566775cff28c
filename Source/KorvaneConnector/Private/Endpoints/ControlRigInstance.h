#pragma once

class UControlRig;
class UControlRigBlueprint;

/**
 * A rig instance made for one request: an object of the Blueprint's generated class in the
 * transient package, initialised from the Blueprint's hierarchy. It is marked as garbage when
 * the request is done with it, so it does not outlive the request as a live object.
 */
class FTransientControlRig
{
public:
	explicit FTransientControlRig(const UControlRigBlueprint& Blueprint);
	~FTransientControlRig();
	FTransientControlRig(const FTransientControlRig&) = delete;
	FTransientControlRig& operator=(const FTransientControlRig&) = delete;

	/** The initialised instance; nullptr when the Blueprint has no generated class or the instance could not be made or initialised. */
	UControlRig* Get() const { return Rig; }

private:
	UControlRig* Rig = nullptr;
};
