#pragma once

#include "Objects/Object.h"

class ULevel;

/**
 * A map: an asset of class /Script/Engine.World holding its persistent level
 * ("PersistentLevel", created with the world). The asset file lists the
 * level's actors under `actors`, in order (see AActor for an actor's fields).
 *
 * Loading refuses a file whose actors or components are not what they claim
 * (unknown or abstract classes, duplicate names, a root component that is not
 * one of the actor's scene components, an attach parent that does not exist or
 * that would close a loop), naming the fault.
 */
class UWorld : public UObject
{
	DECLARE_ENGINE_CLASS(UWorld, UObject, "/Script/Engine.World")

public:
	/** The persistent level, made on first ask for a world created in memory. */
	ULevel* GetPersistentLevel();

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;

private:
	bool LoadActors(const FJsonObject& File, std::string& OutError);
	bool ResolveAttachParents(std::string& OutError) const;

	ULevel* PersistentLevel = nullptr;
};
