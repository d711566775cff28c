#pragma once

#include "ControlRig/RigElementKey.h"
#include "Meshes/MeshTransform.h"

class URigHierarchy;
struct FRigBaseElement;

/** The transform element of the hierarchy with that key, or nullptr: a unit naming a missing element does nothing for it. */
FRigBaseElement* FindTransformElement(URigHierarchy& Hierarchy, const FRigElementKey& Key);

/** From blended towards To by Weight (0 gives From, 1 or more gives To): translation and scale linearly, rotation along the shorter arc. */
FTransform BlendTransforms(const FTransform& From, const FTransform& To, double Weight);

/**
 * Sets one of the element's transforms. With bPropagateToChildren the children move along
 * (their local transforms stay); without it they stay where they are in the rig.
 */
void SetTransformKeepingChildren(URigHierarchy& Hierarchy, FRigBaseElement& Element, const FTransform& Transform, ERigTransformType Type, bool bPropagateToChildren);
