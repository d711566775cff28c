#pragma once

#include "Http/HttpTypes.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

/** What a bind returns and an unbind takes; empty when the bind was refused. */
struct FHttpRouteHandleInternal;
using FHttpRouteHandle = std::shared_ptr<FHttpRouteHandleInternal>;

/**
 * The routes of one listening port. One handler per path and verb set; paths
 * match exactly. Routing happens on the game thread.
 */
class IHttpRouter
{
public:
	virtual ~IHttpRouter() = default;

	/**
	 * Binds a handler for a path and one or more verbs. Returns an empty handle when
	 * a handler is already bound for the same path and any of the verbs.
	 */
	virtual FHttpRouteHandle BindRoute(const FHttpPath& Path, EHttpServerRequestVerbs Verbs, FHttpRequestHandler Handler) = 0;
	/** Removes the route; an empty or already removed handle is ignored. */
	virtual void UnbindRoute(const FHttpRouteHandle& RouteHandle) = 0;
};

