#include "Support/TestEditor.h"
#include "Support/TestHttpClient.h"

#include "Editor/Clipboard.h"
#include "Editor/Notifications.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
	class ClipboardOverHttp : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			FPlatformApplicationMisc::ClipboardCopy("before");
			Editor.Serve();
			Client = std::make_unique<FTestHttpClient>(Editor.Port());
		}

		std::string Post(std::string_view Path, std::string_view Body)
		{
			const std::optional<FTestHttpResponse> Response = Client->Request("POST", Path, Body);
			EXPECT_TRUE(Response.has_value());
			EXPECT_EQ(Response ? Response->Status : 0, 200);
			return Response ? Response->Body : std::string();
		}

		std::string Clipboard()
		{
			std::string Text;
			FPlatformApplicationMisc::ClipboardPaste(Text);
			return Text;
		}

		/** The toasts on screen, read on the game thread. */
		std::vector<FActiveNotification> Toasts()
		{
			return Editor.OnGameThread([]() -> std::vector<FActiveNotification> { return FSlateNotificationManager::Get().GetActiveNotifications(); });
		}

		/** The toasts once the work queued by the last request has run (it runs after the response). */
		std::vector<FActiveNotification> ToastsAfterQueuedWork()
		{
			const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
			std::vector<FActiveNotification> Shown = Toasts();
			while (Shown.empty() && std::chrono::steady_clock::now() < Deadline)
			{
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
				Shown = Toasts();
			}
			return Shown;
		}

		FTestEditor Editor;
		std::unique_ptr<FTestHttpClient> Client;
	};
}

TEST_F(ClipboardOverHttp, ObjectWithTextIsCopiedAndAToastFollows)
{
	EXPECT_EQ(Post("/korvane/clipboard/set", R"({"text":"abc"})"), R"({"success":true,"length":3})");
	EXPECT_EQ(Clipboard(), "abc");
	const std::vector<FActiveNotification> Shown = ToastsAfterQueuedWork();
	ASSERT_EQ(Shown.size(), 1u);
	EXPECT_EQ(Shown[0].Text.ToString(), "Clipboard updated");
	EXPECT_FLOAT_EQ(Shown[0].ExpireDuration, 2.0f);
}

TEST_F(ClipboardOverHttp, BodiesThatAreNotObjectsAreTheTextItself)
{
	EXPECT_EQ(Post("/korvane/clipboard/set", "abc"), R"({"success":true,"length":3})");
	EXPECT_EQ(Clipboard(), "abc");
	EXPECT_EQ(Post("/korvane/clipboard/set", R"("abc")"), R"({"success":true,"length":5})");
	EXPECT_EQ(Clipboard(), R"("abc")");
	EXPECT_EQ(Post("/korvane/clipboard/set", "[1,2]"), R"({"success":true,"length":5})");
	EXPECT_EQ(Post("/korvane/clipboard/set", ""), R"({"success":true,"length":0})");
	EXPECT_EQ(Clipboard(), "");
}

TEST_F(ClipboardOverHttp, ObjectWithoutTextStringChangesNothing)
{
	EXPECT_EQ(Post("/korvane/clipboard/set", R"({"value":"abc"})"), R"({"success":false,"error":"Missing 'text' field in request body"})");
	EXPECT_EQ(Post("/korvane/clipboard/set", R"({"text":42})"), R"({"success":false,"error":"Missing 'text' field in request body"})");
	EXPECT_EQ(Clipboard(), "before");
	// Only the one successful write below shows a toast.
	Post("/korvane/clipboard/set", "x");
	EXPECT_EQ(ToastsAfterQueuedWork().size(), 1u);
}

TEST_F(ClipboardOverHttp, LengthsCountUtf16CodeUnits)
{
	// e-acute is one unit, the euro sign one, the emoji two.
	EXPECT_EQ(Post("/korvane/clipboard/set", "{\"text\":\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"}"), R"({"success":true,"length":4})");
	EXPECT_EQ(Post("/korvane/clipboard/get", ""), "{\"text\":\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\",\"length\":4}");
}

TEST_F(ClipboardOverHttp, GetIgnoresTheBodyAndEscapesControlCharacters)
{
	FPlatformApplicationMisc::ClipboardCopy("Begin Object\r\n\tName=\"K2Node_0\"\x01");
	const std::string Expected = R"({"text":"Begin Object\r\n\tName=\"K2Node_0\"\u0001","length":31})";
	EXPECT_EQ(Post("/korvane/clipboard/get", ""), Expected);
	EXPECT_EQ(Post("/korvane/clipboard/get", R"({"anything":true})"), Expected);
	EXPECT_EQ(Post("/korvane/clipboard/get", "not json"), Expected);
}

TEST_F(ClipboardOverHttp, EmptyClipboardReadsEmpty)
{
	FPlatformApplicationMisc::ClipboardCopy("");
	EXPECT_EQ(Post("/korvane/clipboard/get", ""), R"({"text":"","length":0})");
}

TEST_F(ClipboardOverHttp, ToastExpiresAfterTwoSeconds)
{
	Post("/korvane/clipboard/set", "abc");
	ASSERT_EQ(ToastsAfterQueuedWork().size(), 1u);
	std::this_thread::sleep_for(std::chrono::milliseconds(2300));
	EXPECT_TRUE(Toasts().empty());
}
