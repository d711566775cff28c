#pragma once

class FClassDatabase;

/** Binds UBlueprint, its construction script types and UBlueprintGeneratedClass to their engine classes. */
void BindBlueprintNativeClasses(FClassDatabase& Database);
