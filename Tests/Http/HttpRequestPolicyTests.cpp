#include "Http/HttpRequestPolicy.h"

#include <gtest/gtest.h>

TEST(HttpRequestPolicyTest, LoopbackHostNamesWithOptionalPortAreAccepted)
{
	for (const char* Host : {"localhost", "LocalHost:30010", "127.0.0.1", "127.0.0.1:30010", "127.45.6.7", "[::1]", "[::1]:30010",
			 "[0:0:0:0:0:0:0:1]:80", "localhost:"})
	{
		EXPECT_TRUE(IsLoopbackHost(Host, "127.0.0.1")) << Host;
	}
}

TEST(HttpRequestPolicyTest, ForeignOrMalformedHostsAreRefused)
{
	for (const char* Host : {"", "evil.com", "localhost.evil.com", "127.0.0.1.evil.com", "128.0.0.1", "127.0.0.1:80:80",
			 "127.0.0.1:abc", "127.0.0.1:123456", "::1", "[::1", "[::2]:80", "localhost, evil.com", "10.0.0.5"})
	{
		EXPECT_FALSE(IsLoopbackHost(Host, "127.0.0.1")) << Host;
	}
}

TEST(HttpRequestPolicyTest, TheBindAddressCountsAsLoopback)
{
	EXPECT_TRUE(IsLoopbackHost("10.0.0.5:30010", "10.0.0.5"));
	EXPECT_TRUE(IsLoopbackHost("[fe80::1]:30010", "FE80::1"));
	EXPECT_TRUE(IsLoopbackOrigin("http://10.0.0.5:3000", "10.0.0.5"));
	EXPECT_FALSE(IsLoopbackHost("10.0.0.5", ""));
}

TEST(HttpRequestPolicyTest, OnlyLoopbackOriginsAreAccepted)
{
	for (const char* Origin : {"http://localhost", "http://localhost:3000", "HTTPS://127.0.0.1", "https://127.0.0.1:8443",
			 "http://[::1]:8080"})
	{
		EXPECT_TRUE(IsLoopbackOrigin(Origin, "127.0.0.1")) << Origin;
	}
	for (const char* Origin : {"null", "", "http://evil.com", "http://localhost.evil.com", "file://localhost",
			 "ws://localhost", "http://localhost:3000/", "localhost", "http://"})
	{
		EXPECT_FALSE(IsLoopbackOrigin(Origin, "127.0.0.1")) << Origin;
	}
}

TEST(HttpRequestPolicyTest, RequestChecksCoverHostOriginAndBodySize)
{
	FHttpServerSettings Settings;
	Settings.MaxBodyBytes = 4;
	FHttpServerRequest Request;

	EXPECT_EQ(CheckRequestAllowed(Request, Settings, true), EHttpServerResponseCodes::Forbidden);
	EXPECT_EQ(CheckRequestAllowed(Request, Settings, false), std::nullopt);

	Request.Headers["host"] = "localhost:30010";
	EXPECT_EQ(CheckRequestAllowed(Request, Settings, true), std::nullopt);

	Request.Headers["origin"] = "null";
	EXPECT_EQ(CheckRequestAllowed(Request, Settings, true), EHttpServerResponseCodes::Forbidden);
	Request.Headers["origin"] = "http://localhost:5173";
	EXPECT_EQ(CheckRequestAllowed(Request, Settings, true), std::nullopt);

	Request.Body = "12345";
	EXPECT_EQ(CheckRequestAllowed(Request, Settings, true), EHttpServerResponseCodes::PayloadTooLarge);
}
