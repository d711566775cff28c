#pragma once

#include "Core/JsonObject.h"
#include "Http/HttpTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

/** A handler that takes no argument. */
using FNoBodyRouteHandler = std::function<std::shared_ptr<FJsonObject>()>;
/** A handler that takes the request body as text. */
using FBodyRouteHandler = std::function<std::shared_ptr<FJsonObject>(const std::string& Body)>;

/** One route of the connector: path, verb, and its handler of either kind. */
struct FRouteTableRow
{
	std::string_view Path;
	EHttpServerRequestVerbs Verb;
	std::variant<FNoBodyRouteHandler, FBodyRouteHandler> Handler;

	bool TakesBody() const { return std::holds_alternative<FBodyRouteHandler>(Handler); }
};

/** The 53 routes under /korvane/, in binding order. */
const std::vector<FRouteTableRow>& GetRouteTable();

/** The handler of the table's body route at Path, or nullptr; lets one handler hand a request on to another route's. */
const FBodyRouteHandler* FindBodyRouteHandler(std::string_view Path);
