#pragma once

class FClassDatabase;

/** Binds the C++ types of skeletons, skeletal meshes, animation assets and notifies to their engine classes. */
void BindAnimationClasses(FClassDatabase& Database);
