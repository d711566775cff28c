#pragma once

#include "Runtime/Console.h"

#include <string>
#include <string_view>

class UAssetEditorSubsystem;

/**
 * The editor's console commands for asset editors: AssetEditor.Open, .Focus, .Close,
 * .CloseAll and .List. Each reports its result or its error to the log (LogHost, Display).
 * They exist while the editor engine does. Game thread only.
 */
class FAssetEditorCommands
{
public:
	explicit FAssetEditorCommands(UAssetEditorSubsystem& InSubsystem);

	/** The object path a console path names: a package path "/Game/Foo" means "/Game/Foo.Foo". */
	static std::string CompleteObjectPath(std::string_view Path);

private:
	void Open(const std::vector<std::string>& Args);
	void Focus(const std::vector<std::string>& Args);
	void Close(const std::vector<std::string>& Args);
	void CloseAll();
	void List();

	UAssetEditorSubsystem& Subsystem;
	FAutoConsoleCommand OpenCommand;
	FAutoConsoleCommand FocusCommand;
	FAutoConsoleCommand CloseCommand;
	FAutoConsoleCommand CloseAllCommand;
	FAutoConsoleCommand ListCommand;
};
