#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** A URL the editor was asked to open. */
struct FLaunchedURL
{
	uint64_t Id = 0;
	std::string URL;
};

/**
 * The platform's process services. This editor runs without a desktop, so opening a URL in
 * the system browser is recorded (the editor's UI page opens it) and logged.
 */
class FPlatformProcess
{
public:
	/**
	 * Opens the URL in the system browser. Only http and https URLs of printable characters
	 * (up to 2048) are opened; anything else is refused with OutError set. Parms, when given,
	 * are appended to the URL (a query, typically).
	 */
	static void LaunchURL(const char* URL, const char* Parms, std::string* OutError);
	/** The URLs opened so far (the most recent 100), oldest first. Safe from any thread. */
	static std::vector<FLaunchedURL> GetLaunchedURLs();
};
