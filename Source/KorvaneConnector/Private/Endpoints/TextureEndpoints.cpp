#include "Endpoints/TextureEndpoints.h"

#include "Endpoints/AnimationJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "Endpoints/TextureAnalysis.h"
#include "Endpoints/TextureThumbnail.h"
#include "RequestConventions.h"

#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture2D.h"

#include <functional>

namespace
{
	constexpr std::string_view TextureNotFoundMessage = "Texture not found";

	UTexture2D* LoadTexture2D(std::string_view Path)
	{
		return Cast<UTexture2D>(StaticLoadObject(UTexture2D::StaticClass(), Path));
	}

	std::shared_ptr<FJsonObject> MakeTextureListEntry(const FAssetData& Asset)
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("packagePath", Asset.PackagePath);
		SetRegistryTagField(*Entry, Asset, "Dimensions", "dimensions");
		SetRegistryTagField(*Entry, Asset, "Format", "format");
		return Entry;
	}

	/** A single-texture request: its body, its checked `path` and the texture, or the read-style error answer. */
	struct FTextureRequest
	{
		std::shared_ptr<FJsonObject> Body;
		std::string Path;
		UTexture2D* Texture = nullptr;
		std::shared_ptr<FJsonObject> Error;
	};

	FTextureRequest ReadTextureRequest(std::string_view BodyText)
	{
		FAssetPathRequest PathRequest = ReadAssetPathRequest(BodyText);
		FTextureRequest Request{std::move(PathRequest.Body), std::move(PathRequest.Path), nullptr, std::move(PathRequest.Error)};
		if (!Request.Error)
		{
			Request.Texture = LoadTexture2D(Request.Path);
			if (Request.Texture == nullptr)
			{
				Request.Error = MakeErrorResponse(TextureNotFoundMessage);
			}
		}
		return Request;
	}

	/** A batch entry of a bad element: `path` (the element as text), then `error`. */
	std::shared_ptr<FJsonObject> MakeBatchError(std::string_view Path, std::string_view Message)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("path", Path);
		Entry->SetStringField("error", Message);
		return Entry;
	}

	using FTextureBatchEntryMaker = std::function<std::shared_ptr<FJsonObject>(const UTexture2D& Texture, const std::string& Path)>;

	/**
	 * A batch answer: one entry per element of `paths`, in order, then `count`. An element that
	 * is not a string reads as the empty text, which is no valid path.
	 */
	std::shared_ptr<FJsonObject> AnswerTextureBatch(const FJsonValueArray& Paths, const FTextureBatchEntryMaker& MakeEntry)
	{
		FJsonValueArray Results;
		Results.reserve(Paths.size());
		for (const FJsonValue& Element : Paths)
		{
			const std::string* ElementText = Element.TryGetString();
			const std::string Path = ElementText != nullptr ? *ElementText : std::string();
			if (!IsValidAssetPath(Path))
			{
				Results.emplace_back(MakeBatchError(Path, "Invalid path"));
			}
			else if (const UTexture2D* Texture = LoadTexture2D(Path))
			{
				Results.emplace_back(MakeEntry(*Texture, Path));
			}
			else
			{
				Results.emplace_back(MakeBatchError(Path, TextureNotFoundMessage));
			}
		}
		auto Response = std::make_shared<FJsonObject>();
		const std::size_t Count = Results.size();
		Response->SetArrayField("results", std::move(Results));
		Response->SetNumberField("count", Count);
		return Response;
	}

	/** The batch body and its `paths`, or the read-style error answer. */
	struct FTextureBatchRequest
	{
		std::shared_ptr<FJsonObject> Body;
		std::shared_ptr<FJsonValueArray> Paths;
		std::shared_ptr<FJsonObject> Error;
	};

	FTextureBatchRequest ReadTextureBatchRequest(std::string_view BodyText)
	{
		FTextureBatchRequest Request;
		Request.Body = ParseJsonBody(BodyText);
		if (!Request.Body)
		{
			Request.Error = MakeErrorResponse(InvalidJsonBodyMessage);
			return Request;
		}
		Request.Paths = Request.Body->TryGetArrayField("paths");
		if (!Request.Paths)
		{
			Request.Error = MakeErrorResponse("Missing 'paths' array");
		}
		return Request;
	}
}

std::shared_ptr<FJsonObject> ListTextures()
{
	const FTopLevelAssetPath ClassPath = UTexture2D::StaticClass()->GetClassPathName();
	FJsonValueArray Textures;
	for (const FAssetData& Asset : GetGameAssetsOfClass(ClassPath.PackageName, ClassPath.AssetName, false))
	{
		Textures.emplace_back(MakeTextureListEntry(Asset));
	}
	return MakeListResponse("textures", std::move(Textures));
}

std::shared_ptr<FJsonObject> GetTextureThumbnail(const std::string& Body)
{
	const FTextureRequest Request = ReadTextureRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	const std::string Thumbnail = MakeTextureThumbnail(Request.Texture, ReadThumbnailMaxSize(*Request.Body));
	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("name", Request.Texture->GetName());
	Response->SetStringField("path", Request.Path);
	Response->SetStringField("thumbnail", Thumbnail);
	if (Thumbnail.empty())
	{
		Response->SetStringField("thumbnailError", "Could not generate thumbnail — source data may not be available");
	}
	return Response;
}

std::shared_ptr<FJsonObject> GetTextureThumbnailBatch(const std::string& Body)
{
	const FTextureBatchRequest Request = ReadTextureBatchRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	const int32_t MaxSize = ReadThumbnailMaxSize(*Request.Body);
	return AnswerTextureBatch(*Request.Paths, [MaxSize](const UTexture2D& Texture, const std::string& Path) {
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("path", Path);
		Entry->SetStringField("name", Texture.GetName());
		Entry->SetStringField("thumbnail", MakeTextureThumbnail(&Texture, MaxSize));
		return Entry;
	});
}

std::shared_ptr<FJsonObject> GetTextureAnalysis(const std::string& Body)
{
	const FTextureRequest Request = ReadTextureRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	return AnalyseTexture(*Request.Texture, Request.Path);
}

std::shared_ptr<FJsonObject> GetTextureAnalysisBatch(const std::string& Body)
{
	const FTextureBatchRequest Request = ReadTextureBatchRequest(Body);
	if (Request.Error)
	{
		return Request.Error;
	}
	return AnswerTextureBatch(*Request.Paths, [](const UTexture2D& Texture, const std::string& Path) { return AnalyseTexture(Texture, Path); });
}
