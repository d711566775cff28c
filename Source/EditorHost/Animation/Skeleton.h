#pragma once

#include "Meshes/ReferenceSkeleton.h"
#include "Objects/Object.h"

/**
 * A skeleton asset: the bone tree shared by meshes and animations. Its reference
 * skeleton comes from the first skin of the glTF file that the "source" field names.
 * The host reads these assets and never edits them, so saving writes the fields back
 * as they were read.
 */
class USkeleton : public UObject
{
	DECLARE_ENGINE_CLASS(USkeleton, UObject, "/Script/Engine.Skeleton")

public:
	const FReferenceSkeleton& GetReferenceSkeleton() const { return ReferenceSkeleton; }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;

private:
	FReferenceSkeleton ReferenceSkeleton;
};
