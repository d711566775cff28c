#pragma once

class FClassDatabase;

/** Binds the material kinds, their expressions, the material graph and the minimal texture to their classes. */
void BindMaterialNativeClasses(FClassDatabase& Database);
