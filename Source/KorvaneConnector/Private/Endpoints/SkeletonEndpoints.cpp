#include "Endpoints/SkeletonEndpoints.h"

#include "RequestConventions.h"

// Not served by this build yet.

std::shared_ptr<FJsonObject> ListSkeletons()
{
	return MakeNotImplementedResponse("/korvane/skeletons");
}

std::shared_ptr<FJsonObject> GetSkeletonHierarchy(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/skeletons/hierarchy", Body);
}

std::shared_ptr<FJsonObject> ListSkeletalMeshes()
{
	return MakeNotImplementedResponse("/korvane/skeletalmeshes");
}

std::shared_ptr<FJsonObject> GetSkeletalMeshGeometry(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/skeletalmesh/geometry", Body);
}
