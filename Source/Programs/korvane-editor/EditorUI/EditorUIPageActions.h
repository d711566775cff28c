#pragma once

#include <memory>

class FEditorUIModel;
class FJsonObject;

/**
 * Runs one action the page asks for and answers {"success":true,...} or
 * {"success":false,"error":"..."}. The page's own actions are "console" (one console line,
 * as typed in the output log's command box) and "openAsset" (a double-click in the content
 * browser); every other action goes to the UI model. Game thread only.
 */
std::shared_ptr<FJsonObject> RunEditorUIPageAction(const FJsonObject& Action, FEditorUIModel& Model);
