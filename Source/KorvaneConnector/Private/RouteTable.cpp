#include "RouteTable.h"

#include "Endpoints/AnimationEndpoints.h"
#include "Endpoints/AssetDetailsEndpoints.h"
#include "Endpoints/AudioEffectsEndpoints.h"
#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/ComponentLibraryEndpoints.h"
#include "Endpoints/ControlRigEndpoints.h"
#include "Endpoints/EnrichEndpoints.h"
#include "Endpoints/DeployEndpoints.h"
#include "Endpoints/GraphNotice.h"
#include "Endpoints/LevelEndpoints.h"
#include "Endpoints/MaterialEndpoints.h"
#include "Endpoints/MaterialPasteDeploy.h"
#include "Endpoints/MaterialScriptEndpoints.h"
#include "Endpoints/MaterialThumbnail.h"
#include "Endpoints/SkeletonEndpoints.h"
#include "Endpoints/TextureEndpoints.h"
#include "Endpoints/TextureScriptEndpoints.h"
#include "Endpoints/WidgetEndpoints.h"
#include "PendingPickupStore.h"
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

	std::vector<FRouteTableRow> BuildRouteTable()
	{
		return {
			NoBody("/korvane/status", GET, GetStatus),
			NoBody("/korvane/blueprints", GET, ListBlueprints),
			NoBody("/korvane/sequencer/cameras", GET, ListSequencerCameras),
			NoBody("/korvane/sequencer/sequences", GET, ListLevelSequences),
			NoBody("/korvane/level/actors", GET, ListLevelActors),
			NoBody("/korvane/materials", GET, ListMaterials),
			Body("/korvane/materials/detail", POST, GetMaterialDetail),
			Body("/korvane/material/deploy", POST, DeployMaterial),
			Body("/korvane/material/paste-t3d", POST, PasteMaterialT3D),
			Body("/korvane/material/enrich", POST, EnrichMaterial),
			NoBody("/korvane/textures", GET, ListTextures),
			Body("/korvane/textures/thumbnail", POST, GetTextureThumbnail),
			Body("/korvane/textures/thumbnail/batch", POST, GetTextureThumbnailBatch),
			Body("/korvane/texture/analyse", POST, GetTextureAnalysis),
			Body("/korvane/texture/analyse/batch", POST, GetTextureAnalysisBatch),
			Body("/korvane/textures/export", POST, ExportTextures),
			Body("/korvane/textures/import", POST, ImportTextures),
			NoBody("/korvane/skeletons", GET, ListSkeletons),
			Body("/korvane/skeletons/hierarchy", POST, GetSkeletonHierarchy),
			NoBody("/korvane/skeletalmeshes", GET, ListSkeletalMeshes),
			NoBody("/korvane/animations", GET, ListAnimations),
			Body("/korvane/animations/detail", POST, GetAnimationDetail),
			NoBody("/korvane/animbps", GET, ListAnimBlueprints),
			Body("/korvane/animbps/graph", POST, GetGraphNotice),
			NoBody("/korvane/blendspaces", GET, ListBlendSpaces),
			NoBody("/korvane/montages", GET, ListMontages),
			NoBody("/korvane/controlrigs", GET, ListControlRigs),
			Body("/korvane/controlrigs/hierarchy", POST, GetControlRigHierarchy),
			Body("/korvane/controlrig/read", POST, ReadControlRig),
			Body("/korvane/controlrig/snapshot", POST, GetControlRigSnapshot),
			NoBody("/korvane/controlrig/pending", GET, TakePendingControlRig),
			Body("/korvane/skeletalmesh/geometry", POST, GetSkeletalMeshGeometry),
			NoBody("/korvane/metasounds", GET, ListMetaSounds),
			Body("/korvane/metasounds/graph", POST, GetGraphNotice),
			NoBody("/korvane/niagara/systems", GET, ListNiagaraSystems),
			NoBody("/korvane/niagara/emitters", GET, ListNiagaraEmitters),
			Body("/korvane/niagara/graph", POST, GetGraphNotice),
			NoBody("/korvane/clipboard/get", POST, GetClipboard),
			Body("/korvane/clipboard/set", POST, SetClipboard),
			Body("/korvane/blueprint/paste-nodes", POST, PasteBlueprintNodes),
			Body("/korvane/blueprint/deploy", POST, DeployBlueprint),
			Body("/korvane/widget/deploy", POST, DeployWidget),
			Body("/korvane/widget/read", POST, ReadWidget),
			NoBody("/korvane/widget/pending", GET, TakePendingWidget),
			NoBody("/korvane/content/folders", GET, ListContentFolders),
			Body("/korvane/blueprint/enrich", POST, EnrichBlueprint),
			Body("/korvane/components/library/enrich", POST, [](const std::string&) { return EnrichComponentLibrary(); }),
			NoBody("/korvane/blueprint/pending", GET, TakePendingBlueprint),
			NoBody("/korvane/material/pending", GET, TakePendingMaterial),
			Body("/korvane/material/thumbnail", POST, RenderMaterialThumbnail),
			Body("/korvane/asset/details", POST, GetAssetDetails),
			Body("/korvane/asset/batch", POST, GetAssetBatch),
			Body("/korvane/asset/exists", POST, GetAssetExists),
		};
	}
}

const std::vector<FRouteTableRow>& GetRouteTable()
{
	static const std::vector<FRouteTableRow> Table = BuildRouteTable();
	return Table;
}

const FBodyRouteHandler* FindBodyRouteHandler(std::string_view Path)
{
	for (const FRouteTableRow& Row : GetRouteTable())
	{
		if (Row.Path == Path)
		{
			return std::get_if<FBodyRouteHandler>(&Row.Handler);
		}
	}
	return nullptr;
}
