#pragma once

#include <optional>
#include <string>

class UWorld;

/**
 * The world the level editor has open, or nullptr when no editor runs or the
 * project has no map to open. The map is chosen as the editor chooses its
 * start-up map:
 *
 * 1. `EditorStartupMap` in section `[/Script/EngineSettings.GameMapsSettings]`
 *    of the project's Config/DefaultEngine.ini (an object path such as
 *    "/Game/Maps/DemoLevel.DemoLevel"; a package name is completed). A map
 *    named there that does not load leaves the editor without a world (logged).
 * 2. Without that setting (or without a configuration system): the first World
 *    asset the asset registry lists.
 *
 * The map loads on first ask and stays loaded with its package, so every later
 * ask answers the same world, changes included.
 */
UWorld* GetEditorWorld();

/** The configured start-up map's object path, when the project sets one. */
std::optional<std::string> GetConfiguredEditorStartupMap();
