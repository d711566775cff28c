#pragma once

#include "Core/JsonObject.h"

#include <memory>
#include <string>

/** GET /korvane/skeletons: every skeleton under /Game with its bone count. */
std::shared_ptr<FJsonObject> ListSkeletons();
/** POST /korvane/skeletons/hierarchy: one skeleton's bones with local reference transforms and children. */
std::shared_ptr<FJsonObject> GetSkeletonHierarchy(const std::string& Body);
/** GET /korvane/skeletalmeshes: every skeletal mesh with its levels, material slots and morph targets. */
std::shared_ptr<FJsonObject> ListSkeletalMeshes();
/** POST /korvane/skeletalmesh/geometry: one level's positions, normals and indices as base64 arrays. */
std::shared_ptr<FJsonObject> GetSkeletalMeshGeometry(const std::string& Body);
