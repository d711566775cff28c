#pragma once

#include "Http/HttpTypes.h"

#include <string>

/**
 * Answers one JSON-RPC request of POST /korvane/mcp: returns the response text and
 * may change the status code, which starts at 200.
 */
std::string HandleMcpRequest(const std::string& Body, EHttpServerResponseCodes& OutStatus);
