#include "RouteTable.h"

#include "Endpoints/GraphNotice.h"
#include "PendingPickupStore.h"
#include "RequestConventions.h"
#include "StatusEndpoints.h"

namespace
{
	constexpr EHttpServerRequestVerbs GET = EHttpServerRequestVerbs::VERB_GET;
	constexpr EHttpServerRequestVerbs POST = EHttpServerRequestVerbs::VERB_POST;

	FRouteTableRow NoBody(std::string_view Path, EHttpServerRequestVerbs Verb, FNoBodyRouteHandler Handler)
	{
		return {Path, Verb, std::move(Handler)};
	}

	FRouteTableRow Body(std::string_view Path, EHttpServerRequestVerbs Verb, FBodyRouteHandler Handler)
	{
		return {Path, Verb, std::move(Handler)};
	}

	/** A route whose handler this build does not have yet: it answers {"error":"Not implemented: <path>"}. */
	std::shared_ptr<FJsonObject> NotImplemented(std::string_view Path)
	{
		return MakeErrorResponse("Not implemented: " + std::string(Path));
	}

	FRouteTableRow NoBodyNotImplemented(std::string_view Path, EHttpServerRequestVerbs Verb)
	{
		return NoBody(Path, Verb, [Path]() { return NotImplemented(Path); });
	}

	/** Body routes not built yet still check their body first, as every JSON body route does. */
	FRouteTableRow BodyNotImplemented(std::string_view Path, EHttpServerRequestVerbs Verb)
	{
		return Body(Path, Verb, [Path](const std::string& BodyText) {
			return ParseJsonBody(BodyText) ? NotImplemented(Path) : MakeErrorResponse(InvalidJsonBodyMessage);
		});
	}

	std::vector<FRouteTableRow> BuildRouteTable()
	{
		return {
			NoBody("/korvane/status", GET, GetStatus),
			NoBodyNotImplemented("/korvane/blueprints", GET),
			NoBodyNotImplemented("/korvane/sequencer/cameras", GET),
			NoBodyNotImplemented("/korvane/sequencer/sequences", GET),
			NoBodyNotImplemented("/korvane/level/actors", GET),
			NoBodyNotImplemented("/korvane/materials", GET),
			BodyNotImplemented("/korvane/materials/detail", POST),
			BodyNotImplemented("/korvane/material/deploy", POST),
			BodyNotImplemented("/korvane/material/paste-t3d", POST),
			BodyNotImplemented("/korvane/material/enrich", POST),
			NoBodyNotImplemented("/korvane/textures", GET),
			BodyNotImplemented("/korvane/textures/thumbnail", POST),
			BodyNotImplemented("/korvane/textures/thumbnail/batch", POST),
			BodyNotImplemented("/korvane/texture/analyse", POST),
			BodyNotImplemented("/korvane/texture/analyse/batch", POST),
			BodyNotImplemented("/korvane/textures/export", POST),
			BodyNotImplemented("/korvane/textures/import", POST),
			NoBodyNotImplemented("/korvane/skeletons", GET),
			BodyNotImplemented("/korvane/skeletons/hierarchy", POST),
			NoBodyNotImplemented("/korvane/skeletalmeshes", GET),
			NoBodyNotImplemented("/korvane/animations", GET),
			BodyNotImplemented("/korvane/animations/detail", POST),
			NoBodyNotImplemented("/korvane/animbps", GET),
			Body("/korvane/animbps/graph", POST, GetGraphNotice),
			NoBodyNotImplemented("/korvane/blendspaces", GET),
			NoBodyNotImplemented("/korvane/montages", GET),
			NoBodyNotImplemented("/korvane/controlrigs", GET),
			BodyNotImplemented("/korvane/controlrigs/hierarchy", POST),
			BodyNotImplemented("/korvane/controlrig/read", POST),
			BodyNotImplemented("/korvane/controlrig/snapshot", POST),
			NoBody("/korvane/controlrig/pending", GET, TakePendingControlRig),
			BodyNotImplemented("/korvane/skeletalmesh/geometry", POST),
			NoBodyNotImplemented("/korvane/metasounds", GET),
			Body("/korvane/metasounds/graph", POST, GetGraphNotice),
			NoBodyNotImplemented("/korvane/niagara/systems", GET),
			NoBodyNotImplemented("/korvane/niagara/emitters", GET),
			Body("/korvane/niagara/graph", POST, GetGraphNotice),
			NoBody("/korvane/clipboard/get", POST, GetClipboard),
			Body("/korvane/clipboard/set", POST, SetClipboard),
			BodyNotImplemented("/korvane/blueprint/paste-nodes", POST),
			BodyNotImplemented("/korvane/blueprint/deploy", POST),
			BodyNotImplemented("/korvane/widget/deploy", POST),
			BodyNotImplemented("/korvane/widget/read", POST),
			NoBody("/korvane/widget/pending", GET, TakePendingWidget),
			NoBodyNotImplemented("/korvane/content/folders", GET),
			BodyNotImplemented("/korvane/blueprint/enrich", POST),
			BodyNotImplemented("/korvane/components/library/enrich", POST),
			NoBody("/korvane/blueprint/pending", GET, TakePendingBlueprint),
			NoBody("/korvane/material/pending", GET, TakePendingMaterial),
			BodyNotImplemented("/korvane/material/thumbnail", POST),
			BodyNotImplemented("/korvane/asset/details", POST),
			BodyNotImplemented("/korvane/asset/batch", POST),
			BodyNotImplemented("/korvane/asset/exists", POST),
		};
	}
}

const std::vector<FRouteTableRow>& GetRouteTable()
{
	static const std::vector<FRouteTableRow> Table = BuildRouteTable();
	return Table;
}
