#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/**
 * POST /korvane/widget/deploy: builds a Widget Blueprint (or an Editor Utility Widget Blueprint)
 * from the desktop app's description: the widget tree as the designer's copy-paste text, the
 * design size, member variables, a Python script placed under Content/Python, function graphs and
 * node graphs. Creates the asset, or empties an existing one on overwrite, compiles it and reports
 * one step object per phase.
 */
std::shared_ptr<FJsonObject> DeployWidget(const std::string& BodyText);

/**
 * POST /korvane/widget/read: one Widget Blueprint for the desktop app: its kind, design size,
 * widget tree with the properties that differ from the class defaults, member variables and
 * animations in the deploy's type words, and the copy-paste text of its graphs.
 */
std::shared_ptr<FJsonObject> ReadWidget(const std::string& BodyText);
