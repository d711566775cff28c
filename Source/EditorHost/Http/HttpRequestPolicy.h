#pragma once

#include "Http/HttpServerModule.h"

#include <optional>
#include <string_view>

/**
 * True for a Host header value that names this machine's loopback: localhost,
 * 127.x.y.z, [::1] or the bind address, each with an optional port, in any case.
 */
bool IsLoopbackHost(std::string_view Host, std::string_view BindAddress);

/** True for the origin of a page served from loopback: http(s)://<loopback host>[:port]. */
bool IsLoopbackOrigin(std::string_view Origin, std::string_view BindAddress);

/**
 * Why the host refuses a request before routing it, if it does: 403 for a foreign
 * Host or Origin (a missing Host only when bHostRequired), 413 for a body over the limit.
 * These checks keep web pages in a browser on this machine from driving the editor.
 */
std::optional<EHttpServerResponseCodes> CheckRequestAllowed(
	const FHttpServerRequest& Request, const FHttpServerSettings& Settings, bool bHostRequired);
