#pragma once

#include "ControlRig/RigElementKey.h"
#include "Core/JsonValue.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FJsonObject;
class URigHierarchy;

/** An element key {"type", "name"} of one element kind ("Bone"...) and a name that is not empty; nothing and a reason otherwise. */
std::optional<FRigElementKey> ReadRigElementKey(const FJsonValue& Value, std::string& OutError);
/** The same read from the "type" and "name" members of Object (nullptr reads as nothing). */
std::optional<FRigElementKey> ReadRigElementKeyMembers(const FJsonObject* Object, std::string& OutError);
std::shared_ptr<FJsonObject> MakeRigElementKeyObject(const FRigElementKey& Key);

/**
 * Adds the element objects of a rig asset's "hierarchy" array to Hierarchy, in order
 * (docs/PROJECT_FORMAT.md). An entry that cannot be read is left out with a warning and goes to
 * OutUnread as it was written; a parent that is no earlier transform element makes the element a
 * root, with a warning.
 */
void ReadRigHierarchy(const FJsonValueArray& Entries, URigHierarchy& Hierarchy, std::vector<std::string>& OutWarnings, FJsonValueArray& OutUnread);
/** The element objects of every element of Hierarchy, in storage order. */
FJsonValueArray WriteRigHierarchy(const URigHierarchy& Hierarchy);
