#pragma once

#include "Runtime/EditorHost.h"

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>

class FFakePythonScriptPlugin;
class FPythonScriptPlugin;
class FKorvaneConnectorModule;

/** A project folder of its own under the temporary folder, removed when the test ends. */
class FTestProject
{
public:
	explicit FTestProject(std::string_view Name = "TestProject");
	/** A copy of the bundled demo project, so tests may change it freely. */
	static std::unique_ptr<FTestProject> CopyOfDemoProject();
	~FTestProject();
	FTestProject(const FTestProject&) = delete;
	FTestProject& operator=(const FTestProject&) = delete;

	/** The project folder, with a trailing slash. */
	const std::string& Dir() const { return ProjectDir; }
	std::string PathOf(std::string_view Relative) const { return ProjectDir + std::string(Relative); }
	void WriteFile(std::string_view Relative, std::string_view Content) const;
	bool Exists(std::string_view Relative) const;
	std::string ReadFile(std::string_view Relative) const;

private:
	FTestProject(std::string InRootDir, std::string InProjectDir) : RootDir(std::move(InRootDir)), ProjectDir(std::move(InProjectDir)) {}

	std::string RootDir;
	std::string ProjectDir;
};

/** How a test editor starts. */
struct FTestEditorOptions
{
	/** Runs on a copy of the bundled demo project instead of an empty project. */
	bool bDemoProject = false;
	/** The empty project's folder and file name (any character a folder name may hold). */
	std::string ProjectName = "TestProject";
	bool bLoadConnector = true;
	bool bBuiltInMcp = false;
	bool bConfigSystem = true;
	/** Loads the module "RemoteControl" at start-up, as the editor does. */
	bool bRemoteControl = true;
	/** The KorvaneConnector plug-in folder; empty leaves the plug-in unlisted. */
	std::string ConnectorPluginDir;
	/** The folder mounted as "/Engine"; empty mounts the engine content that ships with the host. */
	std::string EngineContentDir;
	/** The folder mounted as "/ControlRig"; empty mounts the plug-in content that ships with the host. */
	std::string ControlRigContentDir;
	/** Loads a recording Python module before the connector. */
	bool bFakePython = false;
	bool bPythonInitialized = true;
	bool bPythonAvailable = true;
	/**
	 * Loads the editor's embedded interpreter before the connector (without it,
	 * and without the fake, the editor has no Python). With bPythonInitialized
	 * false the interpreter starts only when the test calls StartPython().
	 */
	bool bEmbeddedPython = false;
};

/** Options for an editor on a copy of the demo project (or, when false, on an empty project). */
inline FTestEditorOptions DemoProjectOptions(bool bDemoProject = true)
{
	FTestEditorOptions Options;
	Options.bDemoProject = bDemoProject;
	return Options;
}

/**
 * An editor host on a temporary project. Until Serve is called the test thread is
 * the game thread; after it, the game thread runs in the background on a free
 * port and OnGameThread runs code there.
 */
class FTestEditor
{
public:
	explicit FTestEditor(FTestEditorOptions Options = {});
	~FTestEditor();

	FTestProject& Project() { return *TestProject; }
	FEditorHost& Host() { return *EditorHost; }
	/** The loaded connector module, or nullptr. */
	FKorvaneConnectorModule* Connector() const;
	FFakePythonScriptPlugin* Python() const;
	/** The embedded interpreter's module, or nullptr. */
	FPythonScriptPlugin* EmbeddedPython() const;
	/** Starts the embedded interpreter that was loaded with bPythonInitialized false. */
	void StartPython();
	void LoadConnector();

	/** Starts listening on a free port and runs the game thread in the background. */
	void Serve();
	uint16_t Port() const;
	/** The real port of the editor's MCP server (bBuiltInMcp), once serving; 0 otherwise. */
	uint16_t McpPort() const;

	/** Runs the function on the game thread and returns its result. */
	template <typename TFunction>
	auto OnGameThread(TFunction&& Function) -> std::invoke_result_t<TFunction>
	{
		using TResult = std::invoke_result_t<TFunction>;
		if (!GameThreadRunner.joinable())
		{
			return Function();
		}
		std::packaged_task<TResult()> Task(std::forward<TFunction>(Function));
		std::future<TResult> Result = Task.get_future();
		auto SharedTask = std::make_shared<std::packaged_task<TResult()>>(std::move(Task));
		EditorHost->GetGameThread().Post([SharedTask]() { (*SharedTask)(); });
		return Result.get();
	}

private:
	std::unique_ptr<FTestProject> TestProject;
	std::unique_ptr<FEditorHost> EditorHost;
	std::thread GameThreadRunner;
};

/** Empties the four process-wide pickup slots. */
void ClearPickupSlots();
