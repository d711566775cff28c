#include "Assets/AssetFiles.h"
#include "Runtime/PlatformProcess.h"
#include "Runtime/RemoteControlModule.h"

#include <gtest/gtest.h>

TEST(RemoteControlTests, TheModuleIsLoadedUnlessTheHostLeavesItOut)
{
	{
		FTestEditor Editor{HostOnly()};
		EXPECT_TRUE(Editor.Host().GetModuleManager().IsModuleLoaded(FRemoteControlModule::ModuleName));
	}
	FTestEditorOptions Options = HostOnly();
	Options.bRemoteControl = false;
	FTestEditor Editor{Options};
	EXPECT_FALSE(Editor.Host().GetModuleManager().IsModuleLoaded(FRemoteControlModule::ModuleName));
}

TEST(LaunchUrlTests, OnlyPrintableWebAddressesAreOpened)
{
	const auto Launch = [](const char* Url, const char* Parms = nullptr) {
		std::string Error = "not cleared";
		FPlatformProcess::LaunchURL(Url, Parms, &Error);
		return Error;
	};
	EXPECT_EQ(Launch("https://example.com/download"), "");
	EXPECT_EQ(FPlatformProcess::GetLaunchedURLs().back().URL, "https://example.com/download");
	EXPECT_EQ(Launch("HTTP://EXAMPLE.COM", "?q=1"), "");
	EXPECT_EQ(FPlatformProcess::GetLaunchedURLs().back().URL, "HTTP://EXAMPLE.COM?q=1");
	EXPECT_EQ(Launch("https://example.com/a b"), "The URL holds blanks, control characters or characters outside ASCII (percent-encode them).");
	EXPECT_EQ(Launch("file:///etc/passwd"), "Only http and https URLs are opened.");
	EXPECT_EQ(Launch("javascript:alert(1)"), "Only http and https URLs are opened.");
	EXPECT_EQ(Launch("https://example.com/\n"), "The URL holds blanks, control characters or characters outside ASCII (percent-encode them).");
	EXPECT_EQ(Launch(nullptr), "The URL is empty.");
	EXPECT_EQ(Launch(("https://" + std::string(2048, 'a')).c_str()), "The URL is longer than 2048 characters.");
	EXPECT_EQ(FPlatformProcess::GetLaunchedURLs().back().URL, "HTTP://EXAMPLE.COM?q=1") << "refused URLs are not recorded";

	for (int Index = 0; Index < 150; ++Index)
	{
		FPlatformProcess::LaunchURL(("https://example.com/" + std::to_string(Index)).c_str(), nullptr, nullptr);
	}
	const std::vector<FLaunchedURL> Urls = FPlatformProcess::GetLaunchedURLs();
	EXPECT_EQ(Urls.size(), 100u) << "the record keeps the most recent 100";
	EXPECT_EQ(Urls.back().URL, "https://example.com/149");
	EXPECT_LT(Urls.front().Id, Urls.back().Id);
}
