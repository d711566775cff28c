#include "Runtime/PlatformProcess.h"

#include "Core/LogHost.h"
#include "Core/TextHelpers.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <string_view>

namespace
{
	constexpr std::size_t MaxUrlLength = 2048;
	constexpr std::size_t MaxRecordedUrls = 100;

	struct FLaunchedUrls
	{
		std::mutex Mutex;
		std::deque<FLaunchedURL> Urls;
		uint64_t LastId = 0;
	};

	FLaunchedUrls& GetLaunchedUrls()
	{
		static FLaunchedUrls Launched;
		return Launched;
	}

	/** Why the URL may not be opened, or empty when it may. */
	std::string_view CheckUrl(std::string_view Url)
	{
		if (Url.empty())
		{
			return "The URL is empty.";
		}
		if (Url.size() > MaxUrlLength)
		{
			return "The URL is longer than 2048 characters.";
		}
		if (!Text::StartsWithIgnoreCase(Url, "http://") && !Text::StartsWithIgnoreCase(Url, "https://"))
		{
			return "Only http and https URLs are opened.";
		}
		const bool bPrintable = std::all_of(Url.begin(), Url.end(), [](char Character) { return Character > ' ' && Character != '\x7f'; });
		return bPrintable ? std::string_view() : std::string_view("The URL holds blanks, control characters or characters outside ASCII (percent-encode them).");
	}
}

void FPlatformProcess::LaunchURL(const char* URL, const char* Parms, std::string* OutError)
{
	std::string Url = URL != nullptr ? URL : "";
	if (Parms != nullptr && *Parms != '\0')
	{
		Url += Parms;
	}
	const std::string_view Refusal = CheckUrl(Url);
	if (!Refusal.empty())
	{
		if (OutError != nullptr)
		{
			*OutError = Refusal;
		}
		UE_LOG(LogHost, Warning, "LaunchURL refused: %.*s", static_cast<int>(Refusal.size()), Refusal.data());
		return;
	}
	if (OutError != nullptr)
	{
		OutError->clear();
	}

	FLaunchedUrls& Launched = GetLaunchedUrls();
	{
		std::lock_guard Lock(Launched.Mutex);
		Launched.Urls.push_back({++Launched.LastId, Url});
		if (Launched.Urls.size() > MaxRecordedUrls)
		{
			Launched.Urls.pop_front();
		}
	}
	UE_LOG(LogHost, Display, "LaunchURL: %s (no desktop here; the editor's UI page opens it)", Url.c_str());
}

std::vector<FLaunchedURL> FPlatformProcess::GetLaunchedURLs()
{
	FLaunchedUrls& Launched = GetLaunchedUrls();
	std::lock_guard Lock(Launched.Mutex);
	return {Launched.Urls.begin(), Launched.Urls.end()};
}
