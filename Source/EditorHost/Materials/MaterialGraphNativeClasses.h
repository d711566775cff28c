#pragma once

class FClassDatabase;

/** Binds the material graph, its schema and its node kinds to their engine classes. */
void BindMaterialGraphNativeClasses(FClassDatabase& Database);
