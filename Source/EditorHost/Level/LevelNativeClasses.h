#pragma once

class FClassDatabase;

/** Binds the level's C++ types (world, level, actors, components) to their engine classes. */
void BindLevelNativeClasses(FClassDatabase& Database);
