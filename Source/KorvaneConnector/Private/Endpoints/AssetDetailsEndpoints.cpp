#include "Endpoints/AssetDetailsEndpoints.h"

#include "RequestConventions.h"

// Not served by this build yet.

std::shared_ptr<FJsonObject> GetAssetDetails(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/asset/details", Body);
}

std::shared_ptr<FJsonObject> GetAssetBatch(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/asset/batch", Body);
}

std::shared_ptr<FJsonObject> GetAssetExists(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/asset/exists", Body);
}
