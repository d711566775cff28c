#include "Core/Base64.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
	std::vector<uint8_t> BytesOf(std::string_view Text)
	{
		return std::vector<uint8_t>(Text.begin(), Text.end());
	}
}

TEST(Base64Test, Rfc4648Vectors)
{
	const std::pair<std::string_view, std::string_view> Vectors[] = {
		{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
	for (const auto& [Plain, Encoded] : Vectors)
	{
		EXPECT_EQ(FBase64::Encode(Plain), Encoded);
		EXPECT_EQ(FBase64::Decode(Encoded), BytesOf(Plain)) << Encoded;
	}
}

TEST(Base64Test, EveryByteValueRoundTrips)
{
	std::vector<uint8_t> Bytes(3 * 1024 * 1024 + 2);
	std::mt19937 Random(42);
	for (std::size_t Index = 0; Index < Bytes.size(); ++Index)
	{
		Bytes[Index] = Index < 256 ? static_cast<uint8_t>(Index) : static_cast<uint8_t>(Random());
	}
	const std::string Encoded = FBase64::Encode(Bytes);
	EXPECT_EQ(Encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="), std::string::npos);
	EXPECT_EQ(FBase64::Decode(Encoded), Bytes);
	EXPECT_EQ(FBase64::Encode(std::vector<uint8_t>{0xFB, 0xFF}), "+/8=");
}

TEST(Base64Test, DecodeRefusesMalformedText)
{
	for (const char* Text : {"Zg", "Zg=", "Zm9", "Zm9vY", "Zg==Zg==", "Z===", "====", "Zm=v", "Zm9v\n", " Zm9v", "Zm 9", "Zm9-", "Zm9_",
			 "Zg\x80\x80", "Zm9v===="})
	{
		EXPECT_EQ(FBase64::Decode(Text), std::nullopt) << Text;
	}
}
