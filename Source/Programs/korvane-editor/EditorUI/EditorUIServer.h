#pragma once

#include "Editor/EditorUIModel.h"
#include "EditorUI/EditorUIViewPoll.h"
#include "EditorUI/OutputLogBuffer.h"
#include "Http/HttpRouter.h"

#include <memory>
#include <string>
#include <vector>

class FGameThread;
class FJsonObject;
struct FHttpServerRequest;

/**
 * The editor's UI for a browser, on a router of its own (the UI port):
 *   GET  /                 the page (index.html) and the other files of the page's folder
 *   GET  /ui/view          the UI's state, by long poll (?instance=&after=revision)
 *   GET  /ui/log           output log lines after a number (?after=N)
 *   GET  /ui/icon          a style set's image brush as PNG (?styleSet=&brush=)
 *   POST /ui/action        a click, a check box, a console line... run on the game thread
 * The host's HTTP server applies its Host, Origin and size checks to these routes as to every
 * port's. The routes are unbound when the server goes. Game thread only.
 */
class FEditorUIServer
{
public:
	/** InLog: the output log the page reads, made before the editor started so the page sees its start-up too (nullptr: from now on). */
	FEditorUIServer(std::shared_ptr<IHttpRouter> InRouter, FGameThread& GameThread, std::string PageDir, std::unique_ptr<FOutputLogBuffer> InLog);
	~FEditorUIServer();
	FEditorUIServer(const FEditorUIServer&) = delete;
	FEditorUIServer& operator=(const FEditorUIServer&) = delete;

	/** How many page files are served (0: the page's folder was not found). */
	std::size_t GetPageFileCount() const { return PageFileCount; }

private:
	std::shared_ptr<FJsonObject> BuildState();
	void BindPageFiles(const std::string& PageDir);
	void Bind(const char* Path, EHttpServerRequestVerbs Verb, FHttpRequestHandler Handler);
	bool HandleView(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete);
	bool HandleLog(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete);
	bool HandleIcon(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete);
	bool HandleAction(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete);

	std::shared_ptr<IHttpRouter> Router;
	std::vector<FHttpRouteHandle> Routes;
	std::size_t PageFileCount = 0;
	FEditorUIModel Model;
	std::unique_ptr<FOutputLogBuffer> Log;
	FEditorUIViewPoll Poll;
};
