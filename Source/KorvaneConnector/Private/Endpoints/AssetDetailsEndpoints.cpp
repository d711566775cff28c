#include "Endpoints/AssetDetailsEndpoints.h"

#include "Assets/AssetRegistry.h"
#include "Core/JsonSerializer.h"
#include "Data/CurveVector.h"
#include "Endpoints/AnimationEndpoints.h"
#include "Endpoints/AssetMetadata.h"
#include "Endpoints/MaterialEndpoints.h"
#include "Endpoints/SkeletonEndpoints.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "RequestConventions.h"
#include "RouteTable.h"

#include <optional>

namespace
{
	/** Whether the asset's class is the engine class at ClassPath or derives from it. */
	bool IsA(const UObject& Asset, std::string_view ClassPath)
	{
		return Asset.IsA(FClassDatabase::Get().FindClass(ClassPath));
	}

	/**
	 * A request body holding one text field. It is written by the JSON writer, so
	 * a path with a quote or a backslash in it stays that very path.
	 */
	std::string MakeBody(std::string_view Key, std::string_view Path)
	{
		FJsonObject Body;
		Body.SetStringField(Key, Path);
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/** The answer of the connector's own handler of a body route; the route table holds every route asked for here. */
	std::shared_ptr<FJsonObject> CallRouteHandler(std::string_view Route, const std::string& Body)
	{
		const FBodyRouteHandler* Handler = FindBodyRouteHandler(Route);
		return Handler != nullptr ? (*Handler)(Body) : MakeErrorResponse("No handler for " + std::string(Route));
	}

	std::shared_ptr<FJsonObject> BuildCurveVectorMetadata(const UObject& Asset)
	{
		int32_t KeyCount = 0;
		if (const UCurveVector* Curve = Cast<UCurveVector>(&Asset))
		{
			for (const FRichCurve& Channel : Curve->FloatCurves)
			{
				KeyCount += Channel.GetNumKeys();
			}
		}
		auto Metadata = std::make_shared<FJsonObject>();
		Metadata->SetNumberField("keyCount", KeyCount);
		Metadata->SetNumberField("channels", 3);
		return Metadata;
	}

	std::shared_ptr<FJsonObject> BuildClassMetadata(const UObject& Asset)
	{
		auto Metadata = std::make_shared<FJsonObject>();
		Metadata->SetStringField("class", Asset.GetClass()->GetPathName());
		return Metadata;
	}

	struct FTypeAndMetadata
	{
		std::string Type;
		std::shared_ptr<FJsonObject> Metadata;
	};

	/** The first row of the kinds below that the asset is (subclasses included) gives its type word and metadata. */
	FTypeAndMetadata DescribeAsset(const UObject& Asset, std::string_view Path, const std::string& BodyText)
	{
		if (IsA(Asset, "/Script/Engine.Blueprint"))
		{
			return {"Blueprint", CallRouteHandler("/korvane/blueprint/enrich", MakeBody("blueprintPath", Path))};
		}
		if (IsA(Asset, "/Script/Engine.MaterialInterface"))
		{
			return {"Material", GetMaterialDetail(BodyText)};
		}
		if (IsA(Asset, "/Script/Engine.Texture2D"))
		{
			return {"Texture2D", CallRouteHandler("/korvane/textures/thumbnail", BodyText)};
		}
		if (IsA(Asset, "/Script/Engine.AnimSequence"))
		{
			return {"AnimSequence", GetAnimationDetail(BodyText)};
		}
		if (IsA(Asset, "/Script/Engine.Skeleton"))
		{
			return {"Skeleton", GetSkeletonHierarchy(BodyText)};
		}
		if (IsA(Asset, "/Script/Engine.AnimMontage"))
		{
			return {"AnimMontage", BuildAnimMontageMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.BlendSpace"))
		{
			return {IsA(Asset, "/Script/Engine.BlendSpace1D") ? "BlendSpace1D" : "BlendSpace", BuildBlendSpaceMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.SkeletalMesh"))
		{
			return {"SkeletalMesh", BuildSkeletalMeshMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.SoundCue"))
		{
			return {"SoundCue", BuildSoundCueMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.SoundWave"))
		{
			return {"SoundWave", BuildSoundWaveMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.StaticMesh"))
		{
			return {"StaticMesh", BuildStaticMeshMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.DataTable"))
		{
			return {"DataTable", BuildDataTableMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Niagara.NiagaraSystem"))
		{
			return {"NiagaraSystem", BuildNiagaraSystemMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.CurveFloat"))
		{
			return {"CurveFloat", BuildCurveFloatMetadata(Asset)};
		}
		if (IsA(Asset, "/Script/Engine.CurveVector"))
		{
			return {"CurveVector", BuildCurveVectorMetadata(Asset)};
		}
		return {Asset.GetClass()->GetName(), BuildClassMetadata(Asset)};
	}

	std::shared_ptr<FJsonObject> MakeExistsError(std::string_view Message)
	{
		auto Response = std::make_shared<FJsonObject>();
		Response->SetBoolField("exists", false);
		Response->SetStringField("error", Message);
		return Response;
	}
}

std::shared_ptr<FJsonObject> AssetDetails(std::string_view Path, const std::string& BodyText)
{
	auto Details = std::make_shared<FJsonObject>();
	const UObject* Asset = StaticLoadObject(nullptr, Path);
	if (Asset == nullptr)
	{
		Details->SetStringField("error", "Asset not found: " + std::string(Path));
		Details->SetStringField("path", Path);
		return Details;
	}
	Details->SetStringField("name", Asset->GetName());
	Details->SetStringField("path", Path);
	FTypeAndMetadata Described = DescribeAsset(*Asset, Path, BodyText);
	Details->SetStringField("type", Described.Type);
	Details->SetObjectField("metadata", std::move(Described.Metadata));
	return Details;
}

std::shared_ptr<FJsonObject> GetAssetDetails(const std::string& Body)
{
	const FAssetPathRequest Request = ReadAssetPathRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	return AssetDetails(Request.Path, Body);
}

std::shared_ptr<FJsonObject> GetAssetBatch(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (!Request)
	{
		return MakeErrorResponse(InvalidJsonBodyMessage);
	}
	const std::shared_ptr<FJsonValueArray> Paths = Request->TryGetArrayField("paths");
	if (!Paths)
	{
		return MakeErrorResponse("Missing 'paths' array");
	}

	FJsonValueArray Assets;
	for (const FJsonValue& Element : *Paths)
	{
		const std::string* Path = Element.TryGetString();
		if (Path == nullptr || Path->empty() || !IsValidAssetPath(*Path))
		{
			continue;
		}
		Assets.emplace_back(AssetDetails(*Path, MakeBody("path", *Path)));
	}

	auto Response = std::make_shared<FJsonObject>();
	const std::size_t Count = Assets.size();
	Response->SetArrayField("assets", std::move(Assets));
	Response->SetNumberField("count", Count);
	return Response;
}

std::shared_ptr<FJsonObject> GetAssetExists(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (!Request)
	{
		return MakeExistsError(InvalidJsonBodyMessage);
	}
	const std::optional<std::string> Path = Request->TryGetStringField("path");
	if (!Path || Path->empty())
	{
		return MakeExistsError(MissingFieldMessage("path"));
	}
	if (!IsValidAssetPath(*Path))
	{
		return MakeExistsError(InvalidAssetPathMessage);
	}
	const IAssetRegistry* Registry = IAssetRegistry::Get();
	const FAssetData AssetData = Registry != nullptr ? Registry->GetAssetByObjectPath(FSoftObjectPath(*Path)) : FAssetData();

	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("exists", AssetData.IsValid());
	Response->SetStringField("path", *Path);
	return Response;
}
