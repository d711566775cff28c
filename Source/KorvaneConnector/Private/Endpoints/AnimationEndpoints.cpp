#include "Endpoints/AnimationEndpoints.h"

#include "RequestConventions.h"

// Not served by this build yet.

std::shared_ptr<FJsonObject> ListAnimations()
{
	return MakeNotImplementedResponse("/korvane/animations");
}

std::shared_ptr<FJsonObject> GetAnimationDetail(const std::string& Body)
{
	return MakeNotImplementedResponse("/korvane/animations/detail", Body);
}

std::shared_ptr<FJsonObject> ListAnimBlueprints()
{
	return MakeNotImplementedResponse("/korvane/animbps");
}

std::shared_ptr<FJsonObject> ListBlendSpaces()
{
	return MakeNotImplementedResponse("/korvane/blendspaces");
}

std::shared_ptr<FJsonObject> ListMontages()
{
	return MakeNotImplementedResponse("/korvane/montages");
}
