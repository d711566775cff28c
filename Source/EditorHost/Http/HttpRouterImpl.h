#pragma once

#include "Http/HttpRouter.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class FGameThread;

struct FHttpRouteHandleInternal
{
	std::string Path;
	EHttpServerRequestVerbs Verbs = EHttpServerRequestVerbs::VERB_NONE;
};

/** The host's router: exact path lookup, then the verb. */
class FHttpRouter final : public IHttpRouter
{
public:
	explicit FHttpRouter(FGameThread& InGameThread) : GameThread(InGameThread) {}

	FHttpRouteHandle BindRoute(const FHttpPath& Path, EHttpServerRequestVerbs Verbs, FHttpRequestHandler Handler) override;
	void UnbindRoute(const FHttpRouteHandle& RouteHandle) override;

	/**
	 * Routes a request on the game thread. OnComplete runs once on the game thread,
	 * now or later, with the handler's response or the host's 404, 405 or 500;
	 * further completions from the handler are dropped.
	 */
	void Dispatch(const FHttpServerRequest& Request, FHttpResultCallback OnComplete) const;

private:
	struct FRoute
	{
		FHttpRouteHandle Handle;
		/** Shared so that a handler that unbinds routes while it runs stays alive. */
		std::shared_ptr<const FHttpRequestHandler> Handler;
	};

	FGameThread& GameThread;
	std::unordered_map<std::string, std::vector<FRoute>> Routes;
};
