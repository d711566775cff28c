#include "Support/TestEditor.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "EditorUI/EditorUILog.h"
#include "EditorUI/EditorUIPageFiles.h"
#include "EditorUI/EditorUIViewPoll.h"
#include "EditorUI/OutputLogBuffer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using ::testing::ElementsAre;

namespace
{
	std::vector<int64_t> Sequences(const FJsonObject& Answer)
	{
		std::vector<int64_t> Numbers;
		for (const FJsonValue& Line : *Answer.TryGetArrayField("lines"))
		{
			Numbers.push_back(Line.TryGetObject()->TryGetInt64Field("seq").value_or(-1));
		}
		return Numbers;
	}

	std::vector<std::string> UrlPaths(const std::vector<FEditorUIPageFile>& Files)
	{
		std::vector<std::string> Paths;
		for (const FEditorUIPageFile& File : Files)
		{
			Paths.push_back(File.UrlPath);
		}
		return Paths;
	}
}

TEST(OutputLogBuffer, KeepsTheLatestLinesAndSaysWhichWereDropped)
{
	FOutputLogBuffer Log(3);
	for (int Index = 1; Index <= 5; ++Index)
	{
		UE_LOG(LogEditorUI, Display, "line %d", Index);
	}
	Log.CollectNewLines();
	EXPECT_EQ(Log.GetLastSequence(), 5u);
	const std::shared_ptr<FJsonObject> All = Log.DescribeLinesAfter(0, 100);
	EXPECT_EQ(All->TryGetInt64Field("first"), 3);
	EXPECT_THAT(Sequences(*All), ElementsAre(3, 4, 5));
	EXPECT_EQ((*All->TryGetArrayField("lines"))[0].TryGetObject()->TryGetStringField("message"), "line 3");
	EXPECT_THAT(Sequences(*Log.DescribeLinesAfter(3, 1)), ElementsAre(4));
	EXPECT_TRUE(Log.DescribeLinesAfter(5, 100)->TryGetArrayField("lines")->empty());
}

TEST(OutputLogBuffer, MovingToAFreshCaptureLosesNoLineEvenWithAnotherThreadWriting)
{
	FLog::SetStderrEnabled(false);
	FOutputLogBuffer Log(100000);
	std::thread Writer([]() {
		for (int Index = 0; Index < 6000; ++Index)
		{
			UE_LOG(LogEditorUI, Log, "from a thread %d", Index);
		}
	});
	for (int Round = 0; Round < 3000; ++Round)
	{
		UE_LOG(LogEditorUI, Log, "game thread %d", Round);
		if (Round % 7 == 0)
		{
			Log.CollectNewLines();
		}
	}
	Writer.join();
	Log.CollectNewLines();
	FLog::SetStderrEnabled(true);

	int ThreadLines = 0;
	int GameLines = 0;
	const std::shared_ptr<FJsonObject> Kept = Log.DescribeLinesAfter(0, 100000);
	for (const FJsonValue& Line : *Kept->TryGetArrayField("lines"))
	{
		const std::string Message = Line.TryGetObject()->TryGetStringField("message").value_or("");
		ThreadLines += Message.starts_with("from a thread ") ? 1 : 0;
		GameLines += Message.starts_with("game thread ") ? 1 : 0;
	}
	EXPECT_EQ(GameLines, 3000) << "the lines of the collecting thread are each kept once";
	EXPECT_GE(ThreadLines, 6000) << "no line of another thread is lost";
}

