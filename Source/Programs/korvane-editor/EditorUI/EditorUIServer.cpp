#include "EditorUI/EditorUIServer.h"

#include "Assets/AssetRegistry.h"
#include "Core/FileSystem.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "EditorUI/ContentBrowserView.h"
#include "EditorUI/EditorUIPageActions.h"
#include "EditorUI/EditorUIPageFiles.h"
#include "EditorUI/EditorUIResponses.h"
#include "EditorUI/WorldOutlinerView.h"
#include "Level/EditorWorld.h"
#include "Runtime/App.h"

#include <charconv>
#include <limits>

namespace
{
	constexpr std::chrono::milliseconds RefreshPeriod{200};
	/** Well inside the host's request time-out, so a waiting page is answered before its request is dropped. */
	constexpr std::chrono::milliseconds MaxWait{15'000};
	constexpr std::size_t MaxLogLinesPerAnswer = 1000;

	/** A query parameter as an unsigned count; absent or not a number reads as 0, too large saturates. */
	uint64_t QueryNumber(const FHttpServerRequest& Request, std::string_view Name)
	{
		const auto Found = Request.QueryParams.find(Name);
		if (Found == Request.QueryParams.end())
		{
			return 0;
		}
		uint64_t Number = 0;
		const std::string& Text = Found->second;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
		if (Error == std::errc::result_out_of_range)
		{
			return std::numeric_limits<uint64_t>::max();
		}
		return Error == std::errc() && End == Text.data() + Text.size() ? Number : 0;
	}

	std::string QueryText(const FHttpServerRequest& Request, std::string_view Name)
	{
		const auto Found = Request.QueryParams.find(Name);
		return Found == Request.QueryParams.end() ? std::string() : Found->second;
	}
}

FEditorUIServer::FEditorUIServer(std::shared_ptr<IHttpRouter> InRouter, FGameThread& GameThread, std::string PageDir, std::unique_ptr<FOutputLogBuffer> InLog)
	: Router(std::move(InRouter))
	, Log(InLog ? std::move(InLog) : std::make_unique<FOutputLogBuffer>())
	, Poll(GameThread, [this]() { return BuildState(); }, RefreshPeriod, MaxWait)
{
	BindPageFiles(PageDir);
	const auto Handler = [this](bool (FEditorUIServer::*Method)(const FHttpServerRequest&, const FHttpResultCallback&)) {
		return [this, Method](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete) { return (this->*Method)(Request, OnComplete); };
	};
	Bind("/ui/view", EHttpServerRequestVerbs::VERB_GET, Handler(&FEditorUIServer::HandleView));
	Bind("/ui/log", EHttpServerRequestVerbs::VERB_GET, Handler(&FEditorUIServer::HandleLog));
	Bind("/ui/icon", EHttpServerRequestVerbs::VERB_GET, Handler(&FEditorUIServer::HandleIcon));
	Bind("/ui/action", EHttpServerRequestVerbs::VERB_POST, Handler(&FEditorUIServer::HandleAction));
}

FEditorUIServer::~FEditorUIServer()
{
	for (const FHttpRouteHandle& Route : Routes)
	{
		Router->UnbindRoute(Route);
	}
}

void FEditorUIServer::Bind(const char* Path, EHttpServerRequestVerbs Verb, FHttpRequestHandler Handler)
{
	Routes.push_back(Router->BindRoute(Path, Verb, std::move(Handler)));
}

void FEditorUIServer::BindPageFiles(const std::string& PageDir)
{
	for (const FEditorUIPageFile& File : ListEditorUIPageFiles(PageDir))
	{
		// Read at each request, so an edited page shows on reload.
		FHttpRequestHandler Serve = [File](const FHttpServerRequest&, const FHttpResultCallback& OnComplete) {
			const std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(File.FilePath);
			OnComplete(Bytes ? EditorUIResponses::Content(std::string_view(reinterpret_cast<const char*>(Bytes->data()), Bytes->size()), File.ContentType)
							 : FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound));
			return true;
		};
		if (File.UrlPath == "/index.html")
		{
			Bind("/", EHttpServerRequestVerbs::VERB_GET, Serve);
		}
		Bind(File.UrlPath.c_str(), EHttpServerRequestVerbs::VERB_GET, std::move(Serve));
		++PageFileCount;
	}
}

std::shared_ptr<FJsonObject> FEditorUIServer::BuildState()
{
	Log->CollectNewLines();
	auto State = std::make_shared<FJsonObject>();
	State->SetStringField("projectName", FApp::GetProjectName());
	State->SetObjectField("editor", Model.BuildView());
	if (const IAssetRegistry* Registry = IAssetRegistry::Get())
	{
		State->SetObjectField("contentBrowser", DescribeContentBrowser(*Registry));
	}
	if (UWorld* World = GetEditorWorld())
	{
		State->SetObjectField("outliner", DescribeWorldOutliner(*World));
	}
	State->SetNumberField("logLast", Log->GetLastSequence());
	return State;
}

bool FEditorUIServer::HandleView(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
{
	Poll.Wait(QueryText(Request, "instance"), QueryNumber(Request, "after"), OnComplete);
	return true;
}

bool FEditorUIServer::HandleLog(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
{
	Log->CollectNewLines();
	OnComplete(EditorUIResponses::Json(*Log->DescribeLinesAfter(QueryNumber(Request, "after"), MaxLogLinesPerAnswer)));
	return true;
}

bool FEditorUIServer::HandleIcon(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
{
	const std::optional<std::string> File = FEditorUIModel::FindBrushImageFile(QueryText(Request, "styleSet"), QueryText(Request, "brush"));
	const std::optional<std::vector<uint8_t>> Bytes = File && GetEditorUIPageContentType(*File) == "image/png" ? FFileHelper::LoadFileToBytes(*File) : std::nullopt;
	OnComplete(Bytes ? EditorUIResponses::Content(std::string_view(reinterpret_cast<const char*>(Bytes->data()), Bytes->size()), "image/png")
					 : FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound));
	return true;
}

bool FEditorUIServer::HandleAction(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
{
	const std::shared_ptr<FJsonObject> Action = FJsonSerializer::DeserializeObject(Request.Body);
	if (!Action)
	{
		OnComplete(EditorUIResponses::Failure(EHttpServerResponseCodes::BadRequest, "The action is not a JSON object."));
		return true;
	}
	const std::shared_ptr<FJsonObject> Result = RunEditorUIPageAction(*Action, Model);
	OnComplete(EditorUIResponses::Json(*Result));
	// Pages waiting for a change see the action's effect at once, not at the next refresh.
	Poll.Refresh();
	return true;
}
