#include "Core/Log.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

DECLARE_LOG_CATEGORY_EXTERN(LogCoreTest, Warning, All);
DEFINE_LOG_CATEGORY(LogCoreTest);

namespace
{
	class LogTest : public testing::Test
	{
	protected:
		void TearDown() override
		{
			FLog::ResetAllVerbosity();
			FLog::SetStderrEnabled(true);
		}
	};
}

TEST_F(LogTest, CategoryLevelDecidesWhatIsWritten)
{
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	UE_LOG(LogCoreTest, Error, "error");
	UE_LOG(LogCoreTest, Warning, "warning");
	UE_LOG(LogCoreTest, Display, "display");
	UE_LOG(LogCoreTest, Log, "log");
	FLog::Write(LogCoreTest, ELogVerbosity::Verbose, "direct verbose");
	FLog::Write(LogCoreTest, ELogVerbosity::NoLogging, "never");
	EXPECT_EQ(Capture.Messages("LogCoreTest"), (std::vector<std::string>{"error", "warning"}));

	LogCoreTest.SetVerbosity(ELogVerbosity::NoLogging);
	UE_LOG(LogCoreTest, Error, "silenced");
	EXPECT_FALSE(Capture.Contains("silenced"));

	FLog::SetAllVerbosity(ELogVerbosity::VeryVerbose);
	UE_LOG(LogCoreTest, VeryVerbose, "very verbose");
	EXPECT_TRUE(Capture.Contains("very verbose"));

	FLog::ResetAllVerbosity();
	EXPECT_EQ(LogCoreTest.GetVerbosity(), ELogVerbosity::Warning);
}

TEST_F(LogTest, CaptureKeepsCategoryVerbosityAndFormattedMessage)
{
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	const std::string Long(5000, 'x');
	UE_LOG(LogCoreTest, Warning, "Missing %s (%d)", "Foo.uasset", 42);
	UE_LOG(LogCoreTest, Error, "%s|", Long.c_str());
	UE_LOG(LogCoreTest, Error, "Missing %s (%d)", "Foo.uasset", 42);

	const std::vector<FLogLine> Lines = Capture.Lines();
	ASSERT_EQ(Lines.size(), 3u);
	EXPECT_EQ(Lines[0].Category, "LogCoreTest");
	EXPECT_EQ(Lines[0].Verbosity, ELogVerbosity::Warning);
	EXPECT_EQ(Lines[0].Message, "Missing Foo.uasset (42)");
	EXPECT_EQ(Lines[1].Message, Long + "|");
	EXPECT_EQ(Capture.Count("Missing Foo.uasset (42)"), 2u);
	EXPECT_TRUE(Capture.Messages("LogOther").empty());

	Capture.Clear();
	EXPECT_TRUE(Capture.Lines().empty());
}

TEST_F(LogTest, CaptureOnlySeesLinesWhileItLives)
{
	FLog::SetStderrEnabled(false);
	UE_LOG(LogCoreTest, Error, "before");
	FLogCapture Outer;
	{
		FLogCapture Inner;
		UE_LOG(LogCoreTest, Error, "both");
		EXPECT_EQ(Inner.Lines().size(), 1u);
	}
	UE_LOG(LogCoreTest, Error, "after");
	EXPECT_EQ(Outer.Messages("LogCoreTest"), (std::vector<std::string>{"both", "after"}));
}

TEST_F(LogTest, StderrLineHasTimestampCategoryAndVerbosityWord)
{
	LogCoreTest.SetVerbosity(ELogVerbosity::Log);
	testing::internal::CaptureStderr();
	UE_LOG(LogCoreTest, Warning, "careful %d", 7);
	UE_LOG(LogCoreTest, Log, "plain");
	const std::string Output = testing::internal::GetCapturedStderr();

	const std::regex Expected(R"(\[\d{4}\.\d{2}\.\d{2}-\d{2}\.\d{2}\.\d{2}:\d{3}\]LogCoreTest: Warning: careful 7
\[\d{4}\.\d{2}\.\d{2}-\d{2}\.\d{2}\.\d{2}:\d{3}\]LogCoreTest: plain
)");
	EXPECT_TRUE(std::regex_match(Output, Expected)) << Output;

	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	testing::internal::CaptureStderr();
	UE_LOG(LogCoreTest, Error, "quiet");
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
	EXPECT_TRUE(Capture.Contains("quiet"));
}

TEST_F(LogTest, CategoriesLeaveTheRegistryWhenDestroyed)
{
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	{
		FLogCategory Scoped("LogScoped", ELogVerbosity::Error);
		FLog::SetAllVerbosity(ELogVerbosity::Display);
		EXPECT_EQ(Scoped.GetVerbosity(), ELogVerbosity::Display);
		UE_LOG(Scoped, Display, "scoped");
	}
	FLog::SetAllVerbosity(ELogVerbosity::Log);
	FLog::ResetAllVerbosity();
	EXPECT_EQ(Capture.Messages("LogScoped"), std::vector<std::string>{"scoped"});
}

TEST_F(LogTest, ConcurrentWritersLoseNoLines)
{
	FLog::SetStderrEnabled(false);
	FLogCapture Capture;
	std::vector<std::jthread> Writers;
	for (int Thread = 0; Thread < 4; ++Thread)
	{
		Writers.emplace_back([Thread] {
			for (int Index = 0; Index < 500; ++Index)
			{
				UE_LOG(LogCoreTest, Error, "thread %d line %d", Thread, Index);
			}
		});
	}
	Writers.clear();
	EXPECT_EQ(Capture.Lines().size(), 2000u);
	EXPECT_EQ(Capture.Count("thread 3 line 499"), 1u);
}

TEST(LogVerbosityTest, NamesParseIgnoringCase)
{
	for (const ELogVerbosity Verbosity : {ELogVerbosity::NoLogging, ELogVerbosity::Error, ELogVerbosity::Warning, ELogVerbosity::Display,
			 ELogVerbosity::Log, ELogVerbosity::Verbose, ELogVerbosity::VeryVerbose})
	{
		EXPECT_EQ(ParseLogVerbosity(LexToString(Verbosity)), Verbosity);
	}
	EXPECT_EQ(ParseLogVerbosity("warning"), ELogVerbosity::Warning);
	EXPECT_EQ(ParseLogVerbosity("VERYVERBOSE"), ELogVerbosity::VeryVerbose);
	EXPECT_EQ(ParseLogVerbosity("Warn"), std::nullopt);
	EXPECT_EQ(ParseLogVerbosity(""), std::nullopt);
}