TEST(EditorUIPageFiles, ListsTheBrowsersFilesAndNothingThatLeadsOutOfTheFolder)
{
	FTestProject Folder("Page");
	Folder.WriteFile("index.html", "<!DOCTYPE html>");
	Folder.WriteFile("editor.js", "'use strict';");
	Folder.WriteFile("images/logo.PNG", "png");
	Folder.WriteFile("notes.txt", "not for browsers");
	Folder.WriteFile(".hidden.js", "hidden");
	Folder.WriteFile(".git/config.js", "hidden folder");
	std::filesystem::create_symlink("/etc/hostname", Folder.PathOf("escape.html"));
	std::filesystem::create_directory_symlink("/usr/share", Folder.PathOf("shared"));

	const std::vector<FEditorUIPageFile> Files = ListEditorUIPageFiles(Folder.Dir());
	EXPECT_THAT(UrlPaths(Files), ElementsAre("/editor.js", "/images/logo.PNG", "/index.html"));
	EXPECT_EQ(Files[1].ContentType, "image/png");
	EXPECT_TRUE(ListEditorUIPageFiles(Folder.PathOf("missing")).empty());
}

TEST(EditorUIPageFiles, ThePageThatShipsHasItsFiles)
{
	const std::vector<std::string> Paths = UrlPaths(ListEditorUIPageFiles(KORVANE_EDITOR_UI_PAGE_DIR));
	for (const char* Needed : {"/index.html", "/editor.css", "/editor.js", "/widgets.js", "/favicon.svg"})
	{
		EXPECT_NE(std::find(Paths.begin(), Paths.end(), Needed), Paths.end()) << Needed;
	}
}

TEST(EditorUIViewPoll, WaitsForAChangeOrItsTimeAndBuildsAtMostOncePerPeriod)
{
	FGameThread GameThread;
	int Builds = 0;
	std::string Title = "first";
	FEditorUIViewPoll Poll(
		GameThread,
		[&]() {
			++Builds;
			auto State = std::make_shared<FJsonObject>();
			State->SetStringField("title", Title);
			return State;
		},
		std::chrono::milliseconds(20), std::chrono::milliseconds(300));

	std::vector<std::shared_ptr<FJsonObject>> Answers;
	const auto Collect = [&](std::unique_ptr<FHttpServerResponse> Response) { Answers.push_back(FJsonSerializer::DeserializeObject(Response->Body)); };
	const auto RunUntilAnswers = [&](std::size_t Count) {
		return GameThread.RunUntil([&]() { return Answers.size() >= Count; }, std::chrono::steady_clock::now() + std::chrono::seconds(5));
	};

	Poll.Wait("", 0, Collect);
	ASSERT_EQ(Answers.size(), 1u) << "a new reader is answered at once";
	EXPECT_EQ(Answers[0]->TryGetStringField("instance"), Poll.GetInstance());
	EXPECT_EQ(Answers[0]->TryGetInt64Field("revision"), 1);
	EXPECT_EQ(Answers[0]->TryGetObjectField("state")->TryGetStringField("title"), "first");

	// Nothing changes: the reader gets the same revision once its wait is over.
	const auto Start = std::chrono::steady_clock::now();
	Poll.Wait(Poll.GetInstance(), 1, Collect);
	EXPECT_EQ(Poll.GetWaitingCount(), 1u);
	ASSERT_TRUE(RunUntilAnswers(2));
	EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(300));
	EXPECT_EQ(Answers[1]->TryGetInt64Field("revision"), 1);
	EXPECT_EQ(Poll.GetWaitingCount(), 0u);

	// A change is seen at the next build, without anyone announcing it.
	Poll.Wait(Poll.GetInstance(), 1, Collect);
	Title = "second";
	ASSERT_TRUE(RunUntilAnswers(3));
	EXPECT_EQ(Answers[2]->TryGetInt64Field("revision"), 2);
	EXPECT_EQ(Answers[2]->TryGetObjectField("state")->TryGetStringField("title"), "second");

	// Readers asking again and again within one period cost one build.
	const int BuildsBefore = Builds;
	for (int Reader = 0; Reader < 50; ++Reader)
	{
		Poll.Wait("another run", 0, Collect);
	}
	EXPECT_LE(Builds - BuildsBefore, 1);
	EXPECT_EQ(Answers.size(), 53u) << "readers of another run are answered at once";
}
