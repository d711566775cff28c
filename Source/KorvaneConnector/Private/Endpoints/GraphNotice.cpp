#include "Endpoints/GraphNotice.h"

std::shared_ptr<FJsonObject> GetGraphNotice(const std::string&)
{
	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("notice", "Returns class-level metadata only \xE2\x80\x94 graph traversal is not exposed by this endpoint.");
	return Response;
}
