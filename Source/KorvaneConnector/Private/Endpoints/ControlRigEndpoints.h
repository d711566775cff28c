#pragma once

#include "Core/JsonObject.h"
#include "Core/JsonValue.h"

#include <memory>
#include <string>

class UControlRigBlueprint;
class URigHierarchy;
class USkeletalMesh;

/** GET /korvane/controlrigs: every Control Rig Blueprint under /Game. */
std::shared_ptr<FJsonObject> ListControlRigs();
/** POST /korvane/controlrigs/hierarchy: a rig's bones, nulls and controls, or a skeletal mesh's bones. */
std::shared_ptr<FJsonObject> GetControlRigHierarchy(const std::string& Body);
/** POST /korvane/controlrig/read: a rig's graphs as copy-paste text, variables, hierarchy and modules. */
std::shared_ptr<FJsonObject> ReadControlRig(const std::string& Body);
/** POST /korvane/controlrig/snapshot: the rig's preview mesh, posed, from eight views as JPEG data URLs. */
std::shared_ptr<FJsonObject> GetControlRigSnapshot(const std::string& Body);

/** The Control Rig Blueprint at Path; nullptr after setting "error" on Response when there is none. */
UControlRigBlueprint* LoadControlRigBlueprint(const std::string& Path, FJsonObject& Response);
/** The element objects of a hierarchy's bones, nulls and controls, in traversal order. */
FJsonValueArray AppendRigElements(const URigHierarchy& Hierarchy);
/** Adds "morphTargets" when the mesh has at least one named morph target; nothing for no mesh. */
void AppendMorphTargets(FJsonObject& Response, const USkeletalMesh* Mesh);
