#pragma once

#include "Core/JsonObject.h"
#include "Objects/Object.h"

class AActor;

/**
 * A component of an actor; its outer is the actor. In the level file it is a
 * nested object with `name` and `class`; the fields its C++ type does not read
 * (a static mesh component's `staticMesh`, a light's `intensity`...) are kept
 * as they were and written back in the same order when the level is saved.
 */
class UActorComponent : public UObject
{
	DECLARE_ENGINE_CLASS(UActorComponent, UObject, "/Script/Engine.ActorComponent")

public:
	/** The actor the component belongs to, or nullptr for a component outside any actor. */
	AActor* GetOwner() const;

	bool LoadAssetFields(const FJsonObject& Fields, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFields) const override;

protected:
	/** Drops a field a derived type has read, so it is not kept twice. */
	void ForgetKeptField(std::string_view Key) { KeptFields.RemoveField(Key); }

private:
	FJsonObject KeptFields;
};
