#pragma once

class FClassDatabase;

/** Binds the static mesh type to its engine class. */
void BindStaticMeshNativeClasses(FClassDatabase& Database);
