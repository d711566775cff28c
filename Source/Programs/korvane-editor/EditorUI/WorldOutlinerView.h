#pragma once

#include <memory>

class FJsonObject;
class UWorld;

/**
 * The level editor's outliner for the editor's UI page: {"world": map name, "actors":
 * [{"label","class"}...]} in the level's order, the actors that are not marked as garbage.
 */
std::shared_ptr<FJsonObject> DescribeWorldOutliner(UWorld& World);
