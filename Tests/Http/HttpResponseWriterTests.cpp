#include "Http/HttpResponseWriter.h"

#include <gtest/gtest.h>

TEST(HttpResponseWriterTest, WritesCapitalisedHeadersAndDropsForgedOnes)
{
	auto Response = FHttpServerResponse::Create("{}", "application/json");
	Response->Headers["x-request-id"] = "7";
	Response->Headers["x-evil"] = "1\r\nSet-Cookie: a=b";
	Response->Headers["transfer-encoding"] = "chunked";
	std::string Bytes;
	AppendHttpResponse(Bytes, *Response, FHttpResponseFraming{});
	EXPECT_EQ(Bytes, "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nX-Request-Id: 7\r\nContent-Length: 2\r\n\r\n{}");
}

TEST(HttpResponseWriterTest, ConnectionHeaderFollowsTheRequest)
{
	const auto Response = FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound);
	std::string Http10;
	AppendHttpResponse(Http10, *Response, FHttpResponseFraming{false, true, 10});
	EXPECT_EQ(Http10, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: keep-alive\r\n\r\n");
	std::string Closing;
	AppendHttpResponse(Closing, *Response, FHttpResponseFraming{false, false, 11});
	EXPECT_EQ(Closing, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}
