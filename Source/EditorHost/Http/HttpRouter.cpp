#include "Http/HttpRouterImpl.h"

#include "Http/HttpLog.h"
#include "Http/HttpVerbs.h"
#include "Runtime/GameThread.h"

#include <algorithm>
#include <exception>

namespace
{
	/** Hands the first response to the transport; later ones are dropped. */
	class FCompletionOnce
	{
	public:
		explicit FCompletionOnce(FHttpResultCallback InDeliver) : Deliver(std::move(InDeliver)) {}

		void Complete(std::unique_ptr<FHttpServerResponse> Response)
		{
			if (!Deliver)
			{
				return;
			}
			const FHttpResultCallback Callback = std::move(Deliver);
			Deliver = nullptr;
			Callback(Response ? std::move(Response) : FHttpServerResponse::Error(EHttpServerResponseCodes::ServerError));
		}

	private:
		FHttpResultCallback Deliver;
	};

	/** The callback a handler receives: completes once, and always on the game thread. */
	FHttpResultCallback MakeHandlerCallback(FGameThread& GameThread, FHttpResultCallback Deliver)
	{
		auto Once = std::make_shared<FCompletionOnce>(std::move(Deliver));
		return [&GameThread, Once](std::unique_ptr<FHttpServerResponse> Response)
		{
			if (GameThread.IsInGameThread())
			{
				Once->Complete(std::move(Response));
				return;
			}
			std::shared_ptr<FHttpServerResponse> Shared = std::move(Response);
			GameThread.Post([Once, Shared]
				{ Once->Complete(Shared ? std::make_unique<FHttpServerResponse>(std::move(*Shared)) : nullptr); });
		};
	}
}

FHttpRouteHandle FHttpRouter::BindRoute(const FHttpPath& Path, EHttpServerRequestVerbs Verbs, FHttpRequestHandler Handler)
{
	if (Verbs == EHttpServerRequestVerbs::VERB_NONE || !Handler)
	{
		return nullptr;
	}
	std::vector<FRoute>& PathRoutes = Routes[Path.GetPath()];
	const bool bTaken = std::any_of(PathRoutes.begin(), PathRoutes.end(),
		[Verbs](const FRoute& Route) { return EnumHasAnyFlags(Route.Handle->Verbs, Verbs); });
	if (bTaken)
	{
		return nullptr;
	}
	auto Handle = std::make_shared<FHttpRouteHandleInternal>(FHttpRouteHandleInternal{Path.GetPath(), Verbs});
	PathRoutes.push_back(FRoute{Handle, std::make_shared<const FHttpRequestHandler>(std::move(Handler))});
	return Handle;
}

void FHttpRouter::UnbindRoute(const FHttpRouteHandle& RouteHandle)
{
	if (!RouteHandle)
	{
		return;
	}
	const auto Found = Routes.find(RouteHandle->Path);
	if (Found == Routes.end())
	{
		return;
	}
	std::erase_if(Found->second, [&RouteHandle](const FRoute& Route) { return Route.Handle == RouteHandle; });
	if (Found->second.empty())
	{
		Routes.erase(Found);
	}
}

void FHttpRouter::Dispatch(const FHttpServerRequest& Request, FHttpResultCallback OnComplete) const
{
	const FHttpResultCallback Callback = MakeHandlerCallback(GameThread, std::move(OnComplete));
	const auto Found = Routes.find(Request.RelativePath);
	if (Found == Routes.end())
	{
		Callback(FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound));
		return;
	}
	std::shared_ptr<const FHttpRequestHandler> Handler;
	EHttpServerRequestVerbs Allowed = EHttpServerRequestVerbs::VERB_NONE;
	for (const FRoute& Route : Found->second)
	{
		Allowed = Allowed | Route.Handle->Verbs;
		if (EnumHasAnyFlags(Route.Handle->Verbs, Request.Verb))
		{
			Handler = Route.Handler;
		}
	}
	if (!Handler)
	{
		auto Response = FHttpServerResponse::Error(EHttpServerResponseCodes::BadMethod);
		Response->Headers.emplace("allow", FormatAllowedVerbs(Allowed));
		Callback(std::move(Response));
		return;
	}
	try
	{
		if (!(*Handler)(Request, Callback))
		{
			Callback(FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound));
		}
	}
	catch (const std::exception& Exception)
	{
		UE_LOG(LogHttpServer, Error, "Handler for %s %s threw: %s", LexToString(Request.Verb).data(), Request.RelativePath.c_str(), Exception.what());
		Callback(FHttpServerResponse::Error(EHttpServerResponseCodes::ServerError));
	}
	catch (...)
	{
		UE_LOG(LogHttpServer, Error, "Handler for %s %s threw a non-standard exception", LexToString(Request.Verb).data(), Request.RelativePath.c_str());
		Callback(FHttpServerResponse::Error(EHttpServerResponseCodes::ServerError));
	}
}
