#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/** GET /korvane/animations: every animation sequence under /Game with its timing. */
std::shared_ptr<FJsonObject> ListAnimations();
/** POST /korvane/animations/detail: one sequence's timing, additive settings, notifies, curves and sync markers. */
std::shared_ptr<FJsonObject> GetAnimationDetail(const std::string& Body);
/** GET /korvane/animbps: every Animation Blueprint under /Game, from registry tags only. */
std::shared_ptr<FJsonObject> ListAnimBlueprints();
/** GET /korvane/blendspaces: two-dimensional blend spaces first, then one-dimensional ones. */
std::shared_ptr<FJsonObject> ListBlendSpaces();
/** GET /korvane/montages: every montage with its sections, slots and notify count. */
std::shared_ptr<FJsonObject> ListMontages();
