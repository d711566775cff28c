#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class FJsonObject;

/**
 * What the page learns from the editor's UI model and asks of it. Game thread only.
 */

/** The editor's UI, painted now (bound attributes evaluated): level editor, asset editors, tabs, toasts. */
std::shared_ptr<FJsonObject> BuildEditorUIView();
/** Runs an action of the UI model (entry clicks, menus, check boxes, links, tabs, editors). */
std::shared_ptr<FJsonObject> RunEditorUIAction(const FJsonObject& Action);
/** The image file behind a style set's brush, when the set is registered and the brush is an image. */
std::optional<std::string> FindEditorUIBrushImage(std::string_view StyleSet, std::string_view Brush);
