#include "Runtime/Console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using FWords = std::vector<std::string>;

TEST(ConsoleArguments, CommandsReceiveTheWordsAfterTheirName)
{
	std::vector<FWords> Calls;
	const FAutoConsoleCommand Command("Test.Echo", "Records its words.", [&Calls](const FWords& Args) { Calls.push_back(Args); });

	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("Test.Echo /Game/Foo"));
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput(" \ttest.echo   one\ttwo  three \r\n"));
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("TEST.ECHO"));
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("Test.Echo /Game/Gr\xC3\xB6\xC3\x9F" "e"));
	ASSERT_EQ(Calls.size(), 4u);
	EXPECT_EQ(Calls[0], FWords{"/Game/Foo"});
	EXPECT_EQ(Calls[1], (FWords{"one", "two", "three"}));
	EXPECT_TRUE(Calls[2].empty());
	EXPECT_EQ(Calls[3], FWords{"/Game/Gr\xC3\xB6\xC3\x9F" "e"});

	EXPECT_FALSE(FConsoleManager::Get().ProcessUserConsoleInput("Test.EchoMore words")) << "the name is the whole first word";
	EXPECT_EQ(Calls.size(), 4u);
}

TEST(ConsoleArguments, CommandsWithAndWithoutArgumentsShareOneNameSpace)
{
	int Runs = 0;
	const FAutoConsoleCommand Plain("Test.Plain", "No arguments.", [&Runs]() { ++Runs; });
	EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand("test.plain", "With arguments.", [](const FWords&) {}));
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("Test.Plain ignored words"));
	EXPECT_EQ(Runs, 1);
	EXPECT_EQ(FConsoleManager::Get().FindCommand("Test.Plain")->Help, "No arguments.");
}

TEST(ConsoleArguments, NamesThatCannotBeTypedAreRefused)
{
	EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand("Two Words", "", [](const FWords&) {}));
	EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand("", "", [](const FWords&) {}));
	EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand(" Padded", "", []() {}));
	EXPECT_FALSE(FConsoleManager::Get().RegisterConsoleCommand("Test.Empty", "", FConsoleManager::FCommandWithArgsAction()));
	EXPECT_FALSE(FConsoleManager::Get().FindCommand("Two").has_value());
	EXPECT_FALSE(FConsoleManager::Get().FindCommand("Test.Empty").has_value());
}

TEST(ConsoleArguments, ALosingRegistrationLeavesTheWinnerInPlace)
{
	int Runs = 0;
	const FAutoConsoleCommand Winner("Test.Taken", "First.", [&Runs](const FWords&) { ++Runs; });
	{
		const FAutoConsoleCommand Loser("test.taken", "Second.", []() {});
	}
	EXPECT_TRUE(FConsoleManager::Get().ProcessUserConsoleInput("Test.Taken"));
	EXPECT_EQ(Runs, 1);
	EXPECT_EQ(FConsoleManager::Get().FindCommand("Test.Taken")->Help, "First.");
}
